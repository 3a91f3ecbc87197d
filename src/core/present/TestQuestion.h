// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "Program.h"

namespace kelvora {

// Puts a test question on screen: chosen by mode, the sentence printed on
// the main window, the choices shuffled (or in file order for "(A)" lines),
// the commentary in the comment window, the time limit by the database's
// name. Bad data is reported and ends the program.
void ShowTestQuestion(Program& p);

}  // namespace kelvora
