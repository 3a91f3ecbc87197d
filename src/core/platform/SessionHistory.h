// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

#include "model/Session.h"

namespace kelvora {

// Where sessions are kept. Append returns why it failed, empty when the
// session is kept.
class SessionHistory {
public:
    virtual ~SessionHistory() = default;
    virtual std::string Append(const SessionRecord& session) = 0;
    // Every session kept, oldest first; on failure nothing, and why in
    // *error.
    virtual std::vector<SessionRecord> Sessions(std::string* error) const = 0;
};

}  // namespace kelvora
