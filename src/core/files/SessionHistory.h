// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The session history: what "END" adds to it.
#include "Program.h"

namespace kelvora {

// The session so far, with the bank's snapshot as it is now.
SessionRecord SummarizeSession(const Program& p);

// The model's parameters (fitted, if the history keeps any) and the
// learner's own choices; a history that cannot be read says why in *error.
MemorySettings MemorySettingsOf(const Program& p, std::string* error);

// Mode 5's cards, made the first time from the review history of the
// loaded word database and this session's reviews (or taken from the
// thread that made them, waiting for it if it is not done); nothing when
// the history cannot be read, which the learner is told once.
Deck* MemoryDeck(Program& p);

// Starts making the deck on a thread of its own, from the history and the
// bank as they are now, so that the first question of a memory mode finds
// it ready. The window's thread alone takes it (MemoryDeck) and tells of a
// history that cannot be read.
void PrepareMemoryDeck(Program& p);

// Whether the deck is being made on its thread still.
bool MemoryDeckBeingMade(const Program& p);

// Adds the session to the history, if the program keeps one; a failure is
// told, and changes nothing else (the learning records are saved first).
void RecordSession(Program& p);

}  // namespace kelvora
