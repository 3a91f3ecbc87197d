// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/SessionHistory.h"

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

MemorySettings MemorySettingsOf(const Program& p, std::string* error) {
    MemorySettings s;
    s.desiredRetention = p.own.desiredRetention;
    s.newCardsPerDay = p.own.newCardsPerDay;
    if (p.history)
        if (const auto fitted = p.history->FittedParameters(error)) s.weights = *fitted;
    return s;
}

Deck* MemoryDeck(Program& p) {
    if (p.deck || p.reviewHistoryUnreadable) return p.deck.get();
    std::string error;
    ReviewLog log = p.history ? p.history->Reviews(p.loadedWordDb, &error) : ReviewLog{};
    const MemorySettings s = MemorySettingsOf(p, &error);
    if (!error.empty()) {
        p.reviewHistoryUnreadable = true;
        p.host.MsgBox("The review history (history.sqlite3) cannot be read: " + error +
                      ".\r\nMode 5 asks the words not yet answered right, as mode 2 does.");
        return nullptr;
    }
    p.deck = std::make_unique<Deck>(p.m, p.loadedWordDb, log, p.session.reviews, s);
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
