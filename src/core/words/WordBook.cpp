// SPDX-License-Identifier: GPL-3.0-or-later
#include "words/WordBook.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "files/FileLimits.h"
#include "model/Model.h"
#include "platform/Codec.h"
#include "platform/TextFile.h"
#include "text/EntryParts.h"
#include "text/Numbers.h"
#include "text/TextReader.h"
#include "text/Utf8.h"
#include "words/WordRules.h"

namespace kelvora {

namespace {

std::string Trimmed(const std::string& s) {
    const std::size_t a = s.find_first_not_of(" \t"), b = s.find_last_not_of(" \t");
    return a == std::string::npos ? std::string() : s.substr(a, b - a + 1);
}

// A cell with its text part replaced, the sound part and what follows kept.
std::string WithTextPart(const std::string& cell, const std::string& text) {
    const std::size_t bar = cell.find('|');
    return bar == std::string::npos ? text : text + cell.substr(bar);
}

std::string SortKey(const std::string& word) { return LowerAscii(GetTextPart(word)); }

std::size_t Chars(const std::string& s) { return Characters(s).size(); }

// The record as a save writes a word or meaning anew.
std::string Written(const WordEntry& e) { return *AsField(e.word) + "," + *AsField(e.meaning) + "\r\n"; }

std::uint64_t HashOf(const std::string& word, const std::string& meaning) {
    return std::hash<std::string>{}(word) * 1099511628211ull ^ std::hash<std::string>{}(meaning);
}

// A record's rows as the drill reads them: four fields a word, in order,
// up to `rows` of them; a short last row is left out.
std::vector<std::array<std::string, 4>> RecordRows(const std::string& record, std::size_t rows) {
    std::string bytes = record;
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) bytes.erase(0, 3);
    TextReader rec(bytes);
    std::vector<std::array<std::string, 4>> out;
    while (out.size() < rows && rec.HasMoreFields()) {
        std::array<std::string, 4> f;
        for (auto& field : f) {
            auto v = rec.ReadField();
            if (!v) return out;
            field = std::move(*v);
        }
        out.push_back(std::move(f));
    }
    return out;
}

}  // namespace

bool WordEntry::marked() const {
    const std::string text = GetTextPart(word);
    return text.size() >= 2 && text.compare(text.size() - 2, 2, " *") == 0;
}

Result<WordBook> WordBook::Read(const std::filesystem::path& folder, const std::string& name) {
    const FileRead database = ReadFileBytes(folder / (name + ".txt"), kMaxWordDatabaseBytes);
    if (!database)
        return Result<WordBook>::Failed("The word database '" + name + ".txt' cannot be read: " +
                                        (database.problem.empty() ? "there is no such file" : database.problem) + ".");
    const FileRead record = ReadFileBytes(folder / (name + ".dat"), kMaxRecordBytes);
    if (!record && !record.problem.empty())
        return Result<WordBook>::Failed("The learning record '" + name + ".dat' cannot be read: " + record.problem +
                                        ". Its words are not edited, so that no counter goes to another word.");
    return FromBytes(name, *database, record ? *record : std::string());
}

Result<WordBook> WordBook::FromBytes(const std::string& name, const std::string& database, const std::string& record) {
    WordBook b;
    b.name_ = name;
    b.readBytes_ = database;
    b.readRecord_ = record;
    const char32_t head = FirstCode(name);
    b.englishHeaded_ = head >= 65 && head <= 122;
    const std::string text = DecodeFileText(database);
    const auto encoded = EncodeCp932(text);
    b.cp932_ = encoded && *encoded == database;
    TextReader in(text);
    std::size_t end = 0;
    b.entries_.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
    while (in.HasMoreFields()) {
        if (b.entries_.size() >= static_cast<std::size_t>(kWordRows))
            return Result<WordBook>::Failed("The word database '" + name + ".txt' holds more than " + Thousands(kWordRows) +
                                            " words, more than Kelvora drills.");
        WordEntry e;
        const std::size_t start = in.pos();
        e.word = in.ReadField().value_or("");
        e.meaning = in.ReadField().value_or("");
        end = in.pos();
        e.id = static_cast<std::uint32_t>(b.entries_.size());
        const std::string_view read(text.data() + start, end - start);
        if (!AsField(e.word) || !AsField(e.meaning) || read != Written(e)) e.text = read;
        b.readKeys_.emplace_back(e.id, HeadwordKey(e.word));
        b.readHashes_.push_back(HashOf(e.word, e.meaning));
        b.entries_.push_back(std::move(e));
    }
    b.tail_ = text.substr(end);
    const auto counters = RecordRows(record, b.entries_.size());
    for (std::size_t i = 0; i < counters.size(); ++i) b.entries_[i].record = counters[i];
    return b;
}

