// SPDX-License-Identifier: GPL-3.0-or-later
#include "startup/CommandLine.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <system_error>

#include "Version.h"
#include "files/FileLimits.h"
#include "platform/TextFile.h"

namespace kelvora {

namespace {

// The options Qt's own start-up reads, with whether a value follows.
bool IsToolkitOption(const std::string& arg, bool* takesValue) {
    static const char* const withValue[] = {"-platform", "-style", "-stylesheet", "-display", "-geometry",
                                            "-qwindowgeometry", "-qwindowtitle", "-qwindowicon", "-platformtheme",
                                            "-platformpluginpath", "-session", "-name", "-title"};
    static const char* const alone[] = {"-reverse", "-widgetcount", "-nograb", "-dograb", "-sync"};
    for (const char* o : withValue)
        if (arg == o) return *takesValue = true;
    for (const char* o : alone)
        if (arg == o) return !(*takesValue = false);
    return false;
}

}  // namespace

namespace {

// A whole number of seconds, nothing else.
std::optional<std::int64_t> Seconds(const std::string& text) {
    if (text.empty() || text == "-" || text.size() > 18) return std::nullopt;
    std::int64_t v = 0;
    for (std::size_t i = text[0] == '-' ? 1 : 0; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        v = v * 10 + (text[i] - '0');
    }
    return text[0] == '-' ? -v : v;
}

// What a verb's own option handler says of an argument.
struct Taken {
    bool known = true;
    std::string error;  // a known option with a bad value
};
Taken Unknown() { return {false, {}}; }

// The arguments after a verb: --help, the data-folder options and, through
// `own`, the verb's own; `value("--x")` takes the value of "--x V" or
// "--x=V".
template <class Own>
Options WalkVerb(Options::Action action, const std::vector<std::string>& args, Own own) {
    Options o;
    o.action = action;
    auto wrong = [&o](std::string error) {
        o.action = Options::Action::Wrong;
        o.error = std::move(error);
        return o;
    };
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](const char* option) -> std::optional<std::string> {
            const std::string prefix = std::string(option) + "=";
            if (a.rfind(prefix, 0) == 0) return a.substr(prefix.size());
            if (a == option && i + 1 < args.size()) return args[++i];
            return std::nullopt;
        };
        auto is = [&a](const char* option) { return a == option || a.rfind(std::string(option) + "=", 0) == 0; };
        if (a == "-h" || a == "--help") {
            o.action = Options::Action::Help;
            if (action == Options::Action::Import) o.source = "import";
            return o;
        } else if (a == "--user") {
            o.userFolder = true;
        } else if (is("--data-dir")) {
            const auto v = value("--data-dir");
            if (!v || v->empty()) return wrong("--data-dir needs a folder");
            o.dataDir = *v;
        } else {
            const Taken t = own(a, is, value, o);
            if (!t.known) return wrong("unknown option or argument '" + a + "' for " + args[0]);
            if (!t.error.empty()) return wrong(t.error);
        }
    }
    if (o.userFolder && o.dataDir) return wrong("--user and --data-dir name two folders; give one of them");
    return o;
}

// "import" and what follows it: options anywhere among the source and the
// name.
Options ParseImport(const std::vector<std::string>& args) {
    std::vector<std::string> positional;
    Options o = WalkVerb(Options::Action::Import, args, [&](const std::string& a, auto is, auto value, Options& o) {
        if (a == "--swap") {
            o.swap = true;
        } else if (a == "--force") {
            o.force = true;
        } else if (is("--format")) {
            // The import knows its formats: it checks the name.
            const auto v = value("--format");
            if (!v || v->empty()) return Taken{true, "--format needs the name of a format"};
            o.format = *v;
        } else if (is("--edict")) {
            const auto v = value("--edict");
            char* end = nullptr;
            const unsigned long n = v ? std::strtoul(v->c_str(), &end, 10) : 0;
            if (!v || v->empty() || *end != '\0' || n == 0) return Taken{true, "--edict needs how many words, from 1 to 20000"};
            o.edictWords = std::min<unsigned long>(n, 20000);
            o.format = "edict";
        } else if (is("--common")) {
            const auto ranks = ParseCommonRanks(value("--common").value_or(""));
            if (!ranks) return Taken{true, "--common needs how many words (1 to 20000) or ranks FROM-TO (3001-6000)"};
            const auto [from, to] = *ranks;
            o.commonFrom = from;
            o.commonTo = to;
        } else if (a.size() > 1 && a[0] == '-') {
            return Unknown();
        } else {
            positional.push_back(a);
        }
        return Taken{};
    });
    if (o.action != Options::Action::Import) return o;
    auto wrong = [&o](std::string error) {
        o.action = Options::Action::Wrong;
        o.error = std::move(error);
        return o;
    };
    if (o.commonTo > 0) {
        if (positional.size() != 1 || !o.format.empty() || o.edictWords > 0)
            return wrong("import --common needs only the name of the word database to write");
        o.name = positional.front();
        return o;
    }
    const std::size_t wanted = o.format == "edict" && o.edictWords > 0 ? 1 : 2;
    if (positional.size() == 2 && o.format == "edict") {
        o.source = positional[0];  // a dictionary file of one's own
        o.name = positional[1];
        return o;
    }
    if (positional.size() != wanted)
        return wrong(wanted == 1 ? "import --edict N needs the name of the word database to write"
                                 : "import needs a source file and the name of the word database to write");
    if (wanted == 2) o.source = positional[0];
    o.name = positional.back();
    return o;
}

