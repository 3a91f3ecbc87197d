// SPDX-License-Identifier: GPL-3.0-or-later
#include "Verbs.h"

#include <cstdio>
#include <unordered_set>

#include "Import.h"
#include "Program.h"
#include "SqliteHistory.h"
#include "files/FileLimits.h"
#include "files/OwnSettings.h"
#include "files/QuestionBanks.h"
#include "files/SessionHistory.h"
#include "files/WordInfo.h"
#include "files/Settings.h"
#include "memory/Fit.h"
#include "memory/Outlook.h"
#include "memory/ParametersText.h"
#include "run/MemoryDeck.h"
#include "review/ReviewCsv.h"
#include "platform/FolderLock.h"
#include "platform/TextFile.h"
#include "startup/Startup.h"
#include "text/Numbers.h"
#include "text/Utf8.h"
#include "text/EntryParts.h"
#include "memory/LearningDay.h"
#include "words/WordSave.h"
#include "words/WordTable.h"

namespace kelvora::cli {

namespace fs = std::filesystem;

namespace {

// The program's routines, run without windows: what they would show in a
// message box is kept for the terminal.
class TerminalHost : public Host {
public:
    void Beep() override {}
    std::string TimeOfDay() override { return "00:00:00"; }
    std::string said;

protected:
    void ShowMessage(const std::string& text) override { said += (said.empty() ? "" : "\n") + text; }
};

Outcome Failed(const std::string& message, int status = 1) { return {status, {}, "kelvora: " + message + "\n"}; }

// A data folder as the program sees it: its history, its own settings;
// its settings file and word database read when asked.
struct Folder {
    TerminalHost host;
    SilentPlayer player;
    SqliteHistory history;
    Program p;
    explicit Folder(const fs::path& dir) : history(dir / kHistoryFile), p(host, player, dir) {
        p.history = &history;
        p.own = ReadOwnSettings(dir / kOwnSettingsFile).settings;
    }
    std::string Problem() const { return host.said.empty() ? "it cannot be read" : host.said; }
};

// A command that writes into the data folder holds it as a window does,
// so that it never writes under an open window (whose "END" writes the same
// files); nothing when it holds it, else why not.
std::optional<std::string> HoldFolder(FolderLock& lock, const fs::path& folder) {
    if (lock.Acquire(folder) != FolderLock::Outcome::HeldByAnother) return std::nullopt;
    return "a Kelvora window (" + kMainCaption + ") is open on the folder " + fs::absolute(folder).string() +
           ", and this command would change the files it keeps. Press END in that window first, then run the command "
           "again. Nothing was changed.";
}

// The word database the program would load: the first name in qbx.txt.
// With `loadBank`, its words are read too.

std::optional<std::string> CurrentWordDatabase(Folder& f, bool loadBank, std::string* error) {
    if (StatPath(f.p.File(kSettingsFile)).kind == PathStatus::Kind::Missing) {
        *error = "there is no settings file " + std::string(kSettingsFile) + " in " + f.p.dir.string() +
                 ", so Kelvora cannot tell which word database is yours: give the data folder that holds it.";
        return std::nullopt;
    }
    if (!ReadSettings(f.p).ok()) {
        *error = "the settings of " + f.p.dir.string() + " cannot be read: " + f.Problem();
        return std::nullopt;
    }
    if (loadBank) {
        const LoadResult loaded = LoadWordDatabase(f.p);
        if (!loaded.ok()) {
            *error = loaded.failure;
            return std::nullopt;
        }
    }
    return f.p.m.WordDbName[0];
}

std::string HistoryProblem(const fs::path& file, const std::string& why) {
    return "the history " + file.string() + " cannot be read: " + why + ".";
}

Outcome Import(const Options& options, const fs::path& folder) {
    import::Request request;
    request.source = options.source;
    request.name = options.name;
    request.folder = folder;
    request.swap = options.swap;
    request.force = options.force;
    request.edictWords = options.edictWords;
    request.commonFrom = options.commonFrom;
    request.commonTo = options.commonTo;
    if (!options.format.empty()) {
        const import::FormatRow* row = import::FormatNamed(options.format);
        if (!row) return {2, "", "kelvora: --format takes " + import::FormatOptions() + "\nTry 'kelvora import --help'.\n"};
        request.format = row->format;
    }
    // Replacing a word database: a window may have it open.
    FolderLock lock;
    if (request.force && import::DatabaseExists(request))
        if (const auto held = HoldFolder(lock, folder)) return Failed(*held);
    const import::Outcome outcome = import::Run(request);
    Outcome out;
    out.status = outcome.status;
    (outcome.status == 0 ? out.out : out.err) = outcome.summary;
    return out;
}

Outcome History(const fs::path& folder) {
    const fs::path file = folder / kHistoryFile;
    const auto sessions = SqliteHistory(file).Sessions();
    if (!sessions) return Failed(HistoryProblem(file, sessions.error()));
    return {0, HistoryCsv(*sessions), {}};
}

Outcome Reviews(const fs::path& folder) {
    Folder f(folder);
    std::string error;
    const auto database = CurrentWordDatabase(f, false, &error);
    if (!database) return Failed(error);
    const fs::path file = folder / kHistoryFile;
    const Result<ReviewLog> log = SqliteHistory(file).Reviews(*database, true);
    if (!log) return Failed(HistoryProblem(file, log.error()));
    return {0, ReviewsCsv(*log), {}};
}

std::string Counted(int n, const std::string& thing) { return Thousands(n) + " " + thing + (n == 1 ? "" : "s"); }

// Every line of a list, the first 20 and then how many more.
std::string Listed(const std::vector<std::pair<int, std::string>>& lines) {
    std::string out;
    for (std::size_t i = 0; i < lines.size() && i < 20; ++i)
        out += (i ? ", " : " ") + ("line " + std::to_string(lines[i].first) + " '" + lines[i].second + "'");
    if (lines.size() > 20) out += " and " + Thousands(static_cast<long long>(lines.size() - 20)) + " more";
    return out;
}

Outcome ImportReviews(const fs::path& folder, const fs::path& source, std::int64_t now) {
    FolderLock lock;
    if (const auto held = HoldFolder(lock, folder)) return Failed(*held);
    Folder f(folder);
    std::string error;
    const auto database = CurrentWordDatabase(f, true, &error);
    if (!database) return Failed(error);
    const FileRead read = ReadTextFile(source, kMaxReviewLogBytes);
    if (!read)
        return Failed(source.string() + " cannot be read: " + (read.problem.empty() ? "there is no such file" : read.problem) +
                      ". Nothing was imported.");
    std::unordered_set<std::string> words;
    for (int row = 0; row < f.p.m.WordCount; ++row) words.insert(HeadwordKey(f.p.m.Word(row).word));
    const ReadReviews parsed =
        ParseReviewsCsv(*read, [&words](const std::string& w) { return words.count(w) > 0; }, now);
    if (!parsed.error.empty()) return Failed(source.string() + " " + parsed.error + ". Nothing was imported.");
    const fs::path file = folder / kHistoryFile;
    const auto added = SqliteHistory(file).Import(*database, parsed.rows);
    if (!added)
        return Failed("the reviews could not be added to " + file.string() + ": " + added.error() + ". Nothing was imported.");
    Outcome out;
    out.out = "Imported " + Counted(added->added, "review") + " into " + *database + " (" +
              Thousands(added->alreadyThere) + " already there).\n";
    if (!parsed.notInBank.empty())
        out.out += "Skipped " + Counted(static_cast<int>(parsed.notInBank.size()), "row") + " whose word is not in " +
                   *database + ".txt:" + Listed(parsed.notInBank) + ".\n";
    return out;
}

Outcome Due(const fs::path& folder, std::int64_t asOf) {
    Folder f(folder);
    std::string error;
    const auto database = CurrentWordDatabase(f, false, &error);
    if (!database) return Failed(error);
    const Result<ReviewLog> log = f.history.Reviews(*database);
    const Result<MemorySettings> settings = MemorySettingsOf(f.p);
    if (!log || !settings) return Failed(HistoryProblem(folder / kHistoryFile, !log ? log.error() : settings.error()));
    return {0, DueCsv(*log, *settings, asOf), {}};
}

std::string Metric(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%9.4f", v);
    return buf;
}

Outcome Fit(const fs::path& folder, bool show, std::int64_t now) {
    Folder f(folder);
    SqliteHistory& history = f.history;
    const fs::path file = folder / kHistoryFile;
    if (show) {
        const Result<MemorySettings> settings = MemorySettingsOf(f.p);
        if (!settings) return Failed(HistoryProblem(file, settings.error()));
        return {0, ParametersText(settings->weights) + "\n", {}};
    }
    FolderLock lock;
    if (const auto held = HoldFolder(lock, folder)) return Failed(*held);
    const Result<ReviewLog> log = history.Reviews("");
    if (!log) return Failed(HistoryProblem(file, log.error()));
    const std::vector<fsrs::Sequence> cards = fsrs::SequencesOf(*log);
    const fsrs::FitResult fit = fsrs::Fit(cards);
    Outcome out;
    out.out = "Reviews in the history: " + std::to_string(fit.reviews) + "; reviews the model predicts (each word's " +
              "later reviews, on a later day): " + std::to_string(fit.reviewsUsed) + ".\n";
    const auto before = history.FittedParameters();
    const bool fittedBefore = before && before->has_value();
    const std::string stay = fittedBefore ? "the parameters fitted before stay in force" : "the default parameters stay in force";
    if (fit.reviewsUsed < fsrs::kFewestReviewsToFit) {
        out.out += "Fitting needs at least " + std::to_string(fsrs::kFewestReviewsToFit) + " of them, so " + stay + ".\n";
        return out;
    }
    out.out += "                      log loss  RMSE (bins)\n";
    out.out += "Default parameters   " + Metric(fit.defaults.logLoss) + Metric(fit.defaults.rmseBins) + "\n";
    out.out += "Fitted parameters    " + Metric(fit.result.logLoss) + Metric(fit.result.rmseBins) + "\n";
    // The same on reviews the fit has not seen.
    const fsrs::OutOfSample unseen = fsrs::TestOutOfSample(cards);
    if (unseen.enough) {
        out.out += "On reviews the fit did not see (fitted on the " + Thousands(unseen.trainedOn) +
                   " before the last fifth of your learning days, tested on the " + Thousands(unseen.testedOn) + " after):\n";
        out.out += "Default parameters   " + Metric(unseen.defaults.logLoss) + Metric(unseen.defaults.rmseBins) + "\n";
        out.out += "Fitted parameters    " + Metric(unseen.result.logLoss) + Metric(unseen.result.rmseBins) +
                   (unseen.fitted ? "" : "  (the earlier reviews kept the defaults)") + "\n";
    } else {
        out.out += "Too few reviews in the last fifth of your learning days, or before it, to test the fit on reviews "
                   "it did not see.\n";
    }
    if (!fit.fitted) {
        out.out += "The fitted parameters predict your reviews no better than the defaults, so " + stay + ".\n";
        return out;
    }
    if (const Result<void> kept = history.KeepParameters(fit.weights, now, fit.reviewsUsed); !kept)
        return Failed("the fitted parameters could not be kept in " + file.string() + ": " + kept.error() + ".");
    out.out += "The fitted parameters are kept in " + std::string(kHistoryFile) +
               " and used from now on (kelvora fit --show prints them).\n";
    return out;
}

Outcome Settings(const fs::path& folder, const std::vector<std::string>& setting) {
    const fs::path file = folder / kOwnSettingsFile;
    OwnSettingsFile own = ReadOwnSettings(file);
    Outcome out;
    for (const std::string& problem : own.problems) out.err += "kelvora: " + problem + "\n";
    if (setting.empty()) {
        out.out = OwnSettingsText(own);
        return out;
    }
    if (own.unread)
        return Failed(file.string() + " could not be read, so Kelvora leaves it as it is and changes nothing: mend or "
                                      "remove it, then set " + setting[0] + " again.");
    if (const std::string why = SetOwnSetting(own, setting[0], setting[1]); !why.empty())
        return Failed(why + "; nothing was changed.");
    FolderLock lock;
    if (const auto held = HoldFolder(lock, folder)) return Failed(*held);
    const WriteResult r = WriteFileAtomic(file, OwnSettingsText(own));
    if (!r.ok) return Failed(file.string() + " could not be saved: " + r.reason + ".");
    out.out = setting[0] + " = " + setting[1] + " is saved in " + file.string() + ".\n";
    return out;
}

// "words": the table as CSV, or one edit saved as the window saves it.
Outcome Words(const Options& options, const fs::path& folder, std::int64_t now) {
    using K = Options::WordsEdit::Kind;
    const Options::WordsEdit& edit = options.wordsEdit;
    std::optional<WordFilter> filter = WordFilter::All;
    if (!options.filter.empty() && !(filter = WordFilterNamed(options.filter)))
        return {2, "", "kelvora: --filter takes due, new, marked, leeches or weakest\nTry 'kelvora --help'.\n"};
    Folder f(folder);
    std::string name = options.database, error;
    if (name.size() > 4 && LowerAscii(name.substr(name.size() - 4)) == ".txt") name.resize(name.size() - 4);
    if (name.empty()) {
        const auto database = CurrentWordDatabase(f, false, &error);
        if (!database) return Failed(error);
        name = *database;
    }
    // A save a kill interrupted is finished first, by whoever holds the folder.
    FolderLock lock;
    const auto held = HoldFolder(lock, folder);
    if (held && edit.kind != K::None) return Failed(*held);
    Outcome out;
    if (!held)
        if (const std::string finished = FinishInterruptedSaves(folder, &f.history); !finished.empty())
            out.err += "kelvora: " + finished + "\n";
    Result<WordBook> book = WordBook::Read(folder, name);
    if (!book) return Failed(book.error());
    if (edit.kind == K::None) {
        const fs::path file = folder / kHistoryFile;
        const Result<ReviewLog> log = f.history.Reviews(name);
        const Result<MemorySettings> settings = MemorySettingsOf(f.p);
        if (!log || !settings) return Failed(HistoryProblem(file, !log ? log.error() : settings.error()));
        auto memory = MemoryOfWords(*book, *log, *settings, now);
        AddRanks(memory, *book, ReadWordInfo(folder / (name + kWordInfoSuffix)));
        out.out = WordsCsv(*book, memory, FindWords(*book, FoldedRows(*book), memory, options.find, *filter, LearningDay(now)));
        return out;
    }
    const std::string key = HeadwordKey(edit.word);
    const int row = book->RowOfKey(key);
    if (row < 0 && edit.kind != K::Add)
        return Failed("\"" + key + "\" is not in " + name + ".txt. Nothing was changed.");
    Result<void> done;
    std::string said;
    switch (edit.kind) {
        case K::Add: {
            const Result<int> added = book->Add(edit.word, edit.value);
            if (!added) done = Result<void>::Failed(added.error());
            else said = "Added \"" + key + "\" to " + name + ".txt, on row " + Thousands(*added + 1) + ".";
            break;
        }
        case K::Meaning:
            done = book->SetMeaning(row, edit.value);
            said = "The meaning of \"" + key + "\" is changed.";
            break;
        case K::Rename:
            done = book->Rename(row, edit.value);
            said = "\"" + key + "\" is renamed \"" + HeadwordKey(edit.value) + "\"; its counters and reviews went with it.";
            break;
        case K::Delete:
            done = book->Delete(row);
            said = "\"" + key + "\" is deleted from " + name + ".txt.";
            break;
        case K::Mark:
        case K::Unmark:
            done = book->SetMark(row, edit.kind == K::Mark);
            said = "\"" + key + "\" is " + (edit.kind == K::Mark ? "marked." : "unmarked.");
            break;
        case K::None: break;
    }
    if (!done) return Failed(done.error() + (done.error().find("Nothing was changed") == std::string::npos ? " Nothing was changed." : ""));
    if (!book->modified()) {
        out.out = "\"" + key + "\" is already so; nothing was changed.\n";
        return out;
    }
    if (const Result<void> saved = SaveWordBook(*book, folder, &f.history, NewSaveId(now * 1000)); !saved)
        return Failed(saved.error());
    out.out = said + "\n";
    return out;
}

}  // namespace

std::optional<fs::path> ChosenFolder(const Options& options, const fs::path& samples, std::string* failure) {
    if (options.dataDir) return *options.dataDir;
    if (!options.userFolder) return fs::current_path();
    const auto own = UserDataFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
    if (!own) {
        *failure = "Kelvora cannot tell where your data folder is: neither XDG_DATA_HOME nor HOME is set.";
        return std::nullopt;
    }
    if (const auto failed = SeedDataFolder(*own, samples)) {
        *failure = *failed;
        return std::nullopt;
    }
    return *own;
}

namespace {

Outcome Run(const Options& options, const fs::path& samples, std::int64_t now) {
    std::string failure;
    const auto folder = ChosenFolder(options, samples, &failure);
    if (!folder) return Failed(failure);
    switch (StatPath(*folder).kind) {
        case PathStatus::Kind::Folder: break;
        case PathStatus::Kind::Missing:
            return Failed("the data folder " + folder->string() + " does not exist; give a folder that does, or make it first.");
        default: return Failed(folder->string() + " is not a folder; --data-dir names the data folder to work on.");
    }
    using A = Options::Action;
    switch (options.action) {
        case A::Import: return Import(options, *folder);
        case A::History: return History(*folder);
        case A::Reviews:
            return options.importReviews ? ImportReviews(*folder, *options.importReviews, now) : Reviews(*folder);
        case A::Due: return Due(*folder, options.asOf.value_or(now));
        case A::Fit: return Fit(*folder, options.show, now);
        case A::Settings: return Settings(*folder, options.setting);
        case A::Words: return Words(options, *folder, now);
        default: return {2, {}, "kelvora: that is no command\n"};
    }
}

// Whether a verb's standard output is data (CSV, a settings file, the
// parameters), not a message.
bool PrintsData(const Options& options) {
    using A = Options::Action;
    return options.action == A::History || options.action == A::Due || (options.action == A::Fit && options.show) ||
           (options.action == A::Reviews && !options.importReviews) ||
           (options.action == A::Settings && options.setting.empty()) ||
           (options.action == A::Words && options.wordsEdit.kind == Options::WordsEdit::Kind::None);
}

}  // namespace

Outcome RunVerb(const Options& options, const fs::path& samples, std::int64_t now) {
    Outcome out = Run(options, samples, now);
    // Messages are held to a screenful, and what they quote from files
    // cannot drive the terminal.
    out.err = ForTerminal(out.err);
    if (!PrintsData(options)) out.out = ForTerminal(out.out);
    else out.data = true;
    return out;
}

}  // namespace kelvora::cli
