// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommonWords.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <tuple>
#include <cmath>
#include <limits>
#include <map>
#include <optional>
#include <set>
#include <unordered_map>
#include <unordered_set>

#include <zlib.h>

#include "FirstMeanings.h"
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
// Words offensive in themselves. EDICT's tags mark the Japanese word, so a
// slur or swearword that also glosses a plain word ("bastard": 私生児) or
// that WordNet glosses plainly first passes them.
const std::unordered_set<std::string> kOffensiveWords = {
    "bastard", "bitch", "bugger", "bullshit", "cunt", "damn", "damned", "fuck", "goddamn", "midget", "mulatto",
    "nigger", "piss", "prick", "retard", "shit", "slut", "twat", "whore"};
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

// What EDICT's tags on a sense say, as bits: a sense never used as a
// meaning, one that is offensive, one put after the others, and the parts
// of speech.
enum TagKind : unsigned {
    kUnfit = 1u << 0,
    kOffensive = 1u << 1,
    kLesser = 1u << 2,
    kInterjection = 1u << 3,
    kSuruNoun = 1u << 4,      // "vs": a noun that takes する
    kUsuallyKana = 1u << 5,   // "uk"
    kNounTag = 1u << 6,        // "n", "n-adv", ...
    kVerbTag = 1u << 7,        // "v1", "v5r", "vs", ...
    kAdjectiveTag = 1u << 8,   // "adj-i", "adj-na", ...
    kAdverbTag = 1u << 9,      // "adv", "adv-to"
    kLiteraryForm = 1u << 10,  // "adj-t", "adv-to"
    kPlainForm = 1u << 11,     // "adj-i", "adj-na", "adv"
    kIAdjective = 1u << 12,    // "adj-i": 厳しい, as an adverb 厳しく
    kNaAdjective = 1u << 13,   // "adj-na": 厳格, as an adverb 厳格に
    kSpecialField = 1u << 14,  // "math", "law", "baseb", ...
};

unsigned KindOf(std::string_view tag) {
    static const std::set<std::string_view> kUnfitTags = {"vulg", "derog", "X",   "sens", "abbr", "arch", "obs", "rare",
                                                          "sl",   "m-sl",  "ksb", "ktb",  "kyb",  "osb",  "hob", "thb",
                                                          "tsb",  "tsug",  "kyu", "rkb",  "nab",  "hsb"};
    static const std::set<std::string_view> kOffensiveTags = {"vulg", "derog", "X", "sens"};
    static const std::set<std::string_view> kLesserTags = {"col", "male", "fem", "hum",   "ik",   "iK",
                                                           "ok",  "oK",   "io",  "ateji", "gikun"};
    static const std::set<std::string_view> kFields = {
        "comp", "Buddh", "food", "math", "med", "ling", "sports", "music", "sumo", "baseb", "astron", "physics",
        "chem", "mahj", "law", "biol", "anat", "geol", "MA", "hanaf", "finc", "bot", "mil", "Shinto", "archit",
        "shogi", "Christn", "engr", "econ", "bus", "zool", "phil", "biochem", "geom", "genet", "ecol", "gramm",
        "pharm", "logic", "mining", "ornith", "electr", "mech", "aviat", "rail", "psych", "crystal", "kabuki",
        "noh", "ski", "print"};
    auto startsWith = [&](std::string_view p) { return tag.substr(0, p.size()) == p; };
    return (kUnfitTags.count(tag) ? kUnfit : 0u) | (kFields.count(tag) ? kSpecialField : 0u) | (kOffensiveTags.count(tag) ? kOffensive : 0u) |
           (kLesserTags.count(tag) ? kLesser : 0u) | (tag == "int" ? kInterjection : 0u) | (tag == "vs" ? kSuruNoun : 0u) |
           (tag == "uk" ? kUsuallyKana : 0u) | (startsWith("n") ? kNounTag : 0u) | (startsWith("v") ? kVerbTag : 0u) |
           (startsWith("adj") ? kAdjectiveTag : 0u) | (startsWith("adv") ? kAdverbTag : 0u) |
           (tag == "adj-t" || tag == "adv-to" ? kLiteraryForm : 0u) |
           (tag == "adj-i" || tag == "adj-na" || tag == "adv" ? kPlainForm : 0u) | (tag == "adj-i" ? kIAdjective : 0u) |
           (tag == "adj-na" ? kNaAdjective : 0u);
}

