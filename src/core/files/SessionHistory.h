// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The session history: what "END" adds to it.
#include "Program.h"

namespace kelvora {

// The session so far, with the bank's snapshot as it is now.
SessionRecord SummarizeSession(const Program& p);

// Adds the session to the history, if the program keeps one; a failure is
// told, and changes nothing else (the learning records are saved first).
void RecordSession(Program& p);

}  // namespace kelvora
