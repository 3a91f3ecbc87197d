// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

#include <optional>

#include "memory/Fsrs.h"
#include "model/Session.h"

namespace kelvora {

// Where sessions wait that could not go into the history at once.
inline constexpr const char* kPendingFile = "history-pending.txt";

// What became of a session given to the history.
struct AppendOutcome {
    std::string problem;        // why it is not in the history now; empty when it is, with all its reviews
    bool keptForLater = false;  // it waits beside the history, and goes in at the next write
    std::string keptIn;         // the file it waits in
    bool operator==(const AppendOutcome&) const = default;
};

// Where sessions and their reviews are kept. A session is never dropped:
// one that cannot go in now is kept for later where the store can.
class SessionHistory {
public:
    virtual ~SessionHistory() = default;
    virtual AppendOutcome Append(const SessionRecord& session) = 0;
    // Every session kept, oldest first; on failure nothing, and why in
    // *error.
    virtual std::vector<SessionRecord> Sessions(std::string* error) const = 0;
    // The review log of a word database (of every one when `database` is
    // empty); on failure nothing, and why in *error. Without `details`
    // only what the memory needs is read (card, time, grade): the seconds
    // left and the session stay 0, and a long log reads much faster.
    virtual ReviewLog Reviews(const std::string& /*database*/, std::string* /*error*/, bool /*details*/ = false) const {
        return {};
    }
    // The parameters fitted to this learner's reviews, if any were kept.
    virtual std::optional<fsrs::Parameters> FittedParameters(std::string* /*error*/) const { return std::nullopt; }
};

}  // namespace kelvora
