#pragma once
#include "Program.h"

namespace kelvora {

// Who asked for the merge: start-up (Auto FIX patch) or the setup dialog's
// "FIX Data merge" button.
enum class MergeCaller { Startup, Button };

// Merges the fix patch WordDbName(1) + ".txt" into the meanings of the
// loaded word table, walking both in ascending order of their lower-cased
// words, and says "Fix patch Completed". Only meanings change, in memory.
void MergeFixPatch(Program& p, MergeCaller caller);

}  // namespace kelvora
