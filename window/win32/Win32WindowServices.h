#pragma once

#include <windows.h>

#include "window/WindowServices.h"

namespace brevorn {

// WindowServices over the form's Win32 controls; message boxes are owned by
// the form, so they are modal to it.
class Win32WindowServices final : public WindowServices {
public:
    explicit Win32WindowServices(HWND form) : form_(form) {}

    std::string getText(TextBox box) override;
    void setText(TextBox box, std::string_view text) override;
    void setFocus(TextBox box) override;
    void msgBox(std::string_view prompt, MsgBoxStyle style,
                std::optional<std::string_view> title) override;

private:
    HWND control(TextBox box) const;

    HWND form_;
};

}  // namespace brevorn
