// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's entry points: one per window event, named control,
// underscore, event. The GUI and the tests call only these, and any of them
// may end the program by throwing ProgramEnd. Each window's handlers are
// defined together in events/: MainWindow.cpp (form1), CommentWindow.cpp
// (form2) and SetupDialog.cpp (form3); each is a few lines that call the
// routines of the subsystem folders.
#include <string>

#include "Program.h"
#include "model/Progress.h"

namespace kelvora {

using EventHandler = void (*)(Program&);

namespace form1 {
void Form_Load(Program& p);
void Form_Unload(Program& p);
void Form_Paint(Program& p);
void Form_Resize(Program& p);
void Form_GotFocus(Program& p);
void Form_LostFocus(Program& p);
void Command1_Click(Program& p);  // answer A
void Command2_Click(Program& p);  // answer B
void Command3_Click(Program& p);  // answer C
void Command4_Click(Program& p);  // answer D
void Command5_Click(Program& p);  // END
void Command6_Click(Program& p);  // Stop
void Command7_Click(Program& p);  // Start
void Command8_Click(Program& p);  // Setup
void Command9_Click(Program& p);  // CHK
void Timer1_Timer(Program& p);
void Timer2_Timer(Program& p);
}  // namespace form1

// The main window's own menu: its context menu, and shortcuts the hidden
// menu leaves free.
namespace form1 {
// "Progress…": what its charts show.
ProgressData Menu_Progress(Program& p);
// After "Import a word list…", the learner chose to drill `name`: the
// learning records are saved as "END" saves them, the settings name it
// first among the word databases, and the program ends, to start again at
// once on it (restartWanted). When any of that fails the learner is told
// why and the program goes on as it was.
void Menu_DrillWordDatabase(Program& p, const std::string& name);
// "Speak words without a recording": whether the speech engine is there
// (else why not), and whether the learner turned it on.
struct SpeechItem {
    bool available = false;
    bool on = false;
    std::string why;
};
SpeechItem Menu_SpeechItem(Program& p);
// Turns it on or off, remembered in Kelvora's own settings.
void Menu_SpeakWords(Program& p, bool on);
// "Say it again": the question's sound again (audio/Playback.h, SayAgain).
void Menu_SayAgain(Program& p);
// "Time limit": the pace of the answer countdowns, one of kTimeScales
// (kNoTimeLimit: none), remembered in Kelvora's own settings. A question
// on screen keeps the pace it began with; the next one takes this.
void Menu_TimeScale(Program& p, int scale);
}  // namespace form1

// The program's own moments of the main window.
namespace form1 {
// The windows are on the screen: work the learner would wait for later
// begins in the background (the deck of a memory mode, when the mode box
// holds one).
void Shown(Program& p);
// A second later, start-up long over: the deck is made in the background
// for the other modes too (the Words window and the progress charts show
// each word's memory from it).
void Settled(Program& p);
// Whether the event `next` may need the deck of a memory mode still being
// made (its making begun now if it was not): the window then keeps
// answering, but runs no event, until it is done.
bool WaitsForMemory(Program& p, EventHandler next);
}  // namespace form1

namespace form2 {
void Form_Deactivate(Program& p);
void Form_QueryUnload(Program& p);  // closed by its frame
void Command1_Click(Program& p);    // Continue
}  // namespace form2

namespace form3 {
void Form_LostFocus(Program& p);
void Form_QueryUnload(Program& p);  // closed by its frame
void Command1_Click(Program& p);    // Save
void Command2_Click(Program& p);    // Quit
void Command3_Click(Program& p);    // FIX Data merge
}  // namespace form3

}  // namespace kelvora
