// SPDX-License-Identifier: GPL-3.0-or-later
// Every row of the mode table against what the program does in that mode:
// the mode box's description, the word row the chooser takes, where the
// choices come from, which test question comes, test and drill mode, and
// Stop's report.
#include <algorithm>
#include <set>

#include "Fixture.h"
#include "memory/Policy.h"
#include "model/Modes.h"
#include "setup/SetupDialog.h"
#include "text/Numbers.h"

namespace kelvora::test {
namespace {

struct Expected {
    const char* name;
    double mode;
    bool inTable;
    Selection selection;
    TestPreference tests;
    ModeRole role;
    std::pair<int, int> firstRow;  // (row, direction) of the first word question
    bool reportLine;               // Stop's report has a line after the legend
    const MemoryPolicy* policy = nullptr;  // a memory mode's
};

using S = Selection;
using T = TestPreference;
using R = ModeRole;

// A new mode gets its row here as well as in the table.
const Expected kExpected[] = {
    {"NotYetAsked", 1, true, S::Draw, T::NeverAsked, R::Plain, {27, 0}, false},
    {"NotYetRight", 2, true, S::Draw, T::NeverRight, R::Plain, {22, 0}, false},
    {"NotYetAskedEitherWay", 3, true, S::Draw, T::NeverAsked, R::Plain, {34, 1}, false},
    {"TrainingList", 4, true, S::Draw, T::NeverAsked, R::Plain, {25, 0}, true},
    // No review history: every card is new, and the 44th of 80 is drawn.
    {"DueWords", 5, true, S::Draw, T::Any, R::Plain, {22, 0}, true, &kDueThenNew},
    // No review history: no reviewed card, so it says so and asks as mode 2.
    {"BeforeTheExam", 6, true, S::Draw, T::Any, R::Plain, {22, 0}, true, &kWeakestFirst},
    {"Drill", 10, true, S::Draw, T::NeverRight, R::Drill, {4, 0}, false},
    {"Test", 11, true, S::Draw, T::NeverAsked, R::Exam, {4, 0}, false},
    {"InOrder", 20, true, S::Walk, T::Any, R::Plain, {25, 0}, false},
    {"InOrderToAsked", 21, true, S::Walk, T::Any, R::Plain, {0, 1}, false},
    {"BySevensToAsked", 22, true, S::Walk, T::Any, R::Plain, {4, 0}, false},
    {"UnknownBelow20", 7, false, S::Draw, T::Any, R::Plain, {4, 0}, false},
    {"NotAWholeNumber", 4.5, false, S::Draw, T::Any, R::Plain, {4, 0}, false},
    {"UnknownFrom20", 55, false, S::Walk, T::Any, R::Plain, {24, 0}, false},  // the previous row again
};

struct ModeProgram : ScratchProgram {
    // 40 words: rows 0-19 asked and right both ways, 20-24 asked and wrong
    // English to Japanese, 25-29 asked and wrong the other way, 30-39 never
    // asked; a training list of w25 and w31; three test questions: asked
    // and right, asked and wrong, never asked.
    void Load(double mode) {
        std::string words, record;
        for (int i = 0; i < 40; ++i) {
            words += "w" + std::to_string(i) + ",m" + std::to_string(i) + "\r\n";
            record += i < 20 ? " 5, 3, 5, 3\r\n" : i < 25 ? " 5,-1,0,0\r\n" : i < 30 ? "0,0, 5,-1\r\n" : "0,0,0,0\r\n";
        }
        dir.WriteCp932("qbx.txt", Settings(1, {"eword", "efix", "etrain"}, -1, {"ptest"}, 1, 0, 20));
        dir.WriteCp932("eword.txt", words);
        dir.WriteBytes("eword.dat", record);
        dir.WriteCp932("etrain.txt", Crlf({"w25,x", "w31,y"}));
        dir.WriteCp932("ptest.txt", Crlf({"Asked right.", "a,b,c,d,A", "c", "Asked wrong.", "a,b,c,d,A", "c",
                                          "Never asked.", "a,b,c,d,A", "c"}));
        dir.WriteBytes("ptest.dat", " 5, 3\r\n 5,-1\r\n");
        ASSERT_FALSE(Fire(form1::Form_Load));
        p.Form3.Text3.text = NumText(mode);
    }
};

class ModeRows : public ::testing::TestWithParam<Expected> {};

TEST_P(ModeRows, DoesWhatItsRowSays) {
    {
        const Expected& e = GetParam();
        const ModeRow& row = ModeOf(e.mode);
        EXPECT_EQ(e.inTable, row.number != 0);
        EXPECT_EQ(e.selection, row.selection);
        EXPECT_EQ(e.tests, row.tests);
        EXPECT_EQ(e.role, row.role);
        EXPECT_EQ(e.policy, row.memory);

        // The chooser. Start's row is 24; a Draw mode first draws (4, 0),
        // then, while its filter rejects, (22, 0), (27, 0) and (34, 1).
        ModeProgram w;
        w.Load(e.mode);
        Program& p = w.p;
        p.rng.Script({0.6, 0.1, 0.2, 0.55, 0.2, 0.68, 0.2, 0.86, 0.7});
        if (row.memory && !row.memory->asksNewWords)
            w.host.Expect("Mode " + NumText(e.mode).substr(1) +
                          " asks only words you have reviewed, and this word database has none yet.\r\n"
                          "Until it has, the mode asks the words not yet answered right, as mode 2 does.");
        ASSERT_FALSE(w.Fire(form1::Command7_Click));
        EXPECT_EQ(e.firstRow, std::make_pair(p.m.QuestionIndex, p.m.Direction));
        // The choices: near the question when walking (rows q-2 to q+4).
        std::vector<std::string> far;
        for (const std::string& choice : w.Choices()) {
            const int r = std::stoi(choice.substr(1));
            if (r < p.m.QuestionIndex - 2 || r > p.m.QuestionIndex + 4) far.push_back(choice);
        }
        EXPECT_EQ(e.selection == S::Walk, far.empty());

        // Stop's report: the mode, the legend, and the row's own line.
        ASSERT_FALSE(w.Fire(form1::Command6_Click));
        const std::string& report = p.Form2.Text1.text;
        EXPECT_EQ("現在モード Qmd=" + NumText(e.mode), report.substr(0, report.find("\r\n")));
        EXPECT_EQ(e.reportLine, report.substr(report.rfind("\r\n")) != "\r\n");

        // The test question: draws offer questions 0, 1, then 2.
        ModeProgram t;
        t.Load(e.mode);
        t.p.Form3.Check1.value = 0;
        t.p.Form3.Check2.value = 1;
        t.p.m.SetupQmd = e.mode;
        t.p.rng.Script({0.0, 0.1, 0.5, 0.9});
        if (e.role == R::Exam) t.host.Expect("問題数が少なすぎるため、正常な判定ができません");
        ASSERT_FALSE(t.Fire(form1::Command7_Click));
        const int wanted = e.tests == T::NeverAsked ? 2 : e.tests == T::NeverRight ? 1 : 0;
        EXPECT_EQ(wanted, t.p.m.QuestionIndex);
        // Test mode logs its questions; drill mode holds the commentary.
        EXPECT_EQ(e.role == R::Exam ? 1 : 0, t.p.m.TestQuestionNo);
        FillSetupControls(t.p);
        EXPECT_EQ(e.role == R::Drill ? 1 : 0, t.p.m.DrillFlag);
        EXPECT_EQ("The question mode: 1 to 6, 10, 11, or 20 to 22", t.p.Form3.Text3.accessibleDescription);
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, ModeRows, ::testing::ValuesIn(kExpected),
                         [](const ::testing::TestParamInfo<Expected>& info) { return std::string(info.param.name); });

// Every row of the table is tried above.
TEST(ModeTable, EveryRowIsTried) {
    std::set<int> tested;
    for (const Expected& e : kExpected)
        if (e.inTable) tested.insert(static_cast<int>(e.mode));
    for (const ModeRow& row : ModeTable()) EXPECT_TRUE(tested.count(row.number)) << row.number << " is not in kExpected";
}


}  // namespace
}  // namespace kelvora::test
