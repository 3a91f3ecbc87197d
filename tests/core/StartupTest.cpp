// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up from the settings file to the learning records, and shutdown.
#include "Fixture.h"
#include "files/Prefetch.h"
#include "startup/Startup.h"

#include <atomic>
#include <chrono>
#include <future>
#include <tuple>

namespace kelvora::test {
namespace {

using Startup = ProgramFixture;

const char* const kMissingLibrary =
    "VBMP3.DLLがありません。\r\n"
    "　README.md#the-mp3-player-library からダウンロードしてください\r\n"
    "＊詳細はhelp01.htmをご覧下さい";

TEST_F(Startup, LoadsSettingsBanksAndFillsTheSetupDialog) {
    WriteStandardFiles(11, 30);
    ASSERT_FALSE(Fire(form1::Form_Load));
    EXPECT_EQ("Kelvora  Ver1.40", p.Form1.caption);  // the project's version
    EXPECT_TRUE(p.Form1.visible && p.Form2.visible && !p.Form3.visible);
    const Model& m = p.m;
    EXPECT_EQ((std::vector<double>{3, 1, 11, 0, 30}), (std::vector<double>{m.WordDbCount, m.TestDbCount, m.SetupQmd, m.AutoFix, static_cast<double>(m.WaitSec)}));
    EXPECT_EQ((std::vector<std::string>{"eword", "etrain", "ptest"}),
              (std::vector<std::string>{m.WordDbName[0], m.WordDbName[2], m.TestDbName[0]}));
    // The setup dialog: lists, check boxes, mode, Auto FIX patch, wait.
    const Form3Model& f = p.Form3;
    EXPECT_EQ("\r\neword\r\nefix\r\netrain", f.Text1.text);
    EXPECT_EQ("\r\nptest", f.Text2.text);
    EXPECT_EQ(" 11", f.Text3.text);
    EXPECT_EQ((std::vector<int>{1, 1, 0, 0, 1, 0}),
              (std::vector<int>{f.Check1.value, f.Check2.value, f.Check3.value, f.Option1.value, f.Option2.value,
                                m.DrillFlag}));
    // The banks, counters at "0", and a quiz that has not started.
    EXPECT_EQ(3, m.WordCount);
    EXPECT_EQ("bank=銀行 0", m.Word(1).word + "=" + m.Word(1).meaning + " " + m.Word(1).score[1]);
    EXPECT_EQ(2, m.TestCount);
    EXPECT_EQ("Go &now&.", m.TestLine[3]);
    EXPECT_EQ(-1, m.ChosenAnswer);
    EXPECT_EQ(RunState::Idle, m.QuizState);
    EXPECT_EQ((std::vector<std::string>{"init", "getState", "getEncodeState", "getVersion"}), player.log);
    EXPECT_TRUE(host.log.empty());
}

TEST_F(Startup, NegativeCountsLoadTheSameListsWithTheBoxesOff) {
    WriteStandardFiles();
    dir.WriteCp932("qbx.txt", Settings(-1, {"eword", "efix"}, 0, {}, 2, 1, 20));
    dir.WriteCp932("eword.txt", Crlf({"apple,りんご", "zzzzzzzz,end"}));
    host.Expect("File 'efix' not found. Check setup 'qbx.txt'\r\nNothing was merged.");  // Auto FIX patch on
    host.Expect("File '' not found. Check setup 'qbx.txt'");  // no test database listed
    EXPECT_TRUE(Fire(form1::Form_Load));
    EXPECT_EQ(-2, p.m.WordDbCount);
    EXPECT_EQ(2, p.m.WordCount);
    EXPECT_EQ((std::vector<int>{0, 0, 1}), (std::vector<int>{p.Form3.Check1.value, p.Form3.Check2.value, p.Form3.Check3.value}));
    EXPECT_EQ("\r\neword\r\nefix", p.Form3.Text1.text);
    EXPECT_EQ(" 2", p.Form3.Text3.text);
}

TEST_F(Startup, MissingPlayerLibraryEndsBeforeReadingSettings) {
    player.missing = true;
    host.Expect(kMissingLibrary);
    EXPECT_TRUE(Fire(form1::Form_Load));
    EXPECT_TRUE(p.Form2.visible);  // the comment window is already open
    EXPECT_EQ("", p.m.WordDbName[0]);
    EXPECT_EQ("Text1", p.Form3.Text1.text);
    EXPECT_EQ((std::vector<std::string>{"MsgBox:" + std::string(kMissingLibrary), "End"}), host.log);
}

TEST_F(Startup, AnOldPlayerVersionWarnsAndGoesOn) {
    for (int version : {160, 161}) {
        ScratchProgram s;
        s.WriteStandardFiles();
        s.player.version = version;
        if (version < 161) s.host.Expect("Please update VBMP3 version");
        EXPECT_FALSE(s.Fire(form1::Form_Load));
        EXPECT_EQ(3, s.p.m.WordCount);
    }
}

TEST_F(Startup, BadSettingsFilesStopStartUpNamingTheLine) {
    const struct {
        const char* file;  // nullptr: no file
        const char* message;
    } rows[] = {
        {nullptr, ""},
        {"", "The settings file 'qbx.txt', line 1: the file ends where the number of word databases should be."},
        {" 2 \r\n", "The settings file 'qbx.txt', line 2: the file ends where the number of test databases should be."},
        {" two \r\n", "The settings file 'qbx.txt', line 1: the number of word databases is not a number: 'two'"},
        {" 2 \r\n 1 \r\neword\r\n",
         "The settings file 'qbx.txt', line 4: the file ends where word-database name 2 of 2 should be."},
        {" 1 \r\n 1 \r\neword\r\nptest\r\n 1 \r\n 0 \r\n",
         "The settings file 'qbx.txt', line 7: the file ends where the wait time should be."},
        {" 1 \r\n 1 \r\neword\r\nptest\r\nx\r\n",
         "The settings file 'qbx.txt', line 5: the mode number is not a number: 'x'"},
        {" 1 \r\n-102 \r\n",
         "The settings file 'qbx.txt', line 2: it lists 102 test-database names; at most 101 are allowed."},
        {" 1 \r\n 1 \r\neword\r\nptest\r\n 1 \r\n 0 \r\n 40000 \r\n",
         "The settings file 'qbx.txt', line 7: the wait time is outside -32768 to 32767:  40000"},
        {" 1 \r\n 1 \r\neword\r\nptest\r\n 99999 \r\n 0 \r\n 20 \r\n",
         "The settings file 'qbx.txt' holds a mode number outside -32768 to 32767:  99999"},
    };
    for (const auto& r : rows) {
        ScratchProgram s;
        if (r.file) s.dir.WriteBytes("qbx.txt", r.file);
        s.host.Expect(r.file ? r.message
                             : "The settings file 'qbx.txt' cannot be opened.\r\nKelvora looks for it in " +
                                   s.dir.path().string() + ".\r\nKelvora cannot start without it.");
        EXPECT_TRUE(s.Fire(form1::Form_Load));
        EXPECT_EQ(0, s.p.m.WordCount);  // nothing was loaded
    }
}

TEST_F(Startup, UnloadStopsThePlayerInOrderAndSavesNothing) {
    WriteStandardFiles();
    ASSERT_FALSE(Fire(form1::Form_Load));
    player.log.clear();
    EXPECT_TRUE(Fire(form1::Form_Unload));
    EXPECT_EQ((std::vector<std::string>{"stop", "close", "stopCallback", "free"}), player.log);
    EXPECT_FALSE(dir.Exists("eword.dat"));
    EXPECT_FALSE(dir.Exists("ptest.dat"));
    EXPECT_EQ(std::vector<std::string>{"End"}, host.log);
}

// The files start-up reads, read ahead on a thread while the windows are
// made (the word record read into the word table there): what loads is
// what start-up reads itself, also when a file changes after it was read
// ahead.
TEST(Prefetch, StartUpLoadsWhatItWouldReadItself) {
    // kLate: the reading is not done when start-up needs it, which then
    // does not wait for it.
    enum Change { kNone, kBoth, kRecordOnly, kLate };
    for (const Change change : {kNone, kBoth, kRecordOnly, kLate}) {
        SCOPED_TRACE(change == kNone         ? "unchanged"
                     : change == kBoth       ? "both changed"
                     : change == kRecordOnly ? "the record changed"
                                             : "read ahead too late");
        ScratchProgram ahead, itself;
        for (ScratchProgram* s : {&ahead, &itself}) {
            s->WriteStandardFiles(11, 30);
            s->dir.WriteBytes("eword.dat", "\xEF\xBB\xBF 5, 3,0,0\r\n0,0, 5,-1\r\n");  // as an editor may save it
        }
        std::promise<void> release;
        std::shared_future<void> released = release.get_future().share();
        // Late, the reading starts only once start-up is done (or, should
        // start-up wait for it, after ten seconds, which the case reports).
        std::atomic<bool> waitedFor = false;
        FilePrefetch prefetch(ahead.dir.path(), change == kLate ? std::chrono::milliseconds(0) : std::chrono::hours(1), [&] {
            if (change == kLate) waitedFor = released.wait_for(std::chrono::seconds(10)) == std::future_status::timeout;
        });
        struct Release {  // before the reading thread is waited for, however the case ends
            std::promise<void>& promise;
            ~Release() { promise.set_value(); }
        } releaseAtEnd{release};
        Program p(ahead.host, ahead.player, ahead.dir.path(), prefetch);
        if (change != kLate) prefetch.TakeWordTable(ahead.dir.path() / "none.txt", "none");  // the reading done
        for (ScratchProgram* s : {&ahead, &itself}) {
            if (change == kBoth) s->dir.WriteCp932("eword.txt", Crlf({"ant,蟻", "bee,蜂", "zzzzzzzz,end"}));
            if (change == kBoth || change == kRecordOnly) s->dir.WriteBytes("eword.dat", " 9, 9,0,0\r\n");
        }
        form1::Form_Load(p);
        EXPECT_FALSE(waitedFor);
        ASSERT_FALSE(itself.Fire(form1::Form_Load));
        ASSERT_EQ(itself.p.m.WordCount, p.m.WordCount);
        for (int row = 0; row < itself.p.m.WordCount; ++row) {
            const WordRow &a = p.m.Word(row), &b = itself.p.m.Word(row);
            EXPECT_EQ(std::tie(b.word, b.meaning, b.asked, b.score), std::tie(a.word, a.meaning, a.asked, a.score)) << row;
        }
        EXPECT_EQ(itself.p.m.TestCount, p.m.TestCount);
        EXPECT_EQ(itself.p.Form3.Text1.text, p.Form3.Text1.text);
    }
}

}  // namespace
}  // namespace kelvora::test
