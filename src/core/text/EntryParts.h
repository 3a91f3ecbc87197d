// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A database cell is "text|sound|unused"; a sound part is
// "name start seconds", items separated by blanks.
#include <string>
#include <string_view>

namespace kelvora {

std::string GetTextPart(std::string_view cell);

// What the review history calls a word: the headword's text part, without
// the " *" that marks a word in the bank, so marking it keeps its history.
std::string HeadwordKey(std::string_view cell);
std::string GetSoundPart(std::string_view cell);

struct SoundSpec {
    std::string name;   // MP3 file name without ".mp3"
    std::string start;  // item 2 as written
    std::string time;   // item 3 as written
};
// Left to right; a blank after a non-blank starts the next item, so runs of
// blanks separate like one and a leading blank makes the name empty; items
// after the third are dropped.
SoundSpec SplitSoundSpec(std::string_view spec);

}  // namespace kelvora
