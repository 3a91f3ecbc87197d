// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/TextReader.h"

namespace kelvora {

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
}  // namespace

bool TextReader::AtLineEnd() const {
    return pos_ < text_.size() &&
           (text_[pos_] == '\n' || (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n'));
}

void TextReader::SkipLineEnd() {
    if (pos_ < text_.size() && text_[pos_] == '\r') ++pos_;
    if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
    ++line_;
}

void TextReader::SkipBlanks() {
    while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
}

bool TextReader::HasMoreFields() const {
    // Everything from the read position up to nextContent_ is blank, so a
    // run of empty lines is looked at once, not once per field in it.
    if (pos_ > nextContent_ || nextContent_ == kUnknown) {
        nextContent_ = pos_;
        while (nextContent_ < text_.size()) {
            const char c = text_[nextContent_];
            if (!IsBlank(c) && c != '\r' && c != '\n') break;
            ++nextContent_;
        }
    }
    return nextContent_ < text_.size();
}

std::optional<std::string> TextReader::ReadField() {
    SkipBlanks();
    if (AtEof()) return std::nullopt;
    std::string field;
    if (text_[pos_] == '"') {
        ++pos_;
        while (pos_ < text_.size() && text_[pos_] != '"' && !AtLineEnd()) field += text_[pos_++];
        if (pos_ < text_.size() && text_[pos_] == '"') ++pos_;
        // Whatever stands between the closing quote and the delimiter is
        // not part of the field.
        while (pos_ < text_.size() && text_[pos_] != ',' && !AtLineEnd()) ++pos_;
    } else {
        const std::size_t start = pos_;
        // The field runs to the next comma or line feed; a CR just before
        // the line feed belongs to the line end.
        const char* p = text_.data() + pos_;
        const char* const end = text_.data() + text_.size();
        while (p < end && *p != ',' && *p != '\n') ++p;
        pos_ = static_cast<std::size_t>(p - text_.data());
        if (pos_ > start && pos_ < text_.size() && text_[pos_] == '\n' && text_[pos_ - 1] == '\r') --pos_;
        std::size_t last = pos_;
        while (last > start && IsBlank(text_[last - 1])) --last;
        field.assign(text_.substr(start, last - start));
    }
    if (pos_ < text_.size()) {
        if (text_[pos_] == ',')
            ++pos_;
        else
            SkipLineEnd();
    }
    return field;
}

std::optional<std::string> TextReader::ReadLine() {
    if (AtEof()) return std::nullopt;
    const std::size_t start = pos_;
    const std::size_t nl = text_.find('\n', pos_);
    std::size_t end = nl == std::string::npos ? text_.size() : nl;
    pos_ = nl == std::string::npos ? text_.size() : nl + 1;
    if (end > start && text_[end - 1] == '\r') --end;
    ++line_;
    return std::string(text_.substr(start, end - start));
}

}  // namespace kelvora
