// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What assistive tools say of the screen: the question with its choices,
// and the verdict.
#include <string>

#include "Program.h"

namespace kelvora {

// The question on screen (a test sentence without its underline marks),
// then each choice with its letter: "Go now. A: now. B: new. ...".
std::string QuestionSpeech(const Program& p);

// The verdict on screen, its mark and count first, and, when the answer was
// wrong or too late, the right choice with its text:
// "× 3. Wrong. The answer was C: 発表する."
std::string VerdictSpeech(const Program& p, bool right, bool timedOut, int rightButton);

// A question has come on screen: it becomes the main window's description,
// to be said at once.
void AnnounceQuestion(Program& p);

// A verdict is on the label: the label is named after it at once (before
// anything else, a report, can open over it), so that what a screen
// reader reads is always what the label shows.
void NameVerdict(Program& p, bool right, bool timedOut, int rightButton);

// The verdict named is to be said now.
void AnnounceVerdict(Program& p);

// The verdict leaves the label, and its name goes with it.
void ClearVerdict(Program& p);

}  // namespace kelvora
