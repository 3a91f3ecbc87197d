// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "Program.h"

namespace kelvora {

// The row and direction of the next word question, by the mode in the
// setup dialog's mode box (read into Qmd here):
// - below 20 a random row and direction, in modes 1 to 3 drawn again (up
//   to 50 times) until the row passes the mode's filter;
// - mode 4 the training list's least picked word;
// - 20 the next row in order, 21 the next row asked before, 22 the row
//   seven on asked before (each walk at most 50 to 60 steps).
// Other modes keep the previous row. The row always lies in the bank.
void ChooseWordRow(Program& p);

}  // namespace kelvora
