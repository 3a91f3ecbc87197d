// Start-up and shutdown of the main window.
#include "Events.h"
#include "audio/Playback.h"
#include "files/FixPatch.h"
#include "files/LearningRecord.h"
#include "files/QuestionBanks.h"
#include "files/Settings.h"
#include "startup/Startup.h"
#include "text/Numbers.h"

namespace kelvora {

namespace {

const char* const kMissingLibraryMessage =
    "VBMP3.DLLがありません。\r\n"
    "　README.md#the-mp3-player-library からダウンロードしてください\r\n"
    "＊詳細はhelp01.htmをご覧下さい";

}  // namespace

void SetDrillFlag(Program& p, Int16 mode) { p.m.DrillFlag = mode == 10 ? 1 : 0; }

void FailStartup(Program& p, const std::string& message) {
    p.host.MsgBox(message);
    p.host.End();
}

void FillSetupControls(Program& p) {
    Model& m = p.m;
    Form3Model& f = p.Form3;
    f.Check1.value = m.WordDbCount > 0 ? 1 : 0;
    f.Check2.value = m.TestDbCount > 0 ? 1 : 0;
    f.Text3.text = NumText(m.SetupQmd);
    SetDrillFlag(p, Int16::FromNumber(m.SetupQmd));
    f.Check3.value = m.AutoFix > 0 ? 1 : 0;
    const bool thirty = m.WaitSec == 30;
    f.Option1.value = thirty ? 0 : 1;
    f.Option2.value = thirty ? 1 : 0;
}

namespace form1 {

void Form_Load(Program& p) {
    p.Form1.caption = kMainCaption;
    p.Form1.surface.Clear();
    p.Form2.visible = true;

    try {
        p.player.vbmp3_init();
    } catch (const PlayerUnavailable&) {
        FailStartup(p, kMissingLibraryMessage);
    }
    getState(p);
    if (p.player.vbmp3_getVersion() < 161) p.host.MsgBox("Please update VBMP3 version");

    p.Form3.Text1.text.clear();
    p.Form3.Text2.text.clear();
    ReadSettings(p);
    try {
        FillSetupControls(p);
    } catch (const Overflow16&) {
        FailStartup(p, "The settings file 'qbx.txt' holds a mode number outside -32768 to 32767: " +
                           NumText(p.m.SetupQmd));
    }

    LoadWordDatabase(p);
    LoadWordRecord(p);
    if (p.m.AutoFix > 0) MergeFixPatch(p, MergeCaller::Startup);
    LoadTestDatabase(p);
    LoadTestRecord(p);
}

void Form_Unload(Program& p) {
    // Each call regardless of how the one before went.
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
    p.host.End();
}

void Command8_Click(Program& p) { p.Form3.visible = true; }

}  // namespace form1

}  // namespace kelvora
