// Whole runs driven through the entry points: "Start", the heartbeat,
// the answer buttons and "Continue", with a scripted clock and draws.
#include <set>

#include "Fixture.h"
#include "judge/Judge.h"
#include "model/Tally.h"
#include "run/Run.h"

namespace kelvora::test {
namespace {

struct Run : ProgramFixture {
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
        ASSERT_FALSE(ProgramFixture::Run(form1::Form_Load));
    }
    void Ask(int row, int direction, double asked, double score) {
        WordRow& r = p.m.WordTbl[static_cast<std::size_t>(row)];
        (direction == 0 ? r.enAsked : r.jaAsked) = NumTextOf(asked);
        (direction == 0 ? r.enScore : r.jaScore) = NumTextOf(score);
    }
    static std::string NumTextOf(double v) { return (v < 0 ? "" : " ") + std::to_string(static_cast<int>(v)); }
    void Tick(int n = 1) {
        for (int i = 0; i < n; ++i) ASSERT_FALSE(ProgramFixture::Run(form1::Timer1_Timer));
    }
    std::vector<std::string> Choices() {
        std::vector<std::string> out;
        for (int k = 0; k < 4; ++k) out.push_back(p.Form1.choiceBox(k)->text);
        return out;
    }
    std::vector<std::string> Captions() {
        std::vector<std::string> out;
        for (int k = 0; k < 4; ++k) out.push_back(p.Form1.answerButton(k)->text);
        return out;
    }
    int Beeps() { return static_cast<int>(std::count(host.log.begin(), host.log.end(), "Beep")); }
};

TEST_F(Run, StartSeedsFromTheClockAndShowsAWordQuestion) {
    Bank(10, 10);
    const struct {
        const char* time;
        double seed;
    } clocks[] = {{"12:34:56", 5634}, {"00:00:00", 0}, {"23:59:59", 5959}, {"08:05:09", 905}};
    for (const auto& c : clocks) {
        host.time = c.time;
        ASSERT_FALSE(ProgramFixture::Run(form1::Command7_Click));
        EXPECT_EQ(c.seed, p.rng.lastSeed()) << c.time;
    }
    // The same seed gives the same questions.
    host.time = "12:34:56";
    ASSERT_FALSE(ProgramFixture::Run(form1::Command7_Click));
    const auto first = std::make_pair(p.Form1.Text1.text, Choices());
    ASSERT_FALSE(ProgramFixture::Run(form1::Command7_Click));
    EXPECT_EQ(first, std::make_pair(p.Form1.Text1.text, Choices()));

    EXPECT_EQ(1, p.m.QuizState);
    EXPECT_EQ(6, p.m.Countdown);
    EXPECT_EQ("6", p.Form1.Label1.text);
    EXPECT_EQ(0, p.m.RunAsked);
    EXPECT_TRUE(p.Form2.visible);
    EXPECT_FALSE(p.Form2.Text1.visible);
    EXPECT_EQ((std::vector<std::string>{"Ａ", "Ｂ", "Ｃ", "Ｄ"}), Captions());
    EXPECT_TRUE(p.Form1.Text1.visible);
    EXPECT_FALSE(p.Form1.Label2.visible);
}

TEST_F(Run, ScriptedWordQuestionFillsTheBoxes) {
    Bank(10, 10);
    // Start's row, then row 3 and direction 0, correct position 2, then
    // the slots: 5, 3 (the question: redrawn) 7, 8 (replaced), 9.
    p.rng.Script({0.0, 0.35, 0.2, 0.5, 0.55, 0.35, 0.75, 0.85, 0.95});
    ASSERT_FALSE(ProgramFixture::Run(form1::Command7_Click));
    EXPECT_EQ(3, p.m.QuestionIndex);
    EXPECT_EQ(0, p.m.Direction);
    EXPECT_EQ(2, p.m.CorrectAnswer);
    EXPECT_EQ("w03", p.Form1.Text1.text);
    EXPECT_EQ((std::vector<std::string>{"m05", "m07", "m03", "m09"}), Choices());
}

TEST_F(Run, UnansweredQuestionTimesOutWithTwoBeeps) {
    Bank(10, 10);
    ASSERT_FALSE(ProgramFixture::Run(form1::Command7_Click));
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
    EXPECT_EQ(2, p.m.QuizState);
    EXPECT_EQ(5, p.m.Countdown);
    EXPECT_EQ(-1, p.m.ChosenAnswer);
    const WordRow& r = p.m.WordTbl[static_cast<std::size_t>(row)];
    EXPECT_EQ(" 5", d == 0 ? r.enAsked : r.jaAsked);
    EXPECT_EQ("-1", d == 0 ? r.enScore : r.jaScore);
    EXPECT_EQ("0", d == 0 ? r.jaAsked : r.enAsked);  // the other direction untouched
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
    EXPECT_EQ(2, p.m.QuizState);
    Tick();
    EXPECT_EQ(1, p.m.QuizState);
    EXPECT_EQ(6, p.m.Countdown);
    EXPECT_EQ((std::vector<std::string>{"Ａ", "Ｂ", "Ｃ", "Ｄ"}), Captions());
    EXPECT_EQ("", p.Form2.Label1.text);
    EXPECT_TRUE(p.Form2.surface.ops().empty());
}

TEST_F(Run, CorrectAnswerScoresTheSecondsLeftInItsDirectionOnly) {
    Bank(10, 10);
    p.rng.Script({0.0, 0.45, 0.7});  // row 4, direction 1
    ASSERT_FALSE(ProgramFixture::Run(form1::Command7_Click));
    ASSERT_EQ(4, p.m.QuestionIndex);
    ASSERT_EQ(1, p.m.Direction);
    Tick(2);  // countdown 4
    host.log.clear();
    p.m.WordTbl[4].jaAsked = " 10";
    p.m.WordTbl[4].jaScore = "junk";  // counts as 0
    ChooseAnswer(p, p.m.CorrectAnswer);
    const WordRow& r = p.m.WordTbl[4];
    EXPECT_EQ(" 15", r.jaAsked);
    EXPECT_EQ(" 4", r.jaScore);
    EXPECT_EQ("0", r.enAsked);
    EXPECT_EQ("0", r.enScore);
    EXPECT_EQ(std::vector<std::string>{"Beep"}, host.log);
    EXPECT_EQ(2, p.m.Countdown);  // correct with 9 or less left
    EXPECT_EQ(1, p.m.RunCorrect.value());
    EXPECT_EQ("○", p.Form1.answerButton(p.m.CorrectAnswer)->text);
    const auto& ops = p.Form2.surface.ops();
    ASSERT_EQ(1u, ops.size());
    EXPECT_EQ((std::vector<int>{2385, 1600, 1350, 255}), (std::vector<int>{ops[0].x1, ops[0].y1, ops[0].r, ops[0].color}));
    EXPECT_EQ("○ 0", p.Form2.Label1.text);
}

TEST_F(Run, WrongAnswerMarksBothButtonsAndPausesFive) {
    Bank(10, 10);
    ASSERT_FALSE(ProgramFixture::Run(form1::Command7_Click));
    const int correct = p.m.CorrectAnswer, wrong = (correct + 1) % 4;
    ChooseAnswer(p, wrong);
    EXPECT_EQ("×", p.Form1.answerButton(wrong)->text);
    EXPECT_EQ("○", p.Form1.answerButton(correct)->text);
    EXPECT_EQ(5, p.m.Countdown);
    EXPECT_EQ(-1, p.m.ChosenAnswer);
}

TEST_F(Run, AQuickCorrectAnswerStillPausesFive) {
    Bank(10, 10);
    ASSERT_FALSE(ProgramFixture::Run(form1::Command7_Click));
    p.m.Countdown = 10;  // as if more than 9 seconds were left
    ChooseAnswer(p, p.m.CorrectAnswer);
    EXPECT_EQ(5, p.m.Countdown);
    p.m.QuizState = 1;
    p.m.Countdown = 31;  // 31 or more judges as wrong
    ChooseAnswer(p, p.m.CorrectAnswer);
    EXPECT_EQ(1, p.m.RunCorrect.value());
}

TEST_F(Run, AnswersCountOnlyWhileAQuestionWaits) {
    Bank(10, 10);
    // Before the first Start: nothing happens at all.
    for (auto click : {form1::Command1_Click, form1::Command2_Click, form1::Command3_Click, form1::Command4_Click,
                       form1::Timer1_Timer, form1::Command6_Click}) {
        ASSERT_FALSE(ProgramFixture::Run(click));
        ASSERT_FALSE(ProgramFixture::Run(form1::Timer1_Timer));
    }
    EXPECT_EQ(0, p.m.RunAsked);
    EXPECT_EQ(0, p.m.QuizState);
    for (int i = 0; i < 10; ++i) EXPECT_EQ("0", p.m.WordTbl[static_cast<std::size_t>(i)].enAsked);

    ASSERT_FALSE(ProgramFixture::Run(form1::Command7_Click));
    ASSERT_FALSE(ProgramFixture::Run(form1::Command1_Click));
    ASSERT_FALSE(ProgramFixture::Run(form1::Command2_Click));  // the verdict pause: ignored
    EXPECT_EQ(1, p.m.RunAsked);
    EXPECT_EQ(1, Beeps());
}

TEST_F(Run, ContinueEndsALongPauseAtTheNextTick) {
    Bank(10, 10);
    ASSERT_FALSE(ProgramFixture::Run(form1::Command7_Click));
    p.m.CommentHold = 1;
    ChooseAnswer(p, 0);
    EXPECT_EQ(999, p.m.Countdown);
    EXPECT_TRUE(p.Form2.Text1.visible);
    EXPECT_TRUE(p.Form2.Command1.visible);
    Tick(3);
    EXPECT_EQ(2, p.m.QuizState);
    ASSERT_FALSE(ProgramFixture::Run(form2::Command1_Click));
    ASSERT_FALSE(ProgramFixture::Run(form2::Command1_Click));
    EXPECT_EQ(1, p.m.Countdown);
    EXPECT_FALSE(p.Form2.Text1.visible);
    EXPECT_FALSE(p.Form2.Command1.visible);
    Tick();
    EXPECT_EQ(1, p.m.QuizState);
}

TEST_F(Run, StartDuringAPauseBeginsANewRun) {
    Bank(10, 10);
    ASSERT_FALSE(ProgramFixture::Run(form1::Command7_Click));
    ChooseAnswer(p, 0);
    ASSERT_EQ(2, p.m.QuizState);
    host.time = "10:00:07";
    ASSERT_FALSE(ProgramFixture::Run(form1::Command7_Click));
    EXPECT_EQ(700, p.rng.lastSeed());
    EXPECT_EQ(0, p.m.RunAsked);
    EXPECT_EQ(1, p.m.QuizState);
    EXPECT_EQ((std::vector<std::string>{"Ａ", "Ｂ", "Ｃ", "Ｄ"}), Captions());
}

TEST_F(Run, FilteredModesSkipRowsByTheirRecord) {
    const struct {
        int mode;
        int expectedRow;
    } rows[] = {{1, 7}, {2, 7}, {3, 8}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.mode);
        Bank(10, r.mode);
        for (int i = 0; i <= 5; ++i) Ask(i, 0, 5, 3);  // asked and correct in direction 0
        Ask(7, 1, 5, 3);                               // row 7 asked only in direction 1
        // Start, then candidates (row, direction): (0,0) (2,0) (7,0) (8,1)
        p.rng.Script({0.0, 0.05, 0.1, 0.25, 0.2, 0.75, 0.3, 0.85, 0.9});
        ASSERT_FALSE(ProgramFixture::Run(form1::Command7_Click));
        EXPECT_EQ(r.expectedRow, p.m.QuestionIndex);
    }
}

