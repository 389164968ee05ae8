// Thousands of clicks through the real window: nothing may pile up.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <cstdio>
#include <fstream>

#include "tests/ModalBoxes.h"
#include "window/qt/frmQuillane.h"

namespace brevorn::test {
namespace {

long residentKiB() {
    std::ifstream statm("/proc/self/statm");
    long size = 0;
    long resident = 0;
    statm >> size >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// Every road through Calculate: an answer, both prompts, the warning and an error box.
const std::pair<const char*, const char*> kInputs[] = {
    {"480", "640"}, {"", "640"}, {"480", ""}, {"abc", "1"}, {"480", "0"},
};

TEST(Soak, TenThousandCalculatesAndAThousandInfosHoldTheirMemory) {
    frmQuillane form;
    form.show();
    ModalBoxes boxes(false);
    long afterFirstThousand = 0;
    constexpr int kClicks = 10000;
    for (int click = 1; click <= kClicks; ++click) {
        const auto& [height, width] = kInputs[click % std::size(kInputs)];
        form.txtHeight->setText(QString::fromLatin1(height));
        form.txtWidth->setText(QString::fromLatin1(width));
        QTest::mouseClick(form.cmdGo, Qt::LeftButton);
        if (click % 10 == 0) {
            QTest::mouseClick(form.cmdInfo, Qt::LeftButton);
        }
        if (click % 1000 == 0) {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            const long now = residentKiB();
            std::printf("after %5d clicks: %ld KiB resident\n", click, now);
            if (click == 1000) {
                afterFirstThousand = now;
            }
        }
    }
    EXPECT_EQ(boxes.dismissed, 4 * kClicks / 5 + 2 * kClicks / 10);
    EXPECT_EQ(form.txtOutput->text(), QStringLiteral("H=240, W=320"));
    EXPECT_LE(residentKiB() - afterFirstThousand, 1024);
}

}  // namespace
}  // namespace brevorn::test