bool WordBook::ReadAs(int row, const std::string& word, const std::string& meaning) const {
    return row >= 0 && static_cast<std::size_t>(row) < readHashes_.size() &&
           readHashes_[static_cast<std::size_t>(row)] == HashOf(word, meaning) &&
           HeadwordKey(word) == readKeys_[static_cast<std::size_t>(row)].second;
}

int WordBook::RowOf(std::uint32_t id) const {
    // Words read keep their ids in order, so a search from the id's own
    // row finds it at once when nothing moved.
    if (id < entries_.size() && entries_[id].id == id) return static_cast<int>(id);
    for (std::size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].id == id) return static_cast<int>(i);
    return -1;
}

int WordBook::RowOfKey(const std::string& key) const {
    for (std::size_t i = 0; i < entries_.size(); ++i)
        if (HeadwordKey(entries_[i].word) == key) return static_cast<int>(i);
    return -1;
}

namespace {

// Why a word or meaning cannot be a field of the database, or nothing.
Result<void> CheckField(const char* what, const std::string& text, std::size_t limit) {
    if (text.empty()) return Result<void>::Failed(std::string("A ") + what + " cannot be empty.");
    if (text.find_first_of("\r\n") != std::string::npos)
        return Result<void>::Failed(std::string("A ") + what + " cannot hold a line break: a word database keeps one word a line.");
    if (Chars(text) > limit)
        return Result<void>::Failed(std::string("A ") + what + " can be at most " + std::to_string(limit) +
                                    " characters long; this one has " + Thousands(static_cast<long long>(Chars(text))) + ".");
    if (text.find('"') != std::string::npos)
        return Result<void>::Failed(QuotedForMessage(text) + " holds a double quote (\"), which a word database cannot hold.");
    if (auto why = FieldProblem(text)) return Result<void>::Failed(*why + ".");
    return {};
}

}  // namespace

Result<void> WordBook::CheckMeaning(const std::string& meaning) const { return CheckField("meaning", meaning, kMaxMeaningChars); }

Result<void> WordBook::CheckWord(const std::string& word, int except) const {
    if (auto ok = CheckField("word", word, kMaxWordChars); !ok) return ok;
    if (englishHeaded_ && FirstCode(word) > 122)
        return Result<void>::Failed("The word " + QuotedForMessage(word) + " starts with \"" +
                                    std::string(Characters(word).front()) + "\": the words of '" + name_ +
                                    "' start with a Latin letter.");
    if (LowerAscii(word) >= kEndRecordWord && !entries_.empty() && SortKey(entries_.back().word) >= kEndRecordWord)
        return Result<void>::Failed("The word " + QuotedForMessage(word) + " would sort after the end record '" +
                                    kEndRecordWord + "', which stays last.");
    const std::string key = HeadwordKey(word);
    for (std::size_t i = 0; i < entries_.size(); ++i)
        if (static_cast<int>(i) != except && HeadwordKey(entries_[i].word) == key)
            return Result<void>::Failed("\"" + key + "\" is in '" + name_ + "' already, on row " +
                                        Thousands(static_cast<long long>(i + 1)) + ".");
    return {};
}

