// Thousands of clicks through the real window: nothing may pile up.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <cstdio>
#include <fstream>
#include <map>

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

// Resident memory settles in the first thousands of clicks. Qt 6.8 puts what it draws
// for each new message box into QPixmapCache, some 10 KB a box and never drawn again,
// until the cache reaches its limit of 10 MiB at about 1,450 clicks; from there old
// entries make room. Under AddressSanitizer its allocator then goes on taking pages for
// its size classes, ever fewer, until about 6,000. From there a leak of even a few bytes
// a click shows: 4,000 clicks of 8 bytes are 32 KiB, and malloc's least block is 32.
constexpr int kClicks = 10000;
constexpr int kSettled = 3000;
constexpr int kLastClicksFrom = 6000;
constexpr long kSettledGrowthKiB = 1024;
constexpr long kLastClicksGrowthKiB = 32;

TEST(Soak, TenThousandCalculatesAndAThousandInfosHoldTheirMemory) {
    using enum form::Id;
    frmQuillane form;
    form.show();
    ModalBoxes boxes(false);
    std::map<int, long> residentAfter;
    for (int click = 1; click <= kClicks; ++click) {
        const auto& [height, width] = kInputs[click % std::size(kInputs)];
        controlOf<QLineEdit>(form, txtHeight)->setText(QString::fromLatin1(height));
        controlOf<QLineEdit>(form, txtWidth)->setText(QString::fromLatin1(width));
        QTest::mouseClick(controlOf(form, cmdGo), Qt::LeftButton);
        if (click % 10 == 0) {
            QTest::mouseClick(controlOf(form, cmdInfo), Qt::LeftButton);
        }
        if (click % 1000 == 0) {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            residentAfter[click] = residentKiB();
            std::printf("after %5d clicks: %ld KiB resident\n", click, residentAfter[click]);
        }
    }
    EXPECT_EQ(boxes.dismissed, 4 * kClicks / 5 + 2 * kClicks / 10);
    EXPECT_EQ(controlOf<QLineEdit>(form, txtOutput)->text(), QStringLiteral("H=240, W=320"));
    EXPECT_LE(residentAfter[kClicks] - residentAfter[kSettled], kSettledGrowthKiB);
    EXPECT_LE(residentAfter[kClicks] - residentAfter[kLastClicksFrom], kLastClicksGrowthKiB);
}

}  // namespace
}  // namespace brevorn::test
