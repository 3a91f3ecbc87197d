// SPDX-License-Identifier: GPL-3.0-or-later
#include "words/InProgram.h"

#include <unordered_map>

#include "files/WordInfo.h"
#include "memory/Deck.h"
#include "memory/LearningDay.h"
#include "platform/VectorState.h"
#include "run/MemoryDeck.h"
#include "text/EntryParts.h"
#include "words/WordSave.h"

namespace kelvora {

namespace {

// Whether the drill's table holds the words the book read, row by row.
bool TableIsBook(const Program& p, const WordBook& book) {
    if (book.readCount() != p.m.WordCount) return false;
    for (int i = 0; i < p.m.WordCount; ++i)
        if (!book.ReadAs(i, p.m.Word(i).word, p.m.Word(i).meaning)) return false;
    return true;
}

// The drill's table after the edits: each word read keeps its row's
// counters of this run, a word added has none. newRow[old] is where an
// old row went (-1: deleted).
std::vector<int> FollowEdits(Program& p, const WordBook& book, const std::vector<CardRename>& renames) {
    std::vector<int> newRow(static_cast<std::size_t>(p.m.WordCount), -1);
    WordRows table(kWordRows);
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

Result<std::vector<WordMemoryPair>> MemoryInProgram(Program& p, const WordBook& book) {
    using Out = Result<std::vector<WordMemoryPair>>;
    ClearUpperVectorState();  // retrievability of every word, on the window's thread
    const Result<MemorySettings> settings = MemorySettingsOf(p);
    if (!settings) return Out::Failed(settings.error());
    const std::int64_t now = p.host.Now();
    if (book.name() == p.loadedWordDb && TableIsBook(p, book)) {
        const Result<Deck*> deck = MemoryDeck(p);
        if (!deck) return Out::Failed(deck.error());
        const fsrs::Prepared w(settings->weights);
        const std::int64_t today = LearningDay(now);
        // A word read is at its id's row of the drill's table; one added
        // has no memory.
        std::vector<WordMemoryPair> out(book.entries().size());
        for (std::size_t row = 0; row < out.size(); ++row)
            for (int d : {0, 1}) {
                const std::uint32_t id = book.entries()[row].id;
                if (id >= static_cast<std::uint32_t>(book.readCount())) continue;
                const CardState& card = (*deck)->Card(static_cast<int>(id), d);
                WordMemory& m = out[row][static_cast<std::size_t>(d)];
                if (!card.Reviewed()) continue;
                m.reviews = card.reviews;
                m.lapses = card.lapses;
                m.retrievability = RetrievabilityOn(card, w, today);
                m.dueDay = DueDayOf(card, *settings);
            }
        AddRanks(out, book, p.wordInfo);  // read with the deck
        return out;
    }
    std::vector<WordMemoryPair> out(book.entries().size());
    if (p.history) {
        const Result<ReviewLog> log = p.history->Reviews(book.name());
        if (!log) return Out::Failed(log.error());
        out = MemoryOfWords(book, *log, *settings, now);
    }
    AddRanks(out, book, ReadWordInfo(p.File(book.name() + kWordInfoSuffix)));
    return out;
}

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
    const std::string id = NewSaveId(p.host.NowMs());
    const std::vector<CardRename> renames = book.Renames(id);
    if (Result<void> saved = WriteWordBook(book, p.dir, p.history, id, renames, *p.sys); !saved) return saved;
    if (!loaded) {
        book.Saved();
        return {};
    }
    const std::vector<int> newRow = FollowEdits(p, book, renames);
    book.Saved();
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
