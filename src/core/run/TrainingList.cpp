// SPDX-License-Identifier: GPL-3.0-or-later
// The training list of mode 4: the third word-database name + ".txt".
#include "run/TrainingList.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "files/FileLimits.h"
#include "platform/TextFile.h"
#include "text/TextReader.h"

namespace kelvora {

namespace {

// The first bank row of each headword.
class HeadwordIndex {
public:
    explicit HeadwordIndex(const Model& m) {
        firstRow_.reserve(static_cast<std::size_t>(m.WordCount));
        for (int i = 0; i < m.WordCount; ++i) firstRow_.emplace(m.Word(i).word, i);
    }
    // The first row holding the headword with " *" after it, or as it is;
    // -1 when the bank has neither.
    int Match(const std::string& headword) const {
        const int starred = Find(headword + " *"), plain = Find(headword);
        if (starred < 0 || plain < 0) return std::max(starred, plain);
        return std::min(starred, plain);
    }

private:
    int Find(const std::string& w) const {
        const auto it = firstRow_.find(w);
        return it == firstRow_.end() ? -1 : it->second;
    }
    std::unordered_map<std::string_view, int> firstRow_;
};

// What went wrong with a list that was read, for the learner; empty when
// nothing did.
std::string ListNote(const std::string& name, const std::vector<std::string>& unknown, bool tooLong, bool empty) {
    std::vector<std::string> lines;
    if (!unknown.empty()) {
        std::string line = "These words of the training list '" + name +
                           ".txt' are not in the word database and are skipped:";
        for (std::size_t i = 0; i < unknown.size() && i < 10; ++i) line += (i ? ", " : " ") + unknown[i];
        if (unknown.size() > 10) line += " and " + std::to_string(unknown.size() - 10) + " more";
        lines.push_back(line + ".");
    }
    if (tooLong)
        lines.push_back("The training list '" + name + ".txt' is longer than 2,001 words; only the first 2,001 are used.");
    if (empty)
        lines.push_back("The training list '" + name + ".txt' names no word of the bank, so mode 4 asks the first word.");
    std::string note;
    for (const auto& line : lines) note += (note.empty() ? "" : "\r\n") + line;
    return note;
}

// Tells the learner a note once, not at every question.
void TellOnce(Program& p, const std::string& note) {
    if (note.empty() || note == p.trainingNoteShown) return;
    p.trainingNoteShown = note;
    p.host.MsgBox(note);
}

}  // namespace

void LoadTrainingList(Program& p) {
    Model& m = p.m;
    m.TrainingCount = 0;
    const std::string name = m.WordDbName[2];
    const bool named = std::floor(std::fabs(m.WordDbCount)) >= 3;
    const std::string stamp = named ? StatPath(p.File(name + ".txt")).Stamp() : "unnamed";
    if (stamp == p.trainingFailedStamp) return;
    const FileRead text = named ? ReadTextFile(p.File(name + ".txt"), kMaxTrainingListBytes) : FileRead{};
    if (!text) {
        p.trainingFailedStamp = stamp;
        TellOnce(p, "The training list '" + name + ".txt' cannot be opened." + WhyNotUsed(text.problem) + "\r\n"
                    "Mode 4 drills the words it names: set it as the third word-database name in Setup.\r\n"
                    "Until then mode 4 asks the first word of the bank.");
        return;
    }

    const HeadwordIndex index(m);
    TextReader in(*text);
    std::vector<std::string> unknown;
    bool tooLong = false;
    while (in.HasMoreFields()) {
        std::string headword = in.ReadField().value_or(std::string());
        std::string second = in.ReadField().value_or(std::string());
        const int row = index.Match(headword);
        if (row < 0) {
            // A word the bank lacks would drill whatever row 0 is: skip it.
            unknown.push_back(std::move(headword));
            continue;
        }
        if (m.TrainingCount >= kTrainingRows) {
            tooLong = true;
            break;
        }
        const auto t = static_cast<std::size_t>(m.TrainingCount.value());
        m.TrainingText[t] = {std::move(headword), std::move(second)};
        m.TrainingList[t] = {Int16::FromWide(row), Int16(0), Int16(0)};
        m.TrainingCount += 1;
    }
    if (m.TrainingCount == 0) p.trainingFailedStamp = stamp;
    TellOnce(p, ListNote(name, unknown, tooLong, m.TrainingCount == 0));
}

}  // namespace kelvora