TEST_F(Run, AfterFiftyRejectionsThe51stDrawIsTaken) {
    Bank(10, 1);
    for (int i = 0; i < 10; ++i) Ask(i, 0, 5, 3), Ask(i, 1, 5, 3);
    std::vector<double> draws{0.0};
    for (int i = 0; i < 51; ++i) draws.insert(draws.end(), {0.05, 0.1});  // row 0, direction 0: asked
    draws.insert(draws.end(), {0.65, 0.7});                                   // the 52nd: never reached
    for (double d : draws) p.rng.Script({d});
    p.rng.Script({0.0});
    ASSERT_FALSE(ProgramFixture::Run(form1::Command7_Click));
    EXPECT_EQ(0, p.m.QuestionIndex);
    // Exactly 51 candidates were drawn: the next draw in line was 0.65,
    // taken as the correct position (Int(4 * 0.65) = 2).
    EXPECT_EQ(2, p.m.CorrectAnswer);
}

TEST_F(Run, InOrderWalkWrapsToTheOtherDirection) {
    Bank(10, 20);
    p.rng.Script({0.95});  // Start's row: 9
    ASSERT_FALSE(ProgramFixture::Run(form1::Command7_Click));
    EXPECT_EQ(0, p.m.QuestionIndex);
    EXPECT_EQ(1, p.m.Direction);
    EXPECT_EQ("m00", p.Form1.Text1.text);
    for (int i = 1; i <= 9; ++i) {
        ChooseAnswer(p, 0);
        Tick(5);
        EXPECT_EQ(i, p.m.QuestionIndex);
    }
    ChooseAnswer(p, 0);
    Tick(5);
    EXPECT_EQ(0, p.m.QuestionIndex);
    EXPECT_EQ(0, p.m.Direction);
}

