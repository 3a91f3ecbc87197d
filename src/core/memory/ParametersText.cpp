// SPDX-License-Identifier: GPL-3.0-or-later
#include "memory/ParametersText.h"

#include <cmath>
#include <cstdio>

#include "text/Numbers.h"

namespace kelvora {

std::string ParametersText(const fsrs::Parameters& w) {
    std::string out;
    for (double v : w) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.6f", v);
        std::string t = buf;
        t.erase(t.find_last_not_of('0') + 1);
        if (t.back() == '.') t.pop_back();
        if (t == "-0") t = "0";
        out += (out.empty() ? "" : ",") + t;
    }
    return out;
}

std::optional<fsrs::Parameters> ParseParameters(const std::string& text) {
    fsrs::Parameters w{};
    std::size_t i = 0, start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        const auto v = ParseNumber(std::string_view(text).substr(start, comma == std::string::npos ? std::string::npos
                                                                                                 : comma - start));
        if (!v || !std::isfinite(*v) || i >= w.size()) return std::nullopt;
        w[i++] = *v;
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    if (i != w.size()) return std::nullopt;
    return w;
}

}  // namespace kelvora