// The edits of "words", and how many values follow each.
const struct {
    const char* option;
    Options::WordsEdit::Kind kind;
    int values;
} kWordEdits[] = {{"--add", Options::WordsEdit::Kind::Add, 2},       {"--meaning", Options::WordsEdit::Kind::Meaning, 2},
                  {"--rename", Options::WordsEdit::Kind::Rename, 2}, {"--delete", Options::WordsEdit::Kind::Delete, 1},
                  {"--mark", Options::WordsEdit::Kind::Mark, 1},     {"--unmark", Options::WordsEdit::Kind::Unmark, 1}};

// "words": a find and a filter, or one edit (its word and value follow it).
Options ParseWords(const std::vector<std::string>& args) {
    using K = Options::WordsEdit::Kind;
    std::vector<std::string> rest;  // the values of an edit
    int wanted = 0;
    std::string editOption;
    Options o = WalkVerb(Options::Action::Words, args, [&](const std::string& a, auto is, auto value, Options& o) {
        if (wanted > 0) {  // a value, whatever it begins with
            rest.push_back(a);
            --wanted;
            return Taken{};
        }
        for (const auto& e : kWordEdits)
            if (a == e.option) {
                if (o.wordsEdit.kind != K::None) return Taken{true, "words makes one edit at a time"};
                o.wordsEdit.kind = e.kind;
                editOption = a;
                wanted = e.values;
                return Taken{};
            }
        if (is("--find")) {
            const auto v = value("--find");
            if (!v) return Taken{true, "--find needs the text to find"};
            o.find = *v;
        } else if (is("--filter")) {
            const auto v = value("--filter");
            if (!v || v->empty()) return Taken{true, "--filter needs due, new, marked, leeches or weakest"};
            o.filter = *v;
        } else if (is("--database")) {
            const auto v = value("--database");
            if (!v || v->empty()) return Taken{true, "--database needs the name of a word database"};
            o.database = *v;
        } else {
            return Unknown();
        }
        return Taken{};
    });
    if (o.action != Options::Action::Words) return o;
    auto wrong = [&o](std::string error) {
        o.action = Options::Action::Wrong;
        o.error = std::move(error);
        return o;
    };
    if (wanted > 0)
        return wrong(editOption + (editOption == "--add" || editOption == "--meaning" ? " needs a word and a meaning"
                                   : editOption == "--rename"                         ? " needs the word and its new name"
                                                                                      : " needs a word"));
    if (!rest.empty()) o.wordsEdit.word = rest[0];
    if (rest.size() > 1) o.wordsEdit.value = rest[1];
    if (o.wordsEdit.kind != K::None && (!o.find.empty() || !o.filter.empty()))
        return wrong("--find and --filter choose what to print; an edit prints nothing but what it did");
    return o;
}

