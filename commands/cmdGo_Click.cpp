#include "calc/conversions.h"
#include "calc/letterbox.h"
#include "calc/run_error.h"
#include "commands/commands.h"
#include "commands/unexpected_error.h"

namespace brevorn {
namespace {

// Prompts for a missing value and puts the user where it goes.
bool missing(WindowServices& window, TextBox box, std::string_view prompt, std::string_view title) {
    if (!window.getText(box).empty()) {
        return false;
    }
    window.msgBox(prompt, MsgBoxStyle::vbInformation, title);
    window.setFocus(box);
    return true;
}

}  // namespace

void cmdGo_Click(WindowServices& window) {
    try {
        if (missing(window, TextBox::txtHeight, "You need to specify a HEIGHT.", "Height?")) {
            return;
        }
        // The height is converted before the width is looked at, so a bad
        // height is reported even when the width is missing.
        const std::int16_t hi = textToInteger(window.getText(TextBox::txtHeight));
        if (missing(window, TextBox::txtWidth, "You need to specify a WIDTH.", "Width?")) {
            return;
        }
        const std::int16_t wi = textToInteger(window.getText(TextBox::txtWidth));
        window.setText(TextBox::txtOutput, answerText(letterbox(hi, wi)));
    } catch (const RunError& error) {
        if (error.number == kTypeMismatch) {
            window.msgBox("You need to input ONLY numbers.", MsgBoxStyle::vbExclamation,
                          "Numbers Only");
            return;
        }
        reportUnexpectedError(window, error, "cmdGo_Click");
    }
}

}  // namespace brevorn
