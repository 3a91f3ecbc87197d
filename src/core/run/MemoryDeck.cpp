// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/WordInfo.h"
#include "run/MemoryDeck.h"

#include <chrono>
#include <future>

namespace kelvora {

namespace {

Result<MemorySettings> MemorySettingsFrom(const OwnSettings& own, const SessionHistory* history) {
    MemorySettings s;
    s.desiredRetention = own.desiredRetention;
    s.newCardsPerDay = own.newCardsPerDay;
    if (!history) return s;
    const auto fitted = history->FittedParameters();
    if (!fitted) return Result<MemorySettings>::Failed(fitted.error());
    if (*fitted) s.weights = **fitted;
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
    std::filesystem::path wordInfo;  // the bank's side file, if it has one
};

DeckInputs InputsOf(const Program& p) {
    DeckInputs in;
    in.headwords = HeadwordsOf(p.m);
    in.database = p.loadedWordDb;
    in.session = p.session.reviews;
    in.own = p.own;
    in.history = p.history;
    in.wordInfo = p.File(p.loadedWordDb + kWordInfoSuffix);
    return in;
}

DeckBuild MakeDeck(DeckInputs in) {
    DeckBuild out;
    const Result<ReviewLog> log = in.history ? in.history->Reviews(in.database) : Result<ReviewLog>(ReviewLog{});
    const Result<MemorySettings> s = MemorySettingsFrom(in.own, in.history);
    if (!log || !s) {
        out.error = !log ? log.error() : s.error();
        return out;
    }
    // A bank of common words brings its new words by rank.
    out.info = ReadWordInfo(in.wordInfo);
    std::vector<int> ranks;
    if (!out.info.empty()) {
        ranks.reserve(in.headwords.size());
        for (const std::string& h : in.headwords) {
            const auto it = out.info.find(h);
            ranks.push_back(it == out.info.end() ? 0 : it->second.rank);
        }
    }
    out.deck = std::make_unique<Deck>(std::move(in.headwords), in.database, *log, in.session, *s);
    if (!ranks.empty()) out.deck->SetRanks(std::move(ranks));
    out.sessionReviews = in.session.size();
    return out;
}

}  // namespace

Result<MemorySettings> MemorySettingsOf(const Program& p) { return MemorySettingsFrom(p.own, p.history); }

std::string UnreadableHistoryMessage(int mode, const std::string& why) {
    return "The review history (history.sqlite3) cannot be read: " + why + ".\r\nMode " + std::to_string(mode) +
           " asks the words not yet answered right, as mode 2 does.";
}

void PrepareMemoryDeck(Program& p) {
    if (p.deck || !p.deckProblem.empty() || p.deckBuild.valid()) return;
    p.deckBuild = std::async(std::launch::async, MakeDeck, InputsOf(p));
}

bool MemoryDeckBeingMade(const Program& p) {
    return p.deckBuild.valid() && p.deckBuild.wait_for(std::chrono::seconds(0)) != std::future_status::ready;
}

Result<Deck*> MemoryDeck(Program& p) {
    if (p.deck) return p.deck.get();
    if (!p.deckProblem.empty()) return Result<Deck*>::Failed(p.deckProblem);
    DeckBuild made = p.deckBuild.valid() ? p.deckBuild.get() : MakeDeck(InputsOf(p));
    if (!made.error.empty()) {
        p.deckProblem = made.error;
        return Result<Deck*>::Failed(p.deckProblem);
    }
    p.deck = std::move(made.deck);
    p.wordInfo = std::move(made.info);
    // The answers judged while it was being made.
    for (std::size_t i = made.sessionReviews; i < p.session.reviews.size(); ++i) p.deck->Record(p.session.reviews[i]);
    return p.deck.get();
}

}  // namespace kelvora
