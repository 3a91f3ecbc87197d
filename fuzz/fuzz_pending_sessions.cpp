// SPDX-License-Identifier: GPL-3.0-or-later
// The file of sessions waiting to go into the history: whatever it holds is
// read without harm, and what Kelvora writes of the sessions it read reads
// back to the same sessions.
#include <cstdint>
#include <string>

#include "PendingSessions.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kelvora;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::vector<SessionRecord> sessions;
    std::string error;
    if (!ParsePending(bytes, &sessions, &error)) return 0;
    std::string written = PendingHeading();
    for (const SessionRecord& s : sessions) written += PendingText(s);
    std::vector<SessionRecord> again;
    if (!ParsePending(written, &again, &error)) __builtin_trap();
    std::string rewritten = PendingHeading();
    for (const SessionRecord& s : again) rewritten += PendingText(s);
    if (rewritten != written) __builtin_trap();
    return 0;
}
