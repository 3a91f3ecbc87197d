// Loading the word and test databases with their checks.
#include "Fixture.h"
#include "files/QuestionBanks.h"

namespace kelvora::test {
namespace {

struct Banks : ProgramFixture {
    bool LoadWords(const std::string& name, const std::string& utf8) {
        p.m.WordDbName[0] = name;
        dir.WriteCp932(name + ".txt", utf8);
        return Run(LoadWordDatabase);
    }
    bool LoadTests(const std::vector<std::string>& lines) {
        p.m.TestDbName[0] = "ptest";
        dir.WriteCp932("ptest.txt", Crlf(lines));
        return Run(LoadTestDatabase);
    }
};

TEST_F(Banks, WordRecordsWithQuotesAndEntryParts) {
    ASSERT_FALSE(LoadWords("eword", Crlf({"apple|apple 1 2,りんご", "\"a, b\",\"x, y\"", " blank , 空白 "})));
    EXPECT_EQ(3, p.m.WordCount);
    EXPECT_EQ("apple|apple 1 2", p.m.WordTbl[0].word);
    EXPECT_EQ("a, b", p.m.WordTbl[1].word);
    EXPECT_EQ("x, y", p.m.WordTbl[1].meaning);
    EXPECT_EQ("blank", p.m.WordTbl[2].word);
    EXPECT_EQ("空白", p.m.WordTbl[2].meaning);
    for (int i = 0; i < 3; ++i) {
        const auto& r = p.m.WordTbl[static_cast<std::size_t>(i)];
        EXPECT_EQ("0", r.enAsked);
        EXPECT_EQ("0", r.enScore);
        EXPECT_EQ("0", r.jaAsked);
        EXPECT_EQ("0", r.jaScore);
    }
}

TEST_F(Banks, AOneFieldLineShiftsTheLaterRecords) {
    ASSERT_FALSE(LoadWords("eword", Crlf({"apple", "りんご", "bank,銀行"})));
    EXPECT_EQ(2, p.m.WordCount);
    EXPECT_EQ("りんご", p.m.WordTbl[0].meaning);
    EXPECT_EQ("bank", p.m.WordTbl[1].word);
}

TEST_F(Banks, TrailingEmptyLinesAddNoRecord) {
    ASSERT_FALSE(LoadWords("eword", Crlf({"apple,りんご", "", ""})));
    EXPECT_EQ(1, p.m.WordCount);
}

TEST_F(Banks, KanaHeadwordInAnEnglishHeadedDatabase) {
    host.Expect("Data error 'eword.txt'  No= 5  あひる");
    EXPECT_TRUE(LoadWords("eword", Crlf({"a,1", "b,2", "c,3", "d,4", "e,5", "あひる,duck", "f,6"})));
}

TEST_F(Banks, TheHeadwordCheckFollowsCharacterCodes) {
    const struct {
        const char* name;
        const char* word;
        bool rejected;
    } rows[] = {
        {"eword", "_under", false}, {"eword", "{brace", true}, {"eword", "~tilde", true},
        {"eword", "", false},       {"Zword", "ｶﾅ", true},     {"1word", "あひる", false},
        {"単語", "あひる", false},  {"[word", "あ", true},     {"{word", "あ", false},
    };
    for (const auto& r : rows) {
        RecordingHost h;
        RecordingPlayer pl;
        Program q(h, pl, dir.path());
        h.AllowAnyMessage();
        q.m.WordDbName[0] = r.name;
        dir.WriteCp932(std::string(r.name) + ".txt", std::string("\"") + r.word + "\",x\r\n");
        bool ended = false;
        try {
            LoadWordDatabase(q);
        } catch (const ProgramEnd&) {
            ended = true;
        }
        EXPECT_EQ(r.rejected, ended) << r.name << " " << r.word;
    }
}

TEST_F(Banks, MissingWordDatabase) {
    p.m.WordDbName[0] = "none";
    host.Expect("File 'none' not found. Check setup 'qbx.txt'");
    EXPECT_TRUE(Run(LoadWordDatabase));
}

TEST_F(Banks, WordTableHoldsExactly20001Records) {
    std::string text;
    for (int i = 0; i < kWordRows; ++i) text += "w" + std::to_string(i) + ",m\r\n";
    ASSERT_FALSE(LoadWords("eword", text));
    EXPECT_EQ(20001, p.m.WordCount);
    EXPECT_EQ("w20000", p.m.WordTbl[20000].word);

    host.Expect("File 'eword' not found. Check setup 'qbx.txt'\r\n"
                "(it holds more than 20,001 records; split it into smaller databases)");
    EXPECT_TRUE(LoadWords("eword", text + "one,too many\r\n"));
}

TEST_F(Banks, Utf8AndCodePage932GiveTheSameTable) {
    const std::string text = Crlf({"apple,りんご～", "bank,銀行－"});
    ASSERT_FALSE(LoadWords("eword", text));
    const auto cp932 = p.m.WordTbl;
    dir.WriteBytes("eword.txt", text);  // UTF-8 bytes as they are
    ASSERT_FALSE(Run(LoadWordDatabase));
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(cp932[static_cast<std::size_t>(i)].word, p.m.WordTbl[static_cast<std::size_t>(i)].word);
        EXPECT_EQ(cp932[static_cast<std::size_t>(i)].meaning, p.m.WordTbl[static_cast<std::size_t>(i)].meaning);
    }
    dir.WriteBytes("eword.txt", "\xEF\xBB\xBF" + text);
    ASSERT_FALSE(Run(LoadWordDatabase));
    EXPECT_EQ("apple", p.m.WordTbl[0].word);
}

TEST_F(Banks, TestCountCountsALastQuestionWithoutCommentary) {
    ASSERT_FALSE(LoadTests({"q0", "a,b,c,d,A", "c0", "q1", "a,b,c,d,A", "c1", "q2", "a,b,c,d,A"}));
    EXPECT_EQ(3, p.m.TestCount);
    EXPECT_EQ("", p.m.TestLine[8]);
    EXPECT_EQ(0, p.m.TestRec[3][0].value());
}

TEST_F(Banks, BackslashNInAQuestionOrChoiceLine) {
    std::vector<std::string> lines{"q0", "a,b,c,d,A", "c0\\nsecond", "q1", "a,b,c,d,A", "c1",
                                   "q2", "a,b,c,d,A", "c2",         "stray \\n line"};
    host.Expect("Data error found : Line= 3*3 :stray \\n line");
    EXPECT_TRUE(LoadTests(lines));

    lines.back() = "q3";
    lines.push_back("a,b\\n,c,d,A");  // line 10 = 3q+1 for q = 3
    host.Expect("Data error found : Line= 3*3 :q3");
    EXPECT_TRUE(LoadTests(lines));
    EXPECT_EQ(4, p.m.TestCount);

    host.Expect("Data error found : Line= 0*3 :q\\n0");
    EXPECT_TRUE(LoadTests({"q\\n0", "a,b,c,d,A", "c0"}));
}

TEST_F(Banks, BackslashNInACommentaryIsFine) {
    EXPECT_FALSE(LoadTests({"q0", "a,b,c,d,A", "line one\\nline two"}));
    EXPECT_EQ(1, p.m.TestCount);
}

TEST_F(Banks, TestDatabaseHoldsAtMost2998Lines) {
    std::vector<std::string> lines;
    for (int i = 0; i < 2998; ++i) lines.push_back(i % 3 == 1 ? "a,b,c,d,A" : "line");
    ASSERT_FALSE(LoadTests(lines));
    EXPECT_EQ(999, p.m.TestCount);

    lines.push_back("one more");
    host.Expect("The test database 'ptest.txt' has more than 2,998 lines.\r\n"
                "It can hold at most 999 questions of three lines each.");
    EXPECT_TRUE(LoadTests(lines));
}

TEST_F(Banks, MissingTestDatabase) {
    p.m.TestDbName[0] = "pnone";
    host.Expect("File 'pnone' not found. Check setup 'qbx.txt'");
    EXPECT_TRUE(Run(LoadTestDatabase));
}

TEST_F(Banks, ASmallerReloadClearsOldLines) {
    ASSERT_FALSE(LoadTests({"q0", "a,b,c,d,A", "c0", "q1", "a,b,c,d,A", "c1"}));
    ASSERT_FALSE(LoadTests({"q0", "a,b,c,d,A", "c0"}));
    EXPECT_EQ(1, p.m.TestCount);
    EXPECT_EQ("", p.m.TestLine[3]);
}

}  // namespace
}  // namespace kelvora::test
