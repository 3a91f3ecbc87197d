#pragma once
#include "Program.h"

namespace kelvora {

// DrillFlag is 1 in drill mode (10), else 0.
void SetDrillFlag(Program& p, Int16 mode);

// The setup dialog's controls from the settings in memory: check boxes,
// mode box, drill flag, Auto FIX patch and the wait option.
void FillSetupControls(Program& p);

// Shows a start-up failure and ends the program.
[[noreturn]] void FailStartup(Program& p, const std::string& message);

inline const char* const kMainCaption = "Kelvora  Ver1.40";
inline const char* const kPlayerLibraryFile = "libvbmp3.so";

}  // namespace kelvora
