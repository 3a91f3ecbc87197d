// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/Csv.h"

namespace kelvora {

std::string CsvField(const std::string& s) {
    // A field a spreadsheet would take for a formula is quoted too.
    const bool formula = !s.empty() && (s[0] == '=' || s[0] == '+' || s[0] == '-' || s[0] == '@');
    if (!formula && s.find_first_of(",\"\r\n") == std::string::npos) return s;
    std::string out = "\"";
    for (char c : s) out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

bool SplitCsvLine(const std::string& line, std::vector<std::string>* fields) {
    fields->clear();
    std::string field;
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c != '"') {
                field += c;
            } else if (i + 1 < line.size() && line[i + 1] == '"') {
                field += '"';
                ++i;
            } else {
                quoted = false;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            fields->push_back(std::move(field));
            field.clear();
        } else {
            field += c;
        }
    }
    fields->push_back(std::move(field));
    return !quoted;
}

}  // namespace kelvora