struct Translation {
    std::string japanese;
    std::string other;         // the headword's other form: its kana, or the kanji of a kana word
    unsigned kinds = 0;        // of the entry's tags and the sense's
    bool common = false;       // "(P)"
    bool firstGloss = false;   // the first gloss of its sense
    bool derived = false;      // a translation of a word derived from it ("改善" of "improvement" for "improve")
    int sense = 1;
    int glosses = 1;  // of its sense: the fewer, the closer a translation
    int line = 0;

    bool Is(unsigned kind) const { return (kinds & kind) != 0; }
    // Put after the others: a lesser form, or a word only of the literary
    // forms ("寂然": a taru adjective, an adverb with to) with no plain
    // adjective or adverb form beside them.
    bool Lesser() const { return Is(kLesser) || (Is(kLiteraryForm) && !Is(kPlainForm)); }
};

bool OneWord(std::string_view gloss) {
    return !gloss.empty() && std::isalpha(static_cast<unsigned char>(gloss[0])) &&
           std::all_of(gloss.begin(), gloss.end(), [](char c) {
               return std::isalpha(static_cast<unsigned char>(c)) || c == '-' || c == '\'';
           });
}

// A verb and its particle: "appeal to", "depend on".
bool PhrasalVerb(std::string_view gloss) {
    static const std::set<std::string_view> kParticles = {"to", "on",   "at", "with", "for",  "in",   "into", "from",  "of",
                                                          "about", "up", "out", "off", "over", "upon", "down", "away", "back"};
    const std::size_t space = gloss.find(' ');
    return space != std::string_view::npos && OneWord(gloss.substr(0, space)) && kParticles.count(gloss.substr(space + 1));
}

using Glosses = std::unordered_map<std::string, std::vector<Translation>>;

// The EDICT glosses that are one English word ("to run" as "run"), or a
// verb and its particle ("appeal to", for the words derived from a verb),
// each with the Japanese that translates to it.
Glosses ReadGlosses(const std::string& text) {
    Glosses out;
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
        unsigned entryKinds = 0, senseKinds = 0;
        std::map<int, int> glossesOf;  // by sense
        std::vector<std::pair<std::vector<Translation>*, std::size_t>> added;  // this entry's translations
        int sense = 1;
        bool first = true, atStart = true;
        for (std::string_view seg : Split(entry.substr(slash + 1), "/")) {
            if (seg == "(P)" || seg.rfind("EntL", 0) == 0) continue;
            std::vector<std::string_view> tags;
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
            for (const std::string_view t : tags)
                if (!t.empty() && t.size() < 4 && std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; })) {
                    sense = std::atoi(std::string(t).c_str());
                    numbered = true;
                }
            if (numbered) senseKinds = 0, first = true;
            // "(not) enough": the gloss says the opposite of the word.
            const bool negated = std::find(tags.begin(), tags.end(), "not") != tags.end();
            for (std::string_view t : tags) {
                if (!t.empty() && t.back() == ':') t.remove_suffix(1);  // a dialect: "(ksb:)"
                if (t != "not") (atStart ? entryKinds : senseKinds) |= KindOf(t);
            }
            atStart = false;
            std::string gloss(seg);
            // "hey!": the word.
            while (!gloss.empty() && (gloss.back() == ' ' || gloss.back() == '!')) gloss.pop_back();
            if (gloss.rfind("to ", 0) == 0) gloss.erase(0, 3);
            // "use (a thing, method, etc.)": the word, its note dropped.
            if (const std::size_t note = gloss.find(" ("); note != std::string::npos && gloss.back() == ')') gloss.resize(note);
            const bool word = OneWord(gloss) || PhrasalVerb(gloss);
            if (!gloss.empty()) ++glossesOf[sense];
            if (word && !negated) {
                Translation t;
                t.kinds = entryKinds | senseKinds;
                t.japanese = t.Is(kUsuallyKana) ? reading : headword;
                t.other = t.Is(kUsuallyKana) ? headword : reading;
                t.common = common;
                t.firstGloss = first;
                t.sense = sense;
                t.line = line;
                auto& list = out[gloss];
                list.push_back(std::move(t));
                added.emplace_back(&list, list.size() - 1);
            }
            first = false;
        }
        for (const auto& [list, i] : added) (*list)[i].glosses = glossesOf[(*list)[i].sense];
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