// The verbs that work on the data folder without a window, and their own
// options.
Options ParseVerb(Options::Action action, const std::vector<std::string>& args) {
    const std::string& verb = args[0];
    Options o = WalkVerb(action, args, [&verb](const std::string& a, auto is, auto value, Options& o) {
        if (verb == "reviews" && is("--import")) {
            const auto v = value("--import");
            if (!v || v->empty()) return Taken{true, "--import needs the CSV file to read"};
            o.importReviews = *v;
        } else if (verb == "due" && is("--as-of")) {
            const auto v = value("--as-of");
            const auto seconds = v ? Seconds(*v) : std::nullopt;
            if (!seconds) return Taken{true, "--as-of needs a time in Unix seconds"};
            o.asOf = *seconds;
        } else if (verb == "fit" && a == "--show") {
            o.show = true;
        } else if (verb == "settings" && (a.empty() || a[0] != '-' || o.setting.size() == 1)) {
            o.setting.push_back(a);  // a value may begin with "-": the setting says whether it may be so
        } else {
            return Unknown();
        }
        return Taken{};
    });
    if (o.action == action && (o.setting.size() == 1 || o.setting.size() > 2)) {
        o.action = Options::Action::Wrong;
        o.error = "settings takes a setting and its value, or nothing";
    }
    return o;
}

}  // namespace

Options ParseOptions(const std::vector<std::string>& args) {
    if (!args.empty() && args[0] == "import") return ParseImport(args);
    if (!args.empty() && args[0] == "words") return ParseWords(args);
    using A = Options::Action;
    const std::pair<const char*, A> verbs[] = {
        {"history", A::History}, {"reviews", A::Reviews}, {"due", A::Due}, {"fit", A::Fit}, {"settings", A::Settings}};
    for (const auto& [name, action] : verbs)
        if (!args.empty() && args[0] == name) return ParseVerb(action, args);
    Options o;
    auto wrong = [&o](std::string error) {
        o.action = Options::Action::Wrong;
        o.error = std::move(error);
        return o;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        bool takesValue = false;
        if (a == "-h" || a == "--help") {
            o.action = Options::Action::Help;
        } else if (a == "-V" || a == "--version") {
            if (o.action != Options::Action::Help) o.action = Options::Action::Version;
        } else if (a == "--user") {
            o.userFolder = true;
        } else if (a == "--data-dir" || a.rfind("--data-dir=", 0) == 0) {
            std::string value;
            if (a == "--data-dir") {
                if (i + 1 >= args.size()) return wrong("--data-dir needs a folder");
                value = args[++i];
            } else {
                value = a.substr(std::strlen("--data-dir="));
            }
            if (value.empty()) return wrong("--data-dir needs a folder");
            o.dataDir = value;
        } else if (IsToolkitOption(a, &takesValue)) {
            if (takesValue) ++i;
        } else {
            return wrong("unknown option or argument '" + a + "'");
        }
    }
    if (o.userFolder && o.dataDir) return wrong("--user and --data-dir name two folders; give one of them");
    return o;
}

std::string HelpText(const std::string& program) {
    return "Usage: " + program +
           " [--user | --data-dir DIR]\n"
           "A drill program for learners of English: four-choice word questions and test\n"
           "questions with a countdown, a learning record kept across runs, and reports.\n"
           "\n"
           "Kelvora works on the files of one data folder: the settings (qbx.txt), the word\n"
           "and test databases, and the learning records it saves when you press END.\n"
           "\n"
           "Options:\n"
           "  --user          work on your own data folder, $XDG_DATA_HOME/kelvora\n"
           "                  (~/.local/share/kelvora), made with the sample data the\n"
           "                  first time; the desktop menu starts Kelvora this way\n"
           "  --data-dir DIR  work on the folder DIR\n"
           "  -h, --help      show this help and leave\n"
           "  -V, --version   show the version and leave\n"
           "Without an option Kelvora works on the folder it is started in.\n"
           "\n"
           "Commands, without a window (each takes --user or --data-dir DIR):\n"
           "  " + program + " import SOURCE NAME   import a word list (see import --help)\n"
           "  " + program + " history              print the session history as CSV\n"
           "  " + program + " reviews              print the review log of the word database as CSV\n"
           "  " + program + " reviews --import FILE  add the reviews of a CSV file to the log\n"
           "  " + program + " due [--as-of UNIX]   print each word's memory and the day it is due\n"
           "  " + program + " fit                  fit the memory model to your own reviews\n"
           "  " + program + " fit --show           print the model's parameters in force\n"
           "  " + program + " settings [KEY VALUE] print or set Kelvora's own settings\n"
           "  " + program + " words [--find TEXT] [--filter due|new|marked|leeches|weakest]\n"
           "                       print the words with their counters and memory as CSV\n"
           "  " + program + " words --add WORD MEANING | --meaning WORD MEANING |\n"
           "        --rename OLD NEW | --delete WORD | --mark WORD | --unmark WORD\n"
           "                       edit the word database; counters and reviews stay with\n"
           "                       their words (--database NAME: another database)\n"
           "\n"
           "Environment:\n"
           "  KELVORA_AUDIO_OUTPUT  the sound output: a libout123 driver, or wav:FILE\n"
           "\n"
           "See man kelvora for the files and the rest.\n";
}

