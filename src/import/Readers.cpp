// SPDX-License-Identifier: GPL-3.0-or-later
// The source formats: delimited text (CSV, tab-separated, the notes export
// of flash-card programs), KVTML 2 and EDICT.
#include <QString>
#include <QXmlStreamReader>
#include <algorithm>
#include <map>
#include <set>

#include "Import.h"
#include "platform/Codec.h"
#include "text/Utf8.h"

namespace kelvora::import {

namespace {

std::string Trim(std::string_view s) {
    const auto b = s.find_first_not_of(" \t\r\n");
    if (b == std::string_view::npos) return {};
    return std::string(s.substr(b, s.find_last_not_of(" \t\r\n") - b + 1));
}

std::string Lower(std::string_view s) { return LowerAscii(s); }

// Half-width katakana: what EUC-JP bytes look like when read as code page 932.
int HalfWidthKana(const std::string& utf8) {
    int n = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        std::size_t len = 0;
        const char32_t c = DecodeAt(utf8, i, &len);
        n += c >= 0xFF61 && c <= 0xFF9F;
        i += len;
    }
    return n;
}

// Records of delimited text: quoted fields may hold the separator, line
// ends and doubled quotes. Each record with the line it starts on.
struct Record {
    int line;
    std::vector<std::string> fields;
};

std::vector<Record> SplitRecords(const std::string& text, char separator, std::size_t from, int firstLine) {
    std::vector<Record> records;
    int line = firstLine;
    std::size_t i = from;
    while (i < text.size()) {
        Record r{line, {}};
        std::string field;
        bool endOfRecord = false;
        while (!endOfRecord) {
            field.clear();
            if (i < text.size() && text[i] == '"') {
                ++i;
                while (i < text.size()) {
                    if (text[i] == '"') {
                        if (i + 1 < text.size() && text[i + 1] == '"') {
                            field += '"';
                            i += 2;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    if (text[i] == '\n') ++line;
                    field += text[i++];
                }
                // Anything between the closing quote and the separator joins the field.
                while (i < text.size() && text[i] != separator && text[i] != '\n') field += text[i++];
            } else {
                while (i < text.size() && text[i] != separator && text[i] != '\n') field += text[i++];
            }
            if (!field.empty() && field.back() == '\r') field.pop_back();
            r.fields.push_back(field);
            if (i >= text.size() || text[i] == '\n') {
                endOfRecord = true;
                ++line;
            }
            ++i;
        }
        bool blank = true;
        for (const auto& f : r.fields) blank = blank && Trim(f).empty();
        if (!blank) records.push_back(std::move(r));
    }
    return records;
}

bool IsHeaderWord(const std::string& field) {
    static const std::set<std::string> words{
        "word",  "words", "meaning", "meanings", "english", "japanese", "en",    "ja",       "jp",
        "front", "back",  "term",    "terms",    "definition", "question", "answer", "expression",
        "reading", "vocabulary", "translation", "headword", "英語", "日本語", "単語", "意味", "訳", "和訳",
        "英単語", "表", "裏", "見出し語"};
    return words.count(Lower(Trim(field))) > 0;
}

// Markup of an HTML field: tags out (a line break becomes a blank), the
// usual entities decoded.
std::string WithoutMarkup(const std::string& s) {
    std::string out;
    for (std::size_t i = 0; i < s.size();) {
        if (s[i] == '<') {
            const std::size_t close = s.find('>', i);
            if (close == std::string::npos) break;
            const std::string tag = Lower(s.substr(i + 1, std::min<std::size_t>(close - i - 1, 4)));
            if (tag.rfind("br", 0) == 0 || tag.rfind("div", 0) == 0 || tag.rfind("/div", 0) == 0 ||
                tag.rfind("p", 0) == 0)
                out += ' ';
            i = close + 1;
        } else if (s[i] == '&') {
            static const std::pair<const char*, const char*> entities[] = {
                {"&nbsp;", " "}, {"&amp;", "&"}, {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&#39;", "'"},
                {"&apos;", "'"}};
            bool done = false;
            for (const auto& [name, value] : entities) {
                if (s.compare(i, std::strlen(name), name) == 0) {
                    out += value;
                    i += std::strlen(name);
                    done = true;
                    break;
                }
            }
            if (!done && i + 2 < s.size() && s[i + 1] == '#') {
                const std::size_t semi = s.find(';', i);
                if (semi != std::string::npos && semi - i <= 10) {
                    const bool hex = s[i + 2] == 'x' || s[i + 2] == 'X';
                    const std::string digits = s.substr(i + (hex ? 3 : 2), semi - i - (hex ? 3 : 2));
                    char* end = nullptr;
                    const unsigned long code = std::strtoul(digits.c_str(), &end, hex ? 16 : 10);
                    if (!digits.empty() && *end == '\0' && code > 0 && code < 0x110000) {
                        AppendUtf8(out, static_cast<char32_t>(code));
                        i = semi + 1;
                        done = true;
                    }
                }
            }
            if (!done) out += s[i++];
        } else {
            out += s[i++];
        }
    }
    return out;
}

// "[sound:x.mp3]" tags out; true when there were any.
bool DropSoundTags(std::string& s) {
    bool dropped = false;
    for (std::size_t at; (at = s.find("[sound:")) != std::string::npos;) {
        const std::size_t close = s.find(']', at);
        s.erase(at, close == std::string::npos ? std::string::npos : close - at + 1);
        dropped = true;
    }
    return dropped;
}

ReadResult ReadDelimited(const std::string& text, Format format) {
    ReadResult r;
    r.format = format;
    char separator = format == Format::Csv ? ',' : '\t';
    bool html = false;
    std::set<std::size_t> otherColumns;  // notes export: columns of note type, deck, tags
    std::size_t start = 0;
    int line = 1;
    if (format == Format::Notes) {
        // "#key:value" lines at the top say how to read the rest.
        while (start < text.size() && text[start] == '#') {
            const std::size_t end = std::min(text.find('\n', start), text.size());
            const std::string header = Trim(std::string_view(text).substr(start + 1, end - start - 1));
            const std::size_t colon = header.find(':');
            const std::string key = Lower(header.substr(0, colon)), value = colon == std::string::npos ? "" : Trim(header.substr(colon + 1));
            if (key == "separator") {
                static const std::map<std::string, char> named{{"tab", '\t'},  {"comma", ','}, {"semicolon", ';'},
                                                               {"space", ' '}, {"pipe", '|'},  {"colon", ':'}};
                const auto it = named.find(Lower(value));
                if (it != named.end()) separator = it->second;
                else if (value.size() == 1) separator = value[0];
            } else if (key == "html") {
                html = Lower(value) == "true";
            } else if (key.size() > 7 && key.compare(key.size() - 7, 7, " column") == 0) {
                const int column = std::atoi(value.c_str());
                if (column > 0) otherColumns.insert(static_cast<std::size_t>(column - 1));
            }
            start = end + 1;
            ++line;
        }
    }
    bool soundDropped = false, first = true;
    for (Record& rec : SplitRecords(text, separator, start, line)) {
        std::vector<std::string> fields;
        for (std::size_t k = 0; k < rec.fields.size(); ++k)
            if (!otherColumns.count(k)) fields.push_back(rec.fields[k]);
        for (auto& f : fields) {
            if (html) f = WithoutMarkup(f);
            soundDropped = DropSoundTags(f) || soundDropped;
            for (char& c : f)
                if (c == '\n' || c == '\r' || c == '\t') c = ' ';
            f = Trim(f);
        }
        const bool header = first && fields.size() >= 2 && IsHeaderWord(fields[0]) && IsHeaderWord(fields[1]);
        first = false;
        if (header) {
            r.skipped.push_back({rec.line, "a header row (\"" + fields[0] + "\", \"" + fields[1] + "\")"});
        } else if (fields.size() < 2) {
            r.skipped.push_back({rec.line, "only one field; the word and its meaning need two"});
        } else {
            r.entries.push_back({rec.line, fields[0], fields[1]});
        }
    }
    if (soundDropped) r.notes.push_back("sound tags ([sound:...]) were dropped");
    if (html) r.notes.push_back("markup (HTML) was removed");
    return r;
}

ReadResult ReadKvtml(const std::string& text) {
    ReadResult r;
    r.format = Format::Kvtml;
    QXmlStreamReader xml(QByteArray::fromRawData(text.data(), static_cast<qsizetype>(text.size())));
    std::vector<std::pair<QString, QString>> identifiers;  // id, locale
    struct Raw {
        int line;
        std::map<QString, QString> texts;  // identifier id -> text
    };
    std::vector<Raw> raw;
    bool kvtml = false;
    QString translationId;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) continue;
        const auto name = xml.name();
        if (name == QLatin1String("kvtml")) {
            kvtml = true;
        } else if (name == QLatin1String("identifier") && raw.empty()) {
            identifiers.emplace_back(xml.attributes().value(QLatin1String("id")).toString(), QString());
        } else if (name == QLatin1String("locale") && !identifiers.empty() && raw.empty()) {
            identifiers.back().second = xml.readElementText().trimmed().toLower();
        } else if (name == QLatin1String("entry")) {
            raw.push_back({static_cast<int>(xml.lineNumber()), {}});
        } else if (name == QLatin1String("translation") && !raw.empty()) {
            translationId = xml.attributes().value(QLatin1String("id")).toString();
        } else if (name == QLatin1String("text") && !raw.empty()) {
            raw.back().texts[translationId] = xml.readElementText().trimmed();
        }
    }
    if (xml.hasError() || !kvtml) {
        r.error = kvtml ? "the KVTML file is damaged at line " + std::to_string(xml.lineNumber()) + ": " +
                              xml.errorString().toStdString()
                        : "it is not a KVTML file";
        return r;
    }
    // English by its locale, else the first identifier; Japanese by its
    // locale (several become one meaning), else the next one.
    QString english;
    std::vector<QString> japanese;
    for (const auto& [id, locale] : identifiers)
        if (english.isEmpty() && locale.startsWith(QLatin1String("en"))) english = id;
    for (const auto& [id, locale] : identifiers)
        if (locale.startsWith(QLatin1String("ja")) && id != english) japanese.push_back(id);
    for (const auto& [id, locale] : identifiers) {
        if (english.isEmpty() && (japanese.empty() || japanese[0] != id)) english = id;
        if (japanese.empty() && id != english) japanese.push_back(id);
    }
    for (const Raw& e : raw) {
        const auto it = e.texts.find(english);
        QStringList meanings;
        for (const QString& id : japanese) {
            const auto m = e.texts.find(id);
            if (m != e.texts.end() && !m->second.isEmpty() && !meanings.contains(m->second)) meanings << m->second;
        }
        const std::string word = it == e.texts.end() ? std::string() : it->second.toStdString();
        if (word.empty() && meanings.isEmpty()) continue;  // an empty row, as editors keep at the end
        if (word.empty() || meanings.isEmpty()) {
            r.skipped.push_back({e.line, word.empty() ? "no English word" : "no translation"});
            continue;
        }
        r.entries.push_back({e.line, word, meanings.join(QStringLiteral("、")).toStdString()});
    }
    return r;
}

bool IsEnglishWord(const std::string& s) {
    if (s.empty()) return false;
    for (char c : s)
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '-' || c == '\'')) return false;
    return std::isalpha(static_cast<unsigned char>(s.front())) != 0;
}

