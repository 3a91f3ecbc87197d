// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Text is UTF-8 in memory; rules that count characters count code points.
#include <string>
#include <string_view>
#include <vector>

namespace kelvora {

// Code point starting at byte i, and the byte length of it. Malformed bytes
// count as one character each (U+FFFD).
char32_t DecodeAt(std::string_view s, std::size_t i, std::size_t* length);
// The code of the first character, 0 for an empty text.
char32_t FirstCode(std::string_view s);
// The text split into its characters, each as its own UTF-8 string.
std::vector<std::string_view> Characters(std::string_view s);
void AppendUtf8(std::string& out, char32_t c);
bool IsValidUtf8(std::string_view s);
// Latin capitals to small letters; everything else unchanged.
std::string LowerAscii(std::string_view s);

// A message made to fit a screen: at most maxLines lines (ending in CR LF
// or a bare LF; joined by CR LF) of at most maxChars characters; a line or
// a text cut short ends in "…".
// A message quoting a bad line of a file shows a screenful of it at most.
std::string ClipForScreen(std::string_view text, std::size_t maxChars = 200, std::size_t maxLines = 30);

// Text for a terminal: control characters (but line ends and tabs) and
// bytes that are no UTF-8 shown escaped ("\x1B", "\u009B"), so that no
// text quoted from a file can drive the terminal.
std::string EscapeControls(std::string_view text);

// A message for a terminal, held to the message boxes' rule: escaped as
// above, at most maxLines lines (ending in "\n") of at most maxChars
// characters (a longer line goes on in the next, broken after a blank
// where one is near); lines left out are counted on the last line.
std::string ForTerminal(std::string_view text, std::size_t maxChars = 200, std::size_t maxLines = 30);

}  // namespace kelvora
