// SPDX-License-Identifier: GPL-3.0-or-later
// Loading the word and test databases with their checks.
#include "Fixture.h"
#include "files/QuestionBanks.h"

namespace kelvora::test {
namespace {

struct Banks : ProgramFixture {
    LoadResult LoadWords(const std::string& name, const std::string& utf8) {
        p.m.WordDbName[0] = name;
        dir.WriteCp932(name + ".txt", utf8);
        return LoadWordDatabase(p);
    }
    LoadResult LoadTests(const std::vector<std::string>& lines) {
        p.m.TestDbName[0] = "ptest";
        dir.WriteCp932("ptest.txt", Crlf(lines));
        return LoadTestDatabase(p);
    }
    std::vector<std::string> Words() {
        std::vector<std::string> out;
        for (int i = 0; i < p.m.WordCount; ++i) out.push_back(p.m.Word(i).word + "=" + p.m.Word(i).meaning);
        return out;
    }
};

TEST_F(Banks, WordRecords) {
    const struct {
        const char* name;
        std::string text;
        std::vector<std::string> words;
    } rows[] = {
        {"quotes and entry parts", Crlf({"apple|apple 1 2,りんご", "\"a, b\",\"x, y\"", " blank , 空白 "}),
         {"apple|apple 1 2=りんご", "a, b=x, y", "blank=空白"}},
        {"a one-field line shifts the later records", Crlf({"apple", "りんご", "bank,銀行"}),
         {"apple=りんご", "bank=銀行"}},
        {"trailing empty lines add no record", Crlf({"apple,りんご", "", ""}), {"apple=りんご"}},
        {"a last record without its meaning", "apple,りんご\r\nbank", {"apple=りんご", "bank="}},
    };
    for (const auto& r : rows) {
        ASSERT_TRUE(LoadWords("eword", r.text).ok()) << r.name;
        EXPECT_EQ(r.words, Words()) << r.name;
        for (int i = 0; i < p.m.WordCount; ++i) {
            EXPECT_EQ((std::array<std::string, 2>{"0", "0"}), p.m.Word(i).asked);
            EXPECT_EQ((std::array<std::string, 2>{"0", "0"}), p.m.Word(i).score);
        }
    }
}

TEST_F(Banks, TheHeadwordCheckFollowsCharacterCodes) {
    EXPECT_EQ("Data error 'eword.txt'  No= 5  あひる",
              LoadWords("eword", Crlf({"a,1", "b,2", "c,3", "d,4", "e,5", "あひる,duck", "f,6"})).failure);
    const struct {
        const char* name;
        const char* word;
        bool rejected;
    } rows[] = {
        {"eword", "_under", false}, {"eword", "{brace", true}, {"eword", "~tilde", true},
        {"eword", "", false},       {"Zword", "ｶﾅ", true},     {"1word", "あひる", false},
        {"単語", "あひる", false},  {"[word", "あ", true},     {"{word", "あ", false},
    };
    for (const auto& r : rows)
        EXPECT_EQ(r.rejected, !LoadWords(r.name, std::string("\"") + r.word + "\",x\r\n").ok()) << r.name << r.word;
}

TEST_F(Banks, WordTableHoldsExactly20001Records) {
    std::string text;
    for (int i = 0; i < kWordRows; ++i) text += "w" + std::to_string(i) + ",m\r\n";
    ASSERT_TRUE(LoadWords("eword", text).ok());
    EXPECT_EQ(20001, p.m.WordCount);
    EXPECT_EQ("w20000", p.m.WordTbl[20000].word);
#ifdef __linux__
    // In memory of its own that huge pages can back.
    EXPECT_EQ(0u, reinterpret_cast<std::uintptr_t>(p.m.WordTbl.data()) % (2u << 20));
#endif
    EXPECT_EQ("File 'eword' not found. Check setup 'qbx.txt'\r\n"
              "(it holds more than 20,001 records; split it into smaller databases)",
              LoadWords("eword", text + "one,too many\r\n").failure);
}

TEST_F(Banks, TestDatabases) {
    const std::vector<std::string> q3{"q0", "a,b,c,d,A", "c0", "q1", "a,b,c,d,A", "c1", "q2", "a,b,c,d,A"};
    ASSERT_TRUE(LoadTests(q3).ok());
    EXPECT_EQ(3, p.m.TestCount);  // a last question without commentary counts
    EXPECT_EQ("", p.m.TestLine[8]);
    EXPECT_EQ(0, p.m.TestRec[3].asked.value());

    // A smaller reload clears the old lines.
    ASSERT_TRUE(LoadTests({"q0", "a,b,c,d,A", "line one\\nline two"}).ok());  // "\n" in a commentary is fine
    EXPECT_EQ(1, p.m.TestCount);
    EXPECT_EQ("", p.m.TestLine[3]);

    std::vector<std::string> full;
    for (int i = 0; i < 2998; ++i) full.push_back(i % 3 == 1 ? "a,b,c,d,A" : "line");
    ASSERT_TRUE(LoadTests(full).ok());
    EXPECT_EQ(999, p.m.TestCount);
    full.push_back("one more");
    EXPECT_EQ("The test database 'ptest.txt' has more than 2,998 lines.\r\n"
              "It can hold at most 999 questions of three lines each.",
              LoadTests(full).failure);
}

TEST_F(Banks, BackslashNInAQuestionOrChoiceLine) {
    std::vector<std::string> lines{"q0", "a,b,c,d,A", "c0\\nsecond", "q1", "a,b,c,d,A", "c1",
                                   "q2", "a,b,c,d,A", "c2",         "stray \\n line"};
    EXPECT_EQ("Data error found : Line= 3*3 :stray \\n line", LoadTests(lines).failure);
    lines.back() = "q3";
    lines.push_back("a,b\\n,c,d,A");  // line 10 = 3q+1 for q = 3
    EXPECT_EQ("Data error found : Line= 3*3 :q3", LoadTests(lines).failure);
    EXPECT_EQ(4, p.m.TestCount);
    EXPECT_EQ("Data error found : Line= 0*3 :q\\n0", LoadTests({"q\\n0", "a,b,c,d,A", "c0"}).failure);
}

}  // namespace
}  // namespace kelvora::test
