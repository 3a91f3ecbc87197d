// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The setup dialog: its controls are the quiz's live settings.
#include <string>
#include <vector>

#include "Program.h"

namespace kelvora {

// The names in a list box, as the setup dialog saves them: with one line
// the whole text is the one name (none when empty); with more, the text
// before the first CR LF is dropped (the program's own empty first line)
// and every line after a CR LF is a name, empty ones included.
std::vector<std::string> ExtractList(const std::string& text);

// DrillFlag is 1 in drill mode (10), else 0.
void SetDrillFlag(Program& p, Int16 mode);

// The setup dialog's controls from the settings in memory: check boxes,
// mode box, drill flag, Auto FIX patch and the wait option. Throws
// Overflow16 for a mode outside 16 bits.
void FillSetupControls(Program& p);

// "Save ": the dialog's values become the settings file and the settings
// in memory; true when saved (the program then ends so the next start loads
// them). Everything is checked and written before any setting in memory
// changes, so a failed save, which is reported, leaves the running program
// and the file on disk as they were.
bool SaveSettings(Program& p);

// "Quit": the lists again from the file and the other controls from the
// settings of start-up; true when the file could be read (a failure is
// reported and the dialog keeps what it shows).
bool RevertSettings(Program& p);

// Drill another word database from the next start: the learning records
// saved as "END" saves them, then the saved settings written with `name`
// first in the word-database list (the other names after it) and word
// questions on. False, with the learner told why, when either fails.
bool SwitchWordDatabase(Program& p, const std::string& name);

}  // namespace kelvora
