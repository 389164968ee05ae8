// How a front end runs a command: nothing the command raises may reach the
// event loop or the system's window procedure.
#pragma once

#include "commands/commands.h"

namespace brevorn {

// Runs `command` on `window`. A window operation that runs out of memory
// raises RunError 7 inside the command, whose handler reports it; whatever
// still escapes the command is written to stderr and the program goes on.
void runCommand(Command command, WindowServices& window);

}  // namespace brevorn