TEST_F(Run, NearbyChoicesComeFromTheWindowAroundTheQuestion) {
    const struct {
        int start;  // the row before the question
        int lo, hi;
    } rows[] = {{99, 0, 4}, {0, 0, 5}, {9, 8, 14}, {96, 95, 99}};
    for (const auto& r : rows) {
        Bank(100, 20);
        p.rng.Script({(r.start + 0.5) / 100});
        ASSERT_FALSE(ProgramFixture::Run(form1::Command7_Click));
        const int q = p.m.QuestionIndex;
        for (int round = 0; round < 20; ++round) {
            std::set<std::string> seen;
            for (const auto& c : Choices()) {
                const int row = std::stoi(c.substr(1));
                EXPECT_GE(row, r.lo) << q;
                EXPECT_LE(row, r.hi) << q;
                seen.insert(c);
            }
            EXPECT_EQ(4u, seen.size());
            // Ask the same row again: mode 55 repeats the previous question.
            p.Form3.Text3.text = "55";
            ChooseAnswer(p, 0);
            Tick(5);
            p.Form3.Text3.text = "20";
            ASSERT_EQ(q, p.m.QuestionIndex);
            p.m.Qmd = 20;
        }
    }
}

TEST_F(Run, SkippingWalkStopsOnTheNextAskedRow) {
    Bank(10, 21);
    Ask(6, 0, 5, -1);
    p.rng.Script({0.35, 0.0, 0.0, 0.0});  // Start's row 3; three tests of the walk
    ASSERT_FALSE(ProgramFixture::Run(form1::Command7_Click));
    EXPECT_EQ(6, p.m.QuestionIndex);
    EXPECT_EQ(0, p.m.Direction);

    // Nothing asked anywhere: 50 steps when every draw is 0.
    Bank(10, 21);
    std::vector<double> draws{0.35};
    for (int i = 0; i < 50; ++i) draws.push_back(0.0);
    for (double d : draws) p.rng.Script({d});
    ASSERT_FALSE(ProgramFixture::Run(form1::Command7_Click));
    EXPECT_EQ(3, p.m.QuestionIndex);  // 3 + 50 steps in a bank of 10, five wraps
    EXPECT_EQ(1, p.m.Direction);
}

