// SPDX-License-Identifier: GPL-3.0-or-later
#include "words/WordSave.h"

#include <unordered_map>

#include "files/FileLimits.h"
#include "platform/TextFile.h"
#include "text/EntryParts.h"

namespace kelvora {

namespace fs = std::filesystem;

namespace {

constexpr const char* kJournalHead = "kelvora word save 1\n";

void Put(std::string& out, const char* tag, const std::string& value) {
    out += tag;
    out += ' ';
    out += std::to_string(value.size());
    out += '\n';
    out += value;
    out += '\n';
}

// Reads "tag length\nbytes\n" at *pos.
std::optional<std::string> Take(const std::string& in, std::size_t* pos, const std::string& tag) {
    if (in.compare(*pos, tag.size() + 1, tag + " ") != 0) return std::nullopt;
    const std::size_t nl = in.find('\n', *pos);
    if (nl == std::string::npos) return std::nullopt;
    const std::string digits = in.substr(*pos + tag.size() + 1, nl - *pos - tag.size() - 1);
    if (digits.empty() || digits.size() > 12 || digits.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
    const std::size_t n = std::stoull(digits);
    if (nl + 1 + n + 1 > in.size() || in[nl + 1 + n] != '\n') return std::nullopt;
    *pos = nl + 1 + n + 1;
    return in.substr(nl + 1, n);
}

fs::path JournalPath(const fs::path& folder, const std::string& database) { return folder / (database + kWordSaveSuffix); }

// Writes the new database and record, then renames the cards.
Result<void> Finish(const WordSaveJournal& j, const fs::path& folder, SessionHistory* history, const SystemCalls& sys) {
    for (const auto& [suffix, bytes] : {std::pair{".txt", &j.databaseBytes}, std::pair{".dat", &j.recordBytes}}) {
        const WriteResult w = WriteFileAtomic(folder / (j.database + suffix), *bytes, sys);
        if (!w.ok) return Result<void>::Failed("'" + j.database + suffix + "' could not be written: " + w.reason);
    }
    if (history && !j.renames.empty())
        if (Result<void> r = history->RenameCards(j.database, j.renames, j.id); !r)
            return Result<void>::Failed("the review history could not follow the renamed words: " + r.error());
    return {};
}

}  // namespace

std::string JournalBytes(const WordSaveJournal& j) {
    std::string out = kJournalHead;
    Put(out, "id", j.id);
    Put(out, "database", j.database);
    Put(out, "renames", std::to_string(j.renames.size()));
    for (const CardRename& r : j.renames) {
        Put(out, "from", r.from);
        Put(out, "to", r.to);
    }
    Put(out, "txt", j.databaseBytes);
    Put(out, "dat", j.recordBytes);
    out += "end\n";
    return out;
}

std::optional<WordSaveJournal> ParseJournal(const std::string& in) {
    if (in.compare(0, std::string(kJournalHead).size(), kJournalHead) != 0) return std::nullopt;
    std::size_t pos = std::string(kJournalHead).size();
    WordSaveJournal j;
    const auto id = Take(in, &pos, "id");
    const auto database = Take(in, &pos, "database");
    const auto count = Take(in, &pos, "renames");
    if (!id || !database || !count || database->empty() || count->empty() ||
        count->find_first_not_of("0123456789") != std::string::npos || count->size() > 7)
        return std::nullopt;
    j.id = *id;
    j.database = *database;
    for (long n = std::stol(*count); n > 0; --n) {
        const auto from = Take(in, &pos, "from");
        const auto to = from ? Take(in, &pos, "to") : std::nullopt;
        if (!to) return std::nullopt;
        j.renames.push_back({*from, *to});
    }
    const auto txt = Take(in, &pos, "txt");
    const auto dat = txt ? Take(in, &pos, "dat") : std::nullopt;
    if (!dat || in.compare(pos, std::string::npos, "end\n") != 0) return std::nullopt;
    j.databaseBytes = *txt;
    j.recordBytes = *dat;
    return j;
}

bool ChangedOnDisk(const WordBook& book, const fs::path& folder) {
    const FileRead db = ReadFileBytes(folder / (book.name() + ".txt"), kMaxWordDatabaseBytes);
    const FileRead rec = ReadFileBytes(folder / (book.name() + ".dat"), kMaxRecordBytes);
    return !db || *db != book.readBytes() || (rec ? *rec : std::string()) != book.readRecord();
}

Result<void> SaveWordBook(WordBook& book, const fs::path& folder, SessionHistory* history, std::int64_t nowMs,
                          const SystemCalls& sys) {
    WordSaveJournal j;
    j.id = std::to_string(nowMs);
    j.database = book.name();
    j.databaseBytes = book.DatabaseBytes();
    j.recordBytes = book.RecordBytes();
    j.renames = book.Renames(j.id);
    const fs::path journal = JournalPath(folder, j.database);
    const std::string nothing = " Nothing was changed, and the edits are still here.";
    if (const WriteResult w = WriteFileAtomic(journal, JournalBytes(j), sys); !w.ok)
        return Result<void>::Failed("The words could not be saved: " + journal.filename().string() + " could not be written: " +
                                    w.reason + "." + nothing);
    const Result<void> done = Finish(j, folder, history, sys);
    if (!done) {
        // Put back what was written, so that all three stay as they were.
        const bool back = WriteFileAtomic(folder / (j.database + ".txt"), book.readBytes(), sys).ok &&
                          (book.readRecord().empty() && !fs::exists(folder / (j.database + ".dat"))
                               ? true
                               : WriteFileAtomic(folder / (j.database + ".dat"), book.readRecord(), sys).ok);
        if (back && RemoveFile(journal)) return Result<void>::Failed("The words could not be saved: " + done.error() + "." + nothing);
        return Result<void>::Failed("The words could not be saved: " + done.error() +
                                    ". Kelvora finishes the save when it next starts (from " + journal.filename().string() + ").");
    }
    RemoveFile(journal);
    book.Saved();
    return {};
}

std::string FinishInterruptedSaves(const fs::path& folder, SessionHistory* history, const SystemCalls& sys) {
    std::string error, said;
    for (const std::string& name : PlainFilesIn(folder, &error)) {
        const std::string suffix = kWordSaveSuffix;
        if (name.size() <= suffix.size() || name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0) continue;
        const FileRead read = ReadFileBytes(folder / name, 2 * kMaxWordDatabaseBytes + kMaxRecordBytes);
        const auto j = read ? ParseJournal(*read) : std::nullopt;
        std::string line;
        if (!j || j->database + suffix != name) {
            line = "The file '" + name + "' is not a save Kelvora can finish; it is left as it is.";
        } else if (const Result<void> done = Finish(*j, folder, history, sys); !done) {
            line = "A save of the words of '" + j->database + ".txt' was interrupted, and finishing it failed: " +
                   done.error() + ". Kelvora tries again at the next start.";
        } else {
            RemoveFile(folder / name);
            line = "A save of the words of '" + j->database + ".txt' was interrupted; it is finished now.";
        }
        said += (said.empty() ? "" : "\r\n") + line;
    }
    return said;
}

}  // namespace kelvora

namespace kelvora {

namespace {

// Whether the drill's table holds the words the book read, row by row.
bool TableIsBook(const Program& p, const WordBook& book) {
    const auto& read = book.readRows();
    if (static_cast<int>(read.size()) != p.m.WordCount) return false;
    for (std::size_t i = 0; i < read.size(); ++i) {
        const WordRow& r = p.m.WordTbl[i];
        if (r.word != read[i].first || r.meaning != read[i].second) return false;
    }
    return true;
}

// The drill's table after the edits: each word read keeps its row's
// counters of this run, a word added has none. newRow[old] is where an
// old row went (-1: deleted).
std::vector<int> FollowEdits(Program& p, const WordBook& book, const std::vector<CardRename>& renames) {
    std::vector<int> newRow(static_cast<std::size_t>(p.m.WordCount), -1);
    std::vector<WordRow> table(kWordRows);
    for (std::size_t i = 0; i < book.entries().size(); ++i) {
        const WordEntry& e = book.entries()[i];
        WordRow row;
        if (e.id < WordBook::kFirstAddedId && e.id < newRow.size()) {
            row = std::move(p.m.WordTbl[e.id]);
            newRow[e.id] = static_cast<int>(i);
        } else {
            row.asked = row.score = {"0", "0"};
        }
        row.word = e.word;
        row.meaning = e.meaning;
        table[i] = std::move(row);
    }
    p.m.WordTbl.swap(table);
    p.m.WordCount = book.size();
    // This run's reviews go with their words, as the history's do.
    std::unordered_map<std::string, std::string> to;
    for (const CardRename& r : renames) to.emplace(r.from, r.to);
    for (Review& r : p.session.reviews) {
        if (auto it = to.find(r.word); it != to.end()) r.word = it->second;
        if (auto it = to.find(r.chosen); it != to.end()) r.chosen = it->second;
    }
    return newRow;
}

}  // namespace

Result<void> SaveWordsInProgram(Program& p, WordBook& book) {
    const bool loaded = book.name() == p.loadedWordDb;
    if (loaded) {
        if (p.runStarted && p.m.QuizState != RunState::Idle)
            return Result<void>::Failed("A question is on the screen: press Stop in the Kelvora window, then save. "
                                        "Nothing was changed, and the edits are still here.");
        if (!TableIsBook(p, book))
            return Result<void>::Failed("'" + book.name() + ".txt' is not what Kelvora loaded when it started, so its "
                                        "counters cannot follow the edits: press END, start Kelvora again and make the "
                                        "edits then. Nothing was changed.");
        // A question stopped on the screen keeps its word and choices.
        if (p.runStarted && p.m.IsTestQuestion.value() == 0) {
            std::vector<int> shown{p.m.QuestionIndex};
            shown.insert(shown.end(), p.question.choiceRows.begin(), p.question.choiceRows.end());
            for (int row : shown)
                if (row >= 0 && row < p.m.WordCount && book.RowOf(static_cast<std::uint32_t>(row)) < 0)
                    return Result<void>::Failed("\"" + HeadwordKey(p.m.Word(row).word) +
                                                "\" is on the screen in the question stopped there, and these edits delete "
                                                "it: answer the question first. Nothing was changed.");
        }
    }
    // The renames, as the save names them, for this run's reviews.
    const std::int64_t nowMs = p.host.NowMs();
    const std::vector<CardRename> renames = book.Renames(std::to_string(nowMs));
    WordBook edited = book;  // the rows as edited, before the save numbers them anew
    if (Result<void> saved = SaveWordBook(book, p.dir, p.history, nowMs, *p.sys); !saved) return saved;
    if (!loaded) return {};
    const std::vector<int> newRow = FollowEdits(p, edited, renames);
    auto follow = [&](int row) { return row >= 0 && row < static_cast<int>(newRow.size()) && newRow[row] >= 0 ? newRow[row] : 0; };
    p.m.QuestionIndex = follow(p.m.QuestionIndex);
    for (int& row : p.question.choiceRows) row = follow(row);
    bool listWhole = true;
    for (int t = 0; t < p.m.TrainingCount; ++t) {
        Int16& row = p.m.TrainingList[static_cast<std::size_t>(t)][0];
        const int to = row.value() < static_cast<int>(newRow.size()) ? newRow[static_cast<std::size_t>(row.value())] : -1;
        listWhole = listWhole && to >= 0;
        row = Int16::FromWide(std::max(to, 0));
    }
    if (!listWhole) p.m.TrainingCount = 0;  // read again at the next question of mode 4
    // The memory modes' deck is made again from the renamed history.
    if (p.deckBuild.valid()) p.deckBuild.wait();
    p.deckBuild = {};
    p.deck.reset();
    p.deckProblem.clear();
    return {};
}

}  // namespace kelvora
