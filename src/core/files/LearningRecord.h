#pragma once
#include "Program.h"

namespace kelvora {

// Reads WordDbName(0) + ".dat" into WordTbl columns 2 to 5. A missing file
// or a bad record ends the reading quietly; whole rows read before stay.
void LoadWordRecord(Program& p);
// Reads TestDbName(0) + ".dat" into TestRec, the same way.
void LoadTestRecord(Program& p);

// The two record files' contents as they are written.
std::string WordRecordText(const Program& p);
std::string TestRecordText(const Program& p);

}  // namespace kelvora
