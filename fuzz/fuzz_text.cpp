// SPDX-License-Identifier: GPL-3.0-or-later
// The text layer on its own: code page 932 / UTF-8 decoding and encoding,
// the free-format field reader, whole lines, and the number rules.
#include "FuzzHarness.h"
#include "platform/Codec.h"
#include "text/Numbers.h"
#include "text/TextReader.h"
#include "text/Utf8.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kelvora;
    const std::string bytes = fuzz::Bytes(data, size);
    const std::string text = DecodeFileText(bytes);
    if (!IsValidUtf8(text)) __builtin_trap();  // decoding always gives valid text
    std::string bad;
    if (const auto encoded = EncodeCp932(text, &bad)) {
        if (!IsValidUtf8(DecodeCp932(*encoded))) __builtin_trap();
    }
    TextReader fields(text);
    while (fields.HasMoreFields()) {
        const auto f = fields.ReadField();
        if (!f) break;
        (void)ParseNumber(*f);
        (void)NumText(Val(*f));
    }
    TextReader lines(text);
    while (lines.ReadLine()) {
    }
    (void)Characters(text);
    return 0;
}