TEST_F(Run, StrideWalkMovesSevenRows) {
    Bank(30, 22);
    for (int i = 0; i < 30; ++i) Ask(i, 0, 5, 1);
    p.rng.Script({0.0});
    ASSERT_FALSE(ProgramFixture::Run(form1::Command7_Click));
    EXPECT_EQ(7, p.m.SkipStep.value());
    std::vector<int> walk{p.m.QuestionIndex};
    for (int i = 0; i < 5; ++i) {
        ChooseAnswer(p, 0);
        Tick(5);
        walk.push_back(p.m.QuestionIndex);
    }
    // 0, 7, 14, 21, 28, then past the end: direction 1 on row 28, whose
    // direction-1 tally is 0, so the walk goes on to the next lap at row 1.
    EXPECT_EQ((std::vector<int>{7, 14, 21, 28, 1, 8}), walk);
}

TEST_F(Run, TrainingListServesLeastPickedFirstThenTheLowerRatio) {
    Bank(10, 4);
    dir.WriteCp932("etrain.txt", Crlf({"w02,x", "w05 ,y", "w07,z"}));
    ASSERT_FALSE(ProgramFixture::Run(form1::Command7_Click));
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
    p.m.WordTbl[2].enAsked = " 10", p.m.WordTbl[2].enScore = " 8";
    p.m.WordTbl[5].enAsked = " 10", p.m.WordTbl[5].enScore = " 2";
    p.m.WordTbl[7].enAsked = " 10", p.m.WordTbl[7].enScore = " 5";
    for (std::size_t row : {2u, 5u, 7u}) {
        p.m.WordTbl[row].jaAsked = " 10";
        p.m.WordTbl[row].jaScore = " 9";
    }
    Tick(5);
    EXPECT_EQ(5, p.m.QuestionIndex);
    EXPECT_EQ(0, p.m.Direction);
}

