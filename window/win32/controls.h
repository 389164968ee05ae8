#pragma once

#include "window/form_layout.h"

namespace brevorn {

// Clear of IDOK and IDCANCEL, which the dialog manager sends for Enter and
// Escape: neither may reach a button.
constexpr int controlId(form::Id id) {
    return 100 + static_cast<int>(id);
}

}  // namespace brevorn