// A gloss without its leading tags: "(n) (1) (uk) zero" gives "zero".
std::string Gloss(std::string g) {
    g = Trim(g);
    while (!g.empty() && g[0] == '(') {
        const std::size_t close = g.find(')');
        if (close == std::string::npos) break;
        g = Trim(g.substr(close + 1));
    }
    return g;
}

}  // namespace

std::optional<std::string> DecodeSource(const std::string& bytes, std::string* encoding) {
    auto said = [&](const char* name, std::string text) {
        *encoding = name;
        return std::optional<std::string>(std::move(text));
    };
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) return said("UTF-8", DecodeFileText(bytes));
    if (bytes.compare(0, 2, "\xFF\xFE") == 0) return said("UTF-16 LE", DecodeFileText(bytes));
    if (bytes.compare(0, 2, "\xFE\xFF") == 0) return said("UTF-16 BE", DecodeFileText(bytes));
    if (IsValidUtf8(bytes)) return said("UTF-8", bytes);
    const auto euc = DecodeCharset(bytes, "EUC-JP");
    const auto cp932 = DecodeCharset(bytes, "CP932");
    if (euc && (!cp932 || HalfWidthKana(*cp932) > HalfWidthKana(*euc))) return said("EUC-JP", *euc);
    if (cp932) return said("code page 932", *cp932);
    return std::nullopt;
}