// FreeDict's English-Japanese dictionary, made from Wiktionary's
// translation tables: for each English headword, the Japanese words its
// senses are translated with, and in how many senses. A translator's
// choice where EDICT only says which Japanese words are common: "take" is
// 取る in five of its senses, 撮る in one.
struct Wiktionary {
    struct Senses {
        int all = 0;
        int plain = 0;  // not of a special field ("baseball: ...", "(physics) ...")
        int Weight() const { return std::max(plain, all > 0 ? 1 : 0); }
    };
    using Translations = std::map<std::string, Senses>;
    struct Entry {
        std::array<Translations, 5> byPos;  // noun, verb, adjective, adverb, other
        Translations all;

        // How strongly the translators name `t`: in how many senses of the
        // word's part of speech `pos` (by a hundred), then of any part.
        int Evidence(int pos, const Translation& t) const {
            auto weight = [&](const Translations& in) {
                int best = 0;
                auto look = [&](const std::string& j) {
                    if (const auto f = in.find(j); f != in.end()) best = std::max(best, f->second.Weight());
                };
                look(t.japanese);
                look(t.other);
                if (t.japanese.ends_with("する")) look(t.japanese.substr(0, t.japanese.size() - 6));
                return best;
            };
            const Translations* ofPos = pos >= 0 ? &byPos[static_cast<std::size_t>(pos)] : nullptr;
            return (ofPos && !ofPos->empty() ? 100 * weight(*ofPos) : 0) + weight(all);
        }
    };
    std::unordered_map<std::string, Entry> words;
};

// A dictd file's number: base 64, most significant digit first.
std::size_t DictNumber(std::string_view digits) {
    static constexpr std::string_view kDigits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::size_t n = 0;
    for (const char c : digits) {
        const std::size_t d = kDigits.find(c);
        if (d == std::string_view::npos || n > (std::numeric_limits<std::size_t>::max() >> 6))
            return std::numeric_limits<std::size_t>::max();
        n = n << 6 | d;
    }
    return n;
}

// A gzip (dictzip) file's content, at most `limit` bytes; none if damaged.
std::optional<std::string> Gunzip(const std::string& bytes, std::size_t limit) {
    z_stream z{};
    if (inflateInit2(&z, 16 + MAX_WBITS) != Z_OK) return std::nullopt;
    std::string out;
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    z.avail_in = static_cast<uInt>(bytes.size());
    int status = Z_OK;
    while (status == Z_OK) {
        if (out.size() >= limit) break;
        const std::size_t had = out.size();
        out.resize(std::min(limit, had + (std::size_t{1} << 20)));
        z.next_out = reinterpret_cast<Bytef*>(out.data() + had);
        z.avail_out = static_cast<uInt>(out.size() - had);
        status = inflate(&z, Z_NO_FLUSH);
        out.resize(out.size() - z.avail_out);
    }
    inflateEnd(&z);
    if (status != Z_STREAM_END) return std::nullopt;
    return out;
}

bool HasJapanese(std::string_view line) {
    // The lead bytes of U+3000 to U+9FFF in UTF-8: kana, kanji, Japanese punctuation.
    return std::any_of(line.begin(), line.end(), [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return b >= 0xE3 && b <= 0xE9;
    });
}