int WordBook::PlaceFor(const std::string& word) const {
    bool sorted = true;
    for (std::size_t i = 1; i < entries_.size() && sorted; ++i)
        sorted = SortKey(entries_[i - 1].word) <= SortKey(entries_[i].word);
    const int n = size();
    if (sorted) {
        const std::string k = SortKey(word);
        return static_cast<int>(std::upper_bound(entries_.begin(), entries_.end(), k,
                                                 [](const std::string& key, const WordEntry& e) { return key < SortKey(e.word); }) -
                                entries_.begin());
    }
    // Out of order: last, but before an end record.
    return n > 0 && SortKey(entries_.back().word) >= kEndRecordWord ? n - 1 : n;
}

void WordBook::Apply(const Edit& e, bool forward) {
    using K = Edit::Kind;
    const auto at = entries_.begin() + e.row;
    if (e.kind == K::Replace)
        *at = forward ? e.after : e.before;
    else if ((e.kind == K::Insert) == forward)
        entries_.insert(at, forward ? e.after : e.before);
    else
        entries_.erase(at);
}

void WordBook::Do(Edit e) {
    Apply(e, true);
    undo_.push_back(std::move(e));
    redo_.clear();
}

// Moves the last edit of `from` onto `to`, undone or done again.
int WordBook::Step(std::vector<Edit>& from, std::vector<Edit>& to, bool forward) {
    if (from.empty()) return -1;
    Edit e = std::move(from.back());
    from.pop_back();
    Apply(e, forward);
    const int row = e.row;
    to.push_back(std::move(e));
    return std::min(row, size() - 1);
}

int WordBook::Undo() { return Step(undo_, redo_, false); }
int WordBook::Redo() { return Step(redo_, undo_, true); }

Result<int> WordBook::Add(const std::string& wordIn, const std::string& meaningIn) {
    const std::string word = Trimmed(wordIn), meaning = Trimmed(meaningIn);
    if (auto ok = CheckWord(word, -1); !ok) return Result<int>::Failed(ok.error());
    if (auto ok = CheckMeaning(meaning); !ok) return Result<int>::Failed(ok.error());
    if (size() >= kWordRows)
        return Result<int>::Failed("'" + name_ + "' holds " + Thousands(kWordRows) + " words, as many as Kelvora drills.");
    WordEntry e;
    e.word = word;
    e.meaning = meaning;
    e.id = nextId_++;
    const int row = PlaceFor(word);
    Do({Edit::Kind::Insert, row, {}, e, "Add \"" + word + "\""});
    return row;
}

Result<void> WordBook::SetMeaning(int row, const std::string& meaningIn) {
    WordEntry e = entries_.at(static_cast<std::size_t>(row));
    const std::string meaning = WithTextPart(e.meaning, Trimmed(meaningIn));
    if (meaning == e.meaning) return {};
    if (auto ok = CheckMeaning(Trimmed(meaningIn)); !ok) return ok;
    e.meaning = meaning;
    e.text.clear();
    Do({Edit::Kind::Replace, row, entries_[static_cast<std::size_t>(row)], e, "Change the meaning of \"" + HeadwordKey(e.word) + "\""});
    return {};
}

Result<void> WordBook::Rename(int row, const std::string& wordIn) {
    WordEntry e = entries_.at(static_cast<std::size_t>(row));
    std::string text = Trimmed(wordIn);
    if (text.size() >= 2 && text.compare(text.size() - 2, 2, " *") == 0) text = Trimmed(text.substr(0, text.size() - 2));
    if (auto ok = CheckWord(text, row); !ok) return ok;
    const std::string word = WithTextPart(e.word, text + (e.marked() ? " *" : ""));
    if (word == e.word) return {};
    const std::string old = HeadwordKey(e.word);
    e.word = word;
    e.text.clear();
    Do({Edit::Kind::Replace, row, entries_[static_cast<std::size_t>(row)], e, "Rename \"" + old + "\""});
    return {};
}

