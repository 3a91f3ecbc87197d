#pragma once
#include "Program.h"

namespace kelvora {

// Loads WordDbName(0) + ".txt" into WordTbl and WordCount, counters "0".
// A missing or oversized file, or a record failing the headword check,
// is reported and ends the program.
void LoadWordDatabase(Program& p);

// Loads TestDbName(0) + ".txt" into TestLine and TestCount, checks its
// lines and clears TestRec. Failures are reported and end the program.
void LoadTestDatabase(Program& p);

}  // namespace kelvora
