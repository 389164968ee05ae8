#pragma once

#include <QLineEdit>
#include <QWidget>
#include <map>
#include <utility>

#include "window/WindowServices.h"
#include "window/form_layout.h"

namespace brevorn {

// The form's text boxes, by the control each is.
using TextBoxes = std::map<form::Id, QLineEdit*>;

// WindowServices over real Qt widgets; message boxes are modal to `owner`.
class QtWindowServices final : public WindowServices {
public:
    QtWindowServices(QWidget& owner, TextBoxes boxes) : owner_(owner), boxes_(std::move(boxes)) {}

    std::string getText(TextBox box) override;
    void setText(TextBox box, std::string_view text) override;
    void setFocus(TextBox box) override;
    void msgBox(std::string_view prompt, MsgBoxStyle style,
                std::optional<std::string_view> title) override;

private:
    QLineEdit& lineEdit(TextBox box) const;

    QWidget& owner_;
    TextBoxes boxes_;
};

}  // namespace brevorn
