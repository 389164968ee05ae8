#include "commands/unexpected_error.h"

#include "calc/conversions.h"

namespace brevorn {

void reportUnexpectedError(WindowServices& window, const RunError& error,
                           std::string_view procedure) {
    std::string prompt = integerToText(error.number);
    prompt += ' ';
    prompt += error.description;
    prompt += " in ";
    prompt += procedure;
    window.msgBox(prompt, MsgBoxStyle::vbOKOnly);
}

}  // namespace brevorn
