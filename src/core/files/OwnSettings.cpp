// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/OwnSettings.h"

#include <cmath>
#include <cstdio>
#include <optional>

#include "Program.h"
#include "model/WordColumns.h"
#include "files/FileLimits.h"
#include "platform/TextFile.h"
#include "text/Numbers.h"

namespace kelvora {

namespace {

std::string Trim(const std::string& s) {
    const std::size_t b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos) return {};
    return s.substr(b, s.find_last_not_of(" \t\r") - b + 1);
}

struct Key {
    const char* name;
    // Takes the value into the settings; why not, or nothing.
    std::string (*set)(OwnSettings&, const std::string&);
    std::string (*text)(const OwnSettings&);
    // Written only when it is not its default (a setting of a window the
    // learner may never open).
    bool onlyWhenSet = false;
};

// Two decimals at least, four at most: 0.90, 0.855.
std::string Retention(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.4f", v);
    std::string t = buf;
    while (t.size() > 4 && t.back() == '0') t.pop_back();
    return t;
}

const Key kKeys[] = {
    {"desired_retention",
     [](OwnSettings& s, const std::string& v) -> std::string {
         const auto r = ParseNumber(v);
         if (!r || !(*r >= kLowestRetention && *r <= kHighestRetention))
             return "the desired retention must be a number from 0.70 to 0.97";
         s.desiredRetention = *r;
         return {};
     },
     [](const OwnSettings& s) { return Retention(s.desiredRetention); }},
    {"new_cards_per_day",
     [](OwnSettings& s, const std::string& v) -> std::string {
         const auto n = ParseNumber(v);
         if (!n || *n != std::floor(*n) || *n < 0 || *n > kMostNewCardsPerDay)
             return "the new words a day must be a whole number from 0 to 9999";
         s.newCardsPerDay = static_cast<int>(*n);
         return {};
     },
     [](const OwnSettings& s) { return std::to_string(s.newCardsPerDay); }},
    {"speak_words",
     [](OwnSettings& s, const std::string& v) -> std::string {
         if (v != "yes" && v != "no") return "speak_words must be yes or no";
         s.speakWords = v == "yes";
         return {};
     },
     [](const OwnSettings& s) { return std::string(s.speakWords ? "yes" : "no"); }},
    {"time_scale",
     [](OwnSettings& s, const std::string& v) -> std::string {
         for (int scale : kTimeScales)
             if (v == TimeScaleText(scale)) {
                 s.timeScale = scale;
                 return {};
             }
         return "time_scale must be 1, 2, 5, 10 or off";
     },
     [](const OwnSettings& s) { return TimeScaleText(s.timeScale); }},
    {"words_hidden_columns",
     [](OwnSettings& s, const std::string& v) -> std::string {
         std::vector<std::string> names;
         for (std::size_t start = 0; start < v.size();) {
             const std::size_t comma = std::min(v.find(',', start), v.size());
             const std::string name = Trim(v.substr(start, comma - start));
             if (WordColumnNamed(name) < 0)
                 return "words_hidden_columns takes names of the Words window's columns (" + std::string(kWordColumns[3].name) +
                        ", ...), separated by commas";
             names.push_back(name);
             start = comma + 1;
         }
         s.wordsHiddenColumns = names;
         return {};
     },
     [](const OwnSettings& s) {
         std::string out;
         for (const std::string& n : s.wordsHiddenColumns) out += (out.empty() ? "" : ",") + n;
         return out;
     },
     true},
};

const Key* FindKey(const std::string& name) {
    for (const Key& k : kKeys)
        if (name == k.name) return &k;
    return nullptr;
}

// The key of a "key = value" line; nothing for a comment or a blank line.
std::optional<std::pair<std::string, std::string>> Split(const std::string& line) {
    const std::string t = Trim(line);
    if (t.empty() || t[0] == '#') return std::nullopt;
    const std::size_t eq = t.find('=');
    if (eq == std::string::npos) return std::make_pair(t, std::string());
    return std::make_pair(Trim(t.substr(0, eq)), Trim(t.substr(eq + 1)));
}

}  // namespace

