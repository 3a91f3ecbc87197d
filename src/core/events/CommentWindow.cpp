// SPDX-License-Identifier: GPL-3.0-or-later
// The comment window's events.
#include "Events.h"
#include "judge/Judge.h"
#include "present/QuestionText.h"

namespace kelvora::form2 {

void Form_Deactivate(Program& p) { RedrawQuestionText(p); }

// Closed by its frame it is only hidden; the next verdict or report shows
// it again.
void Form_QueryUnload(Program& p) { p.Form2.visible = false; }

void Command1_Click(Program& p) { ContinueAfterComment(p); }

}  // namespace kelvora::form2
