// SPDX-License-Identifier: GPL-3.0-or-later
#include "words/WordSave.h"

#include <cstdio>
#include <random>
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

DiskChange ChangeOnDisk(WordBook& book, const fs::path& folder) {
    const FileRead db = ReadFileBytes(folder / (book.name() + ".txt"), kMaxWordDatabaseBytes);
    if (!db || *db != book.readBytes()) return DiskChange::Database;
    const FileRead rec = ReadFileBytes(folder / (book.name() + ".dat"), kMaxRecordBytes);
    const std::string now = rec ? *rec : std::string();
    if (now == book.readRecord()) return DiskChange::None;
    book.TakeRecord(now);
    return DiskChange::Record;
}

std::string NewSaveId(std::int64_t nowMs) {
    static std::random_device device;
    char part[17];
    std::snprintf(part, sizeof part, "%08x%08x", device(), device());
    return std::to_string(nowMs) + "-" + part;
}

Result<void> SaveWordBook(WordBook& book, const fs::path& folder, SessionHistory* history, const std::string& saveId,
                          const SystemCalls& sys) {
    Result<void> done = WriteWordBook(book, folder, history, saveId, book.Renames(saveId), sys);
    if (done) book.Saved();
    return done;
}

Result<void> WriteWordBook(const WordBook& book, const fs::path& folder, SessionHistory* history, const std::string& saveId,
                           const std::vector<CardRename>& renames, const SystemCalls& sys) {
    WordSaveJournal j;
    j.id = saveId;
    j.database = book.name();
    j.databaseBytes = book.DatabaseBytes();
    j.recordBytes = book.RecordBytes();
    j.renames = renames;
    const fs::path journal = JournalPath(folder, j.database);
    const std::string nothing = " Nothing was changed, and the edits are still here.";
    if (const WriteResult w = WriteFileAtomic(journal, JournalBytes(j), sys); !w.ok) {
        if (w.replaced) RemoveFile(journal);  // in place, but not known to be on the disk: no save to finish
        return Result<void>::Failed("The words could not be saved: " + journal.filename().string() + " could not be written: " +
                                    w.reason + "." + nothing);
    }
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