std::string ImportHelpText(const std::string& program, const std::string& formats) {
    return "Usage: " + program +
           " import [options] SOURCE NAME\n"
           "       " + program + " import [options] --edict N NAME\n"
           "       " + program + " import [options] --common N|FROM-TO NAME\n"
           "Reads a word list and writes the word database NAME.txt into the data folder\n"
           "(the current folder, or the one --data-dir or --user names); nothing else there\n"
           "changes. It prints what it wrote and which rows it skipped, and why.\n"
           "\n"
           "Formats, found from the content:\n"
           "  CSV and tab-separated text (a header row is skipped), the plain-text notes\n"
           "  export of flash-card programs, KVTML 2 files; in UTF-8, UTF-16, EUC-JP or\n"
           "  code page 932. The column of the English words is found from the content.\n"
           "\n"
           "Options:\n"
           "  --format F      read SOURCE as F: " + formats + "\n"
           "  --swap          take the other column as the English words\n"
           "  --edict N       the N most common English words of the EDICT dictionary\n"
           "                  (Debian's edict package), with their Japanese headwords\n"
           "  --common N      the N most frequent English words (up to 20000), or ranks\n"
           "  --common FROM-TO  FROM to TO (3001-6000: the next level), each with its\n"
           "                  commonest Japanese meanings; their ranks, parts of speech\n"
           "                  and examples go beside the bank, in NAME.words-info\n"
           "                  (from Debian's scowl, wordnet-base and edict packages)\n"
           "  --force         replace NAME.txt if it is there\n"
           "  --data-dir DIR  write into DIR\n"
           "  --user          write into your own data folder\n"
           "\n"
           "Exit status: 0 when words were written, 1 when nothing could be, 2 for wrong usage.\n";
}

std::optional<std::pair<std::size_t, std::size_t>> ParseCommonRanks(const std::string& text) {
    auto number = [](const std::string& t) -> std::size_t {
        if (t.empty() || t.size() > 6 || t.find_first_not_of("0123456789") != std::string::npos) return 0;
        return std::stoul(t);
    };
    const std::size_t dash = text.find('-');
    const std::size_t from = dash == std::string::npos ? 1 : number(text.substr(0, dash));
    const std::size_t to = number(dash == std::string::npos ? text : text.substr(dash + 1));
    if (from == 0 || to < from || to > 20000) return std::nullopt;
    return std::make_pair(from, to);
}

std::string VersionText() { return std::string("Kelvora ") + kVersion + "\n"; }

std::optional<std::filesystem::path> UserDataFolder(const char* xdgDataHome, const char* home) {
    // A relative $XDG_DATA_HOME is invalid and ignored, as the standard says.
    if (xdgDataHome && *xdgDataHome == '/') return std::filesystem::path(xdgDataHome) / "kelvora";
    if (home && *home) return std::filesystem::path(home) / ".local" / "share" / "kelvora";
    return std::nullopt;
}

std::optional<std::string> SeedDataFolder(const std::filesystem::path& folder, const std::filesystem::path& samples) {
    if (const auto failed = MakeFolder(folder))
        return "Kelvora cannot make its data folder " + folder.string() + ": " + *failed + ".";
    std::string error;
    for (const std::string& name : PlainFilesIn(samples, &error)) {
        const std::filesystem::path target = folder / name;
        const PathStatus there = StatPath(target);
        if (there.kind != PathStatus::Kind::Missing || there.link) continue;
        const FileRead sample = ReadFileBytes(samples / name, kMaxSampleBytes);
        // Put in place whole, and only where the learner has no file of
        // that name: a file that appeared meanwhile is kept too.
        const WriteResult r = sample ? CreateFileAtomic(target, *sample) : WriteResult{false, false, sample.problem};
        if (!r.ok && !r.alreadyThere)
            return "Kelvora cannot copy the sample file " + name + " into " + folder.string() + ": " + r.reason + ".";
    }
    if (!error.empty()) return "Kelvora cannot read its sample data in " + samples.string() + ": " + error + ".";
    return std::nullopt;
}

}  // namespace kelvora
