// SPDX-License-Identifier: GPL-3.0-or-later
// Test questions: choice, shuffle, commentary, time limits, data errors,
// and test mode's forty-question reports.
#include "Fixture.h"
#include "judge/Judge.h"
#include "judge/Reports.h"
#include "present/TestQuestion.h"
#include "text/Numbers.h"

namespace kelvora::test {
namespace {

struct TestQuestions : ProgramFixture {
    // Test questions only, from a database of the given lines.
    void Load(const std::vector<std::string>& lines, int mode = 1, const std::string& name = "ptest", int wait = 20) {
        dir.WriteCp932("qbx.txt", Settings(-1, {"eword"}, 1, {name}, mode, 0, wait));
        dir.WriteCp932("eword.txt", Crlf({"apple,りんご", "bank,銀行", "cat,猫", "dog,犬", "egg,卵"}));
        dir.WriteCp932(name + ".txt", Crlf(lines));
        ASSERT_FALSE(Fire(form1::Form_Load));
        p.runStarted = true;
    }
    static std::vector<std::string> Questions(int n) {
        std::vector<std::string> lines;
        for (int i = 0; i < n; ++i) {
            const std::string k = std::to_string(i);
            lines.insert(lines.end(), {"Question " + k + " &here&.", "a" + k + ",b" + k + ",c" + k + ",d" + k + ",A",
                                       "comment " + k});
        }
        return lines;
    }
    bool Show() { return Fire(ShowTestQuestion); }
};

TEST_F(TestQuestions, FixedOrderForChoiceLinesStartingWithA) {
    // A fifth comma belongs to the answer field.
    Load({"Pick the &wrong& part.|voice 1 2", "(A),(B),(C),(D),C,extra", "line one\\nline two\\x"});
    p.rng.Script({0.0, 0.0, 0.3, 0.3, 0.6});
    ASSERT_FALSE(Show());
    EXPECT_EQ((std::vector<std::string>{"(A)", "(B)", "(C)", "(D)"}), Choices());
    EXPECT_EQ(2, p.m.CorrectAnswer);
    EXPECT_EQ(1, p.m.IsTestQuestion.value());
    EXPECT_EQ("Pick the &wrong& part.", p.m.QuestionSentence);
    EXPECT_FALSE(p.Form1.Text1.visible);
    EXPECT_FALSE(p.Form1.Label2.visible);
    EXPECT_EQ("line one\r\nline two\\x", p.Form2.Text1.text);
    EXPECT_EQ((std::vector<std::string>{"stop", "open voice.mp3", "play", "seek 1"}), 
              std::vector<std::string>(player.log.end() - 4, player.log.end()));
    EXPECT_EQ(2000, p.Form1.Timer2.interval);
    EXPECT_EQ("20", p.Form1.Label1.text);
    EXPECT_EQ(20, p.m.Countdown);
    EXPECT_EQ(20, p.m.TimeAllowance.value());
}

TEST_F(TestQuestions, ShuffledChoicesPutTheAnswerAtTheDrawnPosition) {
    Load({"Which one?", "dog,cat,cow,pig,B", "猫です"});
    p.rng.Script({0.0, 0.0, 0.5, 0.8, 0.3});
    ASSERT_FALSE(Show());
    EXPECT_EQ(0, p.m.CorrectAnswer);
    EXPECT_EQ((std::vector<std::string>{"cat", "pig", "dog", "cow"}), Choices());
}

TEST_F(TestQuestions, TimeLimitsFollowTheDatabaseNameAndTheWaitOption) {
    const struct {
        int mode;
        const char* name;
        int wait, countdown, allowance, hold;
    } rows[] = {{1, "Ptest", 30, 30, 30, 0}, {10, "quiz", 30, 6, 5, 0}, {10, "ptest", 20, 20, 20, 1}};
    for (const auto& r : rows) {
        Load(Questions(2), r.mode, r.name, r.wait);
        ASSERT_FALSE(Show());
        EXPECT_EQ((std::vector<int>{r.countdown, r.allowance, r.hold}),
                  (std::vector<int>{p.m.Countdown, p.m.TimeAllowance, p.m.CommentHold}))
            << r.name;
    }
    // Drill mode holds the verdict with the commentary.
    ChooseAnswer(p, 0);
    EXPECT_EQ(999, p.m.Countdown);
    EXPECT_TRUE(p.Form2.Text1.visible);
    EXPECT_TRUE(p.Form2.Command1.visible);
}

TEST_F(TestQuestions, JudgingATestQuestionUpdatesItsRecord) {
    Load(Questions(1));
    ASSERT_FALSE(Show());
    p.m.Countdown = 12;
    ChooseAnswer(p, p.m.CorrectAnswer);
    EXPECT_EQ(20, p.m.TestRec[0].asked.value());
    EXPECT_EQ(12, p.m.TestRec[0].score.value());
    EXPECT_EQ(1, p.m.Countdown);  // no commentary held: one second
    p.m.QuizState = RunState::AwaitingAnswer;
    ChooseAnswer(p, (p.m.CorrectAnswer + 1) % 4);
    EXPECT_EQ(40, p.m.TestRec[0].asked.value());
    EXPECT_EQ(11, p.m.TestRec[0].score.value());
    // Said after the answer: the right choice, wherever the shuffle put it.
    EXPECT_EQ("× 0. Wrong. The answer was " + std::string(1, static_cast<char>('A' + p.m.CorrectAnswer)) + ": a0.",
              p.Form2.Label1.accessibleName);
    EXPECT_TRUE(Fire(form1::Command5_Click));
    EXPECT_EQ(" 40, 11\r\n", dir.ReadBytes("ptest.dat"));
}

TEST_F(TestQuestions, RecordsStopAtTheEdgeOfTheirRange) {
    Load(Questions(1));
    dir.WriteBytes("ptest.dat", " 32760, 32765\r\n");
    ASSERT_FALSE(Fire(form1::Form_Load));
    p.runStarted = true;
    ASSERT_FALSE(Show());
    p.m.Countdown = 20;
    ChooseAnswer(p, p.m.CorrectAnswer);
    EXPECT_EQ(32767, p.m.TestRec[0].asked.value());
    EXPECT_EQ(32767, p.m.TestRec[0].score.value());
}

TEST_F(TestQuestions, DataErrorsEndTheProgramWithTheCommentary) {
    const struct {
        const char* choices;
    } rows[] = {{"a,b,c,d"}, {""}, {"a,b,c,d,"}, {"a,b,c,d,a"}, {"a,b,c,d,E"}, {"a,b,c,d,@"}};
    for (const auto& r : rows) {
        Load({"q0", "a,b,c,d,A", "c0", "q1", r.choices, "c1 \\n as written"});
        p.rng.Script({0.5});  // question 1
        host.Expect("#09151 Error found in data  line= 3:c1 \\n as written");
        EXPECT_TRUE(Show()) << r.choices;
    }
    Load({});  // an empty test database
    host.Expect("#09151 Error found in data  line= 0:");
    EXPECT_TRUE(Show());
}

TEST_F(TestQuestions, StartWarnsWhenATestHasTooFewQuestions) {
    Load(Questions(44), 11);
    host.Expect("問題数が少なすぎるため、正常な判定ができません");
    ASSERT_FALSE(Fire(form1::Command7_Click));

    Load(Questions(45), 11);
    ASSERT_FALSE(Fire(form1::Command7_Click));  // no message

    Load(Questions(10), 1);
    p.m.TestAsked = 7;
    ASSERT_FALSE(Fire(form1::Command7_Click));
    EXPECT_EQ(7, p.m.TestAsked);  // outside test mode the test counters stay
}

struct TestMode : TestQuestions {
    // Answers the question on screen: right with `left` seconds on the
    // clock, or wrong.
    void Answer(bool right, int left) {
        ASSERT_EQ(RunState::AwaitingAnswer, p.m.QuizState);
        p.m.Countdown = left;
        ChooseAnswer(p, right ? p.m.CorrectAnswer : (p.m.CorrectAnswer + 1) % 4);
        while (p.m.QuizState == RunState::VerdictPause) ASSERT_FALSE(Fire(form1::Timer1_Timer));
    }
    std::string Counts() {
        int a = 0, c = 0;
        for (int q = 0; q < p.m.TestCount; ++q) {
            a += p.m.TestRec[static_cast<std::size_t>(q)].asked > 0;
            c += p.m.TestRec[static_cast<std::size_t>(q)].score > 0;
        }
        std::string t = "\r\n出題数\r\n　" + NumText(a) + "\r\n正解";
        if (c > 0) t += "\r\n　" + NumText(c) + "    " + Percent(100.0 * c / a) + "%";
        return t;
    }
};

TEST_F(TestMode, FortyQuestionsMakeAReportTwiceInOneRun) {
    Load(Questions(60), 11);
    ASSERT_FALSE(Fire(form1::Command7_Click));
    for (int i = 0; i < 39; ++i) Answer(true, 20);
    EXPECT_EQ(39, p.m.TestAsked);
    host.Expect("continue");
    host.log.clear();
    p.m.Countdown = 20;
    // While the report is open, the verdict label is named after what it shows.
    std::string nameWhileReporting;
    host.whileShown = [&] { nameWhileReporting = p.Form2.Label1.accessibleName; };
    ChooseAnswer(p, p.m.CorrectAnswer);
    host.whileShown = nullptr;
    EXPECT_EQ("○ 39. Right.", nameWhileReporting);
    // The report comes before the mark, the beep and the pause.
    EXPECT_EQ((std::vector<std::string>{"MsgBox:continue", "Beep"}), host.log);
    EXPECT_EQ("○ 39", p.Form2.Label1.text);  // the count before this judgement
    EXPECT_EQ(Counts() +
                  "\r\n\r\n試験モード出題数\r\n　 40\r\n試験モード正解\r\n　 40     100%\r\n\r\n"
                  "TOEIC予想スコア\r\n　 950\r\ns1　 40\r\ns2　 40\r\ns3　 1000\r\ns4　 150\r\ns5　 950\r\n"
                  "s6　 800\r\ns7　 800",
              p.Form2.Text1.text);
    EXPECT_TRUE(p.Form2.Text1.visible);
    EXPECT_EQ(0, p.m.TestAsked);
    EXPECT_EQ(0, p.m.TestCorrect.value());
    EXPECT_EQ(40, p.m.TestQuestionNo);
    EXPECT_EQ(RunState::VerdictPause, p.m.QuizState);
    EXPECT_EQ(1, p.m.Countdown);
    ASSERT_FALSE(Fire(form1::Timer1_Timer));
    EXPECT_FALSE(p.Form2.Text1.visible);  // gone with the pause, the verdict's name too
    EXPECT_EQ("Verdict", p.Form2.Label1.accessibleName);

    // The second test: all wrong. S and L run over all 80 questions. A
    // session at a slower pace says how the estimate counted it.
    for (int i = 0; i < 39; ++i) Answer(false, 0);
    host.Expect("continue");
    p.m.Countdown = 3;
    p.session.timeScale = 10;
    ChooseAnswer(p, (p.m.CorrectAnswer + 1) % 4);
    EXPECT_EQ(Counts() +
                  "\r\n\r\n試験モード出題数\r\n　 40\r\n試験モード正解\r\n\r\n"
                  "TOEIC予想スコア\r\n　 0\r\ns1　 40\r\ns2　 0\r\ns3　 0\r\ns4　 71.25\r\ns5　 0\r\n"
                  "s6　 760\r\ns7　 1600\r\n\r\nThis session ran at a slower pace (time limits ×10): the estimate "
                  "counts the seconds left as the usual limits would.",
              p.Form2.Text1.text);
}

TEST(Estimate, WorkedExamples) {
    const struct {
        double rate, speed;
        int limit;
        double estimate;
    } rows[] = {
        {1000, 150, 20, 950}, {1000, 150, 30, 850}, {750, 54.375, 20, 715}, {275, 0, 20, 275},
        {400, 31.5, 20, 431.5}, {500, 15, 20, 505}, {0, 0, 20, 0},          {350, 120, 20, 360},
        {350, 80, 20, 380},   {350, 50, 20, 400},  {299.5, 150, 20, 299.5}, {500, 0, 30, 465},
    };
    for (const auto& r : rows) EXPECT_EQ(r.estimate, EstimateScore(r.rate, r.speed, r.limit)) << r.rate << " " << r.speed;
    EXPECT_EQ(" 431.5", NumText(EstimateScore(400, 31.5, 20)));
}

}  // namespace
}  // namespace kelvora::test