// "computing: a named ...", "(physics) integral ...", "in group theory":
// a sense of a special field.
bool SpecialField(std::string_view gloss) {
    if (!gloss.empty() && gloss[0] == '(') return true;
    if (gloss.starts_with("in ") && gloss.find(" theory") != std::string_view::npos) return true;
    const std::size_t colon = gloss.find(':');
    return colon != std::string_view::npos && colon > 0 && colon < 25 &&
           std::all_of(gloss.begin(), gloss.begin() + static_cast<std::ptrdiff_t>(colon),
                       [](char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == ' '; });
}

// The dictionary at `prefix` (.index beside .dict.dz or .dict); none when
// it is not installed or cannot be read.
std::optional<Wiktionary> ReadWiktionary(const fs::path& prefix) {
    constexpr std::uintmax_t kLimit = std::uintmax_t{64} << 20;
    const FileRead index = ReadFileBytes(fs::path(prefix) += ".index", kLimit);
    if (!index) return std::nullopt;
    std::optional<std::string> text;
    if (const FileRead packed = ReadFileBytes(fs::path(prefix) += ".dict.dz", kLimit))
        text = Gunzip(*packed, kLimit);
    else if (FileRead plain = ReadFileBytes(fs::path(prefix) += ".dict", kLimit))
        text = std::move(*plain.content);
    if (!text) return std::nullopt;
    Wiktionary out;
    for (std::string_view line : Split(*index, "\n")) {
        const auto fields = Split(line, "\t");
        if (fields.size() != 3 || fields[0].starts_with("00database")) continue;
        const std::size_t at = DictNumber(fields[1]), size = DictNumber(fields[2]);
        if (at > text->size() || size > text->size() - at) continue;
        const auto lines = Split(std::string_view(*text).substr(at, size), "\n");
        if (lines.empty()) continue;
        // "run //ɹʌn// <v>": the part of speech closes the first line.
        const std::string_view head = lines[0];
        const std::size_t open = head.rfind('<');
        const std::string_view tag = open == std::string_view::npos ? std::string_view() : head.substr(open);
        const std::size_t pos = tag == "<n>" ? 0 : tag == "<v>" ? 1 : tag == "<adj>" ? 2 : tag == "<adv>" ? 3 : 4;
        Wiktionary::Entry& entry = out.words[std::string(fields[0])];
        // Each sense: "2. 改善, 改良, 良い", then its English gloss.
        for (std::size_t i = 1; i < lines.size(); ++i) {
            if (!HasJapanese(lines[i])) continue;
            const bool plain = i + 1 >= lines.size() || HasJapanese(lines[i + 1]) || !SpecialField(lines[i + 1]);
            for (std::string_view word : Split(lines[i], ", ")) {
                // The sense numbers before and after: "1. 変数 2."
                auto numbering = [](char c) { return c == ' ' || c == '.' || std::isdigit(static_cast<unsigned char>(c)); };
                while (!word.empty() && numbering(word.front())) word.remove_prefix(1);
                while (!word.empty() && numbering(word.back())) word.remove_suffix(1);
                if (word.empty()) continue;
                for (Wiktionary::Translations* in : {&entry.byPos[pos], &entry.all}) {
                    Wiktionary::Senses& n = (*in)[std::string(word)];
                    ++n.all;
                    n.plain += plain;
                }
            }
        }
    }
    return out;
}

using ByJapanese = std::unordered_map<std::string_view, std::vector<std::pair<std::string_view, const Translation*>>>;

// A word the translators give for `lemma` that EDICT glosses only by a word
// derived from it ("改善": "improvement", for "improve"): a translation
// too, after the direct ones; "改善する" for a verb.
std::vector<Translation> DerivedTranslations(const std::string& lemma, int pos, const Wiktionary::Entry& said,
                                             const std::vector<Translation>& direct, const ByJapanese& byJapanese) {
    std::vector<Translation> out;
    if (lemma.size() < 4) return out;
    const std::string stem = lemma.back() == 'e' || lemma.back() == 'y' ? lemma.substr(0, lemma.size() - 1) : lemma;
    for (const auto& named : said.all) {
        const std::string& japanese = named.first;
        const auto of = byJapanese.find(japanese);
        if (of == byJapanese.end() ||
            std::any_of(direct.begin(), direct.end(), [&](const Translation& t) { return t.japanese == japanese; }))
            continue;
        const Translation* best = nullptr;  // its first sense, first gloss, first entry
        for (const auto& [gloss, t] : of->second)
            if (t->common && gloss != lemma && gloss.starts_with(stem) &&
                (!best || std::tie(t->sense, best->firstGloss, t->line) < std::tie(best->sense, t->firstGloss, best->line)))
                best = t;
        if (!best) continue;
        Translation t = *best;
        t.derived = true;
        if (pos == 1) {
            if (t.Is(kSuruNoun)) t.japanese += "する";
            t.kinds |= kVerbTag;
        }
        out.push_back(std::move(t));
    }
    return out;
}

