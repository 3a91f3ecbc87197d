// SPDX-License-Identifier: GPL-3.0-or-later
// The setup dialog's events.
#include "Events.h"
#include "files/FixPatch.h"
#include "present/QuestionText.h"
#include "setup/SetupDialog.h"

namespace kelvora::form3 {

void Form_LostFocus(Program& p) { RedrawQuestionText(p); }

// Closed by its frame it is only hidden, and its controls keep their
// values, since the quiz reads them as live settings.
void Form_QueryUnload(Program& p) { p.Form3.visible = false; }

// "Save ": once saved, the program ends so the next start loads the
// settings.
void Command1_Click(Program& p) {
    if (SaveSettings(p)) p.host.End();
}

// "Quit": back to the saved lists; hidden.
void Command2_Click(Program& p) {
    if (RevertSettings(p)) p.Form3.visible = false;
}

// "FIX Data merge": merged in memory; the dialog stays open. A patch word
// past the end record only stops the merge here, so a run's answers are
// not lost.
void Command3_Click(Program& p) { static_cast<void>(MergeFixPatch(p)); }

}  // namespace kelvora::form3
