// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "Program.h"

namespace kelvora {

enum class [[nodiscard]] MergeOutcome {
    Merged,
    NotMerged,       // no patch named, or its file cannot be opened
    Stopped,         // the bank ended before a patch word: merged up to it
    WordPastTheEnd,  // a patch word sorts after "zzzzzzzz": merged up to it
};

// Merges the fix patch WordDbName(1) + ".txt" into the meanings of the
// loaded word table, walking both in ascending order of their lower-cased
// words, and tells the learner how it went ("Fix patch Completed"). Only
// meanings change, in memory.
MergeOutcome MergeFixPatch(Program& p);

}  // namespace kelvora
