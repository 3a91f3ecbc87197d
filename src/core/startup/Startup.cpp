// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up and shutdown.
#include "startup/Startup.h"

#include "audio/Playback.h"
#include "files/FixPatch.h"
#include "files/LearningRecord.h"
#include "files/OwnSettings.h"
#include "files/QuestionBanks.h"
#include "files/Settings.h"
#include "platform/SessionHistory.h"
#include "platform/TextFile.h"
#include "setup/SetupDialog.h"
#include "text/Numbers.h"
#include "words/WordSave.h"

namespace kelvora {

namespace {

const char* const kMissingLibraryMessage =
    "VBMP3.DLLがありません。\r\n"
    "　README.md#the-mp3-player-library からダウンロードしてください\r\n"
    "＊詳細はhelp01.htmをご覧下さい";

[[noreturn]] void FailStartup(Program& p, const std::string& message) {
    p.host.MsgBox(message);
    p.host.End();
}

void Require(Program& p, const LoadResult& result) {
    if (!result.ok()) FailStartup(p, result.failure);
}

// The data folder is this program's alone from here on. Temporary files
// that a save killed half-way left behind are removed then: no other
// Kelvora can be writing them.
void TakeDataFolder(Program& p) {
    switch (p.folderLock.Acquire(p.dir)) {
        case FolderLock::Outcome::HeldByAnother:
            FailStartup(p, "Kelvora is already running on the folder " + std::filesystem::absolute(p.dir).string() +
                               ".\r\nUse the Kelvora window that is open, or close it before starting Kelvora "
                               "here again.");
        case FolderLock::Outcome::Unavailable: return;
        case FolderLock::Outcome::Locked: break;
    }
    for (const std::string& name : PlainFilesIn(p.dir, nullptr)) {
        const auto target = TemporaryFileTarget(name);
        if (target && (*target == kSettingsFile || *target == kOwnSettingsFile || *target == kPendingFile ||
                       target->ends_with(".dat")))
            RemoveFile(p.File(name));
    }
}

void StartPlayer(Program& p) {
    try {
        p.player.vbmp3_init();
    } catch (const PlayerUnavailable&) {
        FailStartup(p, kMissingLibraryMessage);
    }
    getState(p);
    if (p.player.vbmp3_getVersion() < 161) p.host.MsgBox("Please update VBMP3 version");
}

}  // namespace

void LoadProgram(Program& p) {
    TakeDataFolder(p);
    // A save of the word editor that a kill interrupted is finished before
    // anything reads the words.
    if (const std::string finished = FinishInterruptedSaves(p.dir, p.history, *p.sys); !finished.empty())
        p.host.MsgBox(finished);
    LoadOwnSettings(p);
    p.session.started = p.host.Now();
    p.Form1.caption = kMainCaption;
    p.Form1.surface.Clear();
    p.Form2.visible = true;
    StartPlayer(p);

    p.Form3.Text1.text.clear();
    p.Form3.Text2.text.clear();
    Require(p, ReadSettings(p));
    try {
        FillSetupControls(p);
    } catch (const Overflow16&) {
        FailStartup(p, "The settings file 'qbx.txt' holds a mode number outside -32768 to 32767: " +
                           NumText(p.m.SetupQmd));
    }

    Require(p, LoadWordDatabase(p));
    LoadWordRecord(p);
    // At start-up nothing has been learned yet, so a patch word past the
    // end record ends the program here (from the setup dialog the merge
    // only stops, so a run's answers are not lost).
    if (p.m.AutoFix > 0 && MergeFixPatch(p) == MergeOutcome::WordPastTheEnd) p.host.End();
    Require(p, LoadTestDatabase(p));
    LoadTestRecord(p);
    // The main window appears once loading is done.
    p.Form1.visible = true;
}

void ShutDownPlayer(Program& p) {
    auto attempt = [](auto&& call) {
        try {
            call();
        } catch (const PlayerUnavailable&) {
        }
    };
    attempt([&] { p.player.vbmp3_stop(); });
    attempt([&] { p.player.vbmp3_close(); });
    attempt([&] { p.player.vbmp3_stopCallback(); });
    attempt([&] { p.player.vbmp3_free(); });
}

}  // namespace kelvora