ReadResult ReadEntries(const std::string& text, Format format) {
    if (format == Format::Detect) {
        const std::string head = text.substr(0, 4096);
        for (const FormatRow& row : Formats())
            if (row.detect && row.detect(head)) {
                format = row.format;
                break;
            }
    }
    return format == Format::Kvtml ? ReadKvtml(text) : ReadDelimited(text, format);
}

ReadResult ReadEdict(const std::string& bytes, std::size_t wantedWords) {
    ReadResult r;
    r.format = Format::Edict;
    r.encoding = "EUC-JP";
    struct Word {
        int line;
        std::vector<std::string> headwords;
    };
    std::map<std::string, std::size_t> index;  // lower-cased word -> position in words
    std::vector<std::pair<std::string, Word>> words;
    // Decoded whole; a line that is not EUC-JP is left out.
    std::string text;
    if (const auto whole = DecodeCharset(bytes, "EUC-JP")) {
        text = *whole;
    } else {
        for (std::size_t at = 0; at < bytes.size();) {
            const std::size_t end = std::min(bytes.find('\n', at), bytes.size());
            text += DecodeCharset(std::string_view(bytes).substr(at, end - at), "EUC-JP").value_or("") + "\n";
            at = end + 1;
        }
    }
    // Common entries, marked "(P)", first; then the rest.
    for (int pass = 0; pass < 2 && words.size() < wantedWords; ++pass) {
        int line = 0;
        // A pass runs to its end: later entries add headwords to the words
        // chosen.
        for (std::size_t at = 0; at < text.size();) {
            const std::size_t end = std::min(text.find('\n', at), text.size());
            const std::string_view entry(text.data() + at, end - at);
            at = end + 1;
            ++line;
            const bool common = entry.find("/(P)/") != std::string_view::npos;
            if (line == 1 || common != (pass == 0)) continue;
            const std::size_t slash = entry.find('/');
            if (slash == std::string_view::npos) continue;
            const std::string headword = Trim(entry.substr(0, std::min(entry.find(' '), slash)));
            std::size_t from = slash + 1;
            for (std::size_t next; (next = entry.find('/', from)) != std::string_view::npos; from = next + 1) {
                const std::string gloss = Gloss(std::string(entry.substr(from, next - from)));
                if (!IsEnglishWord(gloss)) continue;
                // "May" and "may" are one word of the bank: the first spelling stays.
                auto [it, isNew] = index.emplace(Lower(gloss), words.size());
                if (isNew) {
                    if (words.size() >= wantedWords) {
                        index.erase(it);
                        continue;
                    }
                    words.push_back({gloss, Word{line, {}}});
                }
                auto& heads = words[it->second].second.headwords;
                if (heads.size() < 3 && std::find(heads.begin(), heads.end(), headword) == heads.end())
                    heads.push_back(headword);
            }
        }
    }
    for (auto& [word, w] : words) {
        std::string meaning;
        for (const auto& h : w.headwords) meaning += (meaning.empty() ? "" : "、") + h;
        r.entries.push_back({w.line, word, meaning});
    }
    if (words.empty()) r.error = "it holds no English single-word gloss; is it the EDICT dictionary?";
    return r;
}

