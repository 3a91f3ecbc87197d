// SPDX-License-Identifier: GPL-3.0-or-later
// Learning records: read at start-up, written by "END".
#include <sys/stat.h>

#include "Fixture.h"
#include "files/LearningRecord.h"

namespace kelvora::test {
namespace {

struct Records : ProgramFixture {
    void SetUp() override {
        WriteStandardFiles();
        dir.WriteCp932("eword.txt", Crlf({"a,1", "b,2", "c,3", "d,4", "zzzzzzzz,5"}));
    }
};

TEST_F(Records, ReadAndWrittenBack) {
    const std::string zero = "0,0,0,0\r\n";
    const struct {
        const char* name;
        std::string words, tests;            // the files before
        std::string wordsAfter, testsAfter;  // and after END
    } rows[] = {
        {"no records yet", "", "", zero + zero + zero + zero + zero, " 0, 0\r\n 0, 0\r\n"},
        {"judged values go out as they are held", " 10, 7,0,0\r\n 5,-1, 5, 3\r\n", " 30,-1\r\n 20, 12\r\n",
         "10,7,0,0\r\n5,-1,5,3\r\n" + zero + zero + zero, " 30,-1\r\n 20, 12\r\n"},
        {"a short row takes nothing; the rows before it stay", "1,1,1,1\r\n2,2,2,2\r\n3,3\r\n",
         " 5, 1\r\nfive, 2\r\n 7, 7\r\n", "1,1,1,1\r\n2,2,2,2\r\n" + zero + zero + zero, " 5, 1\r\n 0, 0\r\n"},
        {"a short line shifts the later rows", "1,1\r\n2,2,3,3\r\n4,4\r\n", "",
         "1,1,2,2\r\n3,3,4,4\r\n" + zero + zero + zero, " 0, 0\r\n 0, 0\r\n"},
        {"values outside 16 bits stop the test record", "", " 1, 1\r\n 32768, 2\r\n 3, 3\r\n",
         zero + zero + zero + zero + zero, " 1, 1\r\n 0, 0\r\n"},
    };
    for (const auto& r : rows) {
        ScratchProgram s;
        s.WriteStandardFiles();
        s.dir.WriteCp932("eword.txt", Crlf({"a,1", "b,2", "c,3", "d,4", "zzzzzzzz,5"}));
        if (!r.words.empty()) s.dir.WriteBytes("eword.dat", r.words);
        if (!r.tests.empty()) s.dir.WriteBytes("ptest.dat", r.tests);
        ASSERT_FALSE(s.Fire(form1::Form_Load)) << r.name;
        EXPECT_TRUE(s.Fire(form1::Command5_Click)) << r.name;
        EXPECT_EQ(r.wordsAfter, s.dir.ReadBytes("eword.dat")) << r.name;
        EXPECT_EQ(r.testsAfter, s.dir.ReadBytes("ptest.dat")) << r.name;
        EXPECT_EQ(std::vector<std::string>{"End"}, s.host.log);
        EXPECT_EQ(4u, s.player.log.size());  // start-up's calls only: END skips the unload steps
    }
}

TEST_F(Records, RowsBeyondTheBankAreReadButNotWritten) {
    std::string words, tests;
    for (int i = 0; i < kWordRows + 5; ++i) words += "1,2,3,4\r\n";
    for (int i = 0; i < kTestRecRows + 5; ++i) tests += " 1, 2\r\n";
    dir.WriteBytes("eword.dat", words);
    dir.WriteBytes("ptest.dat", tests);
    ASSERT_FALSE(Fire(form1::Form_Load));
    EXPECT_EQ("4", p.m.WordTbl[20000].score[1]);  // the tables never overflow
    EXPECT_EQ(2, p.m.TestRec[1000].score.value());
    EXPECT_EQ(2, p.m.TestRec[3].score.value());  // beyond the two questions
    EXPECT_TRUE(Fire(form1::Command5_Click));
    EXPECT_EQ(5u * 9, dir.ReadBytes("eword.dat").size());
    EXPECT_EQ(" 1, 2\r\n 1, 2\r\n", dir.ReadBytes("ptest.dat"));
}

TEST_F(Records, AFailedSaveIsReportedKeepsBothOldFilesAndEndCanBePressedAgain) {
    const std::string message = "The learning record 'eword.dat' could not be saved: %.\r\n"
                                "The file on disk is unchanged and this run's answers are still here.\r\n"
                                "Fix the cause and press END again.";
    auto told = [&](const std::string& reason) {
        std::string m = message;
        return m.replace(m.find('%'), 1, reason);
    };
    dir.WriteBytes("eword.dat", "9,9,9,9\r\n");
    dir.WriteBytes("ptest.dat", " 9, 9\r\n");
    ASSERT_FALSE(Fire(form1::Form_Load));
    p.m.WordTbl[0].asked[0] = " 14";
    const auto file = dir.path() / "eword.dat";
    ::chmod(file.c_str(), 0444);
    host.Expect(told("the file is read-only"));
    EXPECT_FALSE(Fire(form1::Command5_Click));
    ::chmod(file.c_str(), 0644);
    EXPECT_EQ("9,9,9,9\r\n", dir.ReadBytes("eword.dat"));
    EXPECT_EQ(" 9, 9\r\n", dir.ReadBytes("ptest.dat"));
    int files = 0;
    for (auto& e : std::filesystem::directory_iterator(dir.path())) (void)e, ++files;
    EXPECT_EQ(5, files);  // qbx, two banks, two records: no temporary file left

    EXPECT_TRUE(Fire(form1::Command5_Click));
    EXPECT_EQ(" 14,9,9,9\r\n0,0,0,0\r\n0,0,0,0\r\n0,0,0,0\r\n0,0,0,0\r\n", dir.ReadBytes("eword.dat"));
    EXPECT_EQ(" 9, 9\r\n 0, 0\r\n", dir.ReadBytes("ptest.dat"));
}

TEST_F(Records, EmptyBanksGetEmptyRecordFiles) {
    dir.WriteBytes("eword.txt", "");
    dir.WriteBytes("ptest.txt", "");
    ASSERT_FALSE(Fire(form1::Form_Load));
    ASSERT_TRUE(Fire(form1::Command5_Click));
    EXPECT_EQ("", dir.ReadBytes("eword.dat") + dir.ReadBytes("ptest.dat"));
}

}  // namespace
}  // namespace kelvora::test
