// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A word database and its learning record, read together for editing:
// every word keeps its counters (and, through its history key, its
// reviews) through adds, deletes, renames and changed meanings. Words not
// edited are written back with the bytes they were read with; every edit
// can be undone until the book is saved.
#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "review/Review.h"
#include "text/Result.h"

namespace kelvora {

struct WordEntry {
    std::string word;     // the two fields as the drill reads them
    std::string meaning;
    // The learning record's line: asked and score, English to Japanese,
    // then Japanese to English, as the record file holds them.
    std::array<std::string, 4> record{"0", "0", "0", "0"};
    // The record's text in the database as read, through its line end,
    // where it is not what the two fields give written anew (odd blanks or
    // quotes, a record over two lines); empty otherwise, and once edited.
    std::string text;
    // Stays with the word through every edit; the row it was read from is
    // `id` for a word read, and ids from kFirstAddedId on are added words.
    std::uint32_t id = 0;
    bool marked() const;
};

class WordBook {
public:
    static constexpr std::uint32_t kFirstAddedId = 1u << 30;

    // Reads `name`.txt and `name`.dat from the folder; a missing record is
    // all zeros.
    static Result<WordBook> Read(const std::filesystem::path& folder, const std::string& name);
    // The same from the files' bytes.
    static Result<WordBook> FromBytes(const std::string& name, const std::string& database, const std::string& record);

    const std::string& name() const { return name_; }
    const std::vector<WordEntry>& entries() const { return entries_; }
    int size() const { return static_cast<int>(entries_.size()); }
    // The row of a word's id, or -1.
    int RowOf(std::uint32_t id) const;
    // The first row whose word has this history key, or -1.
    int RowOfKey(const std::string& key) const;

    // Edits. Each checks what it is given first and says why it cannot
    // take it; nothing changes then.
    Result<int> Add(const std::string& word, const std::string& meaning);  // the row it went to
    Result<void> SetMeaning(int row, const std::string& meaning);
    Result<void> Rename(int row, const std::string& word);
    Result<void> SetMark(int row, bool marked);
    Result<void> Delete(int row);

    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }
    // What the next undo or redo would do, for a menu ("Rename 'aple'").
    std::string UndoText() const { return undo_.empty() ? "" : undo_.back().what; }
    std::string RedoText() const { return redo_.empty() ? "" : redo_.back().what; }
    // The row the undone or redone edit touched (-1 when none is left).
    int Undo();
    int Redo();
    bool modified() const { return !undo_.empty(); }

    // The files as a save writes them, and the history's renames, named
    // with `saveId` for a deleted word.
    std::string DatabaseBytes() const;
    std::string RecordBytes() const;
    std::vector<CardRename> Renames(const std::string& saveId) const;
    // The bytes of the database as read (for putting them back).
    const std::string& readBytes() const { return readBytes_; }
    const std::string& readRecord() const { return readRecord_; }
    // The learning record as it is now on disk (the drill wrote it since
    // the book was read): every word read takes its counters from it, in
    // the edits to undo as well.
    void TakeRecord(const std::string& record);
    // Whether a row of the drill's table holds the word and meaning read
    // (or last saved) at that row, the row a word read has as its id.
    int readCount() const { return static_cast<int>(readKeys_.size()); }
    bool ReadAs(int row, const std::string& word, const std::string& meaning) const;
    // After a save: what is written is what was read (the words numbered
    // anew by their rows); no edit to undo.
    void Saved();

    bool englishHeaded() const { return englishHeaded_; }

private:
    struct Edit {
        enum class Kind { Insert, Remove, Replace } kind;
        int row;
        WordEntry before, after;
        std::string what;
    };
    void Apply(const Edit& e, bool forward);
    int Step(std::vector<Edit>& from, std::vector<Edit>& to, bool forward);
    Result<void> CheckWord(const std::string& word, int except) const;
    Result<void> CheckMeaning(const std::string& meaning) const;
    int PlaceFor(const std::string& word) const;
    void Do(Edit e);

    std::string name_;
    std::vector<WordEntry> entries_;
    std::string tail_;  // what follows the last record (blank lines)
    std::string readBytes_, readRecord_;
    std::vector<std::pair<std::uint32_t, std::string>> readKeys_;  // by row read: its id and history key
    std::vector<std::uint64_t> readHashes_;                         // by row read: of its word and meaning  // every word read: its id and key
    std::vector<Edit> undo_, redo_;
    std::uint32_t nextId_ = kFirstAddedId;
    bool englishHeaded_ = false;
    bool cp932_ = true;  // the file is code page 932 exactly: unedited records keep their bytes
};

}  // namespace kelvora