// An adverb in -ly ("strictly"): the adverbial forms of the common
// adjectives the translators give for its adjective ("strict": 厳しい, so
// 厳しく; 厳格, so 厳格に), after its own translations.
std::vector<Translation> AdverbsOfItsAdjective(const std::string& lemma, const Wiktionary& wiktionary,
                                               const Glosses& glosses, const std::vector<Translation>& direct) {
    std::vector<Translation> out;
    if (lemma.size() < 5 || !lemma.ends_with("ly")) return out;
    const std::string base = lemma.substr(0, lemma.size() - 2);
    // strict-ly, happ-ily, gent-ly, basic-ally, tru-ly
    for (const std::string& adjective :
         {base, base.substr(0, base.size() - 1) + "y", base + "le", base.substr(0, base.size() - 2), base + "e"}) {
        const auto said = wiktionary.words.find(adjective);
        const auto edict = glosses.find(adjective);
        if (said == wiktionary.words.end() || edict == glosses.end() || said->second.byPos[2].empty()) continue;
        for (const auto& [japanese, senses] : said->second.byPos[2])
            for (const Translation& a : edict->second) {
                if (a.japanese != japanese || !a.common || a.Is(kUnfit)) continue;
                Translation t = a;
                if (a.Is(kIAdjective) && t.japanese.ends_with("い"))
                    t.japanese.replace(t.japanese.size() - 3, 3, "く");
                else if (a.Is(kNaAdjective))
                    t.japanese += "に";
                else
                    continue;
                if (std::any_of(direct.begin(), direct.end(), [&](const Translation& d) { return d.japanese == t.japanese; }) ||
                    std::any_of(out.begin(), out.end(), [&](const Translation& d) { return d.japanese == t.japanese; }))
                    continue;
                t.other.clear();
                t.derived = true;
                t.kinds = (t.kinds & ~(kNounTag | kVerbTag | kAdjectiveTag)) | kAdverbTag;
                out.push_back(std::move(t));
            }
        break;
    }
    return out;
}

}  // namespace

