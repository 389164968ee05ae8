// What the commands may do to the window. Kept free of any toolkit so the
// commands can run, and be tested, without a screen.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace brevorn {

enum class TextBox { txtHeight, txtWidth, txtOutput };

// Message-box style codes: OK only, with the icon named.
enum class MsgBoxStyle { vbOKOnly = 0, vbExclamation = 48, vbInformation = 64 };

// Every operation may fail with a RunError, which reaches the command's
// error handler like any other.
class WindowServices {
public:
    virtual ~WindowServices() = default;

    // The box's contents exactly as typed, UTF-8.
    virtual std::string getText(TextBox box) = 0;
    virtual void setText(TextBox box, std::string_view text) = 0;
    virtual void setFocus(TextBox box) = 0;

    // Modal; returns once dismissed. A carriage return starts a new line.
    // Without a title the box bears the application's title. Overrides
    // repeat no default: a default argument binds by the caller's static type.
    virtual void msgBox(std::string_view prompt, MsgBoxStyle style,
                        std::optional<std::string_view> title = std::nullopt) = 0;
};

}  // namespace brevorn
