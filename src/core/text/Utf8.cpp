// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/Utf8.h"

namespace kelvora {

char32_t DecodeAt(std::string_view s, std::size_t i, std::size_t* length) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    auto cont = [&](std::size_t k) {
        return i + k < s.size() && (static_cast<unsigned char>(s[i + k]) & 0xC0) == 0x80;
    };
    auto bits = [&](std::size_t k) { return static_cast<char32_t>(static_cast<unsigned char>(s[i + k]) & 0x3F); };
    if (b0 < 0x80) {
        *length = 1;
        return b0;
    }
    if (b0 >= 0xC2 && b0 < 0xE0 && cont(1)) {
        *length = 2;
        return (static_cast<char32_t>(b0 & 0x1F) << 6) | bits(1);
    }
    if (b0 >= 0xE0 && b0 < 0xF0 && cont(1) && cont(2)) {
        const char32_t c = (static_cast<char32_t>(b0 & 0x0F) << 12) | (bits(1) << 6) | bits(2);
        if (c >= 0x800 && (c < 0xD800 || c > 0xDFFF)) {
            *length = 3;
            return c;
        }
    }
    if (b0 >= 0xF0 && b0 < 0xF5 && cont(1) && cont(2) && cont(3)) {
        const char32_t c =
            (static_cast<char32_t>(b0 & 0x07) << 18) | (bits(1) << 12) | (bits(2) << 6) | bits(3);
        if (c >= 0x10000 && c <= 0x10FFFF) {
            *length = 4;
            return c;
        }
    }
    *length = 1;
    return 0xFFFD;
}

char32_t FirstCode(std::string_view s) {
    if (s.empty()) return 0;
    std::size_t n = 0;
    return DecodeAt(s, 0, &n);
}

std::vector<std::string_view> Characters(std::string_view s) {
    std::vector<std::string_view> out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        std::size_t n = 0;
        DecodeAt(s, i, &n);
        out.push_back(s.substr(i, n));
        i += n;
    }
    return out;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool IsValidUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        std::size_t n = 0;
        const char32_t c = DecodeAt(s, i, &n);
        if (c == 0xFFFD && !(n == 3 && s.substr(i, 3) == "\xEF\xBF\xBD")) return false;
        i += n;
    }
    return true;
}

std::string LowerAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::string ClipForScreen(std::string_view text, std::size_t maxChars, std::size_t maxLines) {
    std::string out;
    std::size_t lines = 0;
    for (std::size_t start = 0;;) {
        // A line ends in CR LF or a bare LF; on screen, in CR LF.
        const std::size_t end = text.find('\n', start);
        std::string_view line = text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (end != std::string_view::npos && !line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (lines == maxLines) {
            out += "…";
            break;
        }
        if (lines++ > 0) out += "\r\n";
        std::size_t i = 0, chars = 0;
        while (i < line.size() && chars < maxChars) {
            std::size_t n = 0;
            DecodeAt(line, i, &n);
            i += n;
            ++chars;
        }
        out += line.substr(0, i);
        if (i < line.size()) out += "…";
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return out;
}

namespace {

void AppendHex(std::string& out, const char* prefix, unsigned value, int digits) {
    const char* hex = "0123456789ABCDEF";
    out += prefix;
    for (int d = digits - 1; d >= 0; --d) out += hex[(value >> (4 * d)) & 15];
}

// A text with its control characters escaped.
std::string Escaped(std::string_view line, bool keepLineEnds) {
    std::string out;
    for (std::size_t i = 0; i < line.size();) {
        std::size_t n = 0;
        const char32_t c = DecodeAt(line, i, &n);
        if (keepLineEnds && (c == '\n' || (c == '\r' && i + 1 < line.size() && line[i + 1] == '\n'))) {
            out += line.substr(i, c == '\n' ? 1 : 2);
            n = c == '\n' ? 1 : 2;
        } else if (c == 0xFFFD && n == 1 && static_cast<unsigned char>(line[i]) >= 0x80) {
            AppendHex(out, "\\x", static_cast<unsigned char>(line[i]), 2);  // not UTF-8
        } else if ((c < 0x20 && c != '\t') || c == 0x7F) {
            AppendHex(out, "\\x", static_cast<unsigned>(c), 2);
        } else if (c >= 0x80 && c <= 0x9F) {
            AppendHex(out, "\\u", static_cast<unsigned>(c), 4);
        } else {
            out += line.substr(i, n);
        }
        i += n;
    }
    return out;
}

// A line in pieces of at most maxChars characters, broken after a blank
// where one is near the end of a piece.
std::vector<std::string> Wrapped(const std::string& line, std::size_t maxChars) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    while (true) {
        std::size_t i = start, chars = 0, blank = std::string::npos;
        while (i < line.size() && chars < maxChars) {
            std::size_t n = 0;
            DecodeAt(line, i, &n);
            if (line[i] == ' ' && chars >= maxChars * 2 / 3) blank = i + 1;
            i += n;
            ++chars;
        }
        if (i < line.size() && blank != std::string::npos) i = blank;
        std::string piece = line.substr(start, i - start);
        if (i < line.size() && !piece.empty() && piece.back() == ' ') piece.pop_back();
        pieces.push_back(std::move(piece));
        if (i >= line.size()) return pieces;
        start = i;
    }
}

}  // namespace

std::string EscapeControls(std::string_view text) { return Escaped(text, true); }

std::string ForTerminal(std::string_view text, std::size_t maxChars, std::size_t maxLines) {
    std::vector<std::string> lines;  // the first maxLines of them
    std::size_t total = 0;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        for (std::string& piece : Wrapped(Escaped(line, false), maxChars)) {
            if (lines.size() < maxLines) lines.push_back(std::move(piece));
            ++total;
        }
        start = end + 1;
    }
    std::string out;
    const std::size_t shown = total > maxLines ? maxLines - 1 : total;
    for (std::size_t i = 0; i < shown; ++i) out += lines[i] + "\n";
    if (shown < total) {
        const std::size_t more = total - shown;
        out += "… and " + std::to_string(more) + " more line" + (more == 1 ? "" : "s") + "\n";
    }
    return out;
}

}  // namespace kelvora
