// SPDX-License-Identifier: GPL-3.0-or-later
// "CHK" and "Stop": the statistics and mode reports.
#include "Fixture.h"
#include "judge/Reports.h"

namespace kelvora::test {
namespace {

struct Reports : ProgramFixture {
    void SetUp() override {
        WriteStandardFiles(1);
        dir.WriteCp932("eword.txt", Crlf({"a,1", "b,2", "c,3", "d,4", "zzzzzzzz,5"}));
        dir.WriteBytes("eword.dat", " 5, 3,0,0\r\n 5, 4, 10,-2\r\n0,0, 5,-1\r\n0,0,0,0\r\n0,0,0,0\r\n 9, 9, 9, 9\r\n");
        ASSERT_FALSE(Fire(form1::Form_Load));
    }
};

TEST_F(Reports, WordStatistics) {
    p.Form2.visible = false;
    EXPECT_FALSE(Fire(form1::Command9_Click));
    // The sixth record line lies beyond the five words and is not counted.
    EXPECT_EQ("\r\n英語出題数\r\n　 2\r\n英語正解\r\n　 2     100%\r\n日本語出題数\r\n　 2\r\n日本語正解"
              "\r\n総合出題数\r\n　 3\r\n　正解\r\n　 2     66.6%     33.3%\r\n\r\n出題数\r\n　 0\r\n正解",
              p.Form2.Text1.text);
    EXPECT_TRUE(p.Form2.Text1.visible);
    EXPECT_TRUE(p.Form2.visible);
    EXPECT_EQ(RunState::Idle, p.m.QuizState);  // nothing else moves
    // The run's line appears once something was asked.
    p.m.RunAsked = 8;
    p.m.RunCorrect = 1;
    EXPECT_FALSE(Fire(form1::Command9_Click));
    const std::string& t = p.Form2.Text1.text;
    EXPECT_EQ("\r\n出題数\r\n　 8\r\n正解\r\n　 1     12.5%", t.substr(t.rfind("\r\n\r\n") + 2));
}

TEST_F(Reports, HandEditedRecordsNeverDivideByZero) {
    p.m.WordTbl[3].score[0] = " 4";  // a score with nothing asked
    p.m.WordTbl[0].asked[0] = "0";
    p.m.WordTbl[1].asked[0] = "0";
    p.m.WordTbl[2].asked[1] = "0";
    p.m.WordTbl[1].asked[1] = "0";
    EXPECT_FALSE(Fire(form1::Command9_Click));
    EXPECT_NE(std::string::npos, p.Form2.Text1.text.find("英語正解\r\n　 3\r\n日本語出題数")) << p.Form2.Text1.text;
    EXPECT_NE(std::string::npos, p.Form2.Text1.text.find("　正解\r\n　 3\r\n")) << p.Form2.Text1.text;
}

TEST_F(Reports, TestStatistics) {
    p.m.IsTestQuestion = 1;
    p.m.TestRec[0] = {Int16(20), Int16(5)};
    p.m.TestRec[1] = {Int16(40), Int16(-2)};
    p.m.TestRec[2] = {Int16(0), Int16(3)};  // beyond the two questions
    EXPECT_FALSE(Fire(form1::Command9_Click));
    EXPECT_EQ("\r\n出題数\r\n　 2\r\n正解\r\n　 1     50%", p.Form2.Text1.text);
}

TEST_F(Reports, StopPausesResumesAndWritesTheModeLegend) {
    ASSERT_FALSE(Fire(form1::Command7_Click));
    ASSERT_FALSE(Fire(form1::Timer1_Timer));
    p.m.Countdown = 12;
    EXPECT_FALSE(Fire(form1::Command6_Click));
    EXPECT_EQ(RunState::Idle, p.m.QuizState);
    EXPECT_TRUE(p.Form2.Text1.visible);
    const std::string legend =
        "\r\n Qmd = 1 Then '未出題問題をだす\r\n Qmd = 2 Then '未正解問題をだす"
        "\r\n Qmd = 3 Then '両モード 未出題問題をだす\r\n Qmd = 4 Then '特訓モード　\r\n"
        "\r\n Qmd =10 Then '特訓モード　\r\n Qmd =11 Then '試験モード　\r\n"
        "\r\n Qmd =20 Then '順番 w/近接データ 全問　\r\n Qmd =21 Then '順番 w/近接データ 未正解　"
        "\r\n Qmd =22 Then 'Skip w/近接データ 未正解　\r\n";
    EXPECT_EQ("現在モード Qmd= 1" + legend, p.Form2.Text1.text);
    for (int i = 0; i < 3; ++i) ASSERT_FALSE(Fire(form1::Timer1_Timer));
    EXPECT_EQ(12, p.m.Countdown);
    EXPECT_FALSE(Fire(form1::Command6_Click));
    EXPECT_EQ(RunState::AwaitingAnswer, p.m.QuizState);
    EXPECT_FALSE(p.Form2.Text1.visible);
    ASSERT_FALSE(Fire(form1::Timer1_Timer));
    EXPECT_EQ(11, p.m.Countdown);
}

TEST_F(Reports, TrainingModeAddsTheTrainingRates) {
    dir.WriteCp932("eword.txt", Crlf({"a,1", "b,2", "c,3", "d,4", "zzzzzzzz,5"}));
    dir.WriteBytes("eword.dat", " 5, 3, 5, 3\r\n 5, 3, 5,-1\r\n 5, 3,0,0\r\n 5,-1,0,0\r\n");
    dir.WriteCp932("etrain.txt", Crlf({"a,x", "b,x", "c,x", "d,x"}));
    ASSERT_FALSE(Fire(form1::Form_Load));
    p.Form3.Text3.text = "4";
    p.Form3.Check2.value = 0;  // word questions only
    ASSERT_FALSE(Fire(form1::Command7_Click));
    EXPECT_FALSE(Fire(form1::Command6_Click));
    const std::string& t = p.Form2.Text1.text;
    EXPECT_EQ("現在モード Qmd= 4", t.substr(0, t.find("\r\n")));
    EXPECT_EQ("\r\n  75%   :  50% ", t.substr(t.rfind("\r\n")));

    // No word of the list asked in a direction: that rate is left out.
    for (int i = 0; i < 4; ++i) p.m.WordTbl[static_cast<std::size_t>(i)].asked[1] = "0";
    p.m.QuizState = RunState::AwaitingAnswer;
    EXPECT_FALSE(Fire(form1::Command6_Click));
    EXPECT_EQ("\r\n  75%   : % ", t.substr(t.rfind("\r\n")));
}

}  // namespace
}  // namespace kelvora::test
