#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QTest>

#include "tests/ModalBoxes.h"
#include "window/qt/frmQuillane.h"

namespace brevorn::test {
namespace {

struct Hostile {
    const char* name;
    QString text;
    QString expectedBox;  // the message it must raise
};

const QString kNumbersOnly = QStringLiteral("You need to input ONLY numbers.");
const QString kOverflow = QStringLiteral("6 Overflow in cmdGo_Click");

std::vector<Hostile> hostileTexts() {
    return {
        {"megabyte of digits", QString(1 << 20, QLatin1Char('9')), kOverflow},
        {"digits then a megabyte of letters", "480" + QString(1 << 20, QLatin1Char('x')),
         kNumbersOnly},
        {"megabyte of letters", QString(1 << 20, QLatin1Char('a')), kNumbersOnly},
        {"control characters",
         QStringLiteral("4\x01\x02\x1b"
                        "8"),
         kNumbersOnly},
        {"NUL", QString(QChar(0)) + QStringLiteral("480"), kNumbersOnly},
        {"right-to-left mark", QString(QChar(0x200F)) + QStringLiteral("480"), kNumbersOnly},
        {"emoji", QString::fromUtf8("48\xf0\x9f\x8e\xac"), kNumbersOnly},
        {"Arabic-Indic digits", QString::fromUtf8("\xd9\xa4\xd9\xa8\xd9\xa0"), kNumbersOnly},
        {"fullwidth digits", QString::fromUtf8("\xef\xbc\x94\xef\xbc\x98\xef\xbc\x90"),
         kNumbersOnly},
        {"lone surrogate", QString(QChar(0xD800)) + QStringLiteral("1"), kNumbersOnly},
    };
}

class HostileInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        txtHeight->setText(QStringLiteral("480"));
        txtWidth->setText(QStringLiteral("640"));
        QTest::mouseClick(cmdGo, Qt::LeftButton);
        ASSERT_EQ(txtOutput->text(), QStringLiteral("H=240, W=320"));
    }

    // Pastes `text` into `box` as a user would, replacing what was there.
    static void paste(QLineEdit* box, const QString& text) {
        QApplication::clipboard()->setText(text);
        box->setFocus();
        box->selectAll();
        QTest::keySequence(box, QKeySequence::Paste);
    }

    frmQuillane form;
    QLineEdit* const txtHeight = controlOf<QLineEdit>(form, form::Id::txtHeight);
    QLineEdit* const txtWidth = controlOf<QLineEdit>(form, form::Id::txtWidth);
    QLineEdit* const txtOutput = controlOf<QLineEdit>(form, form::Id::txtOutput);
    QWidget* const cmdGo = controlOf(form, form::Id::cmdGo);
};

TEST_F(HostileInputTest, EveryPastedTextIsAnsweredQuicklyAndKeepsTheAnswer) {
    for (QLineEdit* box : {txtHeight, txtWidth}) {
        for (const Hostile& hostile : hostileTexts()) {
            txtHeight->setText(QStringLiteral("480"));
            txtWidth->setText(QStringLiteral("640"));
            paste(box, hostile.text);
            ASSERT_FALSE(box->text().isEmpty()) << hostile.name;

            ModalBoxes boxes;
            QElapsedTimer clock;
            clock.start();
            QTest::mouseClick(cmdGo, Qt::LeftButton);
            const qint64 elapsed = clock.elapsed();

            const std::string where =
                std::string(hostile.name) + " in " + (box == txtHeight ? "height" : "width");
            ASSERT_EQ(boxes.shown.size(), 1U) << where;
            EXPECT_EQ(boxes.shown[0].text, hostile.expectedBox) << where;
            EXPECT_LT(elapsed, 1000) << where;
            EXPECT_EQ(txtOutput->text(), QStringLiteral("H=240, W=320")) << where;
        }
    }
}

}  // namespace
}  // namespace brevorn::test
