// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which rows of the bank go on the four answer buttons.
#include <array>

#include "platform/Random.h"

namespace kelvora {

struct ChoiceDraw {
    int bankSize = 0;
    int askedRow = 0;     // the question's row: its own text is the right choice
    int correctSlot = 0;  // 0..3: the button that holds the right choice
    bool nearby = false;  // walk modes: choices from the rows around the question
};

// The four rows, the asked row in the correct slot. Each other slot draws
// until it finds a row not yet on a button: from the whole bank, or from
// the question's row -2..+4 when nearby. Where too few rows are left the
// window widens a row each side at a time, and only a bank of fewer than
// five words repeats a wrong choice. The correct slot draws too, though its
// draw is replaced, so the sequence of draws is the same wherever the
// right choice lands.
std::array<int, 4> DrawChoiceRows(const ChoiceDraw& draw, Random& rng);

}  // namespace kelvora
