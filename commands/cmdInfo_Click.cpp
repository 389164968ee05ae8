#include <string>
#include <string_view>

#include "commands/commands.h"
#include "commands/unexpected_error.h"
#include "contact.h"

namespace brevorn {
namespace {

constexpr std::string_view kExplanation =
    "This calculator is for the calculation of dimensions when encoding VCD format video with an "
    "encoder that does not letterbox video for you while keeping the aspect ratio. The output "
    "will tell you what you need to set the letterbox size as when telling the program NOT to "
    "keep the aspect ratio.  The simple formulas behind this are: ";
constexpr std::string_view kFormulas = "Ho = (352/Wi)Hi  and Wo = (240/Hi)Wi";

std::string explanationAndFormulas() {
    // A bare carriage return: the message box breaks the line there.
    std::string prompt(kExplanation);
    prompt += '\r';
    prompt += kFormulas;
    return prompt;
}

std::string contactNote() {
    return std::string("If you find this useful, feel free to write me: ") + kContactName + " at " +
           kContactAddress;
}

}  // namespace

void cmdInfo_Click(WindowServices& window) {
    try {
        window.msgBox(explanationAndFormulas(), MsgBoxStyle::vbInformation, "Information");
        window.msgBox(contactNote(), MsgBoxStyle::vbInformation, "Information");
    } catch (const RunError& error) {
        reportUnexpectedError(window, error, "cmdInfo_Click");
    }
}

}  // namespace brevorn
