// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The word editor inside the running program: the memory it shows and a
// save that the drill's table follows.
#include <vector>

#include "Program.h"
#include "words/WordBook.h"
#include "words/WordTable.h"

namespace kelvora {

// Each row's memory as of now: for the loaded word database, from the
// memory modes' deck (this run's answers in it); for another, from the
// history. Why not, when the history cannot be read.
Result<std::vector<WordMemoryPair>> MemoryInProgram(Program& p, const WordBook& book);

// The same save from inside the running program: when the book is the
// loaded word database, the drill's table follows the edits, each word
// with the counters of this run, and the question on the screen keeps its
// word. Refused while a question waits for its answer (Stop first), or
// when the edits delete the word of a question stopped on the screen.
Result<void> SaveWordsInProgram(Program& p, WordBook& book);

}  // namespace kelvora
