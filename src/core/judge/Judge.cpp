#include "judge/Judge.h"

#include "Events.h"
#include "judge/Reports.h"
#include "model/Tally.h"
#include "text/Numbers.h"

namespace kelvora {

namespace {

void AddToField(WordRow& row, int column, double amount) {
    WordField(row, column) = NumText(Tally(row, column) + amount);
}

// The outcome of a test-mode question in its log row.
void LogOutcome(Model& m, int value) {
    if (m.TestQuestionNo >= 1) m.TestLog[static_cast<std::size_t>(m.TestQuestionNo - 1)][1] = value;
}

}  // namespace

void JudgeAnswer(Program& p) {
    Model& m = p.m;
    Form2Model& c = p.Form2;
    m.QuizState = 0;
    ++m.RunAsked;
    const bool correct = m.ChosenAnswer == m.CorrectAnswer && m.Countdown < 31;
    const bool test = m.IsTestQuestion == 1;
    const bool testMode = m.SetupQmd == 11;
    const auto r = static_cast<std::size_t>(m.QuestionIndex);
    if (correct) {
        c.surface.Circle(2385, 1600, 1350, kRed, 3);
        c.Label1.text = "○" + NumText(m.TestAsked);
        if (test) {
            SaturatingAdd(m.TestRec[r][0], m.TimeAllowance);
            SaturatingAdd(m.TestRec[r][1], m.Countdown);
            SaturatingAdd(m.RunCorrect, 1);
            if (testMode) {
                LogOutcome(m, m.Countdown);
                ++m.TestAsked;
                SaturatingAdd(m.TestCorrect, 1);
                if (m.TestAsked >= 40) ShowTestReport(p);
            }
        } else {
            AddToField(m.WordTbl[r], 2 + 2 * m.Direction, 5);
            AddToField(m.WordTbl[r], 3 + 2 * m.Direction, m.Countdown);
            SaturatingAdd(m.RunCorrect, 1);
        }
    } else {
        c.surface.Line(950, 100, 3950, 3100, kRed, 3);
        c.surface.Line(3950, 100, 950, 3100, kRed, 3);
        c.Label1.text = "×" + NumText(m.TestAsked);
        if (test) {
            SaturatingAdd(m.TestRec[r][0], m.TimeAllowance);
            SaturatingAdd(m.TestRec[r][1], -1);
            if (testMode) {
                LogOutcome(m, -1);
                ++m.TestAsked;
                if (m.TestAsked >= 40) ShowTestReport(p);
            }
        } else {
            AddToField(m.WordTbl[r], 2 + 2 * m.Direction, 5);
            AddToField(m.WordTbl[r], 3 + 2 * m.Direction, -1);
        }
        if (Control* chosen = p.Form1.answerButton(m.ChosenAnswer)) chosen->text = "×";
    }
    p.Form1.answerButton(m.CorrectAnswer >= 0 && m.CorrectAnswer <= 2 ? m.CorrectAnswer : 3)->text = "○";
    p.host.Beep();
    m.QuizState = 2;
    if (m.CommentHold == 1) {
        m.Countdown = 999;
        c.Text1.visible = true;
        c.Command1.visible = true;
    } else if (test) {
        m.Countdown = 1;
    } else {
        m.Countdown = (m.ChosenAnswer != m.CorrectAnswer || m.Countdown > 9) ? 5 : 2;
    }
    m.ChosenAnswer = -1;
}

void ChooseAnswer(Program& p, int position) {
    if (p.m.QuizState != 1) return;
    p.m.ChosenAnswer = position;
    p.m.QuizState = 0;
    JudgeAnswer(p);
}

namespace form1 {
void Command1_Click(Program& p) { ChooseAnswer(p, 0); }
void Command2_Click(Program& p) { ChooseAnswer(p, 1); }
void Command3_Click(Program& p) { ChooseAnswer(p, 2); }
void Command4_Click(Program& p) { ChooseAnswer(p, 3); }
}  // namespace form1

namespace form2 {
// "Continue": the pause ends at the next tick.
void Command1_Click(Program& p) {
    p.m.Countdown = 1;
    p.Form2.Text1.visible = false;
    p.Form2.Command1.visible = false;
    p.Form2.Label1.text.clear();
}
}  // namespace form2

}  // namespace kelvora
