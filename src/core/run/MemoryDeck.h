// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The deck of the memory modes: made from the review history of the loaded
// word database and this session's reviews, on a thread of its own from
// the moment the window shows, and kept up to date with every answer.
#include "Program.h"
#include "text/Result.h"

namespace kelvora {

// The model's parameters (fitted, if the history keeps any) and the
// learner's own choices, or why the history cannot be read.
Result<MemorySettings> MemorySettingsOf(const Program& p);

// The deck, made the first time (or taken from the thread that made it,
// waiting for it if it is not done), or why the review history cannot be
// read; a failure is remembered, and the deck not made again.
Result<Deck*> MemoryDeck(Program& p);

// What a memory mode says of a review history that cannot be read, `why`
// its reason.
std::string UnreadableHistoryMessage(int mode, const std::string& why);

// Starts making the deck on a thread of its own, from the history and the
// bank as they are now, so that the first question of a memory mode finds
// it ready. The window's thread alone takes it (MemoryDeck).
void PrepareMemoryDeck(Program& p);

// Whether the deck is being made on its thread still.
bool MemoryDeckBeingMade(const Program& p);

}  // namespace kelvora
