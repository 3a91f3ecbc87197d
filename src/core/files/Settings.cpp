// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/Settings.h"

#include <cmath>

#include "files/FileLimits.h"
#include "files/Prefetch.h"
#include "platform/TextFile.h"
#include "text/Numbers.h"
#include "text/TextReader.h"

namespace kelvora {

namespace {

std::string Where(int line) { return "The settings file 'qbx.txt', line " + std::to_string(line) + ": "; }

// A parse that stops at the first fault, remembering its message.
class Parser {
public:
    Parser(const std::string& text, std::string* error) : in_(text), error_(error) {}

    bool Number(const char* what, double* out) {
        const int line = in_.line();
        const auto field = in_.ReadField();
        if (!field) return Fail(Where(line) + "the file ends where the " + what + " should be.");
        const auto value = ParseNumber(*field);
        if (!value) return Fail(Where(line) + "the " + what + " is not a number: '" + *field + "'");
        *out = *value;
        return true;
    }

    // The count's magnitude says how many names follow; the sign is only
    // the check box.
    bool Count(const char* countName, const char* what, double* count, int* names) {
        const int line = in_.line();
        if (!Number(countName, count)) return false;
        const double n = std::floor(std::fabs(*count));
        if (n > kNameSlots)
            return Fail(Where(line) + "it lists " + NumText(n).substr(1) + " " + what + " names; at most " +
                        std::to_string(kNameSlots) + " are allowed.");
        *names = static_cast<int>(n);
        return true;
    }

    bool Names(int count, const char* what, std::vector<std::string>* names) {
        for (int i = 0; i < count; ++i) {
            const int line = in_.line();
            auto name = in_.ReadLine();
            if (!name)
                return Fail(Where(line) + "the file ends where " + what + " name " + std::to_string(i + 1) + " of " +
                            std::to_string(count) + " should be.");
            names->push_back(std::move(*name));
        }
        return true;
    }

    int line() const { return in_.line(); }
    bool Fail(std::string message) {
        if (error_) *error_ = std::move(message);
        return false;
    }

private:
    TextReader in_;
    std::string* error_;
};

void FillLists(Program& p, const SettingsData& s) {
    Model& m = p.m;
    m.WordDbCount = s.wordDbCount;
    m.TestDbCount = s.testDbCount;
    p.Form3.Text1.text.clear();
    p.Form3.Text2.text.clear();
    for (std::size_t i = 0; i < s.wordDbNames.size(); ++i) {
        m.WordDbName[i] = s.wordDbNames[i];
        p.Form3.Text1.text += "\r\n" + s.wordDbNames[i];
    }
    for (std::size_t i = 0; i < s.testDbNames.size(); ++i) {
        m.TestDbName[i] = s.testDbNames[i];
        p.Form3.Text2.text += "\r\n" + s.testDbNames[i];
    }
}

// Reads and parses the file. `consequence` follows the message when the
// file cannot be opened at all.
std::optional<SettingsData> ReadSettingsFile(Program& p, bool listsOnly, const std::string& consequence,
                                             std::string* error) {
    const FileRead file = ReadStartupFile(p, kSettingsFile, kMaxSettingsBytes, true);
    if (!file) {
        *error = "The settings file 'qbx.txt' cannot be opened." + WhyNotUsed(file.problem) +
                 "\r\nKelvora looks for it in " + p.dir.string() + "." + consequence;
        return std::nullopt;
    }
    return ParseSettings(*file, listsOnly, error);
}

}  // namespace

std::optional<SettingsData> ParseSettings(const std::string& text, bool listsOnly, std::string* error) {
    Parser in(text, error);
    SettingsData s;
    int words = 0, tests = 0;
    if (!in.Count("number of word databases", "word-database", &s.wordDbCount, &words) ||
        !in.Count("number of test databases", "test-database", &s.testDbCount, &tests) ||
        !in.Names(words, "word-database", &s.wordDbNames) || !in.Names(tests, "test-database", &s.testDbNames))
        return std::nullopt;
    if (listsOnly) return s;
    if (!in.Number("mode number", &s.setupQmd) || !in.Number("Auto FIX patch value", &s.autoFix))
        return std::nullopt;
    const int waitLine = in.line();
    if (!in.Number("wait time", &s.waitSec)) return std::nullopt;
    if (std::nearbyint(s.waitSec) < -32768 || std::nearbyint(s.waitSec) > 32767) {
        in.Fail(Where(waitLine) + "the wait time is outside -32768 to 32767: " + NumText(s.waitSec));
        return std::nullopt;
    }
    return s;
}

std::string SettingsText(const SettingsData& s) {
    auto number = [](double v) { return NumText(v) + " \r\n"; };
    std::string out = number(s.wordDbCount) + number(s.testDbCount);
    for (const auto& name : s.wordDbNames) out += name + "\r\n";
    for (const auto& name : s.testDbNames) out += name + "\r\n";
    out += number(s.setupQmd) + number(s.autoFix) + number(s.waitSec) + "EOF\r\n";
    return out;
}

LoadResult ReadSettings(Program& p) {
    std::string error;
    const std::string hint = p.missingSettingsHint.empty() ? "" : "\r\n" + p.missingSettingsHint;
    const auto s = ReadSettingsFile(p, false, "\r\nKelvora cannot start without it." + hint, &error);
    if (!s) return LoadResult::Failed(error);
    FillLists(p, *s);
    p.m.SetupQmd = s->setupQmd;
    p.m.AutoFix = s->autoFix;
    p.m.WaitSec = Int16::FromNumber(s->waitSec);
    return {};
}

bool ReadSettingsLists(Program& p) {
    std::string error;
    const auto s = ReadSettingsFile(p, true, "", &error);
    if (!s) {
        p.host.MsgBox(error + "\r\nThe setup dialog keeps what it shows.");
        return false;
    }
    FillLists(p, *s);
    return true;
}

}  // namespace kelvora
