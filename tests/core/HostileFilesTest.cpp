// SPDX-License-Identifier: GPL-3.0-or-later
// Whatever the data folder holds and whatever fails while saving, the
// learner's answers are saved or the learner is told, and nothing saved
// before is lost.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <thread>

#include "FaultyCalls.h"
#include "Fixture.h"
#include "platform/TextFile.h"

namespace kelvora::test {
namespace {

namespace fs = std::filesystem;

int FilesIn(const fs::path& dir) {
    int n = 0;
    for (const auto& e : fs::directory_iterator(dir)) (void)e, ++n;
    return n;
}

struct Hostile : ProgramFixture {
    void SetUp() override { WriteStandardFiles(); }
};

TEST_F(Hostile, EveryFailingCallOfEndAndSaveIsToldAndLosesNothing) {
    const std::string oldWords = "1,1,1,1\r\n", oldTests = " 9, 9\r\n";
    // Each save with the files it writes: what they hold before and after.
    const struct {
        const char* name;
        EventHandler event;
        std::vector<std::pair<std::string, std::pair<std::string, std::string>>> files;
    } saves[] = {
        {"END", form1::Command5_Click,
         {{"eword.dat", {oldWords, " 6,1,1,1\r\n0,0,0,0\r\n0,0,0,0\r\n"}}, {"ptest.dat", {oldTests, " 9, 9\r\n 0, 0\r\n"}}}},
        {"Save", form3::Command1_Click,
         {{"qbx.txt", {Settings(1, {"eword", "efix", "etrain"}, 1, {"ptest"}), Settings(1, {"eword"}, 1, {"ptest"})}}}},
    };
    for (const auto& save : saves) {
        int callsOfACleanSave = -1, told = 0;
        for (int failAt = 0; failAt <= callsOfACleanSave || callsOfACleanSave < 0; ++failAt) {
            for (int error : {ENOSPC, EIO, EACCES}) {
                SCOPED_TRACE(std::string(save.name) + ", call " + std::to_string(failAt) + ", errno " +
                             std::to_string(error));
                ScratchProgram s;
                s.WriteStandardFiles();
                s.dir.WriteBytes("eword.dat", oldWords);
                s.dir.WriteBytes("ptest.dat", oldTests);
                ASSERT_FALSE(s.Fire(form1::Form_Load));
                s.p.m.Word(0).asked[0] = " 6";
                s.p.Form3.Text1.text = "\r\neword";
                FaultyCalls faulty;
                faulty.failAt = failAt;  // 0: none fails
                faulty.error = error;
                s.p.sys = &faulty;
                s.host.AllowAnyMessage();
                const bool ended = s.Fire(save.event);
                if (failAt == 0) callsOfACleanSave = faulty.calls;
                // Either saved, or told and every file whole: old or new.
                if (!ended) {
                    ++told;
                    ASSERT_EQ(1u, s.host.messages.size());
                    EXPECT_NE(std::string::npos, s.host.messages.back().find("could not be saved"));
                }
                for (const auto& [name, contents] : save.files) {
                    const std::string now = s.dir.ReadBytes(name);
                    EXPECT_TRUE(now == contents.second || (!ended && now == contents.first)) << name << ": " << now;
                }
                EXPECT_EQ(5, FilesIn(s.dir.path()));  // no temporary file left
                if (ended) continue;
                // Once the cause is gone, the same button saves.
                s.p.sys = &RealSystemCalls();
                s.host.messages.clear();
                EXPECT_TRUE(s.Fire(save.event));
                for (const auto& [name, contents] : save.files) EXPECT_EQ(contents.second, s.dir.ReadBytes(name));
            }
        }
        // Only closing the folder after the last rename may fail unnoticed.
        EXPECT_EQ(3 * (callsOfACleanSave - static_cast<int>(save.files.size())), told) << save.name;
    }
}

TEST(WriteFileAtomic, SaysWhatFailed) {
    const struct {
        const char* call;
        int error;
        const char* reason;
        bool replaced;
    } rows[] = {
        {"Stat", EIO, "Input/output error", false},  // not taken for a missing file: the mode stays
        {"Access", EIO, "Input/output error", false},
        {"Access", EACCES, "the file is read-only", false},
        {"Fsync", ENOSPC, "the disk is full", false},
        {"", 0, "", false},  // no failure, and writes of one byte at a time: saved whole
    };
    for (const auto& r : rows) {
        TempDir dir;
        dir.WriteBytes("a.dat", "old");
        ::chmod((dir.path() / "a.dat").c_str(), 0600);
        FaultyCalls faulty;
        faulty.failCall = r.call;
        faulty.error = r.error;
        faulty.writeAtMost = 1;
        const WriteResult w = WriteFileAtomic(dir.path() / "a.dat", "new", faulty);
        EXPECT_EQ(r.reason, w.reason) << r.call;
        EXPECT_EQ(r.replaced, w.replaced) << r.call;
        EXPECT_EQ(*r.call ? "old" : "new", dir.ReadBytes("a.dat")) << r.call;
        struct stat st {};
        ::stat((dir.path() / "a.dat").c_str(), &st);
        EXPECT_EQ(0600u, st.st_mode & 0777) << r.call;
    }
    // The folder's sync after the rename: the new file is there, unconfirmed.
    TempDir dir;
    FaultyCalls faulty;
    faulty.error = EIO;
    faulty.failAt = 9;  // lstat, stat, open, write, fsync, close, rename, open the folder, its fsync
    const WriteResult w = WriteFileAtomic(dir.path() / "b.dat", "new", faulty);
    EXPECT_EQ("the disk did not confirm it: Input/output error", w.reason);
    EXPECT_TRUE(w.replaced);
    EXPECT_EQ("new", dir.ReadBytes("b.dat"));
}

TEST_F(Hostile, FieldsOfARecordGoBackOutByteForByte) {
    const std::string utf16 = std::string("\xFF\xFE", 2) + std::string("1\0,\0""2\0\r\0\n\0", 10);
    const struct {
        const char* name;
        std::string record, written;
    } rows[] = {
        {"a byte no code page holds", "0,0,0,\xFD\r\n", "0,0,0,\xFD\r\n0,0,0,0\r\n0,0,0,0\r\n"},
        {"a character code page 932 cannot hold", "0,0,0,😀\r\n", "0,0,0,😀\r\n0,0,0,0\r\n0,0,0,0\r\n"},
        {"a byte-order mark", "\xEF\xBB\xBF" "5,5,5,5\r\n", "5,5,5,5\r\n0,0,0,0\r\n0,0,0,0\r\n"},
        {"a record saved as UTF-16: no whole row", utf16, "0,0,0,0\r\n0,0,0,0\r\n0,0,0,0\r\n"},
    };
    for (const auto& r : rows) {
        ScratchProgram s;
        s.WriteStandardFiles();
        s.dir.WriteBytes("eword.dat", r.record);
        ASSERT_FALSE(s.Fire(form1::Form_Load)) << r.name;
        EXPECT_TRUE(s.Fire(form1::Command5_Click)) << r.name;
        EXPECT_EQ(r.written, s.dir.ReadBytes("eword.dat")) << r.name;
    }
}

TEST_F(Hostile, SavesGoThroughSymbolicLinks) {
    fs::create_directories(dir.path() / "synced");
    fs::rename(dir.path() / "qbx.txt", dir.path() / "synced" / "qbx.txt");
    fs::create_symlink("synced/qbx.txt", dir.path() / "qbx.txt");
    fs::create_symlink(dir.path() / "synced" / "eword.dat", dir.path() / "eword.dat");  // dangling until saved
    ASSERT_FALSE(Fire(form1::Form_Load));
    p.Form3.Text3.text = "4";
    host.Expect("設定を有効にするために、一度、 終了します。　起動できない場合はqbx.txtを修正してください");
    EXPECT_TRUE(Fire(form3::Command1_Click));
    EXPECT_TRUE(Fire(form1::Command5_Click));
    for (const char* link : {"qbx.txt", "eword.dat"}) EXPECT_TRUE(fs::is_symlink(dir.path() / link)) << link;
    EXPECT_NE(std::string::npos, dir.ReadBytes("synced/qbx.txt").find("ptest\r\n 4 \r\n"));
    EXPECT_EQ("0,0,0,0\r\n0,0,0,0\r\n0,0,0,0\r\n", dir.ReadBytes("synced/eword.dat"));
}

TEST_F(Hostile, FilesThatAreNoPlainFilesOrFarTooLargeGetTheMessageOfTheirKind) {
    auto fifo = [](const fs::path& f) {
        fs::remove(f);
        ::mkfifo(f.c_str(), 0644);
    };
    auto huge = [](const fs::path& f) {  // 1.3 GB, sparse: nothing is written
        fs::remove(f);
        std::ofstream(f).close();
        fs::resize_file(f, 1300'000'000);
    };
    const std::string notPlain = "\r\n(it is not a plain file)";
    const struct {
        const char* file;
        bool makeHuge;
        std::vector<std::string> messages;
        bool ends;
    } rows[] = {
        {"qbx.txt", false, {"The settings file 'qbx.txt' cannot be opened." + notPlain + "\r\nKelvora looks for it in %."
                            "\r\nKelvora cannot start without it."}, true},
        {"eword.txt", false, {"File 'eword' not found. Check setup 'qbx.txt'" + notPlain}, true},
        {"eword.txt", true, {"File 'eword' not found. Check setup 'qbx.txt'\r\n(it is 1,240 MB, far more than this "
                             "kind of file holds; Kelvora reads it only up to 64 MB)"}, true},
        {"ptest.txt", false, {"File 'ptest' not found. Check setup 'qbx.txt'" + notPlain}, true},
        {"eword.dat", false, {"The learning record 'eword.dat' is not used: it is not a plain file.\r\n"
                              "Kelvora starts without it and will not write over it."}, false},
        {"efix.txt", false, {"File 'efix' not found. Check setup 'qbx.txt'" + notPlain + "\r\nNothing was merged."}, false},
    };
    for (const auto& r : rows) {
        ScratchProgram s;
        s.WriteStandardFiles();
        if (std::string(r.file) == "efix.txt") s.dir.WriteCp932("qbx.txt", Settings(1, {"eword", "efix"}, 1, {"ptest"}, 1, 1));
        (r.makeHuge ? huge : fifo)(s.dir.path() / r.file);
        for (std::string m : r.messages) {
            if (const auto at = m.find('%'); at != std::string::npos) m.replace(at, 1, s.dir.path().string());
            s.host.Expect(m);
        }
        EXPECT_EQ(r.ends, s.Fire(form1::Form_Load)) << r.file;
    }
    // "END" never writes over a record that is something else.
    huge(dir.path() / "eword.dat");
    host.Expect("The learning record 'eword.dat' is not used: it is 1,240 MB, far more than this kind of file holds; "
                "Kelvora reads it only up to 16 MB.\r\nKelvora starts without it and will not write over it.");
    ASSERT_FALSE(Fire(form1::Form_Load));
    host.Expect("The learning record 'eword.dat' could not be saved: the file there is far larger than a learning "
                "record and is kept as it is.\r\nThe file on disk is unchanged and this run's answers are still "
                "here.\r\nFix the cause and press END again.");
    EXPECT_FALSE(Fire(form1::Command5_Click));
    EXPECT_EQ(1300'000'000u, fs::file_size(dir.path() / "eword.dat"));
}

TEST_F(Hostile, OneKelvoraPerDataFolder) {
    ASSERT_FALSE(Fire(form1::Form_Load));
    dir.WriteBytes(".eword.dat.Ab12Cd", "half a save");
    dir.WriteBytes(".notes.txt.Ab12Cd", "someone else's");
    ScratchProgram second;
    Program other(second.host, second.player, dir.path());
    second.host.Expect("Kelvora is already running on the folder " + dir.path().string() +
                       ".\r\nUse the Kelvora window that is open, or close it before starting Kelvora here again.");
    EXPECT_THROW(form1::Form_Load(other), ProgramEnd);
    EXPECT_FALSE(other.Form2.visible);  // no window came up
    EXPECT_TRUE(dir.Exists(".eword.dat.Ab12Cd"));  // for all it knew, the first program's save
    // The lock goes with the program; the next start clears what a killed
    // save left behind, and only that.
    p.folderLock.Release();
    Program third(second.host, second.player, dir.path());
    form1::Form_Load(third);
    EXPECT_FALSE(dir.Exists(".eword.dat.Ab12Cd"));
    EXPECT_TRUE(dir.Exists(".notes.txt.Ab12Cd"));
}

}  // namespace
}  // namespace kelvora::test
