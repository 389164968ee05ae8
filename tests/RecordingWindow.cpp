#include "tests/RecordingWindow.h"

#include <ostream>

#include "window/form_layout.h"

namespace brevorn::test {
namespace {

std::string nameOf(TextBox box) {
    return std::string(form::control(form::idOf(box)).name);
}

}  // namespace

std::ostream& operator<<(std::ostream& out, const Event& event) {
    out << event.kind << "(\"" << event.text << "\"";
    if (event.kind == "msgBox") {
        out << ", " << event.style << ", " << (event.title ? '"' + *event.title + '"' : "no title");
    }
    return out << ")";
}

std::string RecordingWindow::getText(TextBox box) {
    if (++getTexts_ == failingGetText) {
        getTextFailure();
    }
    return boxes[box];
}

void RecordingWindow::setText(TextBox box, std::string_view text) {
    boxes[box] = text;
    events.push_back(box == TextBox::txtOutput ? writes(std::string(text))
                                               : Event{"setText", nameOf(box), 0, std::nullopt});
}

void RecordingWindow::setFocus(TextBox box) {
    events.push_back(focusTo(nameOf(box)));
}

void RecordingWindow::msgBox(std::string_view prompt, MsgBoxStyle style,
                             std::optional<std::string_view> title) {
    if (++msgBoxes_ == failingMsgBox) {
        throw msgBoxFailure.value_or(RunError(5, "Invalid procedure call or argument"));
    }
    std::optional<std::string> recordedTitle;
    if (title) {
        recordedTitle.emplace(*title);
    }
    events.push_back(shows(std::string(prompt), static_cast<int>(style), recordedTitle));
}

}  // namespace brevorn::test
