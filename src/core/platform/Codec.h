// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Code page 932 and UTF-8: the one place where file bytes become text.
#include <optional>
#include <string>
#include <string_view>

namespace kelvora {

// File bytes to UTF-8 text. A UTF-16 byte-order mark means UTF-16 (little
// or big endian); a UTF-8 byte-order mark, or valid UTF-8 holding non-ASCII
// text, means UTF-8; anything else is code page 932. An invalid byte never
// vanishes: it becomes U+FFFD.
std::string DecodeFileText(std::string_view bytes);
// Bytes in a named character set (iconv's names: "EUC-JP", "CP932",
// "UTF-16LE") to UTF-8; nothing when they are not valid in it.
std::optional<std::string> DecodeCharset(std::string_view bytes, const char* charset);
std::string DecodeCp932(std::string_view bytes);
// The same through iconv in one pass over the whole text: the reference the
// table above is checked against, and the floor start-up is measured by.
std::string DecodeCp932Iconv(std::string_view bytes);

// UTF-8 text to code page 932. On a character code page 932 cannot hold,
// returns nothing and puts that character into *unencodable.
std::optional<std::string> EncodeCp932(std::string_view utf8, std::string* unencodable = nullptr);

}  // namespace kelvora
