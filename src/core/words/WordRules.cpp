// SPDX-License-Identifier: GPL-3.0-or-later
#include "words/WordRules.h"

#include "platform/Codec.h"
#include "text/Utf8.h"

namespace kelvora {

std::optional<std::string> AsField(const std::string& s) {
    const bool quote = s.find(',') != std::string::npos || (!s.empty() && s[0] == '"');
    if (!quote) return s;
    if (s.find('"') != std::string::npos) return std::nullopt;
    return "\"" + s + "\"";
}

std::string QuotedForMessage(const std::string& text) { return "\"" + ClipForScreen(text, 40, 1) + "\""; }

std::optional<std::string> FieldProblem(const std::string& text) {
    if (text.find('|') != std::string::npos)
        return QuotedForMessage(text) + " holds '|', which Kelvora reads as the start of a sound part";
    std::string bad;
    if (!EncodeCp932(text, &bad)) return QuotedForMessage(text) + " holds \"" + bad + "\", which code page 932 cannot hold";
    if (!AsField(text))
        return QuotedForMessage(text) + " holds both a comma and a double quote, which a word database cannot hold together";
    return std::nullopt;
}

}  // namespace kelvora