TEST_F(Run, TrainingListMatchesAStarredHeadword) {
    Bank(3, 4, "star *,星\r\n");
    dir.WriteCp932("etrain.txt", Crlf({"star,x"}));
    ASSERT_FALSE(ProgramFixture::Run(form1::Command7_Click));
    EXPECT_EQ(3, p.m.QuestionIndex);
}

TEST_F(Run, TrainingListProblemsAreToldOnceAndNeverAskAMissingRow) {
    Bank(10, 4);
    host.Expect("The training list 'etrain.txt' cannot be opened.\r\n"
                "Mode 4 drills the words it names: set it as the third word-database name in Setup.\r\n"
                "Until then mode 4 asks the first word of the bank.");
    ASSERT_FALSE(ProgramFixture::Run(form1::Command7_Click));
    EXPECT_EQ(0, p.m.QuestionIndex);
    ChooseAnswer(p, 0);
    Tick(5);  // the file is tried again, but the learner was told already
    EXPECT_EQ(1, p.m.QuizState);

    dir.WriteCp932("etrain.txt", Crlf({"w01,a", "nothere,b", "w03,c", "gone,d"}));
    host.Expect("These words of the training list 'etrain.txt' are not in the word database and are skipped: "
                "nothere, gone.");
    ChooseAnswer(p, 0);
    Tick(5);
    EXPECT_EQ(2, p.m.TrainingCount.value());
    EXPECT_EQ(1, p.m.QuestionIndex);
}

