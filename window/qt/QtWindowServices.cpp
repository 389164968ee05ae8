#include "window/qt/QtWindowServices.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace brevorn {
namespace {

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
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
    return *boxes_.at(form::idOf(box));
}

std::string QtWindowServices::getText(TextBox box) {
    return lineEdit(box).text().toStdString();
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
                    fromUtf8(prompt), QMessageBox::Ok, &owner_);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

}  // namespace brevorn
