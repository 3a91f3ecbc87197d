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

TEST_F(Records, EndWritesUntouchedRecordsAndEnds) {
    dir.WriteCp932("eword.txt", Crlf({"a,1", "b,2", "c,3"}));
    ASSERT_FALSE(Run(form1::Form_Load));
    EXPECT_TRUE(Run(form1::Command5_Click));
    EXPECT_EQ("0,0,0,0\r\n0,0,0,0\r\n0,0,0,0\r\n", dir.ReadBytes("eword.dat"));
    EXPECT_EQ(" 0, 0\r\n 0, 0\r\n", dir.ReadBytes("ptest.dat"));
    EXPECT_EQ(std::vector<std::string>{"End"}, host.log);
    EXPECT_TRUE(player.log.size() == 4u);  // start-up's calls only: END skips the unload steps
}

TEST_F(Records, RoundTripOfJudgedValues) {
    dir.WriteBytes("eword.dat", " 10, 7,0,0\r\n 5,-1, 5, 3\r\n");
    dir.WriteBytes("ptest.dat", " 30,-1\r\n 20, 12\r\n");
    ASSERT_FALSE(Run(form1::Form_Load));
    EXPECT_EQ("10", p.m.WordTbl[0].enAsked);
    EXPECT_EQ("-1", p.m.WordTbl[1].enScore);
    EXPECT_EQ("0", p.m.WordTbl[2].enAsked);
    EXPECT_EQ(30, p.m.TestRec[0][0].value());
    EXPECT_EQ(-1, p.m.TestRec[0][1].value());
    EXPECT_EQ(12, p.m.TestRec[1][1].value());
    // What judging stores goes out as it is held.
    p.m.WordTbl[2].jaAsked = " 5";
    p.m.WordTbl[2].jaScore = "-1";
    EXPECT_TRUE(Run(form1::Command5_Click));
    EXPECT_EQ("10,7,0,0\r\n5,-1,5,3\r\n0,0, 5,-1\r\n0,0,0,0\r\n0,0,0,0\r\n", dir.ReadBytes("eword.dat"));
    EXPECT_EQ(" 30,-1\r\n 20, 12\r\n", dir.ReadBytes("ptest.dat"));
}

TEST_F(Records, ABadRowKeepsTheRowsBeforeIt) {
    dir.WriteBytes("eword.dat", "1,1,1,1\r\n2,2,2,2\r\n3,3\r\n");
    dir.WriteBytes("ptest.dat", " 5, 1\r\nfive, 2\r\n 7, 7\r\n");
    ASSERT_FALSE(Run(form1::Form_Load));
    EXPECT_EQ("2", p.m.WordTbl[1].jaScore);
    // The short line shifts "3,3" and the end: no whole row, nothing taken.
    EXPECT_EQ("0", p.m.WordTbl[2].enAsked);
    EXPECT_EQ(5, p.m.TestRec[0][0].value());
    EXPECT_EQ(0, p.m.TestRec[1][0].value());
}

TEST_F(Records, AShortLineShiftsTheLaterRows) {
    dir.WriteBytes("eword.dat", "1,1\r\n2,2,3,3\r\n4,4\r\n");
    ASSERT_FALSE(Run(form1::Form_Load));
    EXPECT_EQ("1", p.m.WordTbl[0].enAsked);
    EXPECT_EQ("2", p.m.WordTbl[0].jaAsked);
    EXPECT_EQ("3", p.m.WordTbl[1].enAsked);
    EXPECT_EQ("4", p.m.WordTbl[1].jaAsked);
}

TEST_F(Records, AShorterFileFillsOnlyItsRowsALongerOneFillsBeyond) {
    dir.WriteBytes("eword.dat", "1,1,1,1\r\n2,2,2,2\r\n");
    dir.WriteBytes("ptest.dat", " 1, 1\r\n 2, 2\r\n 3, 3\r\n 4, 4\r\n");
    ASSERT_FALSE(Run(form1::Form_Load));
    EXPECT_EQ("2", p.m.WordTbl[1].enAsked);
    EXPECT_EQ("0", p.m.WordTbl[2].enAsked);
    EXPECT_EQ("0", p.m.WordTbl[4].jaScore);
    EXPECT_EQ(4, p.m.TestRec[3][1].value());  // beyond the two questions
}

