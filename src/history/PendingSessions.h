// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sessions waiting to go into the history: when "END" cannot add a session
// (the database is busy, damaged, read-only or out of reach), it is kept
// in a text file beside it, and added, in its order, at the history's next
// write. Readers of the history see them as if they were in it.
#include <filesystem>
#include <string>
#include <vector>

#include "model/Session.h"
#include "platform/SessionHistory.h"

namespace kelvora {

// The comment a pending file begins with.
std::string PendingHeading();

// The lines that keep one session and its reviews.
std::string PendingText(const SessionRecord& session);

// The sessions of a pending file's text; false, and the line that is
// wrong in *error, when it is not one Kelvora wrote.
bool ParsePending(const std::string& text, std::vector<SessionRecord>* sessions, std::string* error);

}  // namespace kelvora
