#pragma once
#include "Program.h"

namespace kelvora {

inline const char* const kSettingsFile = "qbx.txt";

// Start-up's reading of the settings file: counts, names (also into the
// setup dialog's two list boxes), mode, Auto FIX patch and wait time. A file
// that is missing, ends early or holds a bad value is reported with its
// line and ends the program: start-up never goes on with half a file.
void ReadSettings(Program& p);

}  // namespace kelvora
