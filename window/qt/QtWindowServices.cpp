#include "window/qt/QtWindowServices.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace brevorn {
namespace {

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// QString's own conversion drops an unpaired surrogate on some Qt versions and
// writes "?" on others; U+FFFD keeps every unit of the box, on every Qt.
std::string toUtf8(QString text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ++i;
        } else if (text[i].isSurrogate()) {
            text[i] = QChar::ReplacementCharacter;
        }
    }
    return text.toStdString();
}

QMessageBox::Icon iconFor(MsgBoxStyle style) {
    switch (style) {
        case MsgBoxStyle::vbExclamation:
            return QMessageBox::Warning;
        case MsgBoxStyle::vbInformation:
            return QMessageBox::Information;
        case MsgBoxStyle::vbOKOnly:
            break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

QLineEdit& QtWindowServices::lineEdit(TextBox box) const {
    return *controlOf<QLineEdit>(form_, form::idOf(box));
}

std::string QtWindowServices::getText(TextBox box) {
    return toUtf8(lineEdit(box).text());
}

void QtWindowServices::setText(TextBox box, std::string_view text) {
    lineEdit(box).setText(fromUtf8(text));
}

void QtWindowServices::setFocus(TextBox box) {
    lineEdit(box).setFocus(Qt::OtherFocusReason);
}

void QtWindowServices::msgBox(std::string_view prompt, MsgBoxStyle style,
                              std::optional<std::string_view> title) {
    QMessageBox box(iconFor(style), title ? fromUtf8(*title) : QCoreApplication::applicationName(),
                    fromUtf8(prompt), QMessageBox::Ok, &form_);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

}  // namespace brevorn
