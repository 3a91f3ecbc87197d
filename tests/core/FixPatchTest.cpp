// SPDX-License-Identifier: GPL-3.0-or-later
// Merging a fix patch into the loaded word table.
#include "Fixture.h"
#include "files/FixPatch.h"

namespace kelvora::test {
namespace {

struct FixPatch : ProgramFixture {
    void SetUp() override {
        p.m.WordDbCount = 2;
        p.m.WordDbName[0] = "eword";
        p.m.WordDbName[1] = "efix";
        Table({"apple", "Bank", "cat", "zzzzzzzz"});
    }
    void Table(const std::vector<std::string>& words) {
        for (std::size_t i = 0; i < words.size(); ++i) {
            p.m.WordTbl[i].word = words[i];
            p.m.WordTbl[i].meaning = "old " + words[i];
            p.m.WordTbl[i].asked[0] = "7";
        }
        p.m.WordCount = static_cast<int>(words.size());
    }
    MergeOutcome Merge(const std::vector<std::string>& patch) {
        dir.WriteCp932("efix.txt", Crlf(patch));
        return MergeFixPatch(p);
    }
    std::vector<std::string> Meanings() {
        std::vector<std::string> out;
        for (int i = 0; i < p.m.WordCount; ++i) out.push_back(p.m.WordTbl[static_cast<std::size_t>(i)].meaning);
        return out;
    }
};

TEST_F(FixPatch, ReplacesMeaningsIgnoringCase) {
    host.Expect("Fix patch Completed");
    EXPECT_EQ(MergeOutcome::Merged, Merge({"bank,土手", "CAT,ねこ"}));
    EXPECT_EQ((std::vector<std::string>{"old apple", "土手", "ねこ", "old zzzzzzzz"}), Meanings());
    EXPECT_EQ("Bank", p.m.WordTbl[1].word);  // words and counters stay
    EXPECT_EQ("7", p.m.WordTbl[1].asked[0]);
}

TEST_F(FixPatch, OrderMissingWordsAndDuplicates) {
    const struct {
        std::vector<std::string> patch;
        std::vector<std::string> meanings;
    } rows[] = {
        {{"cat,ねこ", "bank,土手"}, {"old apple", "old Bank", "ねこ", "old zzzzzzzz"}},  // out of order: skipped
        {{"dog,いぬ", "zzzzzzzz,おわり"}, {"old apple", "old Bank", "old cat", "おわり"}},
        {{"bank,一", "bank,二"}, {"old apple", "二", "old cat", "old zzzzzzzz"}},  // the later one wins
        {{}, {"old apple", "old Bank", "old cat", "old zzzzzzzz"}},                   // empty patch
        {{"\"apple\",\"りんご, 林檎\""}, {"りんご, 林檎", "old Bank", "old cat", "old zzzzzzzz"}},
    };
    for (const auto& r : rows) {
        SetUp();
        host.Expect("Fix patch Completed");
        EXPECT_EQ(MergeOutcome::Merged, Merge(r.patch));
        EXPECT_EQ(r.meanings, Meanings());
    }
}

TEST_F(FixPatch, AWordAfterTheEndRecordStopsTheMerge) {
    host.Expect("zzzzzzzzz  too far  2");  // j stands at cat
    EXPECT_EQ(MergeOutcome::WordPastTheEnd, Merge({"cat,ねこ", "zzzzzzzzz,too far", "zzzzzzzz,never"}));
    EXPECT_EQ("ねこ", p.m.WordTbl[2].meaning);
    EXPECT_EQ("old zzzzzzzz", p.m.WordTbl[3].meaning);

    // At start-up the program ends, as nothing has been learned yet; from
    // the setup dialog's button it goes on.
    ScratchProgram s;
    s.WriteStandardFiles();
    s.dir.WriteCp932("qbx.txt", Settings(1, {"eword", "efix"}, 1, {"ptest"}, 1, 1, 20));
    s.dir.WriteCp932("efix.txt", Crlf({"{brace,x"}));
    s.host.Expect("{brace  x  0");
    EXPECT_TRUE(s.Fire(form1::Form_Load));
    s.host.Expect("{brace  x  0");
    EXPECT_FALSE(s.Fire(form3::Command3_Click));
}

TEST_F(FixPatch, NeverReadsPastTheLoadedRows) {
    Table({"apple", "bank"});
    p.m.WordTbl[2].word = "cat";  // left over from an earlier load
    host.Expect("The fix patch 'efix.txt' holds 'cat', but the word database 'eword.txt' has no record at or after "
                "it.\r\nA word database used with a fix patch ends with a 'zzzzzzzz' record.\r\n"
                "The patch was merged up to that word.");
    EXPECT_EQ(MergeOutcome::Stopped, Merge({"bank,土手", "cat,ねこ", "dog,いぬ"}));
    EXPECT_EQ((std::vector<std::string>{"old apple", "土手"}), Meanings());
    EXPECT_EQ("old cat", p.m.WordTbl[2].meaning);
}

TEST_F(FixPatch, NoPatchSet) {
    p.m.WordDbCount = -1;
    host.Expect("No fix patch is set: the second name of the word-database list names the patch file.\r\n"
                "Nothing was merged.");
    dir.WriteCp932("efix.txt", "bank,土手\r\n");
    EXPECT_EQ(MergeOutcome::NotMerged, MergeFixPatch(p));
    EXPECT_EQ("old Bank", p.m.WordTbl[1].meaning);
}

}  // namespace
}  // namespace kelvora::test
