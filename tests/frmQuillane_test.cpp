#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "tests/ModalBoxes.h"
#include "window/qt/frmQuillane.h"
#include "window/qt/latin1.h"

namespace brevorn::test {
namespace {

class FrmQuillaneTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }
    QWidget* focused() const { return QApplication::focusWidget(); }

    frmQuillane form;
    QLineEdit* const txtHeight = controlOf<QLineEdit>(form, form::Id::txtHeight);
    QLineEdit* const txtWidth = controlOf<QLineEdit>(form, form::Id::txtWidth);
    QLineEdit* const txtOutput = controlOf<QLineEdit>(form, form::Id::txtOutput);
    QPushButton* const cmdGo = controlOf<QPushButton>(form, form::Id::cmdGo);
    QPushButton* const cmdInfo = controlOf<QPushButton>(form, form::Id::cmdInfo);
};

TEST_F(FrmQuillaneTest, ControlsStandWhereTheFormPutsThem) {
    // Twips as the form was drawn; 15 to a pixel.
    struct Control {
        form::Id id;
        QString caption;
        int left, top, width, height;
    };
    const Control controls[] = {
        {form::Id::lblHeight, "Height", 120, 120, 1215, 255},
        {form::Id::lblWidth, "Width", 1440, 120, 1215, 375},
        {form::Id::txtHeight, "", 120, 360, 1215, 285},
        {form::Id::txtWidth, "", 1440, 360, 1215, 285},
        {form::Id::equils, "=", 2760, 360, 495, 255},
        {form::Id::txtOutput, "", 3240, 360, 1335, 285},
        {form::Id::cmdGo, "Calculate", 120, 720, 4455, 375},
        {form::Id::lblVCDNorm, "VCD Norm is H=240, W=352", 240, 1200, 4335, 255},
        {form::Id::cmdInfo, "Info", 4080, 1200, 495, 375},
    };
    for (const auto& c : controls) {
        QWidget* widget = controlOf(form, c.id);
        ASSERT_NE(widget, nullptr) << c.caption.toStdString();
        const QRect expected(c.left / 15, c.top / 15, c.width / 15, c.height / 15);
        EXPECT_EQ(widget->geometry(), expected) << c.caption.toStdString();
        // Across, centred; a button has no say and centres its caption.
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            EXPECT_EQ(label->text(), c.caption);
            EXPECT_EQ(label->alignment(), Qt::AlignTop | Qt::AlignHCenter);
        } else if (auto* box = qobject_cast<QLineEdit*>(widget)) {
            EXPECT_TRUE(box->text().isEmpty());
            EXPECT_EQ(box->alignment(), Qt::AlignCenter);
            EXPECT_FALSE(box->isReadOnly());
        } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
            EXPECT_EQ(button->text(), c.caption);
            EXPECT_FALSE(button->isDefault() || button->autoDefault());
        }
    }
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Quillane"));
    EXPECT_EQ(form.size(), QSize(312, 112));
    EXPECT_EQ(form.windowIcon().availableSizes(), QList<QSize>{QSize(32, 32)});
}

TEST_F(FrmQuillaneTest, FrameIsFixedWithCloseBoxOnly) {
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    const Qt::WindowFlags flags = form.windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowSystemMenuHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
}

TEST_F(FrmQuillaneTest, BoxesAndButtonsStandInFrontOfTheLabelsTheyOverlap) {
    const std::pair<QWidget*, QPoint> overlaps[] = {
        {txtHeight, {40, 24}},   // bottom row of lblHeight
        {txtWidth, {130, 30}},   // bottom 9 px of lblWidth
        {txtOutput, {216, 30}},  // right column of equils
        {cmdInfo, {280, 85}},    // right end of lblVCDNorm
    };
    for (const auto& [control, point] : overlaps) {
        QWidget* hit = form.childAt(point);
        EXPECT_TRUE(hit == control || control->isAncestorOf(hit))
            << control->metaObject()->className() << " at " << point.x() << "," << point.y();
    }
}

TEST_F(FrmQuillaneTest, FocusStartsInHeightAndTabVisitsBoxesAndButtonsInOrder) {
    const QWidget* order[] = {txtHeight, txtWidth, cmdGo, txtOutput, cmdInfo, txtHeight};
    for (const QWidget* expected : order) {
        EXPECT_EQ(focused(), expected);
        QTest::keyClick(focused(), Qt::Key_Tab);
    }
}

TEST_F(FrmQuillaneTest, TypedSizesGiveTheAnswerOnlyOnCalculate) {
    QTest::keyClicks(focused(), QStringLiteral("480"));
    QTest::keyClick(focused(), Qt::Key_Tab);
    QTest::keyClicks(focused(), QStringLiteral("640"));
    QTest::keyClick(focused(), Qt::Key_Return);
    QTest::keyClick(focused(), Qt::Key_Escape);
    EXPECT_TRUE(txtOutput->text().isEmpty());
    EXPECT_TRUE(form.isVisible());

    QTest::mouseClick(cmdGo, Qt::LeftButton);
    EXPECT_EQ(txtHeight->text(), QStringLiteral("480"));
    EXPECT_EQ(txtOutput->text(), QStringLiteral("H=240, W=320"));
}