ReadResult ReadSourceText(const std::string& bytes, Format format) {
    std::string encoding;
    const auto text = DecodeSource(bytes, &encoding);
    ReadResult r;
    if (!text) {
        r.error = "in no encoding Kelvora knows (UTF-8, UTF-16, EUC-JP, code page 932)";
        r.undecodable = true;
        return r;
    }
    r = ReadEntries(*text, format);
    r.encoding = encoding;
    return r;
}

namespace {

template <Format F>
ReadResult ReadAs(const std::string& bytes, const Request&) {
    return ReadSourceText(bytes, F);
}

bool LooksLikeKvtml(const std::string& head) {
    const std::size_t first = head.find_first_not_of(" \t\r\n");
    return first != std::string::npos && head.compare(first, 1, "<") == 0 && head.find("kvtml") != std::string::npos;
}
bool LooksLikeNotes(const std::string& head) { return head.rfind("#separator:", 0) == 0 || head.rfind("#html:", 0) == 0; }
bool LooksLikeTsv(const std::string& head) {
    return head.find('\t') != std::string::npos && std::count(head.begin(), head.end(), '\t') >= std::count(head.begin(), head.end(), ',');
}
bool AnyText(const std::string&) { return true; }

ReadResult ReadDictionary(const std::string& bytes, const Request& request) {
    return ReadEdict(bytes, request.edictWords ? std::min(request.edictWords, kMaxImportedWords) : kMaxImportedWords);
}

const FormatRow kFormats[] = {
    {Format::Kvtml, "kvtml", "KVTML", "*.kvtml *.xml", LooksLikeKvtml, ReadAs<Format::Kvtml>, false, "", ""},
    {Format::Notes, "notes", "a flash-card notes export", "*.txt", LooksLikeNotes, ReadAs<Format::Notes>, true, "", ""},
    {Format::Tsv, "tsv", "tab-separated text", "*.tsv *.txt", LooksLikeTsv, ReadAs<Format::Tsv>, true, "", ""},
    {Format::Csv, "csv", "CSV", "*.csv", AnyText, ReadAs<Format::Csv>, true, "", ""},
    {Format::Edict, "edict", "the EDICT dictionary", "", nullptr, ReadDictionary, false, kEdictFile, "edict"},
};

}  // namespace

