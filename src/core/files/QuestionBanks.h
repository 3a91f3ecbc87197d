// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "Program.h"
#include "files/LoadResult.h"

namespace kelvora {

// Loads WordDbName(0) + ".txt" into WordTbl and WordCount, counters "0".
// Fails on a missing or oversized file, or a record failing the headword
// check.
LoadResult LoadWordDatabase(Program& p);

// Loads TestDbName(0) + ".txt" into TestLine and TestCount, checks its
// lines and clears TestRec.
LoadResult LoadTestDatabase(Program& p);

}  // namespace kelvora
