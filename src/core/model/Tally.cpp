#include "model/Tally.h"

#include <algorithm>

#include "text/Numbers.h"

namespace kelvora {

std::string& WordField(WordRow& row, int column) {
    switch (column) {
        case 0: return row.word;
        case 1: return row.meaning;
        case 2: return row.enAsked;
        case 3: return row.enScore;
        case 4: return row.jaAsked;
        default: return row.jaScore;
    }
}

const std::string& WordField(const WordRow& row, int column) {
    return WordField(const_cast<WordRow&>(row), column);
}

double Tally(const WordRow& row, int column) { return ValFast(WordField(row, column)); }

void SaturatingAdd(Int16& value, int amount) {
    const long long sum = std::clamp<long long>(static_cast<long long>(value.value()) + amount, -32768, 32767);
    value = Int16::FromWide(sum);
}

}  // namespace kelvora
