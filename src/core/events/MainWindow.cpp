// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's events.
#include "Events.h"
#include "audio/Playback.h"
#include "files/LearningRecord.h"
#include "files/OwnSettings.h"
#include "files/SessionHistory.h"
#include "judge/Judge.h"
#include "judge/Reports.h"
#include "memory/LearningDay.h"
#include "memory/Outlook.h"
#include "present/QuestionText.h"
#include "run/MemoryDeck.h"
#include "run/Run.h"
#include "setup/SetupDialog.h"
#include "startup/Startup.h"
#include "text/Numbers.h"
#include "model/Modes.h"

namespace kelvora::form1 {

void Form_Load(Program& p) { LoadProgram(p); }

// Closing the window ends the program without saving: only "END" saves.
void Form_Unload(Program& p) {
    ShutDownPlayer(p);
    p.host.End();
}

// A test sentence is painted on the window itself, so every redraw prints
// it again.
void Form_Paint(Program& p) { RedrawQuestionText(p); }
void Form_Resize(Program& p) { RedrawQuestionText(p); }
void Form_GotFocus(Program& p) { RedrawQuestionText(p); }
void Form_LostFocus(Program& p) { RedrawQuestionText(p); }

void Command1_Click(Program& p) { ChooseAnswer(p, 0); }
void Command2_Click(Program& p) { ChooseAnswer(p, 1); }
void Command3_Click(Program& p) { ChooseAnswer(p, 2); }
void Command4_Click(Program& p) { ChooseAnswer(p, 3); }

// "END": both learning records, the session into the history, then the
// end. When a record cannot be written the program stays open, so the
// learner can fix the cause and press "END" again.
void Command5_Click(Program& p) {
    if (!SaveLearningRecords(p)) return;
    RecordSession(p);
    p.host.End();
}

void Command6_Click(Program& p) { PauseOrResume(p); }
void Command7_Click(Program& p) { StartRun(p); }
void Command8_Click(Program& p) { p.Form3.visible = true; }
void Command9_Click(Program& p) { ShowStatistics(p); }

void Timer1_Timer(Program& p) { Heartbeat(p); }
void Timer2_Timer(Program& p) { StopPronunciation(p); }

ProgressData Menu_Progress(Program& p) {
    ProgressData d;
    d.spread = ScoreSpread(p);
    d.today = LearningDay(p.host.Now());
    if (!p.history) return d;
    const Result<std::vector<SessionRecord>> sessions = p.history->Sessions();
    // Every word database's reviews count as questions; the memory charts
    // are the loaded one's.
    Result<ReviewLog> all = p.history->Reviews("");
    const Result<MemorySettings> settings = MemorySettingsOf(p);
    if (!sessions || !all || !settings) {
        d.historyProblem = !sessions ? sessions.error() : !all ? all.error() : settings.error();
        return d;
    }
    d.sessions = *sessions;
    AddSessionReviews(*all, p.loadedWordDb, p.session.reviews);
    std::vector<SessionRecord> withThis = d.sessions;
    withThis.push_back(p.session);
    withThis.back().ended = p.host.Now();
    d.questionsPerDay = QuestionsPerDay(*all, withThis);
    const ReviewLog log = OnlyDatabase(*all, p.loadedWordDb);
    d.dueForecast = DueForecast(log, *settings, d.today);
    d.recall = RecallOverTime(log, settings->weights, d.today);
    return d;
}

SpeechItem Menu_SpeechItem(Program& p) {
    SpeechItem item;
    item.available = p.player.SpeechAvailable(&item.why);
    item.on = item.available && p.own.speakWords;
    return item;
}

void Menu_SpeakWords(Program& p, bool on) {
    p.own.speakWords = on;
    SaveOwnSetting(p, "speak_words", on ? "yes" : "no");
}

void Menu_SayAgain(Program& p) { SayAgain(p); }

namespace {
// The mode box holds a memory mode (it takes effect at the next question).
bool MemoryModeChosen(const Program& p) { return ModeOf(Val(p.Form3.Text3.text)).memory != nullptr; }
}  // namespace

void Shown(Program& p) {
    if (p.history && MemoryModeChosen(p)) PrepareMemoryDeck(p);
}

void Settled(Program& p) {
    if (p.history) PrepareMemoryDeck(p);
}

bool WaitsForMemory(Program& p, EventHandler next) {
    // Start, Stop's report and the tick that brings the next question ask
    // the deck; nothing else does.
    const bool asks = next == Command7_Click || next == Command6_Click || (next == Timer1_Timer && p.runStarted);
    if (!asks || !MemoryModeChosen(p)) return false;
    // Made on a thread of its own whenever it is needed, so the window's
    // thread never replays a long history.
    PrepareMemoryDeck(p);
    return MemoryDeckBeingMade(p);
}

void Menu_TimeScale(Program& p, int scale) {
    p.own.timeScale = scale;
    SaveOwnSetting(p, "time_scale", TimeScaleText(scale));
}

void Menu_DrillWordDatabase(Program& p, const std::string& name) {
    if (!SwitchWordDatabase(p, name)) return;
    // The records are saved as "END" saves them: so is the session.
    RecordSession(p);
    // The next Kelvora takes the folder as this one ends.
    p.folderLock.Release();
    p.restartWanted = true;
    p.host.End();
}

}  // namespace kelvora::form1
