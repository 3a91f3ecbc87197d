// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

#include <optional>

#include "memory/Fsrs.h"
#include "model/Session.h"
#include "review/Review.h"
#include "text/Result.h"

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
    // Every session kept, oldest first, or why they cannot be read.
    virtual Result<std::vector<SessionRecord>> Sessions() const = 0;
    // The review log of a word database (of every one when `database` is
    // empty), or why it cannot be read. Without `details` only what the
    // memory needs is read (card, time, grade, session): the seconds left,
    // the answer times and the choices are left out, and a long log reads
    // much faster.
    virtual Result<ReviewLog> Reviews(const std::string& /*database*/, bool /*details*/ = false) const {
        return ReviewLog{};
    }
    // Gives renamed words' cards their new names, all in one transaction,
    // once for each `saveId`: a save finished again after a crash renames
    // nothing twice. A card already holding a new name (a word's reviews
    // left from long ago) goes out of the way first.
    virtual Result<void> RenameCards(const std::string& /*database*/, const std::vector<CardRename>& /*renames*/,
                                     const std::string& /*saveId*/) {
        return {};
    }
    // The parameters fitted to this learner's reviews, if any were kept.
    virtual Result<std::optional<fsrs::Parameters>> FittedParameters() const {
        return std::optional<fsrs::Parameters>{};
    }
};

}  // namespace kelvora
