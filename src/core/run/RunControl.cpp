// "Start" and the one-second heartbeat.
#include <string>

#include "Events.h"
#include "judge/Judge.h"
#include "run/Run.h"
#include "text/Numbers.h"

namespace kelvora {

namespace {

void ShowCountdown(Program& p) { p.Form1.Label1.text = std::to_string(p.m.Countdown); }

// The seed: the seconds then the minutes of the time of day, as one number
// (12:34:56 gives 5634).
double ClockSeed(const std::string& hhmmss) {
    if (hhmmss.size() < 8) return 0;
    return Val(hhmmss.substr(6, 2) + hhmmss.substr(3, 2));
}

}  // namespace

namespace form1 {

void Command7_Click(Program& p) {
    Model& m = p.m;
    m.RunAsked = 0;
    m.RunCorrect = 0;
    p.rng.Seed(ClockSeed(p.host.TimeOfDay()));
    m.QuestionIndex = DrawBelow(p, m.WordCount);
    m.QuizState = 1;
    m.Countdown = 10;
    ShowCountdown(p);
    p.Form2.visible = true;
    p.Form2.Text1.visible = false;
    p.Form2.surface.Clear();
    if (m.SetupQmd == 11) {
        m.TestQuestionNo = 0;
        m.TestAsked = 0;
        m.TestCorrect = 0;
    }
    p.runStarted = true;
    if (m.SetupQmd == 11 && m.TestCount < 45) p.host.MsgBox("問題数が少なすぎるため、正常な判定ができません");
    NextQuestion(p);
}

void Timer1_Timer(Program& p) {
    Model& m = p.m;
    if (m.QuizState == 1) {
        --m.Countdown;
        ShowCountdown(p);
        if (m.Countdown <= 0) {
            m.QuizState = 2;
            JudgeAnswer(p);
            p.host.Beep();
        }
    } else if (m.QuizState == 2) {
        --m.Countdown;
        if (m.Countdown < 1) {
            m.QuizState = 0;
            SetAnswerCaptions(p);
            p.Form2.Text1.visible = false;
            p.Form2.Command1.visible = false;
            p.Form2.Label1.text.clear();
            NextQuestion(p);
        }
    }
}

}  // namespace form1

}  // namespace kelvora