Result<void> WordBook::SetMark(int row, bool mark) {
    WordEntry e = entries_.at(static_cast<std::size_t>(row));
    if (e.marked() == mark) return {};
    const std::string key = HeadwordKey(e.word);
    e.word = WithTextPart(e.word, key + (mark ? " *" : ""));
    e.text.clear();
    Do({Edit::Kind::Replace, row, entries_[static_cast<std::size_t>(row)], e, (mark ? "Mark \"" : "Unmark \"") + key + "\""});
    return {};
}

Result<void> WordBook::Delete(int row) {
    const WordEntry& e = entries_.at(static_cast<std::size_t>(row));
    Do({Edit::Kind::Remove, row, e, {}, "Delete \"" + HeadwordKey(e.word) + "\""});
    return {};
}

void WordBook::TakeRecord(const std::string& record) {
    const auto counters = RecordRows(record, readKeys_.size());
    auto take = [&](WordEntry& e) {
        if (e.id >= readKeys_.size()) return;
        e.record = e.id < counters.size() ? counters[e.id] : std::array<std::string, 4>{"0", "0", "0", "0"};
    };
    for (WordEntry& e : entries_) take(e);
    for (auto* stack : {&undo_, &redo_})
        for (Edit& edit : *stack) take(edit.before), take(edit.after);
    readRecord_ = record;
}

std::string WordBook::DatabaseBytes() const {
    std::string text;
    text.reserve(readBytes_.size() + 64);
    for (const WordEntry& e : entries_) {
        if (!text.empty() && text.back() != '\n') text += "\r\n";
        text += e.text.empty() ? Written(e) : e.text;
    }
    text += tail_;
    // Checked at every edit, so only a file that was never code page 932
    // can hold what it cannot: those characters stay as they were read.
    if (auto bytes = EncodeCp932(text)) return *bytes;
    return text;
}

std::string WordBook::RecordBytes() const {
    std::string out;
    out.reserve(entries_.size() * 12);
    for (const WordEntry& e : entries_) out += e.record[0] + "," + e.record[1] + "," + e.record[2] + "," + e.record[3] + "\r\n";
    return out;
}

std::vector<CardRename> WordBook::Renames(const std::string& saveId) const {
    // Each name the history knew, with the words read under it that are
    // still here (more than one only where the file held a word twice).
    std::unordered_map<std::uint32_t, const WordEntry*> kept;
    for (const WordEntry& e : entries_) kept.emplace(e.id, &e);
    std::unordered_map<std::string, std::vector<const WordEntry*>> holders;
    std::vector<const std::string*> names;  // in the order read
    for (const auto& [id, key] : readKeys_) {
        auto [it, isNew] = holders.try_emplace(key);
        if (isNew) names.push_back(&it->first);
        if (auto k = kept.find(id); k != kept.end()) it->second.push_back(k->second);
    }
    std::vector<CardRename> out;
    for (const std::string* key : names) {
        const auto& words = holders[*key];
        if (words.empty()) {
            out.push_back({*key, "|deleted|" + saveId + "|" + *key});  // apart from every word, a new one of that name too
            continue;
        }
        const bool stays = std::any_of(words.begin(), words.end(), [&](const WordEntry* h) { return HeadwordKey(h->word) == *key; });
        if (!stays) out.push_back({*key, HeadwordKey(words.front()->word)});
    }
    return out;
}

void WordBook::Saved() {
    readBytes_ = DatabaseBytes();
    readRecord_ = RecordBytes();
    readKeys_.clear();
    readHashes_.clear();
    std::uint32_t row = 0;
    for (WordEntry& e : entries_) {
        e.id = row++;
        readKeys_.emplace_back(e.id, HeadwordKey(e.word));
        readHashes_.push_back(HashOf(e.word, e.meaning));
    }
    nextId_ = kFirstAddedId;
    undo_.clear();
    redo_.clear();
}

}  // namespace kelvora
