// SPDX-License-Identifier: GPL-3.0-or-later
#include "judge/Judge.h"

#include <algorithm>
#include <climits>

#include "judge/Reports.h"
#include "memory/Policy.h"
#include "text/EntryParts.h"
#include "model/Modes.h"
#include "model/Tally.h"
#include "present/Speech.h"
#include "text/Numbers.h"

namespace kelvora {

namespace {

// No question waits longer than 30 seconds: a countdown above that is no
// answer in time.
constexpr int kLongestAnswerSeconds = 30;
// The test report comes after this many judged test-mode questions.
constexpr int kQuestionsPerTestReport = 40;
// The pauses after a verdict, in seconds.
constexpr int kHeldPause = 999;       // the commentary stays until "Continue"
constexpr int kTestQuestionPause = 1;
constexpr int kWordPause = 5;         // after a wrong answer, or one with more than 9 seconds left
constexpr int kQuickWordPause = 2;    // after a right answer with 9 seconds or fewer left
constexpr int kQuickAnswerSecondsLeft = 9;
// Every judgement adds this to a word's asked weight in its direction.
constexpr int kWordAskedWeight = 5;

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
    if (m.TestAsked >= kQuestionsPerTestReport) ShowTestReport(p);
}

// Every judged word answer is a review: kept for the history at "END", and
// the word's memory moves on at once if mode 5's cards are made.
void RecordReview(Program& p, bool correct) {
    const Model& m = p.m;
    Review r;
    r.word = HeadwordKey(m.Word(m.QuestionIndex).word);
    r.direction = m.Direction;
    r.at = p.host.Now();
    r.right = correct;
    r.timedOut = m.ChosenAnswer == kNoAnswer;
    r.grade = GradeOf(r.right, r.timedOut);
    r.responseMs = static_cast<std::int32_t>(std::clamp<std::int64_t>(p.host.MonotonicMs() - p.question.shownMs, 0, INT32_MAX));
    if (m.ChosenAnswer >= 0 && m.ChosenAnswer < 4)
        r.chosen = HeadwordKey(m.Word(p.question.choiceRows[static_cast<std::size_t>(m.ChosenAnswer)]).word);
    r.secondsLeft = std::max(0, m.Countdown);
    r.mode = m.Qmd;
    if (p.deck) p.deck->Record(m.QuestionIndex, m.Direction, r.grade, r.at);
    p.session.reviews.push_back(std::move(r));
}

// How long the verdict stays: until "Continue" when the commentary is
// held, a second after a test question, else two seconds after a quick
// right answer and five otherwise.
int PauseAfterVerdict(const Model& m, bool test) {
    if (m.CommentHold == 1) return kHeldPause;
    if (test) return kTestQuestionPause;
    return (m.ChosenAnswer != m.CorrectAnswer || m.Countdown > kQuickAnswerSecondsLeft) ? kWordPause
                                                                                         : kQuickWordPause;
}

// In mode 5, a word of a bank of common words shows its part of speech and
// an example once judged, in the Comment window's box.
void ShowWordInfo(Program& p) {
    if (ModeOf(p.m.Qmd).memory != &kDueThenNew || p.wordInfo.empty()) return;
    const std::string key = HeadwordKey(p.m.Word(p.m.QuestionIndex).word);
    const auto it = p.wordInfo.find(key);
    if (it == p.wordInfo.end()) return;
    const WordInfo& w = it->second;
    p.Form2.Text1.text = key + (w.partOfSpeech.empty() ? "" : " (" + w.partOfSpeech + ")") +
                         (w.example.empty() ? "" : "\r\n\r\n" + w.example);
    p.Form2.Text1.visible = true;
}

}  // namespace

void JudgeAnswer(Program& p) {
    Model& m = p.m;
    m.QuizState = RunState::Idle;
    ++m.RunAsked;
    const bool correct = m.ChosenAnswer == m.CorrectAnswer && m.Countdown <= kLongestAnswerSeconds;
    const bool test = m.IsTestQuestion == 1;
    // Right answers score the seconds left, wrong ones -1.
    const int score = correct ? m.Countdown : -1;
    DrawVerdict(p, correct);
    const bool timedOut = m.ChosenAnswer == kNoAnswer;
    const int rightButton = m.CorrectAnswer >= 0 && m.CorrectAnswer <= 2 ? m.CorrectAnswer : 3;
    NameVerdict(p, correct, timedOut, rightButton);
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
        AddToWord(m.Word(m.QuestionIndex), m.Direction, kWordAskedWeight, score);
        RecordReview(p, correct);
    }
    if (correct) SaturatingAdd(m.RunCorrect, 1);
    if (test && IsExamMode(m.SetupQmd)) CountExamQuestion(p, correct, score);
    if (!correct) p.Form1.SetAnswerCaption(m.ChosenAnswer, "×");
    p.Form1.SetAnswerCaption(rightButton, "○");
    p.host.Beep();
    m.QuizState = RunState::VerdictPause;
    if (m.CommentHold == 1) {
        p.Form2.Text1.visible = true;
        p.Form2.Command1.visible = true;
    }
    if (!test) ShowWordInfo(p);
    m.Countdown = PauseAfterVerdict(m, test);
    m.ChosenAnswer = kNoAnswer;
    AnnounceVerdict(p);
}

void ChooseAnswer(Program& p, int position) {
    if (p.m.QuizState != RunState::AwaitingAnswer) return;
    p.m.ChosenAnswer = position;
    p.m.QuizState = RunState::Idle;
    JudgeAnswer(p);
}

void ContinueAfterComment(Program& p) {
    p.m.Countdown = 1;
    p.Form2.Text1.visible = false;
    p.Form2.Command1.visible = false;
    ClearVerdict(p);
}

}  // namespace kelvora
