// SPDX-License-Identifier: GPL-3.0-or-later
#include "judge/Judge.h"

#include "judge/Reports.h"
#include "model/Modes.h"
#include "model/Tally.h"
#include "text/Numbers.h"

namespace kelvora {

namespace {

// The verdict in the comment window: a red circle for right, a red cross
// for wrong, and the mark with the test-mode count.
void DrawVerdict(Program& p, bool correct) {
    Form2Model& c = p.Form2;
    if (correct) {
        c.surface.Circle(2385, 1600, 1350, kRed, 3);
    } else {
        c.surface.Line(950, 100, 3950, 3100, kRed, 3);
        c.surface.Line(3950, 100, 950, 3100, kRed, 3);
    }
    c.Label1.text = (correct ? "○" : "×") + NumText(p.m.TestAsked);
}

// Test mode's count and log; after every fortieth question, the report.
void CountExamQuestion(Program& p, bool correct, int score) {
    Model& m = p.m;
    if (m.TestQuestionNo >= 1) m.TestLog[static_cast<std::size_t>(m.TestQuestionNo - 1)][1] = score;
    ++m.TestAsked;
    if (correct) SaturatingAdd(m.TestCorrect, 1);
    if (m.TestAsked >= 40) ShowTestReport(p);
}

// How long the verdict stays: until "Continue" when the commentary is
// held, a second after a test question, else two seconds after a quick
// right answer and five otherwise.
int PauseAfterVerdict(const Model& m, bool test) {
    if (m.CommentHold == 1) return 999;
    if (test) return 1;
    return (m.ChosenAnswer != m.CorrectAnswer || m.Countdown > 9) ? 5 : 2;
}

}  // namespace

void JudgeAnswer(Program& p) {
    Model& m = p.m;
    m.QuizState = 0;
    ++m.RunAsked;
    const bool correct = m.ChosenAnswer == m.CorrectAnswer && m.Countdown < 31;
    const bool test = m.IsTestQuestion == 1;
    // Right answers score the seconds left, wrong ones -1.
    const int score = correct ? m.Countdown : -1;
    DrawVerdict(p, correct);
    // The session's counts: a question counts once it is judged.
    if (test) {
        ++p.session.testAsked;
        p.session.testRight += correct;
    } else {
        ++p.session.wordAsked[m.Direction];
        p.session.wordRight[m.Direction] += correct;
    }
    if (test) {
        AddToQuestion(m.TestRec[static_cast<std::size_t>(m.QuestionIndex)], m.TimeAllowance, score);
    } else {
        AddToWord(m.Word(m.QuestionIndex), m.Direction, 5, score);
    }
    if (correct) SaturatingAdd(m.RunCorrect, 1);
    if (test && IsExamMode(m.SetupQmd)) CountExamQuestion(p, correct, score);
    if (!correct) {
        if (Control* chosen = p.Form1.answerButton(m.ChosenAnswer)) chosen->text = "×";
    }
    p.Form1.answerButton(m.CorrectAnswer >= 0 && m.CorrectAnswer <= 2 ? m.CorrectAnswer : 3)->text = "○";
    p.host.Beep();
    m.QuizState = 2;
    if (m.CommentHold == 1) {
        p.Form2.Text1.visible = true;
        p.Form2.Command1.visible = true;
    }
    m.Countdown = PauseAfterVerdict(m, test);
    m.ChosenAnswer = -1;
}

void ChooseAnswer(Program& p, int position) {
    if (p.m.QuizState != 1) return;
    p.m.ChosenAnswer = position;
    p.m.QuizState = 0;
    JudgeAnswer(p);
}

void ContinueAfterComment(Program& p) {
    p.m.Countdown = 1;
    p.Form2.Text1.visible = false;
    p.Form2.Command1.visible = false;
    p.Form2.Label1.text.clear();
}

}  // namespace kelvora
