#pragma once

#include <QLineEdit>
#include <QWidget>

#include "window/WindowServices.h"
#include "window/form_layout.h"
#include "window/qt/latin1.h"

namespace brevorn {

// The control `id` of `form`: its child of that name and type, or null.
template <typename Widget = QWidget>
Widget* controlOf(const QWidget& form, form::Id id) {
    return form.findChild<Widget*>(latin1(form::control(id).name), Qt::FindDirectChildrenOnly);
}

// WindowServices over the text boxes among `form`'s controls; message boxes
// are modal to `form`.
class QtWindowServices final : public WindowServices {
public:
    explicit QtWindowServices(QWidget& form) : form_(form) {}

    std::string getText(TextBox box) override;
    void setText(TextBox box, std::string_view text) override;
    void setFocus(TextBox box) override;
    void msgBox(std::string_view prompt, MsgBoxStyle style,
                std::optional<std::string_view> title) override;

private:
    QLineEdit& lineEdit(TextBox box) const;

    QWidget& form_;
};

}  // namespace brevorn
