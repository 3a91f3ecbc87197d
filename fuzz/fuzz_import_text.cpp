// SPDX-License-Identifier: GPL-3.0-or-later
// Importing delimited text (CSV, tab-separated, notes exports) in any
// encoding: whatever comes in, the word database that comes out reads back
// as exactly its words.
#include "FuzzHarness.h"
#include "Import.h"
#include "text/TextReader.h"
#include "text/Utf8.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kelvora;
    std::string encoding;
    const auto text = import::DecodeSource(fuzz::Bytes(data, size), &encoding);
    if (!text) return 0;
    if (!IsValidUtf8(*text)) __builtin_trap();
    for (auto format : {import::Format::Detect, import::Format::Csv, import::Format::Tsv, import::Format::Notes}) {
        const import::ReadResult read = import::ReadEntries(*text, format);
        for (bool swap : {false, true}) {
            const import::Bank bank = import::BuildBank(read, "eword", swap);
            TextReader in(bank.text);
            int records = 0;
            while (in.HasMoreFields()) {
                const auto word = in.ReadField();
                const auto meaning = in.ReadField();
                if (!word || !meaning || word->empty() || meaning->empty()) __builtin_trap();
                ++records;
            }
            if (records != bank.words + 1) __builtin_trap();  // the words and the end record
        }
    }
    return 0;
}
