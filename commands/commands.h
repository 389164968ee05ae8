// The procedures behind the window's buttons. Each reports its own failures
// with one message box and never lets a RunError escape from its body.
#pragma once

#include "window/WindowServices.h"

namespace brevorn {

// A button's procedure: what its click runs.
using Command = void (*)(WindowServices&);

void cmdGo_Click(WindowServices& window);
void cmdInfo_Click(WindowServices& window);

}  // namespace brevorn
