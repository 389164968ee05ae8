#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "tests/ModalBoxes.h"
#include "window/qt/frmQuillane.h"

namespace brevorn::test {
namespace {

class QtWindowServicesTest : public ::testing::Test {
protected:
    frmQuillane owner;
    QLineEdit* height = controlOf<QLineEdit>(owner, form::Id::txtHeight);
    QLineEdit* width = controlOf<QLineEdit>(owner, form::Id::txtWidth);
    QLineEdit* output = controlOf<QLineEdit>(owner, form::Id::txtOutput);
    QtWindowServices services{owner};
};

// U+D83C U+DFAC is the pair for U+1F3AC; either alone is unpaired. \x31 is "1".
TEST_F(QtWindowServicesTest, EveryUtf16UnitOfTheBoxComesOut) {
    const struct {
        const char* name;
        std::u16string_view text;
        std::string_view utf8;
    } cases[] = {
        {"pair then 1", u"\xD83C\xDFAC\x31", "\xf0\x9f\x8e\xac\x31"},
        {"lone high then 1", u"\xD83C\x31", "\xef\xbf\xbd\x31"},
        {"low then high", u"\xDFAC\xD83C", "\xef\xbf\xbd\xef\xbf\xbd"},
        {"high at the end", u"48\xD83C", "48\xef\xbf\xbd"},
        {"two highs then a low", u"\xD83C\xD83C\xDFAC", "\xef\xbf\xbd\xf0\x9f\x8e\xac"},
    };
    for (const auto& c : cases) {
        height->setText(QStringView(c.text).toString());
        EXPECT_EQ(services.getText(TextBox::txtHeight), c.utf8) << c.name;
    }
}

TEST_F(QtWindowServicesTest, TextGoesInAndOutUntouched) {
    height->setText(QStringLiteral("  48 0 "));
    width->setText(QString::fromUtf8("\xd9\xa3\xe2\x80\x8f"));  // Arabic-Indic 3, RLM
    EXPECT_EQ(services.getText(TextBox::txtHeight), "  48 0 ");
    EXPECT_EQ(services.getText(TextBox::txtWidth), "\xd9\xa3\xe2\x80\x8f");
    output->setText(QStringLiteral("old"));
    services.setText(TextBox::txtOutput, "H=240, W=320");
    EXPECT_EQ(output->text(), QStringLiteral("H=240, W=320"));
    EXPECT_EQ(height->text(), QStringLiteral("  48 0 "));
}

TEST_F(QtWindowServicesTest, FocusMovesToTheNamedBox) {
    owner.show();
    owner.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&owner));
    services.setFocus(TextBox::txtWidth);
    EXPECT_EQ(QApplication::focusWidget(), width);
    services.setFocus(TextBox::txtHeight);
    EXPECT_EQ(QApplication::focusWidget(), height);
}

TEST_F(QtWindowServicesTest, MessageBoxesShowTheirStyleAndTitleExactly) {
    struct Case {
        MsgBoxStyle style;
        std::optional<std::string_view> title;
        QMessageBox::Icon icon;
        QString expectedTitle;
    };
    const Case cases[] = {
        {MsgBoxStyle::vbOKOnly, std::nullopt, QMessageBox::NoIcon, QStringLiteral("Brevorn")},
        {MsgBoxStyle::vbExclamation, "Numbers Only", QMessageBox::Warning,
         QStringLiteral("Numbers Only")},
        {MsgBoxStyle::vbInformation, "Height?", QMessageBox::Information,
         QStringLiteral("Height?")},
    };
    for (const auto& c : cases) {
        ModalBoxes boxes;
        services.msgBox("first\rsecond <b>not bold</b>", c.style, c.title);
        ASSERT_EQ(boxes.shown.size(), 1U);
        const ShownBox& box = boxes.shown.front();
        EXPECT_EQ(box.title, c.expectedTitle);
        EXPECT_EQ(box.icon, c.icon);
        EXPECT_EQ(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        EXPECT_EQ(box.text, QStringLiteral("first\rsecond <b>not bold</b>"));
        EXPECT_EQ(box.format, Qt::PlainText);
    }
}

}  // namespace
}  // namespace brevorn::test
