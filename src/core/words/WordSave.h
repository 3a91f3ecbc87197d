// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Saving the word editor's edits: the word database, its learning record
// and the history's cards change together. A journal holding all of the
// new state is written first; a save killed at any moment is finished at
// the next start (so the three are all old or all new), and a save that
// fails puts back what it wrote and leaves all three as they were.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/SessionHistory.h"
#include "platform/SystemCalls.h"
#include "words/WordBook.h"

namespace kelvora {

// The journal beside a database: "eword.words-save".
inline constexpr const char* kWordSaveSuffix = ".words-save";

struct WordSaveJournal {
    std::string id;
    std::string database;
    std::string databaseBytes;
    std::string recordBytes;
    std::vector<CardRename> renames;
    bool operator==(const WordSaveJournal&) const = default;
};
std::string JournalBytes(const WordSaveJournal& j);
std::optional<WordSaveJournal> ParseJournal(const std::string& bytes);

// What changed on disk since the book read its files: nothing; only the
// learning record (the drill's END writes it: the book takes it, see
// WordBook::TakeRecord); or the database itself (another program).
enum class DiskChange { None, Record, Database };
DiskChange ChangeOnDisk(WordBook& book, const std::filesystem::path& folder);

// A name for one save, never the same twice: the time and a random part.
std::string NewSaveId(std::int64_t nowMs);

// Writes the book's edits (see above) with `renames` (the book's, for
// `saveId`); `history` may be null (no history kept). Why not, with
// nothing changed, or done; the book is left as it is (WordBook::Saved).
Result<void> WriteWordBook(const WordBook& book, const std::filesystem::path& folder, SessionHistory* history,
                           const std::string& saveId, const std::vector<CardRename>& renames,
                           const SystemCalls& sys = RealSystemCalls());
// The same, and the book then holds what it wrote.
Result<void> SaveWordBook(WordBook& book, const std::filesystem::path& folder, SessionHistory* history,
                          const std::string& saveId, const SystemCalls& sys = RealSystemCalls());

// Finishes the saves a kill interrupted, each as the journal has it. What
// to tell the learner once (empty when there was none).
std::string FinishInterruptedSaves(const std::filesystem::path& folder, SessionHistory* history,
                                   const SystemCalls& sys = RealSystemCalls());

}  // namespace kelvora
