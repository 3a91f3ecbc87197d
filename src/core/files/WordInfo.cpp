// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/WordInfo.h"

#include "platform/TextFile.h"

namespace kelvora {

WordInfoMap ReadWordInfo(const std::filesystem::path& file) {
    WordInfoMap out;
    const FileRead read = ReadFileBytes(file, std::uintmax_t{16} << 20);
    if (!read) return out;
    const std::string& text = *read;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        const std::string line = text.substr(at, end - at);
        at = end + 1;
        const std::size_t t1 = line.find('\t'), t2 = t1 == std::string::npos ? t1 : line.find('\t', t1 + 1);
        const std::size_t t3 = t2 == std::string::npos ? t2 : line.find('\t', t2 + 1);
        if (t3 == std::string::npos || t1 == 0) continue;
        const std::string rank = line.substr(t1 + 1, t2 - t1 - 1);
        if (rank.empty() || rank.size() > 7 || rank.find_first_not_of("0123456789") != std::string::npos) continue;
        WordInfo& w = out[line.substr(0, t1)];
        w.rank = std::stoi(rank);
        w.partOfSpeech = line.substr(t2 + 1, t3 - t2 - 1);
        w.example = line.substr(t3 + 1);
        if (!w.example.empty() && w.example.back() == '\r') w.example.pop_back();
    }
    return out;
}

}  // namespace kelvora
