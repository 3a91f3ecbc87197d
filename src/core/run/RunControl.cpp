// SPDX-License-Identifier: GPL-3.0-or-later
// "Start" and the one-second heartbeat.
#include <string>

#include "judge/Judge.h"
#include "model/Modes.h"
#include "present/Countdown.h"
#include "present/Speech.h"
#include "run/Run.h"
#include "text/Numbers.h"

namespace kelvora {

namespace {

// Seconds for the first question of a run.
constexpr int kFirstCountdown = 10;
// Test mode's score estimate needs at least this many test questions.
constexpr int kFewestTestQuestions = 45;

// The seed: the seconds then the minutes of the time of day, as one number
// (12:34:56 gives 5634).
double ClockSeed(const std::string& hhmmss) {
    if (hhmmss.size() < 8) return 0;
    return Val(hhmmss.substr(6, 2) + hhmmss.substr(3, 2));
}

// The verdict's pause is over: clear it away and ask the next question.
void EndPause(Program& p) {
    p.m.QuizState = RunState::Idle;
    p.Form1.ResetAnswerCaptions();
    p.Form2.Text1.visible = false;
    p.Form2.Command1.visible = false;
    ClearVerdict(p);
    NextQuestion(p);
}

}  // namespace

void StartRun(Program& p) {
    Model& m = p.m;
    m.RunAsked = 0;
    m.RunCorrect = 0;
    p.rng.Seed(ClockSeed(p.host.TimeOfDay()));
    m.QuestionIndex = p.rng.Below(m.WordCount);
    m.QuizState = RunState::AwaitingAnswer;
    StartCountdown(p, kFirstCountdown);
    p.Form2.visible = true;
    p.Form2.Text1.visible = false;
    p.Form2.surface.Clear();
    const bool exam = IsExamMode(m.SetupQmd);
    if (exam) {
        m.TestQuestionNo = 0;
        m.TestAsked = 0;
        m.TestCorrect = 0;
    }
    p.runStarted = true;
    if (exam && m.TestCount < kFewestTestQuestions) p.host.MsgBox("問題数が少なすぎるため、正常な判定ができません");
    NextQuestion(p);
}

void Heartbeat(Program& p) {
    Model& m = p.m;
    if (m.QuizState == RunState::AwaitingAnswer) {
        // At a slower pace most seconds only count down the label.
        if (CountdownSteps(p)) --m.Countdown;
        ShowCountdown(p);
        if (m.Countdown <= 0) {
            m.QuizState = RunState::VerdictPause;
            JudgeAnswer(p);
            p.host.Beep();
        }
    } else if (m.QuizState == RunState::VerdictPause) {
        --m.Countdown;
        if (m.Countdown < 1) EndPause(p);
    }
}

}  // namespace kelvora
