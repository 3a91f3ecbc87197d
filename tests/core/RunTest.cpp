// SPDX-License-Identifier: GPL-3.0-or-later
// Whole runs driven through the entry points: "Start", the heartbeat,
// the answer buttons and "Continue", with a scripted clock and draws.
#include <numeric>

#include "Fixture.h"
#include "judge/Judge.h"
#include "model/Tally.h"
#include "run/ChoiceDraw.h"
#include "run/Run.h"

namespace kelvora::test {
namespace {

struct WordRun : ProgramFixture {
    // A bank of n words "w00".. with meanings "m00"..; word questions only.
    void Bank(int n, int mode, const std::string& extraWords = "") {
        std::string words;
        for (int i = 0; i < n; ++i) {
            const std::string k = (i < 10 ? "0" : "") + std::to_string(i);
            words += "w" + k + ",m" + k + "\r\n";
        }
        dir.WriteCp932("qbx.txt", Settings(1, {"eword", "efix", "etrain"}, -1, {"ptest"}, mode, 0, 20));
        dir.WriteCp932("eword.txt", words + extraWords);
        dir.WriteCp932("ptest.txt", Crlf({"I have a &pen&.", "pen,pin,pan,pun,A", "c"}));
        ASSERT_FALSE(Fire(form1::Form_Load));
    }
    void Ask(int row, int direction, double asked, double score) {
        WordRow& r = p.m.WordTbl[static_cast<std::size_t>(row)];
        r.asked[static_cast<std::size_t>(direction)] = NumTextOf(asked);
        r.score[static_cast<std::size_t>(direction)] = NumTextOf(score);
    }
    static std::string NumTextOf(double v) { return (v < 0 ? "" : " ") + std::to_string(static_cast<int>(v)); }
    void Tick(int n = 1) {
        for (int i = 0; i < n; ++i) ASSERT_FALSE(Fire(form1::Timer1_Timer));
    }
    std::vector<std::string> Captions() {
        std::vector<std::string> out;
        for (int k = 0; k < 4; ++k) out.push_back(p.Form1.answerButton(k)->text);
        return out;
    }
    int Beeps() { return static_cast<int>(std::count(host.log.begin(), host.log.end(), "Beep")); }
};

TEST_F(WordRun, StartSeedsFromTheClockAndShowsAWordQuestion) {
    Bank(10, 10);
    const struct {
        const char* time;
        double seed;
    } clocks[] = {{"12:34:56", 5634}, {"08:05:09", 905}};
    for (const auto& c : clocks) {
        host.time = c.time;
        ASSERT_FALSE(Fire(form1::Command7_Click));
        EXPECT_EQ(c.seed, p.rng.lastSeed()) << c.time;
    }
    // The same seed gives the same questions.
    host.time = "12:34:56";
    ASSERT_FALSE(Fire(form1::Command7_Click));
    const auto first = std::make_pair(p.Form1.Text1.text, Choices());
    ASSERT_FALSE(Fire(form1::Command7_Click));
    EXPECT_EQ(first, std::make_pair(p.Form1.Text1.text, Choices()));

    EXPECT_EQ(RunState::AwaitingAnswer, p.m.QuizState);
    EXPECT_EQ((std::vector<int>{6, 0}), (std::vector<int>{p.m.Countdown, p.m.RunAsked}));
    EXPECT_EQ("6", p.Form1.Label1.text);
    // Shown: the comment window without its text, the question box; not the label below the window.
    EXPECT_EQ((std::vector<bool>{true, false, true, false}),
              (std::vector<bool>{p.Form2.visible, p.Form2.Text1.visible, p.Form1.Text1.visible, p.Form1.Label2.visible}));
    EXPECT_EQ((std::vector<std::string>{"Ａ", "Ｂ", "Ｃ", "Ｄ"}), Captions());
}

// What a screen reader says after an answer: the verdict, and the right
// choice with its text when the answer was wrong or too late.
TEST_F(WordRun, TheVerdictIsSaidWithTheRightChoice) {
    const struct {
        double direction;  // the draw: below 0.5 the word is asked
        int answer;        // -1: no answer, the countdown runs out
        const char* said;
    } rows[] = {
        {0.2, 2, "○ 0. Right."},
        {0.2, 0, "× 0. Wrong. The answer was C: m03."},
        {0.2, -1, "× 0. Time is up. The answer was C: m03."},
        {0.7, 1, "× 0. Wrong. The answer was C: w03."},
        {0.7, -1, "× 0. Time is up. The answer was C: w03."},
    };
    for (const auto& r : rows) {
        Bank(10, 10);
        // Row 3, the right answer on C; the choices 5, 7, 3, 9.
        p.rng.Script({0.0, 0.35, r.direction, 0.5, 0.55, 0.35, 0.75, 0.85, 0.95});
        ASSERT_FALSE(Fire(form1::Command7_Click));
        // The draws fill the boxes: the question, then the choices 5, 3 (the
        // question: drawn again) 7, 8 (taken by the answer), 9.
        const std::vector<std::string> shown{p.Form1.Text1.text, Choices()[0], Choices()[1], Choices()[2], Choices()[3]};
        if (r.direction < 0.5) {
            EXPECT_EQ((std::vector<std::string>{"w03", "m05", "m07", "m03", "m09"}), shown);
        }
        if (r.answer >= 0)
            ChooseAnswer(p, r.answer);
        else
            Tick(6);
        EXPECT_EQ(r.said, p.Form2.Label1.accessibleName);
        EXPECT_EQ(Announcement::Kind::Verdict, p.announcement.kind);
    }
    // The buttons are named by what they show.
    EXPECT_EQ("○ (answer C, the right one)", p.Form1.Command3.accessibleName);
    EXPECT_EQ("Ａ (answer A)", p.Form1.Command1.accessibleName);
}

TEST_F(WordRun, UnansweredQuestionTimesOutWithTwoBeeps) {
    Bank(10, 10);
    ASSERT_FALSE(Fire(form1::Command7_Click));
    const int row = p.m.QuestionIndex, d = p.m.Direction, correct = p.m.CorrectAnswer;
    std::vector<std::string> labels;
    for (int i = 0; i < 5; ++i) {
        Tick();
        labels.push_back(p.Form1.Label1.text);
    }
    EXPECT_EQ((std::vector<std::string>{"5", "4", "3", "2", "1"}), labels);
    EXPECT_EQ(0, Beeps());
    Tick();
    EXPECT_EQ("0", p.Form1.Label1.text);
    EXPECT_EQ(2, Beeps());
    EXPECT_EQ(RunState::VerdictPause, p.m.QuizState);
    EXPECT_EQ(5, p.m.Countdown);
    EXPECT_EQ(-1, p.m.ChosenAnswer);
    const WordRow& r = p.m.WordTbl[static_cast<std::size_t>(row)];
    EXPECT_EQ(" 5", d == 0 ? r.asked[0] : r.asked[1]);
    EXPECT_EQ("-1", d == 0 ? r.score[0] : r.score[1]);
    EXPECT_EQ("0", d == 0 ? r.asked[1] : r.asked[0]);  // the other direction untouched
    auto captions = Captions();
    EXPECT_EQ("○", captions[static_cast<std::size_t>(correct)]);
    EXPECT_EQ(0, std::count(captions.begin(), captions.end(), "×"));
    EXPECT_EQ(1, p.m.RunAsked);
    EXPECT_EQ(0, p.m.RunCorrect.value());
    // The cross, in red.
    const auto& ops = p.Form2.surface.ops();
    ASSERT_EQ(2u, ops.size());
    EXPECT_EQ(SurfaceOp::Kind::Line, ops[0].kind);
    EXPECT_EQ((std::vector<int>{950, 100, 3950, 3100, 255}),
              (std::vector<int>{ops[0].x1, ops[0].y1, ops[0].x2, ops[0].y2, ops[0].color}));
    EXPECT_EQ((std::vector<int>{3950, 100, 950, 3100}), (std::vector<int>{ops[1].x1, ops[1].y1, ops[1].x2, ops[1].y2}));
    EXPECT_EQ("× 0", p.Form2.Label1.text);

    // The pause: four ticks keep the verdict, the fifth brings the next.
    Tick(4);
    EXPECT_EQ(RunState::VerdictPause, p.m.QuizState);
    Tick();
    EXPECT_EQ(RunState::AwaitingAnswer, p.m.QuizState);
    EXPECT_EQ(6, p.m.Countdown);
    EXPECT_EQ((std::vector<std::string>{"Ａ", "Ｂ", "Ｃ", "Ｄ"}), Captions());
    EXPECT_EQ("", p.Form2.Label1.text);
    EXPECT_TRUE(p.Form2.surface.ops().empty());
}

TEST_F(WordRun, CorrectAnswerScoresTheSecondsLeftInItsDirectionOnly) {
    Bank(10, 10);
    p.rng.Script({0.0, 0.45, 0.7});  // row 4, direction 1
    ASSERT_FALSE(Fire(form1::Command7_Click));
    ASSERT_EQ(4, p.m.QuestionIndex);
    ASSERT_EQ(1, p.m.Direction);
    Tick(2);  // countdown 4
    host.log.clear();
    p.m.WordTbl[4].asked[1] = " 10";
    p.m.WordTbl[4].score[1] = "junk";  // counts as 0
    ChooseAnswer(p, p.m.CorrectAnswer);
    const WordRow& r = p.m.WordTbl[4];
    EXPECT_EQ((std::vector<std::string>{"0", "0", " 15", " 4"}),
              (std::vector<std::string>{r.asked[0], r.score[0], r.asked[1], r.score[1]}));
    EXPECT_EQ(std::vector<std::string>{"Beep"}, host.log);
    EXPECT_EQ(2, p.m.Countdown);  // correct with 9 or less left
    EXPECT_EQ(1, p.m.RunCorrect.value());
    EXPECT_EQ("○", p.Form1.answerButton(p.m.CorrectAnswer)->text);
    const auto& ops = p.Form2.surface.ops();
    ASSERT_EQ(1u, ops.size());
    EXPECT_EQ((std::vector<int>{2385, 1600, 1350, 255}), (std::vector<int>{ops[0].x1, ops[0].y1, ops[0].r, ops[0].color}));
    EXPECT_EQ("○ 0", p.Form2.Label1.text);
}

TEST_F(WordRun, TheVerdictMarksTheButtonsAndPausesByHowItWent) {
    Bank(10, 10);
    ASSERT_FALSE(Fire(form1::Command7_Click));
    const int correct = p.m.CorrectAnswer, wrong = (correct + 1) % 4;
    ChooseAnswer(p, wrong);
    EXPECT_EQ("×", p.Form1.answerButton(wrong)->text);
    EXPECT_EQ("○", p.Form1.answerButton(correct)->text);
    EXPECT_EQ(5, p.m.Countdown);
    EXPECT_EQ(-1, p.m.ChosenAnswer);
    const struct {
        int left, pause, runCorrect;
    } rows[] = {{9, 2, 1}, {10, 5, 2}, {31, 5, 2}};  // 31 or more seconds left judges as wrong
    for (const auto& r : rows) {
        p.m.QuizState = RunState::AwaitingAnswer;
        p.m.Countdown = r.left;
        ChooseAnswer(p, p.m.CorrectAnswer);
        EXPECT_EQ(r.pause, p.m.Countdown) << r.left;
        EXPECT_EQ(r.runCorrect, p.m.RunCorrect.value()) << r.left;
    }
}

TEST_F(WordRun, AnswersCountOnlyWhileAQuestionWaits) {
    Bank(10, 10);
    // Before the first Start: nothing happens at all.
    for (auto click : {form1::Command1_Click, form1::Command2_Click, form1::Command3_Click, form1::Command4_Click,
                       form1::Timer1_Timer, form1::Command6_Click}) {
        ASSERT_FALSE(Fire(click));
        ASSERT_FALSE(Fire(form1::Timer1_Timer));
    }
    EXPECT_EQ(0, p.m.RunAsked);
    EXPECT_EQ(RunState::Idle, p.m.QuizState);
    EXPECT_EQ(0, p.m.Countdown);
    EXPECT_TRUE(host.log.empty());

    ASSERT_FALSE(Fire(form1::Command7_Click));
    ASSERT_FALSE(Fire(form1::Command1_Click));
    ASSERT_FALSE(Fire(form1::Command2_Click));  // the verdict pause: ignored
    EXPECT_EQ(1, p.m.RunAsked);
    EXPECT_EQ(1, Beeps());
}

TEST_F(WordRun, ContinueEndsALongPauseAtTheNextTick) {
    Bank(10, 10);
    ASSERT_FALSE(Fire(form1::Command7_Click));
    p.m.CommentHold = 1;
    ChooseAnswer(p, 0);
    EXPECT_EQ(999, p.m.Countdown);
    EXPECT_TRUE(p.Form2.Text1.visible);
    EXPECT_TRUE(p.Form2.Command1.visible);
    Tick(3);
    EXPECT_EQ(RunState::VerdictPause, p.m.QuizState);
    EXPECT_NE("Verdict", p.Form2.Label1.accessibleName);
    ASSERT_FALSE(Fire(form2::Command1_Click));
    ASSERT_FALSE(Fire(form2::Command1_Click));
    EXPECT_EQ(1, p.m.Countdown);
    EXPECT_FALSE(p.Form2.Text1.visible);
    EXPECT_FALSE(p.Form2.Command1.visible);
    EXPECT_EQ("Verdict", p.Form2.Label1.accessibleName);  // the verdict has gone, its name too
    Tick();
    EXPECT_EQ(RunState::AwaitingAnswer, p.m.QuizState);
}

TEST_F(WordRun, AfterFiftyRejectionsThe51stDrawIsTaken) {
    Bank(10, 1);
    for (int i = 0; i < 10; ++i) Ask(i, 0, 5, 3), Ask(i, 1, 5, 3);
    std::vector<double> draws{0.0};
    for (int i = 0; i < 51; ++i) draws.insert(draws.end(), {0.05, 0.1});  // row 0, direction 0: asked
    draws.insert(draws.end(), {0.65, 0.7});                                   // the 52nd: never reached
    for (double d : draws) p.rng.Script({d});
    p.rng.Script({0.0});
    ASSERT_FALSE(Fire(form1::Command7_Click));
    EXPECT_EQ(0, p.m.QuestionIndex);
    // Exactly 51 candidates were drawn: the next draw in line was 0.65,
    // taken as the correct position (Int(4 * 0.65) = 2).
    EXPECT_EQ(2, p.m.CorrectAnswer);
}

TEST_F(WordRun, WalkModesStepThroughTheBank) {
    std::vector<double> nothingAsked{0.35};  // Start's row 3, then a 0 for each of 50 steps' tests
    nothingAsked.resize(51, 0.0);
    std::vector<int> all(30);
    std::iota(all.begin(), all.end(), 0);
    const struct {
        const char* name;
        int bank, mode;
        std::vector<int> askedRows;  // asked before, in direction 0
        std::vector<double> draws;
        std::vector<std::pair<int, int>> walk;  // (row, direction) of each question
    } rows[] = {
        {"in order, then row 0 in the other direction", 10, 20, {}, {0.95},
         {{0, 1}, {1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 1}, {7, 1}, {8, 1}, {9, 1}, {0, 0}}},
        {"in order to the next row asked", 10, 21, {6}, {0.35, 0.0, 0.0, 0.0}, {{6, 0}}},
        {"nothing asked: 50 steps, five wraps", 10, 21, {}, nothingAsked, {{3, 1}}},
        // Past the end, direction 1 on row 28, whose tally there is 0, so
        // the walk goes on to the next lap at row 1.
        {"seven rows at a time", 30, 22, all, {0.0}, {{7, 0}, {14, 0}, {21, 0}, {28, 0}, {1, 0}, {8, 0}}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        Bank(r.bank, r.mode);
        p.m.Direction = 0;  // as at a fresh start: the walks go on from the last direction
        for (int row : r.askedRows) Ask(row, 0, 5, -1);
        for (double d : r.draws) p.rng.Script({d});
        ASSERT_FALSE(Fire(form1::Command7_Click));
        if (r.mode == 20) {
            EXPECT_EQ("m00", p.Form1.Text1.text);  // direction 1 asks the meaning
        }
        std::vector<std::pair<int, int>> walk{{p.m.QuestionIndex, p.m.Direction}};
        while (walk.size() < r.walk.size()) {
            ChooseAnswer(p, 0);
            Tick(5);
            walk.emplace_back(p.m.QuestionIndex, p.m.Direction);
        }
        EXPECT_EQ(r.walk, walk);
    }
    EXPECT_EQ(7, p.m.SkipStep.value());
}

TEST_F(WordRun, TrainingListServesLeastPickedFirstThenTheLowerRatio) {
    Bank(10, 4);
    dir.WriteCp932("etrain.txt", Crlf({"w02,x", "w05 ,y", "w07,z"}));
    ASSERT_FALSE(Fire(form1::Command7_Click));
    std::vector<std::pair<int, int>> served{{p.m.QuestionIndex, p.m.Direction}};
    for (int i = 0; i < 5; ++i) {
        ChooseAnswer(p, 0);
        Tick(5);
        served.emplace_back(p.m.QuestionIndex, p.m.Direction);
    }
    EXPECT_EQ((std::vector<std::pair<int, int>>{{2, 0}, {5, 0}, {7, 0}, {2, 1}, {5, 1}, {7, 1}}), served);
    EXPECT_EQ(3, p.m.TrainingCount.value());
    EXPECT_EQ("w05", p.m.TrainingText[1][0]);

    // All picked once: the lowest ratio of score to asked weight comes first.
    ChooseAnswer(p, 0);
    p.m.WordTbl[2].asked[0] = " 10", p.m.WordTbl[2].score[0] = " 8";
    p.m.WordTbl[5].asked[0] = " 10", p.m.WordTbl[5].score[0] = " 2";
    p.m.WordTbl[7].asked[0] = " 10", p.m.WordTbl[7].score[0] = " 5";
    for (std::size_t row : {2u, 5u, 7u}) {
        p.m.WordTbl[row].asked[1] = " 10";
        p.m.WordTbl[row].score[1] = " 9";
    }
    Tick(5);
    EXPECT_EQ(5, p.m.QuestionIndex);
    EXPECT_EQ(0, p.m.Direction);
}

TEST_F(WordRun, TrainingListProblemsAreToldOnceAndNeverAskAMissingRow) {
    Bank(10, 4);
    host.Expect("The training list 'etrain.txt' cannot be opened.\r\n"
                "Mode 4 drills the words it names: set it as the third word-database name in Setup.\r\n"
                "Until then mode 4 asks the first word of the bank.");
    ASSERT_FALSE(Fire(form1::Command7_Click));
    EXPECT_EQ(0, p.m.QuestionIndex);
    ChooseAnswer(p, 0);
    Tick(5);  // the file is tried again, but the learner was told already
    EXPECT_EQ(RunState::AwaitingAnswer, p.m.QuizState);

    dir.WriteCp932("etrain.txt", Crlf({"w01,a", "nothere,b", "w03,c", "gone,d"}));
    host.Expect("These words of the training list 'etrain.txt' are not in the word database and are skipped: "
                "nothere, gone.");
    ChooseAnswer(p, 0);
    Tick(5);
    EXPECT_EQ(2, p.m.TrainingCount.value());
    EXPECT_EQ(1, p.m.QuestionIndex);

    // A headword with " *" after it in the bank matches the bare word.
    Bank(3, 4, "star *,星\r\n");
    dir.WriteCp932("etrain.txt", Crlf({"star,x"}));
    ASSERT_FALSE(Fire(form1::Command7_Click));
    EXPECT_EQ(3, p.m.QuestionIndex);
}

TEST_F(WordRun, ALongTrainingListUsesItsFirst2001Lines) {
    Bank(10, 4);
    std::string list;
    for (int i = 0; i < 2005; ++i) list += "w0" + std::to_string(i % 10) + ",x\r\n";
    dir.WriteCp932("etrain.txt", list);
    host.Expect("The training list 'etrain.txt' is longer than 2,001 words; only the first 2,001 are used.");
    ASSERT_FALSE(Fire(form1::Command7_Click));
    EXPECT_EQ(2001, p.m.TrainingCount.value());
}

TEST(ChoiceDraw, ScriptedDraws) {
    const struct {
        const char* name;
        ChoiceDraw draw;
        std::vector<double> draws;
        std::array<int, 4> rows;
    } rows[] = {
        // The question's own row and a row already taken are drawn again;
        // the correct slot's draw is replaced by the question's row.
        {"whole bank", {10, 3, 2, false}, {0.5, 0.35, 0.75, 0.85, 0.95}, {5, 7, 3, 9}},
        {"nearby: rows q-2..q+4", {100, 50, 0, true}, {0.0, 0.0, 0.99, 0.5}, {50, 48, 54, 51}},
        {"nearby at the top: 0..4", {100, 0, 3, true}, {0.0, 0.2, 0.4, 0.9}, {1, 2, 4, 0}},
        {"nearby at the end: widened once", {6, 5, 0, true}, {0.0, 0.0, 0.0, 0.3}, {5, 3, 4, 2}},
        {"two words: the wrong one repeats", {2, 0, 0, false}, {0.0, 0.9, 0.9, 0.9}, {0, 1, 1, 1}},
        {"one word: its own row everywhere", {1, 0, 1, false}, {}, {0, 0, 0, 0}},
    };
    for (const auto& r : rows) {
        Random rng;
        for (double d : r.draws) rng.Script({d});
        EXPECT_EQ(r.rows, DrawChoiceRows(r.draw, rng)) << r.name;
    }
}

TEST_F(WordRun, AnEmptyBankAsksNoWordQuestion) {
    Bank(0, 10);
    host.Expect("The word database 'eword.txt' holds no words, so there is no word question to ask.\r\n"
                "Add words to it, or switch \"Use word test\" off in Setup.");
    ASSERT_FALSE(Fire(form1::Command7_Click));
    EXPECT_EQ(RunState::Idle, p.m.QuizState);
    Tick(10);
    EXPECT_EQ(0, p.m.RunAsked);
}

TEST_F(WordRun, ModeBoxEditsTakeEffectAtTheNextQuestion) {
    Bank(10, 10);
    p.rng.Script({0.45});
    ASSERT_FALSE(Fire(form1::Command7_Click));
    const int row = p.m.QuestionIndex;
    p.Form3.Text3.text = "20abc";
    ChooseAnswer(p, 0);
    Tick(5);
    EXPECT_EQ(20, p.m.Qmd);
    EXPECT_EQ(row + 1, p.m.QuestionIndex);
}

TEST_F(WordRun, BothSourcesOffSwitchesTestDataOn) {
    Bank(10, 10);
    p.Form3.Check1.value = 0;
    p.Form3.Check2.value = 0;
    ASSERT_FALSE(Fire(form1::Command7_Click));
    EXPECT_EQ(1, p.Form3.Check2.value);
    EXPECT_EQ(1, p.m.IsTestQuestion.value());
    EXPECT_EQ("I have a &pen&.", p.m.QuestionSentence);
}

// The learner's pace: the label counts the real seconds, the score the
// usual ones (time left over the scale, rounded up), and without a limit
// nothing times out and a late right answer scores one.
struct PaceRow {
    int scale;
    const char* atStart;  // the label when the question comes
    int ticks;            // seconds before the answer
    const char* atAnswer;
    int score;  // of a right answer then; 0: timed out before
};
class Pace : public WordRun, public ::testing::WithParamInterface<PaceRow> {};

TEST_P(Pace, TheLabelCountsRealSecondsTheScoreTheUsualOnes) {
    const PaceRow& r = GetParam();
    dir.WriteBytes("kelvora.conf", "time_scale = " + std::string(r.scale ? std::to_string(r.scale) : "off") + "\n");
    Bank(10, 10);
    p.rng.Script({0.0, 0.45, 0.7});  // row 4, Japanese to English
    ASSERT_FALSE(Fire(form1::Command7_Click));
    EXPECT_EQ(r.atStart, p.Form1.Label1.text);
    Tick(r.ticks);
    EXPECT_EQ(r.atAnswer, p.Form1.Label1.text);
    if (r.score == 0) {
        EXPECT_EQ(RunState::VerdictPause, p.m.QuizState);  // timed out
        EXPECT_EQ("-1", p.m.WordTbl[4].score[1]);
        return;
    }
    ASSERT_EQ(RunState::AwaitingAnswer, p.m.QuizState);
    ChooseAnswer(p, p.m.CorrectAnswer);
    EXPECT_EQ(" " + std::to_string(r.score), p.m.WordTbl[4].score[1]);
    EXPECT_EQ(r.score, p.session.reviews.back().secondsLeft);
    EXPECT_EQ(r.scale, p.session.timeScale);
}

INSTANTIATE_TEST_SUITE_P(Scales, Pace,
                         ::testing::Values(PaceRow{1, "6", 2, "4", 4}, PaceRow{1, "6", 6, "0", 0},
                                           PaceRow{2, "12", 3, "9", 5}, PaceRow{5, "30", 12, "18", 4},
                                           PaceRow{10, "60", 59, "1", 1}, PaceRow{10, "60", 60, "0", 0},
                                           PaceRow{kNoTimeLimit, "∞", 25, "∞", 4},
                                           PaceRow{kNoTimeLimit, "∞", 1000, "∞", 1}),
                         [](const auto& info) {
                             const PaceRow& r = info.param;
                             return (r.scale ? "Times" + std::to_string(r.scale) : std::string("NoLimit")) + "After" +
                                    std::to_string(r.ticks);
                         });

}  // namespace
}  // namespace kelvora::test