Result<CommonWordList> RankCommonWords(const CommonSources& sources) {
    using Out = Result<CommonWordList>;
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
    const std::optional<Wiktionary> wiktionary = ReadWiktionary(sources.wiktionary);
    // The EDICT translations of each Japanese word Wiktionary gives.
    ByJapanese byJapanese;
    if (wiktionary) {
        std::unordered_set<std::string_view> named;
        for (const auto& [word, entry] : wiktionary->words)
            for (const auto& [japanese, senses] : entry.all) named.insert(japanese);
        for (const auto& [gloss, list] : glosses)
            for (const Translation& t : list)
                if (named.count(t.japanese)) byJapanese[t.japanese].emplace_back(gloss, &t);
    }

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
        if (kLeftOut.count(lemma) || kOffensiveWords.count(lemma)) continue;
        const auto function = kFunctionWords.find(lemma);
        const auto g = glosses.find(lemma);
        static const std::vector<Translation> kNone;
        const int pos = wn.MainPos(lemma);
        const std::vector<Translation>& direct = g == glosses.end() ? kNone : g->second;
        const Wiktionary::Entry* said = nullptr;  // what the translators give for the word
        std::vector<Translation> derived;
        if (wiktionary) {
            if (const auto w = wiktionary->words.find(lemma); w != wiktionary->words.end()) {
                said = &w->second;
                derived = DerivedTranslations(lemma, pos, *said, direct, byJapanese);
            }
            for (Translation& t : AdverbsOfItsAdjective(lemma, *wiktionary, glosses, direct)) derived.push_back(std::move(t));
        }
        if (direct.empty() && derived.empty() && function == kFunctionWords.end()) continue;
        // Offensive: WordNet says so of its commonest sense, or every EDICT
        // entry translating to it is tagged so.
        const bool allOffensive =
            !direct.empty() && std::all_of(direct.begin(), direct.end(), [](const Translation& t) { return t.Is(kOffensive); });
        if (allOffensive || Flagged(wn.FirstGloss(lemma, pos))) continue;
        std::vector<const Translation*> fit;
        int commonFirst = 0;
        bool interjection = false;
        // How common the word is counts its own translations only.
        for (const Translation& t : direct)
            if (!t.Is(kUnfit)) {
                fit.push_back(&t);
                commonFirst += t.common && t.firstGloss && t.sense <= 1;
                interjection = interjection || (t.common && t.Is(kInterjection));
            }
        for (const Translation& t : derived)
            if (!t.Is(kUnfit)) fit.push_back(&t);
        if (fit.empty() && function == kFunctionWords.end()) continue;
        if (abbreviations.count(lemma) && wn.Count(lemma) == 0 && function == kFunctionWords.end() && !interjection &&
            std::none_of(fit.begin(), fit.end(), [](const Translation* t) { return t->common; }))
            continue;
        // The meanings: common first, native before loanwords, then those
        // Wiktionary translates the word with in the most senses (of its
        // main part of speech first), direct before derived, general before
        // a special field's ("積" of "product" in mathematics), the senses
        // of the word's main part of speech, its first glosses, the plainer
        // ones, those most other words are made from, the shortest.
        static constexpr unsigned kWanted[] = {kNounTag, kVerbTag, kAdjectiveTag, kAdverbTag};
        auto partOfSpeech = [&](const Translation* t) { return pos < 0 || t->Is(kWanted[pos]); };
        auto key = [&](const Translation* t) {
            const int chosen = said ? said->Evidence(pos, *t) : 0;
            return std::make_tuple(!t->common, t->Lesser(), Loanword(t->japanese), -chosen, t->derived,
                                   t->Is(kSpecialField), !partOfSpeech(t), t->sense > 1, !t->firstGloss,
                                   std::min(t->glosses, 4), -compounds(t->japanese), Characters(t->japanese).size(),
                                   t->line);
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
        if (const std::string_view first = FirstMeaning(lemma); !first.empty()) {
            std::erase(w.meanings, first);
            w.meanings.insert(w.meanings.begin(), std::string(first));
            if (w.meanings.size() > 3) w.meanings.resize(3);
        }
        w.partOfSpeech = function != kFunctionWords.end() ? function->second.partOfSpeech
                         : pos >= 0                       ? kPosName[pos]
                         : interjection                   ? "interjection"
                                                          : "";
        w.example = ExampleOf(wn.FirstGloss(lemma, pos), lemma);
        const double levelWeight = l == 10 ? 0 : l == 20 ? -1 : l == 35 ? -4 : l == 40 ? -6 : -8;
        // The more different Japanese words the translators give, the more
        // basic the word: concrete everyday words ("uncle", "egg") that a
        // written corpus counts seldom have many.
        const double translated = said ? 0.5 * std::log1p(static_cast<double>(said->all.size())) : 0;
        score.push_back(levelWeight + std::log1p(wn.Count(lemma)) + std::log1p(commonFirst) + translated +
                        (function != kFunctionWords.end() ? 100 : 0) + (interjection ? 4 : 0));
        out.push_back(std::move(w));
    }
    std::vector<std::size_t> order(out.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return score[a] != score[b] ? score[a] > score[b] : out[a].word < out[b].word;
    });
    CommonWordList ranked;
    ranked.wiktionary = wiktionary.has_value();
    ranked.words.reserve(out.size());
    for (std::size_t i : order) {
        ranked.words.push_back(std::move(out[i]));
        ranked.words.back().rank = static_cast<int>(ranked.words.size());
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
