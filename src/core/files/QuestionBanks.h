// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "Program.h"
#include "files/LoadResult.h"
#include "platform/TextFile.h"

namespace kelvora {

// Loads WordDbName(0) + ".txt" into WordTbl and WordCount, counters "0".
// Fails on a missing or oversized file, or a record failing the headword
// check.
LoadResult LoadWordDatabase(Program& p);

// A word database's text parsed into rows [0, count) of `rows` (which
// holds kWordRows), or why it cannot be used, as the learner is told.
struct WordTable {
    int count = 0;
    std::string failure;
};
WordTable ParseWordDatabase(const FileRead& text, const std::string& name, WordRows& rows);

// Loads TestDbName(0) + ".txt" into TestLine and TestCount, checks its
// lines and clears TestRec.
LoadResult LoadTestDatabase(Program& p);

}  // namespace kelvora
