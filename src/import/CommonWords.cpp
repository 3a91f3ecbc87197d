// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommonWords.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <tuple>
#include <cmath>
#include <map>
#include <set>
#include <unordered_map>
#include <unordered_set>

#include "platform/Codec.h"
#include "platform/TextFile.h"
#include "text/Utf8.h"

namespace kelvora::import {

namespace {

namespace fs = std::filesystem;

// The non-empty pieces of `s` between the separators `by`.
std::vector<std::string_view> Split(std::string_view s, std::string_view by) {
    std::vector<std::string_view> out;
    for (std::size_t at = 0; at <= s.size();) {
        const std::size_t end = std::min(s.find(by, at), s.size());
        if (end > at) out.push_back(s.substr(at, end - at));
        at = end + by.size();
    }
    return out;
}

// Closed classes: left out (articles, pronouns), and kept however rarely a
// tagged corpus counts them (prepositions, conjunctions, question words,
// modal verbs: learners are tested on them).
const std::unordered_set<std::string> kLeftOut = {
    "a", "an", "the", "i", "me", "my", "mine", "myself", "you", "your", "yours", "yourself", "yourselves", "he", "him",
    "his", "himself", "she", "her", "hers", "herself", "it", "its", "itself", "we", "us", "our", "ours", "ourselves",
    "they", "them", "their", "theirs", "themselves", "this", "that", "these", "those", "who", "whom", "whose", "which",
    "what", "whoever", "whatever", "whichever", "someone", "somebody", "something", "anyone", "anybody", "anything",
    "everyone", "everybody", "everything", "nobody", "nothing", "one", "oneself", "none"};
// The closed classes kept, with their part of speech and meanings: EDICT
// glosses them as content words ("to" as a unit of volume), so their
// meanings are the program's own.
struct FunctionWord {
    const char* partOfSpeech;
    const char* meanings;  // up to three, "、" between them
};
const std::unordered_map<std::string, FunctionWord> kFunctionWords = {
    {"about", {"preposition", "〜について、およそ"}},     {"above", {"preposition", "〜の上に、〜より上"}},
    {"across", {"preposition", "〜を横切って、〜の向こうに"}}, {"after", {"preposition", "〜の後で、〜の後に"}},
    {"against", {"preposition", "〜に反対して、〜にもたれて"}}, {"along", {"preposition", "〜に沿って"}},
    {"among", {"preposition", "〜の間で、〜の中に"}},     {"around", {"preposition", "〜の周りに、およそ"}},
    {"as", {"preposition", "〜として、〜のように"}},       {"at", {"preposition", "〜で、〜に"}},
    {"before", {"preposition", "〜の前に、〜より前に"}},   {"behind", {"preposition", "〜の後ろに"}},
    {"below", {"preposition", "〜の下に、〜より下"}},      {"beneath", {"preposition", "〜の下に"}},
    {"beside", {"preposition", "〜のそばに"}},            {"besides", {"preposition", "〜のほかに"}},
    {"between", {"preposition", "〜の間に"}},            {"beyond", {"preposition", "〜を越えて、〜の向こうに"}},
    {"by", {"preposition", "〜によって、〜のそばに、〜までに"}}, {"despite", {"preposition", "〜にもかかわらず"}},
    {"down", {"preposition", "〜を下って、下へ"}},         {"during", {"preposition", "〜の間に、〜の間ずっと"}},
    {"except", {"preposition", "〜を除いて"}},            {"for", {"preposition", "〜のために、〜の間"}},
    {"from", {"preposition", "〜から"}},                 {"in", {"preposition", "〜の中に、〜で"}},
    {"inside", {"preposition", "〜の内側に"}},            {"into", {"preposition", "〜の中へ"}},
    {"like", {"preposition", "〜のような、〜のように"}},    {"near", {"preposition", "〜の近くに"}},
    {"of", {"preposition", "〜の"}},                     {"off", {"preposition", "〜から離れて"}},
    {"on", {"preposition", "〜の上に、〜に"}},            {"onto", {"preposition", "〜の上へ"}},
    {"out", {"preposition", "外へ、〜から外へ"}},          {"outside", {"preposition", "〜の外に"}},
    {"over", {"preposition", "〜の上に、〜を越えて"}},     {"past", {"preposition", "〜を過ぎて"}},
    {"since", {"preposition", "〜以来"}},                {"through", {"preposition", "〜を通って、〜を通じて"}},
    {"throughout", {"preposition", "〜の至る所に、〜の間ずっと"}}, {"till", {"preposition", "〜まで"}},
    {"to", {"preposition", "〜へ、〜に"}},                {"toward", {"preposition", "〜の方へ"}},
    {"towards", {"preposition", "〜の方へ"}},             {"under", {"preposition", "〜の下に"}},
    {"underneath", {"preposition", "〜の下に"}},          {"until", {"preposition", "〜まで"}},
    {"up", {"preposition", "〜を上って、上へ"}},           {"upon", {"preposition", "〜の上に"}},
    {"with", {"preposition", "〜と一緒に、〜で"}},         {"within", {"preposition", "〜以内に、〜の中に"}},
    {"without", {"preposition", "〜なしで"}},             {"and", {"conjunction", "そして、〜と"}},
    {"or", {"conjunction", "または、それとも"}},           {"nor", {"conjunction", "〜もまた…ない"}},
    {"but", {"conjunction", "しかし、でも"}},              {"so", {"conjunction", "だから、それで"}},
    {"yet", {"conjunction", "それでも、しかし"}},           {"because", {"conjunction", "なぜなら、〜なので"}},
    {"although", {"conjunction", "〜だけれども"}},         {"though", {"conjunction", "〜だけれども"}},
    {"while", {"conjunction", "〜する間に、〜なのに"}},     {"if", {"conjunction", "もし〜なら"}},
    {"unless", {"conjunction", "〜でない限り"}},           {"whether", {"conjunction", "〜かどうか"}},
    {"than", {"conjunction", "〜よりも"}},                {"whereas", {"conjunction", "〜であるのに対して"}},
    {"when", {"adverb", "いつ、〜するとき"}},              {"where", {"adverb", "どこに、どこで"}},
    {"why", {"adverb", "なぜ"}},                        {"how", {"adverb", "どのように、どれほど"}},
    {"can", {"modal verb", "〜できる、〜してもよい"}},       {"could", {"modal verb", "〜できた、〜かもしれない"}},
    {"will", {"modal verb", "〜だろう、〜するつもりだ"}},    {"would", {"modal verb", "〜だろう、〜したものだ"}},
    {"shall", {"modal verb", "〜しましょうか、〜だろう"}},   {"should", {"modal verb", "〜すべきだ、〜のはずだ"}},
    {"may", {"modal verb", "〜かもしれない、〜してもよい"}}, {"might", {"modal verb", "〜かもしれない"}},
    {"must", {"modal verb", "〜しなければならない、〜に違いない"}},
};

// EDICT's tags: a sense never used as a meaning, and a sense put after the others.
const std::set<std::string> kUnfitSense = {"vulg", "derog", "X",   "sens", "abbr", "arch", "obs", "rare", "sl",  "m-sl",
                                           "ksb",  "ktb",   "kyb", "osb",  "hob",  "thb",  "tsb", "tsug", "kyu", "rkb",
                                           "nab",  "hsb"};
const std::set<std::string> kOffensive = {"vulg", "derog", "X", "sens"};
const std::set<std::string> kLesser = {"col", "male", "fem", "hum", "ik", "iK", "ok", "oK", "io", "ateji", "gikun"};

// A word only of the literary forms ("寂然": a taru adjective, an adverb
// with to), with no plain adjective or adverb form beside them.
bool Literary(const std::set<std::string>& tags) {
    return (tags.count("adj-t") || tags.count("adv-to")) && !tags.count("adj-i") && !tags.count("adj-na") && !tags.count("adv");
}

struct Translation {
    std::string japanese;
    std::set<std::string> tags;  // of the entry and of the sense
    bool common = false;         // "(P)"
    bool firstGloss = false;     // the first gloss of its sense
    int sense = 1;
    int glosses = 1;  // of its sense: the fewer, the closer a translation
    int line = 0;
};

// The EDICT glosses that are one English word ("to run" as "run"), each
// with the Japanese that translates to it.
std::unordered_map<std::string, std::vector<Translation>> ReadGlosses(const std::string& text) {
    std::unordered_map<std::string, std::vector<Translation>> out;
    int line = 0;
    for (std::string_view entry : Split(text, "\n")) {
        if (++line == 1) continue;
        const std::size_t slash = entry.find('/');
        if (slash == std::string_view::npos) continue;
        const std::string_view head = entry.substr(0, slash);
        const std::string headword(head.substr(0, std::min(head.find(' '), head.size())));
        const std::size_t open = head.find('['), close = head.find(']');
        const std::string reading = open != std::string_view::npos && close > open
                                        ? std::string(head.substr(open + 1, close - open - 1))
                                        : headword;
        const bool common = entry.find("/(P)/") != std::string_view::npos;
        std::set<std::string> entryTags, senseTags;
        std::map<int, int> glossesOf;  // by sense
        std::vector<std::pair<std::string, std::size_t>> added;  // this entry's translations
        int sense = 1;
        bool first = true, atStart = true;
        for (std::string_view seg : Split(entry.substr(slash + 1), "/")) {
            if (seg == "(P)" || seg.rfind("EntL", 0) == 0) continue;
            std::vector<std::string> tags;
            while (!seg.empty() && (seg[0] == '(' || seg[0] == ' ')) {
                if (seg[0] == ' ') {
                    seg.remove_prefix(1);
                    continue;
                }
                const std::size_t end = seg.find(')');
                if (end == std::string_view::npos) break;
                // "(in)sufficiently", "(un)satisfactorily": part of the gloss.
                if (end + 1 < seg.size() && std::isalpha(static_cast<unsigned char>(seg[end + 1]))) break;
                for (std::string_view t : Split(seg.substr(1, end - 1), ",")) tags.emplace_back(t);
                seg.remove_prefix(end + 1);
            }
            bool numbered = false;
            for (const std::string& t : tags)
                if (!t.empty() && std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; })) {
                    sense = std::stoi(t);
                    numbered = true;
                }
            if (numbered) senseTags.clear(), first = true;
            // "(not) enough": the gloss says the opposite of the word.
            const bool negated = std::find(tags.begin(), tags.end(), "not") != tags.end();
            for (std::string& t : tags) {
                if (!t.empty() && t.back() == ':') t.pop_back();  // a dialect: "(ksb:)"
                if (t != "not") (atStart ? entryTags : senseTags).insert(t);
            }
            atStart = false;
            std::string gloss(seg);
            while (!gloss.empty() && gloss.back() == ' ') gloss.pop_back();
            if (gloss.rfind("to ", 0) == 0) gloss.erase(0, 3);
            // "use (a thing, method, etc.)": the word, its note dropped.
            if (const std::size_t note = gloss.find(" ("); note != std::string::npos && gloss.back() == ')') gloss.resize(note);
            const bool word = !gloss.empty() && std::isalpha(static_cast<unsigned char>(gloss[0])) &&
                              std::all_of(gloss.begin(), gloss.end(), [](char c) {
                                  return std::isalpha(static_cast<unsigned char>(c)) || c == '-' || c == '\'';
                              });
            if (!gloss.empty()) ++glossesOf[sense];
            if (word && !negated) {
                Translation t;
                t.tags = entryTags;
                t.tags.insert(senseTags.begin(), senseTags.end());
                t.japanese = t.tags.count("uk") ? reading : headword;
                t.common = common;
                t.firstGloss = first;
                t.sense = sense;
                t.line = line;
                auto& list = out[gloss];
                list.push_back(std::move(t));
                added.emplace_back(gloss, list.size() - 1);
            }
            first = false;
        }
        for (const auto& [gloss, i] : added) {
            Translation& t = out[gloss][i];
            t.glosses = glossesOf[t.sense];
        }
    }
    return out;
}

