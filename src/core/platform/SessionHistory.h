// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

#include <optional>

#include "memory/Fsrs.h"
#include "model/Session.h"

namespace kelvora {

// Where sessions and their reviews are kept. Append returns why it failed,
// empty when the session is kept, with all its reviews.
class SessionHistory {
public:
    virtual ~SessionHistory() = default;
    virtual std::string Append(const SessionRecord& session) = 0;
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
