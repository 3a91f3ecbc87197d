// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "Program.h"

namespace kelvora {

// The row and direction of the next word question, by the mode in the
// setup dialog's mode box (read into Qmd here): a Draw mode first draws a
// random row and direction, then the mode's chooser (model/Modes.h) has
// its say. The row always lies in the bank.
void ChooseWordRow(Program& p);

// The choosers the mode table names.
// Modes 1 to 3: drawn again (up to 50 times) until the row passes the
// mode's filter: never asked in the drawn direction, never answered right
// in it, never asked in either direction.
void ChooseUnasked(Program& p);
void ChooseUnanswered(Program& p);
void ChooseUnaskedEither(Program& p);
// Mode 4: the training list's least picked word.
void ChooseTrainingWord(Program& p);
// A memory mode (5, 6): the word its policy picks from the deck (when it
// has none, the draw stands); without a readable review history, as mode
// 2, and the learner told once.
void ChooseMemoryWord(Program& p);
// Modes 20 to 22: the next row in order; the next row asked before; the
// row seven on asked before (each walk at most 50 to 60 steps).
void WalkInOrder(Program& p);
void WalkInOrderToAsked(Program& p);
void WalkByStrideToAsked(Program& p);

}  // namespace kelvora
