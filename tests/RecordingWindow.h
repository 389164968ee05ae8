// A WindowServices that records what a command does to the window, in order,
// and can be told to fail at any operation.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "calc/run_error.h"
#include "window/WindowServices.h"

namespace brevorn::test {

struct Event {
    std::string kind;  // "msgBox", "setFocus" or "setText"
    std::string text;  // prompt, box name or new text
    int style = 0;
    std::optional<std::string> title;

    bool operator==(const Event&) const = default;
};

inline Event shows(std::string prompt, int style, std::optional<std::string> title = {}) {
    return {"msgBox", std::move(prompt), style, std::move(title)};
}
inline Event focusTo(std::string box) {
    return {"setFocus", std::move(box), 0, std::nullopt};
}
inline Event writes(std::string text) {
    return {"setText", std::move(text), 0, std::nullopt};
}

std::ostream& operator<<(std::ostream& out, const Event& event);

class RecordingWindow final : public WindowServices {
public:
    std::map<TextBox, std::string> boxes;
    std::vector<Event> events;
    // The n-th message box (counting from 1) raises this error; 0: none do.
    int failingMsgBox = 0;
    std::optional<RunError> msgBoxFailure;
    // The n-th getText (counting from 1) calls this, which throws; 0: none do.
    int failingGetText = 0;
    std::function<void()> getTextFailure;

    std::string getText(TextBox box) override;
    void setText(TextBox box, std::string_view text) override;
    void setFocus(TextBox box) override;
    void msgBox(std::string_view prompt, MsgBoxStyle style,
                std::optional<std::string_view> title) override;

private:
    int msgBoxes_ = 0;
    int getTexts_ = 0;
};

}  // namespace brevorn::test
