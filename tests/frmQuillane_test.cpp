#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "tests/ModalBoxes.h"
#include "window/frmQuillane.h"

namespace brevorn::test {
namespace {

class FrmQuillaneTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }
    frmQuillane form;
};

TEST_F(FrmQuillaneTest, TypedSizesGiveTheAnswerOnCalculate) {
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("480"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("640"));
    QTest::mouseClick(form.cmdGo, Qt::LeftButton);
    EXPECT_EQ(form.txtHeight->text(), QStringLiteral("480"));
    EXPECT_EQ(form.txtWidth->text(), QStringLiteral("640"));
    EXPECT_EQ(form.txtOutput->text(), QStringLiteral("H=240, W=320"));
}

TEST_F(FrmQuillaneTest, MissingHeightPromptsAndReturnsFocus) {
    form.txtWidth->setText(QStringLiteral("640"));
    form.cmdInfo->setFocus();
    ModalBoxes boxes;
    QTest::mouseClick(form.cmdGo, Qt::LeftButton);
    ASSERT_EQ(boxes.shown.size(), 1U);
    EXPECT_EQ(boxes.shown[0].title, QStringLiteral("Height?"));
    EXPECT_EQ(boxes.shown[0].text, QStringLiteral("You need to specify a HEIGHT."));
    // Offscreen, nothing reactivates the window after the box; the window's
    // focus child is where typing goes once it is active again.
    EXPECT_EQ(form.focusWidget(), form.txtHeight);
}

}  // namespace
}  // namespace brevorn::test
