// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// UTF-8 text as EUC-JP, the encoding Debian's EDICT comes in.
#include <iconv.h>

#include <string>

namespace kelvora::test {

inline std::string EucJp(const std::string& utf8) {
    iconv_t cd = iconv_open("EUC-JP", "UTF-8");
    std::string out(utf8.size() * 2, '\0');
    char* ip = const_cast<char*>(utf8.data());
    char* op = out.data();
    std::size_t il = utf8.size(), ol = out.size();
    iconv(cd, &ip, &il, &op, &ol);
    iconv_close(cd);
    out.resize(out.size() - ol);
    return out;
}

}  // namespace kelvora::test