// How many EDICT headwords hold each of `wanted` (of one to four
// characters) inside them, not as the whole: a Japanese word many others
// are made from is one a reader meets often ("出力" in "入出力",
// "出力装置"...), a rarer synonym ("産量") is not. It settles what the
// glosses leave even.
std::unordered_map<std::string_view, int> InCompounds(const std::string& text,
                                                      const std::unordered_set<std::string_view>& wanted) {
    std::unordered_map<std::string_view, int> count;
    std::vector<std::size_t> starts;
    int line = 0;
    for (std::string_view entry : Split(text, "\n")) {
        if (++line == 1) continue;
        const std::string_view head = entry.substr(0, std::min(entry.find(' '), entry.size()));
        starts.clear();
        for (std::size_t i = 0; i < head.size(); ++i)
            if ((static_cast<unsigned char>(head[i]) & 0xC0) != 0x80) starts.push_back(i);
        starts.push_back(head.size());
        const std::size_t chars = starts.size() - 1;
        for (std::size_t from = 0; from < chars; ++from)
            for (std::size_t n = 1; n <= 4 && from + n <= chars; ++n) {
                if (n == chars) continue;  // the headword itself
                if (const auto it = wanted.find(head.substr(starts[from], starts[from + n] - starts[from])); it != wanted.end())
                    ++count[*it];
            }
    }
    return count;
}