std::span<const FormatRow> Formats() { return kFormats; }

const FormatRow& RowOf(Format format) {
    for (const FormatRow& row : kFormats)
        if (row.format == format) return row;
    return kFormats[0];  // never asked for: Detect tries every row
}

const FormatRow* FormatNamed(const std::string& option) {
    for (const FormatRow& row : kFormats)
        if (option == row.option) return &row;
    return nullptr;
}

std::string FormatOptions() {
    std::string out;
    const std::size_t n = std::size(kFormats);
    for (std::size_t i = 0; i < n; ++i) out += (i == 0 ? "" : i + 1 == n ? " or " : ", ") + std::string(kFormats[i].option);
    return out;
}

std::string DialogFilter() {
    std::vector<std::string> patterns;
    for (const FormatRow& row : kFormats) {
        std::string p = row.patterns;
        for (std::size_t at = 0; at < p.size();) {
            std::size_t end = p.find(' ', at);
            if (end == std::string::npos) end = p.size();
            const std::string one = p.substr(at, end - at);
            if (!one.empty() && std::find(patterns.begin(), patterns.end(), one) == patterns.end()) patterns.push_back(one);
            at = end + 1;
        }
    }
    std::sort(patterns.begin(), patterns.end(), [](const std::string& a, const std::string& b) { return a < b; });
    std::string joined;
    for (const std::string& p : patterns) joined += (joined.empty() ? "" : " ") + p;
    return "Word lists (" + joined + ");;All files (*)";
}

}  // namespace kelvora::import
