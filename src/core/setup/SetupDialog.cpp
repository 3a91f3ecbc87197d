// SPDX-License-Identifier: GPL-3.0-or-later
// The setup dialog's buttons.
#include "setup/SetupDialog.h"

#include <algorithm>
#include <cmath>

#include "files/FileLimits.h"
#include "files/LearningRecord.h"
#include "files/Settings.h"
#include "model/Modes.h"
#include "platform/TextFile.h"
#include "text/Numbers.h"

namespace kelvora {

std::vector<std::string> ExtractList(const std::string& text) {
    std::vector<std::string> names;
    std::size_t p = text.find("\r\n");
    if (p == std::string::npos) {
        if (!text.empty()) names.push_back(text);
        return names;
    }
    for (std::size_t q; (q = text.find("\r\n", p + 2)) != std::string::npos; p = q)
        names.push_back(text.substr(p + 2, q - p - 2));
    names.push_back(text.substr(p + 2));
    return names;
}

namespace {

const char* const kSavedMessage =
    "設定を有効にするために、一度、 終了します。　起動できない場合はqbx.txtを修正してください";

std::string TooMany(const char* which, std::size_t n) {
    return std::string("The ") + which + " list holds " + std::to_string(n) + " names; at most " +
           std::to_string(kNameSlots) + " fit.\r\nNothing was saved.";
}

}  // namespace

void SetDrillFlag(Program& p, Int16 mode) { p.m.DrillFlag = IsDrillMode(mode) ? 1 : 0; }

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

bool SaveSettings(Program& p) {
    Form3Model& f = p.Form3;
    SettingsData s;
    s.wordDbNames = ExtractList(f.Text1.text);
    s.testDbNames = ExtractList(f.Text2.text);
    if (s.wordDbNames.size() > kNameSlots) {
        p.host.MsgBox(TooMany("word-database", s.wordDbNames.size()));
        return false;
    }
    if (s.testDbNames.size() > kNameSlots) {
        p.host.MsgBox(TooMany("test-database", s.testDbNames.size()));
        return false;
    }
    s.wordDbCount = static_cast<double>(s.wordDbNames.size());
    s.testDbCount = static_cast<double>(s.testDbNames.size());
    if (f.Check1.value == 0) s.wordDbCount = -s.wordDbCount;
    if (f.Check2.value == 0) s.testDbCount = -s.testDbCount;
    s.setupQmd = Val(f.Text3.text);
    Int16 mode;
    try {
        mode = Int16::FromNumber(s.setupQmd);
    } catch (const Overflow16&) {
        p.host.MsgBox("The mode number" + NumText(s.setupQmd) +
                      " is outside -32768 to 32767.\r\nNothing was saved.");
        return false;
    }
    s.autoFix = f.Check3.value;
    s.waitSec = f.Option2.value != 0 ? 30 : 20;

    const WriteResult r = WriteTextFileAtomic(p.File(kSettingsFile), SettingsText(s), *p.sys);
    if (!r.ok) {
        p.host.MsgBox("The settings file 'qbx.txt' could not be saved: " + r.reason +
                      (r.replaced ? ".\r\nThe file on disk may hold the new settings or the old ones; Kelvora keeps "
                                    "running."
                                  : ".\r\nThe file on disk is unchanged; Kelvora keeps running."));
        return false;
    }

    Model& m = p.m;
    m.WordDbCount = s.wordDbCount;
    m.TestDbCount = s.testDbCount;
    std::copy(s.wordDbNames.begin(), s.wordDbNames.end(), m.WordDbName.begin());
    std::copy(s.testDbNames.begin(), s.testDbNames.end(), m.TestDbName.begin());
    m.SetupQmd = s.setupQmd;
    SetDrillFlag(p, mode);
    m.AutoFix = s.autoFix;
    m.WaitSec = Int16::FromNumber(s.waitSec);
    p.host.MsgBox(kSavedMessage);
    return true;
}

bool SwitchWordDatabase(Program& p, const std::string& name) {
    // The settings as saved, not as the dialog may show them half-edited.
    const FileRead file = ReadTextFile(p.File(kSettingsFile), kMaxSettingsBytes);
    std::string error = file ? "" : "it cannot be opened";
    std::optional<SettingsData> s = file ? ParseSettings(*file, false, &error) : std::nullopt;
    if (!s) {
        p.host.MsgBox("Kelvora cannot put '" + name + "' into the settings: " + error +
                      "\r\nNothing was changed; choose it in Setup instead.");
        return false;
    }
    if (!SaveLearningRecords(p)) return false;
    auto& names = s->wordDbNames;
    names.erase(std::remove(names.begin(), names.end(), name), names.end());
    names.insert(names.begin(), name);
    if (names.size() > static_cast<std::size_t>(kNameSlots)) names.resize(kNameSlots);
    // Word questions on: the learner asked to drill these words.
    s->wordDbCount = static_cast<double>(names.size());
    const WriteResult r = WriteTextFileAtomic(p.File(kSettingsFile), SettingsText(*s), *p.sys);
    if (!r.ok) {
        p.host.MsgBox("The settings file 'qbx.txt' could not be saved: " + r.reason +
                      ".\r\nThe learning records are saved; choose '" + name + "' in Setup instead.");
        return false;
    }
    return true;
}

bool RevertSettings(Program& p) {
    if (!ReadSettingsLists(p)) return false;
    FillSetupControls(p);
    return true;
}

}  // namespace kelvora