TEST_F(FrmQuillaneTest, MissingHeightPromptsAndReturnsFocus) {
    txtWidth->setText(QStringLiteral("640"));
    cmdInfo->setFocus();
    ModalBoxes boxes;
    QTest::mouseClick(cmdGo, Qt::LeftButton);
    ASSERT_EQ(boxes.shown.size(), 1U);
    EXPECT_EQ(boxes.shown[0].title, QStringLiteral("Height?"));
    EXPECT_EQ(boxes.shown[0].text, QStringLiteral("You need to specify a HEIGHT."));
    // Offscreen, nothing reactivates the window after the box; the window's
    // focus child is where typing goes once it is active again.
    EXPECT_EQ(form.focusWidget(), txtHeight);
}

TEST_F(FrmQuillaneTest, InfoShowsTwoBoxesOneAfterTheOther) {
    ModalBoxes boxes;
    QTest::mouseClick(cmdInfo, Qt::LeftButton);
    ASSERT_EQ(boxes.shown.size(), 2U);
    EXPECT_TRUE(boxes.shown[0].text.endsWith(
        QStringLiteral("are: \rHo = (352/Wi)Hi  and Wo = (240/Hi)Wi")));
    EXPECT_TRUE(boxes.shown[1].text.startsWith(QStringLiteral("If you find this useful")));
    for (const ShownBox& box : boxes.shown) {
        EXPECT_EQ(box.title, QStringLiteral("Information"));
        EXPECT_EQ(box.icon, QMessageBox::Information);
    }
    EXPECT_TRUE(txtOutput->text().isEmpty());
}

// Whether the box shows all of `text` without scrolling it: a text that fits
// is drawn in the same place wherever the (unfocused) cursor stands.
bool showsWhole(QLineEdit* box, const QString& text) {
    box->setText(text);
    box->setCursorPosition(static_cast<int>(text.size()));
    const QImage atEnd = box->grab().toImage();
    box->setCursorPosition(0);
    return box->grab().toImage() == atEnd;
}

TEST_F(FrmQuillaneTest, AnswerBoxFitsTheLongestAnswerWhateverTheDesktopFont) {
    const QFont desktop = form.font();
    for (const qreal points : {7.0, 9.0, 12.0, 20.0}) {
        QFont font = desktop;
        font.setPointSizeF(points);
        form.setFont(font);
        EXPECT_TRUE(showsWhole(txtOutput, latin1(form::kWidestAnswer))) << points << " pt";
        EXPECT_EQ(txtOutput->font().family(), font.family());
        EXPECT_LE(txtOutput->font().pointSizeF(), points);
        EXPECT_EQ(txtHeight->font(), font) << "only the answer box changes";

        // The largest size that fits: a quarter point more would scroll.
        QLineEdit probe(&form);
        probe.setGeometry(txtOutput->geometry());
        probe.setAlignment(Qt::AlignCenter);
        probe.show();
        QFont larger = txtOutput->font();
        if (larger.pointSizeF() < points) {
            larger.setPointSizeF(larger.pointSizeF() + 0.25);
            probe.setFont(larger);
            EXPECT_FALSE(showsWhole(&probe, latin1(form::kWidestAnswer))) << points << " pt";
        }
    }
    form.setFont(desktop);
}

// The desktop's font changes under a running program: what the boxes hold
// stays, and the answer box is fitted again.
TEST_F(FrmQuillaneTest, NewApplicationFontKeepsTheAnswerAndRefitsIt) {
    const QFont desktop = QApplication::font();
    txtHeight->setText(QStringLiteral("480"));
    txtWidth->setText(QStringLiteral("704"));
    QTest::mouseClick(cmdGo, Qt::LeftButton);
    ASSERT_EQ(txtOutput->text(), latin1(form::kWidestAnswer));
    for (const qreal points : {14.0, 24.0, 7.0}) {
        QFont font = desktop;
        font.setPointSizeF(points);
        QApplication::setFont(font);
        // Qt hands the new font to the widgets through posted events.
        QCoreApplication::sendPostedEvents();
        EXPECT_EQ(txtHeight->font(), font) << points << " pt reached the form";
        EXPECT_EQ(txtHeight->text(), QStringLiteral("480"));
        EXPECT_EQ(txtWidth->text(), QStringLiteral("704"));
        EXPECT_EQ(txtOutput->text(), latin1(form::kWidestAnswer));
        EXPECT_LE(txtOutput->font().pointSizeF(), points);
        EXPECT_TRUE(showsWhole(txtOutput, latin1(form::kWidestAnswer))) << points << " pt";
    }
    QApplication::setFont(desktop);
}

}  // namespace
}  // namespace brevorn::test
