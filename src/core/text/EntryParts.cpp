// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/EntryParts.h"

namespace kelvora {

std::string GetTextPart(std::string_view cell) {
    return std::string(cell.substr(0, cell.find('|')));
}

std::string HeadwordKey(std::string_view cell) {
    std::string key = GetTextPart(cell);
    if (key.size() >= 2 && key.compare(key.size() - 2, 2, " *") == 0) key.resize(key.size() - 2);
    return key;
}

std::string GetSoundPart(std::string_view cell) {
    const std::size_t first = cell.find('|');
    if (first == std::string_view::npos) return {};
    const std::string_view rest = cell.substr(first + 1);
    return std::string(rest.substr(0, rest.find('|')));
}

SoundSpec SplitSoundSpec(std::string_view spec) {
    std::string* items[3];
    SoundSpec s;
    items[0] = &s.name;
    items[1] = &s.start;
    items[2] = &s.time;
    int item = 0;
    bool previousBlank = false;  // the character before the first is empty, not a blank
    for (char c : spec) {
        if (c == ' ') {
            if (!previousBlank) ++item;
            previousBlank = true;
        } else {
            if (item < 3) *items[item] += c;
            previousBlank = false;
        }
    }
    return s;
}

}  // namespace kelvora
