// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/SessionHistory.h"

#include <chrono>
#include <future>

#include "Program.h"
#include "model/Tally.h"

namespace kelvora {

SessionRecord SummarizeSession(const Program& p) {
    SessionRecord s = p.session;
    s.ended = p.host.Now();
    s.wordDb = p.loadedWordDb;
    s.testDb = p.loadedTestDb;
    s.mode = p.m.SetupQmd;
    for (int i = 0; i < p.m.WordCount; ++i) {
        const WordRow& r = p.m.Word(i);
        for (int d : {kEnglishToJapanese, kJapaneseToEnglish}) s.known[d] += Score(r, d) > 0;
        s.neverAsked += Asked(r, kEnglishToJapanese) <= 0 && Asked(r, kJapaneseToEnglish) <= 0;
    }
    return s;
}

namespace {

MemorySettings MemorySettingsFrom(const OwnSettings& own, const SessionHistory* history, std::string* error) {
    MemorySettings s;
    s.desiredRetention = own.desiredRetention;
    s.newCardsPerDay = own.newCardsPerDay;
    if (history)
        if (const auto fitted = history->FittedParameters(error)) s.weights = *fitted;
    return s;
}

// What making the deck needs, copied from the program: the making may run
// on a thread of its own while the window goes on.
struct DeckInputs {
    std::vector<std::string> headwords;
    std::string database;
    std::vector<Review> session;
    OwnSettings own;
    const SessionHistory* history = nullptr;
};

DeckInputs InputsOf(const Program& p) {
    DeckInputs in;
    in.headwords = HeadwordsOf(p.m);
    in.database = p.loadedWordDb;
    in.session = p.session.reviews;
    in.own = p.own;
    in.history = p.history;
    return in;
}

DeckBuild MakeDeck(DeckInputs in) {
    DeckBuild out;
    ReviewLog log = in.history ? in.history->Reviews(in.database, &out.error) : ReviewLog{};
    const MemorySettings s = MemorySettingsFrom(in.own, in.history, &out.error);
    if (!out.error.empty()) return out;
    out.deck = std::make_unique<Deck>(std::move(in.headwords), in.database, log, in.session, s);
    out.sessionReviews = in.session.size();
    return out;
}

}  // namespace

MemorySettings MemorySettingsOf(const Program& p, std::string* error) {
    return MemorySettingsFrom(p.own, p.history, error);
}

void PrepareMemoryDeck(Program& p) {
    if (p.deck || p.reviewHistoryUnreadable || p.deckBuild.valid()) return;
    p.deckBuild = std::async(std::launch::async, MakeDeck, InputsOf(p));
}

bool MemoryDeckBeingMade(const Program& p) {
    return p.deckBuild.valid() && p.deckBuild.wait_for(std::chrono::seconds(0)) != std::future_status::ready;
}

Deck* MemoryDeck(Program& p) {
    if (p.deck || p.reviewHistoryUnreadable) return p.deck.get();
    DeckBuild made = p.deckBuild.valid() ? p.deckBuild.get() : MakeDeck(InputsOf(p));
    if (!made.error.empty()) {
        p.reviewHistoryUnreadable = true;
        p.host.MsgBox("The review history (history.sqlite3) cannot be read: " + made.error +
                      ".\r\nMode 5 asks the words not yet answered right, as mode 2 does.");
        return nullptr;
    }
    p.deck = std::move(made.deck);
    // The answers judged while it was being made.
    for (std::size_t i = made.sessionReviews; i < p.session.reviews.size(); ++i) p.deck->Record(p.session.reviews[i]);
    return p.deck.get();
}

void RecordSession(Program& p) {
    if (!p.history) return;
    const AppendOutcome added = p.history->Append(SummarizeSession(p));
    if (added.problem.empty()) return;
    if (added.keptForLater)
        p.host.MsgBox("This session could not be added to the history (history.sqlite3) now: " + added.problem +
                      ".\r\nNothing is lost: the session is kept in " + added.keptIn +
                      ", and Kelvora adds it to the history the next time it can write there.");
    else
        p.host.MsgBox("This session could not be added to the history (history.sqlite3): " + added.problem +
                      ".\r\nThe learning records are saved; only the history misses this session.");
}

}  // namespace kelvora
