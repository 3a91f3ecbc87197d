// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One running program: the shared state, the three windows' control
// models, and the services it uses. Every routine takes it by reference.
#include <array>
#include <filesystem>
#include <future>
#include <memory>

#include "memory/Deck.h"
#include "model/Model.h"
#include "model/OwnSettings.h"
#include "platform/Controls.h"
#include "platform/FolderLock.h"
#include "platform/Host.h"
#include "platform/PlayerLibrary.h"
#include "platform/Random.h"
#include "platform/SystemCalls.h"
#include "model/Session.h"
#include "platform/SessionHistory.h"

namespace kelvora {

class FilePrefetch;

struct Program {
    Program(Host& h, PlayerLibrary& p, std::filesystem::path workingDir = ".")
        : host(h), player(p), dir(std::move(workingDir)) {}
    // With start-up's files read ahead: the word table is then the one
    // made ahead, and no empty one is made first to be thrown away.
    Program(Host& h, PlayerLibrary& p, std::filesystem::path workingDir, FilePrefetch& ahead)
        : m(Model::WordRowsLater{}), host(h), player(p), dir(std::move(workingDir)), prefetch(&ahead) {}

    Model m;
    Form1Model Form1;
    Form2Model Form2;
    Form3Model Form3;
    Host& host;
    PlayerLibrary& player;
    // The session so far, and where "END" adds it (none: no history kept).
    SessionRecord session;
    SessionHistory* history = nullptr;
    // The calls a save makes; tests put in calls that fail.
    const SystemCalls* sys = &RealSystemCalls();
    Random rng;
    // Where the program's files live: bare file names are looked up here.
    std::filesystem::path dir;
    // Held from start-up to the end: no second Kelvora works on dir.
    FolderLock folderLock;
    // The databases actually loaded at start-up. "END" saves their learning
    // records under these names, even if the dialog's "Quit" has since
    // re-read a list that names other databases.
    std::string loadedWordDb;
    std::string loadedTestDb;
    // A line for the learner when start-up finds no settings file: how else
    // to start Kelvora. Empty when there is nothing else to say.
    std::string missingSettingsHint;
    // Kelvora's own settings (kelvora.conf), read at start-up.
    OwnSettings own;
    // Start-up's files read ahead while the windows are made; none: read
    // when asked.
    FilePrefetch* prefetch = nullptr;
    // Mode 5's cards, made at its first question from the review history,
    // or on a thread of its own from the moment the window shows.
    std::unique_ptr<Deck> deck;
    // A bank of common words' side data (ranks, parts of speech, examples),
    // read with the deck.
    WordInfoMap wordInfo;
    std::future<DeckBuild> deckBuild;
    // Why the deck could not be made (the review history cannot be read):
    // the memory modes ask as mode 2 does from then on, and the learner is
    // told once.
    std::string deckProblem;
    bool deckProblemTold = false;
    // A memory mode without new words found no reviewed word, and said so.
    bool noReviewedWordTold = false;
    // What assistive tools are to say now.
    Announcement announcement;
    // The pace of the question on screen: its countdown runs `scale` times
    // slower (kNoTimeLimit: it never runs out); `tick` counts the seconds
    // since the countdown of record last stepped.
    struct Pace {
        int scale = 1;
        int tick = 0;
    } pace;
    // The word question on screen: when it appeared (Host::MonotonicMs)
    // and the bank rows its four choices show.
    struct Question {
        std::int64_t shownMs = 0;
        std::array<int, 4> choiceRows{};
    } question;
    // Set when the program ends only to start again at once, on the same
    // folder (after the learner chose to drill a new word database).
    bool restartWanted = false;
    // Set by the first "Start": before it there is no question to resume.
    bool runStarted = false;
    // The last note about the training list the learner has seen, so that a
    // list that stays missing is not reported at every question.
    std::string trainingNoteShown;
    // The training list file as it was when it last gave no word.
    std::string trainingFailedStamp;

    std::filesystem::path File(const std::string& name) const { return dir / name; }
};

}  // namespace kelvora