// WordNet, read whole: the lemmas, their sense counts, their senses in
// order, and the exceptions of inflection.
struct WordNet {
    std::unordered_set<std::string> lemmas;
    std::unordered_map<std::string, int> count;                     // tagged occurrences, every sense
    std::unordered_map<std::string, std::array<int, 4>> countByPos;  // noun, verb, adjective, adverb
    std::unordered_map<std::string, std::array<std::string, 4>> firstSynset;  // offset by part of speech
    std::array<std::string, 4> data;                                 // data.noun, .verb, .adj, .adv
    std::unordered_map<std::string, std::string> exceptions;

    int Count(const std::string& w) const {
        const auto it = count.find(w);
        return it == count.end() ? 0 : it->second;
    }
    // The part of speech its senses were met as most (-1: never met).
    int MainPos(const std::string& w) const {
        const auto it = countByPos.find(w);
        if (it == countByPos.end()) {
            const auto f = firstSynset.find(w);
            if (f == firstSynset.end()) return -1;
            for (int p = 0; p < 4; ++p)
                if (!f->second[static_cast<std::size_t>(p)].empty()) return p;
            return -1;
        }
        return static_cast<int>(std::max_element(it->second.begin(), it->second.end()) - it->second.begin());
    }
    // The gloss of the word's first sense of that part of speech.
    std::string_view FirstGloss(const std::string& w, int pos) const {
        const auto f = firstSynset.find(w);
        if (f == firstSynset.end() || pos < 0) return {};
        const std::string& offset = f->second[static_cast<std::size_t>(pos)];
        if (offset.empty()) return {};
        const std::string& file = data[static_cast<std::size_t>(pos)];
        const std::size_t at = std::stoul(offset);
        if (at >= file.size()) return {};
        const std::string_view line = std::string_view(file).substr(at, file.find('\n', at) - at);
        const std::size_t bar = line.find(" | ");
        return bar == std::string_view::npos ? std::string_view() : line.substr(bar + 3);
    }
};

