#pragma once

#include <string>
#include <string_view>

#include "calc/run_error.h"
#include "window/WindowServices.h"

namespace brevorn {

// "<number> <description> in <procedure>", untitled and without an icon.
void reportUnexpectedError(WindowServices& window, const RunError& error,
                           std::string_view procedure);

}  // namespace brevorn