std::string TimeScaleText(int scale) { return scale == kNoTimeLimit ? "off" : std::to_string(scale); }

OwnSettingsFile ReadOwnSettings(const std::filesystem::path& file) {
    OwnSettingsFile f;
    const FileRead read = ReadFileBytes(file, kMaxSettingsBytes);
    if (!read) {
        if (!read.problem.empty()) {
            f.unread = true;
            f.problems.push_back(std::string(kOwnSettingsFile) + " is not used: " + read.problem +
                                 "; Kelvora keeps its own settings at their defaults.");
        }
        return f;
    }
    std::size_t start = 0;
    const std::string& text = *read;
    if (const std::size_t lf = text.find('\n'); lf != std::string::npos && lf > 0 && text[lf - 1] == '\r')
        f.lineEnd = "\r\n";
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        f.lines.push_back(line);
        start = end + 1;
    }
    for (std::size_t i = 0; i < f.lines.size(); ++i) {
        const auto kv = Split(f.lines[i]);
        if (!kv) continue;
        const std::string where = std::string(kOwnSettingsFile) + " line " + std::to_string(i + 1) + ": ";
        const Key* key = FindKey(kv->first);
        if (!key) {
            f.problems.push_back(where + "Kelvora knows no setting '" + kv->first + "'; the line is kept as it is.");
            continue;
        }
        OwnSettings defaults;
        if (const std::string why = key->set(f.settings, kv->second); !why.empty())
            f.problems.push_back(where + why + "; " + key->text(defaults) + " is used.");
    }
    return f;
}

void LoadOwnSettings(Program& p) {
    const OwnSettingsFile f = ReadOwnSettings(p.File(kOwnSettingsFile));
    p.own = f.settings;
    std::string told;
    for (const std::string& problem : f.problems) told += (told.empty() ? "" : "\r\n") + problem;
    if (!told.empty()) p.host.MsgBox(told);
}

void SaveOwnSetting(Program& p, const std::string& key, const std::string& value) {
    OwnSettingsFile f = ReadOwnSettings(p.File(kOwnSettingsFile));
    std::string why = f.unread ? "the file could not be read, so Kelvora leaves it as it is" : SetOwnSetting(f, key, value);
    if (why.empty()) {
        const WriteResult r = WriteFileAtomic(p.File(kOwnSettingsFile), OwnSettingsText(f), *p.sys);
        if (!r.ok) why = r.reason;
    }
    if (!why.empty())
        p.host.MsgBox("Kelvora's own settings (kelvora.conf) could not be saved: " + why +
                      ".\r\nThe change holds until Kelvora ends.");
}

std::string SetOwnSetting(OwnSettingsFile& f, const std::string& key, const std::string& value) {
    const Key* k = FindKey(key);
    if (!k) {
        std::string known;
        for (const Key& each : kKeys) known += (known.empty() ? "" : ", ") + std::string(each.name);
        return "there is no setting '" + key + "'; the settings are " + known;
    }
    return k->set(f.settings, Trim(value));
}

std::string OwnSettingsText(const OwnSettingsFile& f) {
    std::string out;
    bool written[std::size(kKeys)] = {};
    auto line = [&](const std::string& l) { out += l + f.lineEnd; };
    if (f.lines.empty()) line("# Kelvora's own settings (the others are in qbx.txt).");
    for (const std::string& l : f.lines) {
        const auto kv = Split(l);
        const Key* key = kv ? FindKey(kv->first) : nullptr;
        if (!key) {
            line(l);
            continue;
        }
        const std::size_t i = static_cast<std::size_t>(key - kKeys);
        if (!written[i]) line(std::string(key->name) + " = " + key->text(f.settings));
        written[i] = true;  // a key given twice is written once
    }
    static const OwnSettings kDefaults;
    for (std::size_t i = 0; i < std::size(kKeys); ++i)
        if (!written[i] && !(kKeys[i].onlyWhenSet && kKeys[i].text(f.settings) == kKeys[i].text(kDefaults))) line(std::string(kKeys[i].name) + " = " + kKeys[i].text(f.settings));
    return out;
}

}  // namespace kelvora