TEST_F(Records, ValuesOutsideSixteenBitsStopTheTestRecord) {
    dir.WriteBytes("ptest.dat", " 1, 1\r\n 32768, 2\r\n 3, 3\r\n");
    ASSERT_FALSE(Run(form1::Form_Load));
    EXPECT_EQ(1, p.m.TestRec[0][0].value());
    EXPECT_EQ(0, p.m.TestRec[1][0].value());
    EXPECT_EQ(0, p.m.TestRec[2][0].value());
}

TEST_F(Records, TablesNeverOverflowOnAHugeRecordFile) {
    std::string words, tests;
    for (int i = 0; i < kWordRows + 5; ++i) words += "1,2,3,4\r\n";
    for (int i = 0; i < kTestRecRows + 5; ++i) tests += " 1, 2\r\n";
    dir.WriteBytes("eword.dat", words);
    dir.WriteBytes("ptest.dat", tests);
    ASSERT_FALSE(Run(form1::Form_Load));
    EXPECT_EQ("4", p.m.WordTbl[20000].jaScore);
    EXPECT_EQ(2, p.m.TestRec[1000][1].value());
}

TEST_F(Records, AReadOnlyRecordIsReportedKeptWholeAndEndCanBePressedAgain) {
    dir.WriteBytes("eword.dat", "9,9,9,9\r\n");
    ASSERT_FALSE(Run(form1::Form_Load));
    const auto file = dir.path() / "eword.dat";
    ::chmod(file.c_str(), 0444);
    p.m.WordTbl[0].enAsked = " 14";
    host.Expect("The learning record 'eword.dat' could not be saved: the file is read-only.\r\n"
                "The file on disk is unchanged and this run's answers are still here.\r\n"
                "Fix the cause and press END again.");
    EXPECT_FALSE(Run(form1::Command5_Click));
    EXPECT_EQ("9,9,9,9\r\n", dir.ReadBytes("eword.dat"));
    EXPECT_FALSE(dir.Exists("ptest.dat"));

    ::chmod(file.c_str(), 0644);
    EXPECT_TRUE(Run(form1::Command5_Click));
    EXPECT_EQ(" 14,9,9,9\r\n0,0,0,0\r\n0,0,0,0\r\n0,0,0,0\r\n0,0,0,0\r\n", dir.ReadBytes("eword.dat"));
    EXPECT_TRUE(dir.Exists("ptest.dat"));
}

TEST_F(Records, ADiskThatFillsUpLeavesBothOldFilesByteForByte) {
    dir.WriteBytes("eword.dat", "1,1,1,1\r\n");
    dir.WriteBytes("ptest.dat", " 9, 9\r\n");
    ASSERT_FALSE(Run(form1::Form_Load));
    p.m.WordTbl[0].enAsked = " 6";
    {
        FileSizeLimit limit(20);  // the word record needs 41 bytes
        host.Expect("The learning record 'eword.dat' could not be saved: the file is too large.\r\n"
                    "The file on disk is unchanged and this run's answers are still here.\r\n"
                    "Fix the cause and press END again.");
        EXPECT_FALSE(Run(form1::Command5_Click));
    }
    EXPECT_EQ("1,1,1,1\r\n", dir.ReadBytes("eword.dat"));
    EXPECT_EQ(" 9, 9\r\n", dir.ReadBytes("ptest.dat"));
    int files = 0;
    for (auto& e : std::filesystem::directory_iterator(dir.path())) (void)e, ++files;
    EXPECT_EQ(5, files);  // qbx, two banks, two records: no temporary file left
    EXPECT_TRUE(Run(form1::Command5_Click));
    EXPECT_EQ(" 6,1,1,1\r\n0,0,0,0\r\n0,0,0,0\r\n0,0,0,0\r\n0,0,0,0\r\n", dir.ReadBytes("eword.dat"));
}

TEST_F(Records, EmptyBanksGetEmptyRecordFiles) {
    dir.WriteBytes("eword.txt", "");
    dir.WriteBytes("ptest.txt", "");
    ASSERT_FALSE(Run(form1::Form_Load));
    EXPECT_EQ(0, p.m.WordCount);
    EXPECT_EQ(0, p.m.TestCount);
    EXPECT_TRUE(Run(form1::Command5_Click));
    EXPECT_EQ("", dir.ReadBytes("eword.dat"));
    EXPECT_EQ("", dir.ReadBytes("ptest.dat"));
}

}  // namespace
}  // namespace kelvora::test