constexpr const char* kPos[] = {"noun", "verb", "adj", "adv"};
constexpr const char* kPosName[] = {"noun", "verb", "adjective", "adverb"};

Result<WordNet> ReadWordNet(const fs::path& dir) {
    WordNet wn;
    auto read = [&](const std::string& name, std::string* into) {
        FileRead f = ReadFileBytes(dir / name, std::uintmax_t{64} << 20);
        if (!f) return false;
        *into = std::move(*f.content);
        return true;
    };
    std::string text;
    if (!read("cntlist.rev", &text)) return Result<WordNet>::Failed("WordNet (" + (dir / "cntlist.rev").string() + ") cannot be read");
    for (std::string_view line : Split(text, "\n")) {
        const auto f = Split(line, " ");
        if (f.size() < 3) continue;
        const std::size_t pct = f[0].find('%');
        if (pct == std::string_view::npos || pct + 1 >= f[0].size()) continue;
        const std::string lemma(f[0].substr(0, pct));
        const int n = std::atoi(std::string(f[2]).c_str());
        wn.count[lemma] += n;
        const int type = f[0][pct + 1] - '1';  // 1 noun, 2 verb, 3 adjective, 4 adverb, 5 adjective satellite
        wn.countByPos[lemma][static_cast<std::size_t>(type == 4 ? 2 : std::clamp(type, 0, 3))] += n;
    }
    for (int p = 0; p < 4; ++p) {
        if (!read(std::string("index.") + kPos[p], &text) || !read(std::string("data.") + kPos[p], &wn.data[static_cast<std::size_t>(p)]))
            return Result<WordNet>::Failed("WordNet's " + std::string(kPos[p]) + " files in " + dir.string() + " cannot be read");
        for (std::string_view line : Split(text, "\n")) {
            if (line.empty() || line[0] == ' ') continue;
            const auto f = Split(line, " ");
            if (f.size() < 6) continue;
            const std::string lemma(f[0]);
            wn.lemmas.insert(lemma);
            const std::size_t pointers = static_cast<std::size_t>(std::atoi(std::string(f[3]).c_str()));
            const std::size_t first = 4 + pointers + 2;
            if (first < f.size()) wn.firstSynset[lemma][static_cast<std::size_t>(p)] = std::string(f[first]);
        }
        if (read(std::string(kPos[p]) + ".exc", &text))
            for (std::string_view line : Split(text, "\n")) {
                const auto f = Split(line, " ");
                if (f.size() >= 2) wn.exceptions.emplace(std::string(f[0]), std::string(f[1]));
            }
    }
    return wn;
}

