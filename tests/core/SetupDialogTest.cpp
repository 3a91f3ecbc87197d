// SPDX-License-Identifier: GPL-3.0-or-later
// The setup dialog: lists out of the text boxes, "Save ", "Quit" and
// "FIX Data merge", and the settings file they write and read.
#include <sys/stat.h>

#include "Fixture.h"
#include "files/Settings.h"
#include "setup/SetupDialog.h"

namespace kelvora::test {
namespace {

const char* const kSaved =
    "設定を有効にするために、一度、 終了します。　起動できない場合はqbx.txtを修正してください";

TEST(ExtractList, FollowsTheListRules) {
    const struct {
        const char* text;
        std::vector<std::string> names;
    } rows[] = {
        {"", {}},
        {"\r\neword\r\nefix", {"eword", "efix"}},
        {"first\r\nsecond", {"second"}},
        {"\r\na\r\n\r\nb", {"a", "", "b"}},
        {"\r\na\r\n", {"a", ""}},
        {"\r\n  lead \r\n単語", {"  lead ", "単語"}},
    };
    for (const auto& r : rows) EXPECT_EQ(r.names, ExtractList(r.text)) << r.text;
}

TEST(SettingsFile, RoundTripsEveryField) {
    SettingsData s;
    s.wordDbCount = -3;
    s.testDbCount = 2;
    s.wordDbNames = {"  leading blanks", "単語帳", ""};
    s.testDbNames = {"ptest", "p 試験"};
    s.setupQmd = 2.5;
    s.autoFix = 2;
    s.waitSec = 30;
    const std::string text = SettingsText(s);
    EXPECT_EQ("-3 \r\n 2 \r\n  leading blanks\r\n単語帳\r\n\r\nptest\r\np 試験\r\n 2.5 \r\n 2 \r\n 30 \r\nEOF\r\n", text);
    std::string error;
    const auto back = ParseSettings(text, false, &error);
    ASSERT_TRUE(back) << error;
    EXPECT_EQ(text, SettingsText(*back));  // every field read back as it was
}

struct Setup : ProgramFixture {
    void SetUp() override {
        WriteStandardFiles(11, 20);
        ASSERT_FALSE(Fire(form1::Form_Load));
        ASSERT_FALSE(Fire(form1::Command8_Click));
    }
};

TEST_F(Setup, SaveWritesTheDialogExactlyAndEnds) {
    p.Form3.Text1.text = "\r\nw1\r\nw2\r\n 単語";
    p.Form3.Check1.value = 0;
    p.Form3.Text3.text = "11abc";
    p.Form3.Option1.value = 0;
    p.Form3.Option2.value = 1;
    p.Form3.Check3.value = 1;
    host.Expect(kSaved);
    EXPECT_TRUE(Fire(form3::Command1_Click));
    EXPECT_EQ(std::string("-3 \r\n 1 \r\nw1\r\nw2\r\n \x92\x50\x8c\xea\r\nptest\r\n 11 \r\n 1 \r\n 30 \r\nEOF\r\n"),
              dir.ReadBytes("qbx.txt"));
    EXPECT_EQ(-3, p.m.WordDbCount);
    EXPECT_EQ(" 単語", p.m.WordDbName[2]);
    EXPECT_EQ(11, p.m.SetupQmd);
    EXPECT_EQ(30, p.m.WaitSec.value());
    EXPECT_FALSE(dir.Exists("eword.dat"));  // the learning record is not saved
    EXPECT_EQ((std::vector<std::string>{"MsgBox:" + std::string(kSaved), "End"}), host.log);
}

TEST_F(Setup, SaveTakesTheNumberAtTheStartOfTheModeBox) {
    const struct {
        const char* box;
        const char* line;
        int drill;
    } rows[] = {{"", " 0 ", 0}, {" 10", " 10 ", 1}, {"10.4", " 10.4 ", 1}, {"abc", " 0 ", 0}, {"-2x", "-2 ", 0}};
    for (const auto& r : rows) {
        p.Form3.Text3.text = r.box;
        host.Expect(kSaved);
        EXPECT_TRUE(Fire(form3::Command1_Click));
        EXPECT_EQ(" 3 \r\n 1 \r\neword\r\nefix\r\netrain\r\nptest\r\n" + std::string(r.line) + "\r\n 0 \r\n 20 \r\nEOF\r\n",
                  dir.ReadBytes("qbx.txt"));
        EXPECT_EQ(r.drill, p.m.DrillFlag) << r.box;
    }
    // Empty lists and neither wait option.
    p.Form3.Text1.text = "";
    p.Form3.Text2.text = "\r\n";
    p.Form3.Option1.value = 0;
    host.Expect(kSaved);
    EXPECT_TRUE(Fire(form3::Command1_Click));
    EXPECT_EQ(" 0 \r\n 1 \r\n\r\n-2 \r\n 0 \r\n 20 \r\nEOF\r\n", dir.ReadBytes("qbx.txt"));
}

TEST_F(Setup, AFailedSaveChangesNothingAndKeepsRunning) {
    const std::string before = dir.ReadBytes("qbx.txt");
    p.Form3.Text1.text = "\r\nother\r\nnames";
    const auto file = dir.path() / "qbx.txt";

    ::chmod(file.c_str(), 0444);
    host.Expect("The settings file 'qbx.txt' could not be saved: the file is read-only.\r\n"
                "The file on disk is unchanged; Kelvora keeps running.");
    EXPECT_FALSE(Fire(form3::Command1_Click));
    ::chmod(file.c_str(), 0644);

    p.Form3.Text2.text = "\r\n😀";
    host.Expect("The settings file 'qbx.txt' could not be saved: the character \"😀\" cannot be written in code "
                "page 932.\r\nThe file on disk is unchanged; Kelvora keeps running.");
    EXPECT_FALSE(Fire(form3::Command1_Click));
    p.Form3.Text2.text = "\r\nptest";

    std::string many;
    for (int i = 0; i < 102; ++i) many += "\r\nw" + std::to_string(i);
    p.Form3.Text1.text = many;
    host.Expect("The word-database list holds 102 names; at most 101 fit.\r\nNothing was saved.");
    EXPECT_FALSE(Fire(form3::Command1_Click));
    p.Form3.Text1.text = "\r\neword";

    p.Form3.Text3.text = "99999";
    host.Expect("The mode number 99999 is outside -32768 to 32767.\r\nNothing was saved.");
    EXPECT_FALSE(Fire(form3::Command1_Click));

    EXPECT_EQ(before, dir.ReadBytes("qbx.txt"));
    EXPECT_EQ("etrain", p.m.WordDbName[2]);
    EXPECT_EQ(3, p.m.WordDbCount);
    EXPECT_EQ(11, p.m.SetupQmd);
    EXPECT_TRUE(p.Form3.visible);
}

TEST_F(Setup, QuitRevertsToTheSavedListsAndHides) {
    p.Form3.Text1.text = "\r\nedited";
    p.Form3.Text2.text = "";
    p.Form3.Text3.text = "4";
    p.Form3.Check1.value = 0;
    p.Form3.Check3.value = 1;
    p.Form3.Option2.value = 1;
    p.Form3.Option1.value = 0;
    EXPECT_FALSE(Fire(form3::Command2_Click));
    const Form3Model& f = p.Form3;
    EXPECT_EQ((std::vector<std::string>{"\r\neword\r\nefix\r\netrain", "\r\nptest", " 11"}),
              (std::vector<std::string>{f.Text1.text, f.Text2.text, f.Text3.text}));
    EXPECT_EQ((std::vector<int>{1, 0, 1, 0, 0}),
              (std::vector<int>{f.Check1.value, f.Check3.value, f.Option1.value, f.Option2.value, f.visible}));
}

TEST_F(Setup, QuitReadsListsChangedOnDiskButEndStillSavesTheLoadedBanks) {
    dir.WriteCp932("qbx.txt", Settings(-1, {"other"}, 1, {"pother"}, 2, 1, 30));
    EXPECT_FALSE(Fire(form3::Command2_Click));
    EXPECT_EQ("\r\nother", p.Form3.Text1.text);
    EXPECT_EQ(0, p.Form3.Check1.value);
    EXPECT_EQ(" 11", p.Form3.Text3.text);  // the values held since start-up
    EXPECT_EQ("other", p.m.WordDbName[0]);
    EXPECT_TRUE(Fire(form1::Command5_Click));
    EXPECT_TRUE(dir.Exists("eword.dat"));
    EXPECT_TRUE(dir.Exists("ptest.dat"));
    EXPECT_FALSE(dir.Exists("other.dat"));
}

TEST_F(Setup, QuitWithAnUnreadableFileKeepsTheDialog) {
    p.Form3.Text1.text = "\r\nedited";
    std::filesystem::remove(dir.path() / "qbx.txt");
    host.Expect("The settings file 'qbx.txt' cannot be opened.\r\nKelvora looks for it in " + dir.path().string() +
                ".\r\nThe setup dialog keeps what it shows.");
    EXPECT_FALSE(Fire(form3::Command2_Click));
    EXPECT_EQ("\r\nedited", p.Form3.Text1.text);
    EXPECT_TRUE(p.Form3.visible);

    dir.WriteBytes("qbx.txt", " 2 \r\n 1 \r\neword\r\n");
    host.Expect("The settings file 'qbx.txt', line 4: the file ends where word-database name 2 of 2 should be.\r\n"
                "The setup dialog keeps what it shows.");
    EXPECT_FALSE(Fire(form3::Command2_Click));
    EXPECT_EQ("\r\nedited", p.Form3.Text1.text);
}

TEST_F(Setup, FixDataMergeMergesAndKeepsTheDialogOpen) {
    dir.WriteCp932("efix.txt", Crlf({"BANK,土手"}));
    host.Expect("Fix patch Completed");
    EXPECT_FALSE(Fire(form3::Command3_Click));
    EXPECT_EQ("土手", p.m.WordTbl[1].meaning);
    EXPECT_TRUE(p.Form3.visible);
}

TEST_F(Setup, SwitchingToAnImportedDatabaseSavesTheRecordsAndPutsItFirst) {
    p.Form3.Text1.text = "\r\nunsaved edit";  // the dialog's edits are not what is written
    p.m.Word(0).asked[0] = " 5";
    dir.WriteCp932("qbx.txt", Settings(-1, {"eword", "efix", "mine"}, 1, {"ptest"}, 11, 0, 30));
    MemoryHistory history;
    p.history = &history;
    // From the menu: saved as "END" saves, the session kept, the folder let
    // go and the program ended, to start again on "mine".
    EXPECT_TRUE(Fire([](Program& q) { form1::Menu_DrillWordDatabase(q, "mine"); }));
    EXPECT_TRUE(p.restartWanted);
    EXPECT_EQ(1u, history.sessions.size());
    EXPECT_EQ(" 3 \r\n 1 \r\nmine\r\neword\r\nefix\r\nptest\r\n 11 \r\n 0 \r\n 30 \r\nEOF\r\n",
              dir.ReadBytes("qbx.txt"));
    EXPECT_EQ(" 5,0,0,0\r\n0,0,0,0\r\n0,0,0,0\r\n", dir.ReadBytes("eword.dat"));

    dir.WriteBytes("qbx.txt", " 2 \r\n");
    host.Expect("Kelvora cannot put 'other' into the settings: The settings file 'qbx.txt', line 2: the file ends where "
                "the number of test databases should be.\r\nNothing was changed; choose it in Setup instead.");
    EXPECT_FALSE(SwitchWordDatabase(p, "other"));
    EXPECT_EQ(" 2 \r\n", dir.ReadBytes("qbx.txt"));
}

TEST(AutoFixPatch, MergesAtStartUpBeforeTheRecordsAreUsed) {
    ScratchProgram s;
    s.WriteStandardFiles();
    s.dir.WriteCp932("qbx.txt", Settings(1, {"eword", "efix"}, 1, {"ptest"}, 1, 1, 20));
    s.dir.WriteCp932("efix.txt", Crlf({"apple,林檎"}));
    s.dir.WriteBytes("eword.dat", "5,5,5,5\r\n");
    s.host.Expect("Fix patch Completed");
    ASSERT_FALSE(s.Fire(form1::Form_Load));
    EXPECT_EQ("林檎", s.p.m.WordTbl[0].meaning);
    EXPECT_EQ("5", s.p.m.WordTbl[0].asked[0]);
    EXPECT_EQ(1, s.p.Form3.Check3.value);
}

}  // namespace
}  // namespace kelvora::test
