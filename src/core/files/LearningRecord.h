// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <string_view>

#include "Program.h"

namespace kelvora {

// Reads a word record's rows into `table`'s counters, up to the first
// short row (the rows before it stay), at most a table's worth; a
// byte-order mark skipped.
void ReadWordRecordInto(std::string_view bytes, WordRows& table);

// Reads WordDbName(0) + ".dat" into WordTbl columns 2 to 5. A missing file
// or a bad record ends the reading quietly; whole rows read before stay.
void LoadWordRecord(Program& p);
// Reads TestDbName(0) + ".dat" into TestRec, the same way.
void LoadTestRecord(Program& p);

// The two record files' contents as they are written.
std::string WordRecordText(const Program& p);
std::string TestRecordText(const Program& p);

// Writes both records under the names of the databases actually loaded. A
// record that cannot be written is reported, its file on disk stays as it
// was, and the answers stay in memory for another try: returns false.
bool SaveLearningRecords(Program& p);

}  // namespace kelvora