// The lemma of a word form: WordNet's exceptions, then its rules of
// detachment; a form WordNet lists itself ("going") goes to its base where
// the base is the commoner.
std::string Lemma(const std::string& w, const WordNet& wn) {
    static const std::pair<const char*, const char*> kRules[] = {
        {"ies", "y"}, {"ses", "s"}, {"xes", "x"}, {"zes", "z"}, {"ches", "ch"}, {"shes", "sh"}, {"men", "man"},
        {"s", ""},    {"es", "e"},  {"es", ""},   {"ed", "e"},  {"ed", ""},     {"ing", "e"},   {"ing", ""},
        {"er", ""},   {"est", ""},  {"er", "e"},  {"est", "e"}};
    static const std::unordered_set<std::string> kBe = {"is", "am", "are", "was", "were", "been", "being"};
    if (kBe.count(w)) return "be";
    if (auto it = wn.exceptions.find(w); it != wn.exceptions.end()) return it->second;
    const bool listed = wn.lemmas.count(w) > 0;
    auto better = [&](const std::string& c) { return wn.lemmas.count(c) && (!listed || wn.Count(c) > wn.Count(w)); };
    for (const auto& [suffix, with] : kRules) {
        const std::string s = suffix;
        if (w.size() > s.size() + 1 && w.compare(w.size() - s.size(), s.size(), s) == 0) {
            const std::string c = w.substr(0, w.size() - s.size()) + with;
            if (better(c)) return c;
        }
    }
    for (const std::string s : {"ing", "ed", "er", "est"})  // running, stopped, bigger: a doubled consonant
        if (w.size() > s.size() + 2 && w.compare(w.size() - s.size(), s.size(), s) == 0 &&
            w[w.size() - s.size() - 1] == w[w.size() - s.size() - 2]) {
            const std::string c = w.substr(0, w.size() - s.size() - 1);
            if (better(c)) return c;
        }
    return w;
}

// A word written in katakana alone: the English word borrowed back, which
// a learner knows already; a meaning after the native ones.
bool Loanword(const std::string& japanese) {
    for (std::size_t i = 0; i < japanese.size();) {
        std::size_t n = 0;
        const char32_t c = DecodeAt(japanese, i, &n);
        i += n;
        if (!((c >= 0x30A0 && c <= 0x30FF) || c == 0xFF5E)) return false;
    }
    return true;
}

bool Flagged(std::string_view gloss) {
    for (const char* mark : {"obscene", "vulgar", "offensive", "slur", "disparaging", "derogatory"})
        if (gloss.find(mark) != std::string_view::npos) return true;
    return false;
}

