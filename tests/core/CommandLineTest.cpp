// SPDX-License-Identifier: GPL-3.0-or-later
// The command line and the choice of the data folder.
#include "Fixture.h"
#include "startup/CommandLine.h"

namespace kelvora::test {
namespace {

namespace fs = std::filesystem;

TEST(CommandLine, ReadsTheOptions) {
    using A = Options::Action;
    const struct {
        std::vector<std::string> args;
        A action;
        std::string dataDir;
        bool user;
        std::string error;
    } rows[] = {
        {{}, A::Run, "", false, ""},
        {{"--user"}, A::Run, "", true, ""},
        {{"--data-dir", "/x y"}, A::Run, "/x y", false, ""},
        {{"--data-dir=rel"}, A::Run, "rel", false, ""},
        {{"-style", "fusion", "--user", "-reverse"}, A::Run, "", true, ""},  // the toolkit's own options
        {{"--version"}, A::Version, "", false, ""},
        {{"-V", "--help"}, A::Help, "", false, ""},
        {{"--data-dir"}, A::Wrong, "", false, "--data-dir needs a folder"},
        {{"--data-dir="}, A::Wrong, "", false, "--data-dir needs a folder"},
        {{"--user", "--data-dir", "d"}, A::Wrong, "d", true, "--user and --data-dir name two folders; give one of them"},
        {{"words.txt"}, A::Wrong, "", false, "unknown option or argument 'words.txt'"},
        // The commands without a window: the data-folder options and their own.
        {{"due", "--as-of", "1767225600", "--user"}, A::Due, "", true, ""},
        {{"due", "--as-of=soon"}, A::Wrong, "", false, "--as-of needs a time in Unix seconds"},
        {{"fit", "--show", "--data-dir", "d"}, A::Fit, "d", false, ""},
        {{"fit", "--as-of", "1"}, A::Wrong, "", false, "unknown option or argument '--as-of' for fit"},
        {{"reviews", "--import"}, A::Wrong, "", false, "--import needs the CSV file to read"},
        {{"settings", "speak_words"}, A::Wrong, "", false, "settings takes a setting and its value, or nothing"},
        {{"settings", "speak_words", "yes"}, A::Settings, "", false, ""},
        {{"import", "--swap", "a.csv", "--data-dir", "d", "bank", "--force"}, A::Import, "d", false, ""},
        {{"import", "--common", "3001-6000", "bank"}, A::Import, "", false, ""},
        {{"import", "--common", "6000-3001", "bank"}, A::Wrong, "", false,
         "--common needs how many words (1 to 20000) or ranks FROM-TO (3001-6000)"},
        {{"import", "--swap", "--force"}, A::Wrong, "", false,
         "import needs a source file and the name of the word database to write"},
    };
    for (const auto& r : rows) {
        const Options o = ParseOptions(r.args);
        EXPECT_EQ(r.action, o.action) << testing::PrintToString(r.args);
        EXPECT_EQ(r.dataDir, o.dataDir.value_or("").string());
        EXPECT_EQ(r.user, o.userFolder);
        EXPECT_EQ(r.error, o.error);
    }
    EXPECT_EQ(0u, HelpText("kelvora").find("Usage: kelvora [--user | --data-dir DIR]\n"));
    EXPECT_EQ("Kelvora 1.40\n", VersionText());
}

TEST(CommandLine, TheOwnDataFolder) {
    EXPECT_EQ(fs::path("/data/kelvora"), UserDataFolder("/data", "/home/a"));
    EXPECT_EQ(fs::path("/home/a/.local/share/kelvora"), UserDataFolder("relative/is/ignored", "/home/a"));
    EXPECT_EQ(fs::path("/home/a/.local/share/kelvora"), UserDataFolder(nullptr, "/home/a"));
    EXPECT_FALSE(UserDataFolder(nullptr, ""));
}

TEST(CommandLine, SeedingCopiesEachSampleOnceAndNeverOverwrites) {
    TempDir samples, home;
    samples.WriteBytes("qbx.txt", "sample settings");
    samples.WriteBytes("eword.txt", "sample words");
    const fs::path own = home.path() / "share" / "kelvora";
    ASSERT_FALSE(SeedDataFolder(own, samples.path()));
    EXPECT_EQ("sample words", home.ReadBytes("share/kelvora/eword.txt"));

    home.WriteBytes("share/kelvora/qbx.txt", "the learner's settings");
    fs::remove(own / "eword.txt");
    samples.WriteBytes("ptest.txt", "a new sample");
    ASSERT_FALSE(SeedDataFolder(own, samples.path()));
    EXPECT_EQ("the learner's settings", home.ReadBytes("share/kelvora/qbx.txt"));
    EXPECT_EQ("sample words", home.ReadBytes("share/kelvora/eword.txt"));  // a deleted one comes back
    EXPECT_EQ("a new sample", home.ReadBytes("share/kelvora/ptest.txt"));
    int files = 0;
    for (const auto& e : fs::directory_iterator(own)) (void)e, ++files;
    EXPECT_EQ(3, files);  // nothing half-copied left

    // A folder that cannot be made says so.
    home.WriteBytes("blocked", "a file where the folder should be");
    EXPECT_EQ("Kelvora cannot make its data folder " + (home.path() / "blocked" / "kelvora").string() +
                  ": Not a directory.",
              SeedDataFolder(home.path() / "blocked" / "kelvora", samples.path()).value_or(""));
}

TEST(CommandLine, AMissingSettingsFileSaysHowToStartOnTheOwnFolder) {
    ScratchProgram s;
    s.p.missingSettingsHint = "To work on your own data folder instead, start Kelvora as: kelvora --user";
    s.host.Expect("The settings file 'qbx.txt' cannot be opened.\r\nKelvora looks for it in " + s.dir.path().string() +
                  ".\r\nKelvora cannot start without it.\r\n"
                  "To work on your own data folder instead, start Kelvora as: kelvora --user");
    EXPECT_TRUE(s.Fire(form1::Form_Load));
}

}  // namespace
}  // namespace kelvora::test
