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