TEST_F(Run, ALongTrainingListUsesItsFirst2001Lines) {
    Bank(10, 4);
    std::string list;
    for (int i = 0; i < 2005; ++i) list += "w0" + std::to_string(i % 10) + ",x\r\n";
    dir.WriteCp932("etrain.txt", list);
    host.Expect("The training list 'etrain.txt' is longer than 2,001 words; only the first 2,001 are used.");
    ASSERT_FALSE(ProgramFixture::Run(form1::Command7_Click));
    EXPECT_EQ(2001, p.m.TrainingCount.value());
}

TEST_F(Run, SmallBanksStillFinishTheChoices) {
    for (int n : {1, 2, 4, 5}) {
        SCOPED_TRACE(n);
        for (int mode : {10, 20}) {
            Bank(n, mode);
            ASSERT_FALSE(ProgramFixture::Run(form1::Command7_Click));
            for (int i = 0; i < 30; ++i) {
                const auto c = Choices();
                const WordRow& q = p.m.WordTbl[static_cast<std::size_t>(p.m.QuestionIndex)];
                EXPECT_EQ(p.m.Direction == 0 ? q.meaning : q.word, c[static_cast<std::size_t>(p.m.CorrectAnswer)]);
                if (n == 5) {
                    EXPECT_EQ(4u, std::set<std::string>(c.begin(), c.end()).size());
                }
                ChooseAnswer(p, 0);
                Tick(5);
            }
        }
    }
}

TEST_F(Run, AnEmptyBankAsksNoWordQuestion) {
    Bank(0, 10);
    host.Expect("The word database 'eword.txt' holds no words, so there is no word question to ask.\r\n"
                "Add words to it, or switch \"Use word test\" off in Setup.");
    ASSERT_FALSE(ProgramFixture::Run(form1::Command7_Click));
    EXPECT_EQ(0, p.m.QuizState);
    Tick(10);
    EXPECT_EQ(0, p.m.RunAsked);
}

TEST_F(Run, ModeBoxEditsTakeEffectAtTheNextQuestion) {
    Bank(10, 10);
    p.rng.Script({0.45});
    ASSERT_FALSE(ProgramFixture::Run(form1::Command7_Click));
    const int row = p.m.QuestionIndex;
    p.Form3.Text3.text = "20abc";
    ChooseAnswer(p, 0);
    Tick(5);
    EXPECT_EQ(20, p.m.Qmd);
    EXPECT_EQ(row + 1, p.m.QuestionIndex);
}

TEST_F(Run, BothSourcesOffSwitchesTestDataOn) {
    Bank(10, 10);
    p.Form3.Check1.value = 0;
    p.Form3.Check2.value = 0;
    ASSERT_FALSE(ProgramFixture::Run(form1::Command7_Click));
    EXPECT_EQ(1, p.Form3.Check2.value);
    EXPECT_EQ(1, p.m.IsTestQuestion.value());
    EXPECT_EQ("I have a &pen&.", p.m.QuestionSentence);
}

TEST_F(Run, RecordsAfterARunAreSavedByEnd) {
    Bank(3, 10);
    p.rng.Script({0.0, 0.0, 0.0, 0.0});  // row 0, direction 0, correct position 0
    ASSERT_FALSE(ProgramFixture::Run(form1::Command7_Click));
    Tick(1);
    ChooseAnswer(p, 0);  // correct with 5 left
    EXPECT_TRUE(ProgramFixture::Run(form1::Command5_Click));
    EXPECT_EQ(" 5, 5,0,0\r\n0,0,0,0\r\n0,0,0,0\r\n", dir.ReadBytes("eword.dat"));
}

TEST_F(Run, SixteenBitCountersStopAtTheirLimit) {
    Int16 v(32766);
    SaturatingAdd(v, 5);
    EXPECT_EQ(32767, v.value());
    Int16 w(-32767);
    SaturatingAdd(w, -3);
    EXPECT_EQ(-32768, w.value());
}

}  // namespace
}  // namespace kelvora::test