// The first example of a gloss ("...; \"I ran to the store\"") that holds
// the word (in any form), else none.
std::string ExampleOf(std::string_view gloss, const std::string& word) {
    for (std::size_t at = gloss.find('"'); at != std::string_view::npos; at = gloss.find('"', at + 1)) {
        const std::size_t end = gloss.find('"', at + 1);
        if (end == std::string_view::npos) break;
        const std::string sentence(gloss.substr(at + 1, end - at - 1));
        std::string lower = sentence;
        for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (lower.find(word.substr(0, std::max<std::size_t>(3, word.size() - 2))) != std::string::npos) return sentence;
        at = end;
    }
    return {};
}

}  // namespace

Result<std::vector<CommonWord>> RankCommonWords(const CommonSources& sources) {
    using Out = Result<std::vector<CommonWord>>;
    // SCOWL: the level of each word (10 the commonest, then 20, 35, 40, 50).
    std::unordered_map<std::string, int> level;
    std::unordered_set<std::string> abbreviations;
    for (const int l : {10, 20, 35, 40, 50}) {
        for (const char* kind : {"english-words.", "american-words."}) {
            const FileRead f = ReadFileBytes(sources.scowl / (kind + std::to_string(l)), std::uintmax_t{16} << 20);
            if (!f && l == 10 && std::string(kind) == "english-words.")
                return Out::Failed("The word lists of SCOWL (" + sources.scowl.string() +
                                   ") are not there. Install them with: sudo apt-get install scowl");
            if (f)
                for (std::string_view w : Split(*f, "\n"))
                    if (!w.empty()) level.emplace(std::string(w), l);
        }
        if (const FileRead f = ReadFileBytes(sources.scowl / ("english-abbreviations." + std::to_string(l)), std::uintmax_t{16} << 20))
            for (std::string_view w : Split(*f, "\n")) abbreviations.insert(std::string(w));
    }
    const Result<WordNet> read = ReadWordNet(sources.wordnet);
    if (!read) return Out::Failed(read.error() + ". Install it with: sudo apt-get install wordnet-base");
    const WordNet& wn = *read;
    const FileRead edictBytes = ReadFileBytes(sources.edict, std::uintmax_t{256} << 20);
    const auto edict = edictBytes ? DecodeCharset(*edictBytes, "EUC-JP") : std::nullopt;
    if (!edict)
        return Out::Failed("The EDICT dictionary (" + sources.edict.string() + ") cannot be read. Install it with: sudo apt-get install edict");
    const auto glosses = ReadGlosses(*edict);

    // Each lemma once, at the commonest level of any of its forms.
    std::unordered_map<std::string, int> lemmas;
    for (const auto& [w, l] : level) {
        if (w.empty() || !std::islower(static_cast<unsigned char>(w[0])) || w.find('\'') != std::string::npos) continue;
        const std::string lemma = Lemma(w, wn);
        const auto own = level.find(lemma);
        const int at = std::min(l, own == level.end() ? l : own->second);
        auto [it, isNew] = lemmas.emplace(lemma, at);
        if (!isNew) it->second = std::min(it->second, at);
    }
    // The Japanese of the lemmas' translations, and how many headwords each
    // is part of.
    std::unordered_set<std::string_view> translations;
    for (const auto& [lemma, l] : lemmas)
        if (const auto g = glosses.find(lemma); g != glosses.end())
            for (const Translation& t : g->second) translations.insert(t.japanese);
    const auto inCompounds = InCompounds(*edict, translations);
    auto compounds = [&](const std::string& japanese) {
        const auto it = inCompounds.find(japanese);
        return it == inCompounds.end() ? 0 : it->second;
    };
    std::vector<CommonWord> out;
    std::vector<double> score;
    for (const auto& [lemma, l] : lemmas) {
        if (kLeftOut.count(lemma)) continue;
        const auto function = kFunctionWords.find(lemma);
        const auto g = glosses.find(lemma);
        static const std::vector<Translation> kNone;
        const std::vector<Translation>& translations = g == glosses.end() ? kNone : g->second;
        if (translations.empty() && function == kFunctionWords.end()) continue;
        const int pos = wn.MainPos(lemma);
        // Offensive: WordNet says so of its commonest sense, or every EDICT
        // entry translating to it is tagged so.
        const bool allOffensive = !translations.empty() &&
                                  std::all_of(translations.begin(), translations.end(), [](const Translation& t) {
                                      return std::any_of(t.tags.begin(), t.tags.end(),
                                                         [](const std::string& s) { return kOffensive.count(s) > 0; });
                                  });
        if (allOffensive || Flagged(wn.FirstGloss(lemma, pos))) continue;
        std::vector<const Translation*> fit;
        int commonFirst = 0;
        bool interjection = false;
        for (const Translation& t : translations) {
            if (std::any_of(t.tags.begin(), t.tags.end(), [](const std::string& s) { return kUnfitSense.count(s) > 0; })) continue;
            fit.push_back(&t);
            commonFirst += t.common && t.firstGloss && t.sense <= 1;
            interjection = interjection || (t.common && t.tags.count("int"));
        }
        if (fit.empty() && function == kFunctionWords.end()) continue;
        if (abbreviations.count(lemma) && wn.Count(lemma) == 0 && function == kFunctionWords.end() && !interjection &&
            std::none_of(fit.begin(), fit.end(), [](const Translation* t) { return t->common; }))
            continue;
        // The meanings: common first, then the senses of the word's main
        // part of speech, its first glosses, the plainer ones, those most
        // other words are made from, the shortest.
        const char* wanted[] = {"n", "v", "adj", "adv"};
        auto partOfSpeech = [&](const Translation* t) {
            if (pos < 0) return true;
            return std::any_of(t->tags.begin(), t->tags.end(),
                               [&](const std::string& s) { return s.rfind(wanted[pos], 0) == 0; });
        };
        auto key = [&](const Translation* t) {
            const bool lesser = Literary(t->tags) || std::any_of(t->tags.begin(), t->tags.end(), [](const std::string& s) {
                                    return kLesser.count(s) > 0;
                                });
            return std::make_tuple(!t->common, lesser, Loanword(t->japanese), !partOfSpeech(t), t->sense > 1, !t->firstGloss,
                                   std::min(t->glosses, 4), -compounds(t->japanese), Characters(t->japanese).size(), t->line);
        };
        std::vector<std::pair<decltype(key(nullptr)), const Translation*>> keyed;
        keyed.reserve(fit.size());
        for (const Translation* t : fit) keyed.emplace_back(key(t), t);
        std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        for (std::size_t i = 0; i < keyed.size(); ++i) fit[i] = keyed[i].second;
        CommonWord w;
        w.word = lemma;
        if (function != kFunctionWords.end())
            for (std::string_view m : Split(function->second.meanings, "、")) w.meanings.emplace_back(m);
        for (const Translation* t : fit)
            if (w.meanings.size() < 3 && std::find(w.meanings.begin(), w.meanings.end(), t->japanese) == w.meanings.end())
                w.meanings.push_back(t->japanese);
        w.partOfSpeech = function != kFunctionWords.end() ? function->second.partOfSpeech
                         : pos >= 0                       ? kPosName[pos]
                         : interjection                   ? "interjection"
                                                          : "";
        w.example = ExampleOf(wn.FirstGloss(lemma, pos), lemma);
        const double levelWeight = l == 10 ? 0 : l == 20 ? -1 : l == 35 ? -4 : l == 40 ? -6 : -8;
        score.push_back(levelWeight + std::log1p(wn.Count(lemma)) + std::log1p(commonFirst) +
                        (function != kFunctionWords.end() ? 100 : 0) + (interjection ? 4 : 0));
        out.push_back(std::move(w));
    }
    std::vector<std::size_t> order(out.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return score[a] != score[b] ? score[a] > score[b] : out[a].word < out[b].word;
    });
    std::vector<CommonWord> ranked;
    ranked.reserve(out.size());
    for (std::size_t i : order) {
        ranked.push_back(std::move(out[i]));
        ranked.back().rank = static_cast<int>(ranked.size());
    }
    return ranked;
}

std::string WordInfoText(const std::vector<CommonWord>& words) {
    std::string out;
    for (const CommonWord& w : words) {
        std::string example = w.example;
        std::replace(example.begin(), example.end(), '\t', ' ');
        out += w.word + "\t" + std::to_string(w.rank) + "\t" + w.partOfSpeech + "\t" + example + "\n";
    }
    return out;
}

}  // namespace kelvora::import
