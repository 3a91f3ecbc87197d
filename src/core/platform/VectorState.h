// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Long numeric work (replaying a review log) begins with a clean vector
// state.
//
// Some library code returns with the upper halves of the 256-bit vector
// registers still in use: the window toolkit's seeded string hash does, on
// processors with 256-bit AES, and every QHash of strings calls it. From
// then on, each instruction of the 128-bit encoding this program is built
// with (and the C library's math in that encoding) waits to merge those
// halves, and a new thread starts with its parent's registers. Measured on
// such a processor: a million pow and exp take 19 ms before the window
// toolkit starts, 400 ms after it, 19 ms again once the state is cleared.
// Clearing costs a few cycles; it is done where a long computation starts,
// on the thread that runs it.

namespace kelvora {

void ClearUpperVectorState();

}  // namespace kelvora
