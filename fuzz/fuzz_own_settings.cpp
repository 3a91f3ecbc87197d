// SPDX-License-Identifier: GPL-3.0-or-later
// Kelvora's own settings file, read at start-up and written back with one
// setting changed; and the fitted parameters as the history keeps them.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "files/OwnSettings.h"
#include "memory/ParametersText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kelvora;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const auto file = std::filesystem::temp_directory_path() / "kelvora-fuzz-own.conf";
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
    OwnSettingsFile f = ReadOwnSettings(file);
    static_cast<void>(SetOwnSetting(f, "speak_words", "yes"));
    const std::string written = OwnSettingsText(f);
    // What is written reads back to the same settings.
    std::ofstream(file, std::ios::binary | std::ios::trunc) << written;
    const OwnSettingsFile again = ReadOwnSettings(file);
    if (again.settings.speakWords != f.settings.speakWords || again.settings.newCardsPerDay != f.settings.newCardsPerDay)
        __builtin_trap();
    // Parameters read back print the same (six decimals at most).
    if (const auto w = ParseParameters(bytes)) {
        const auto again = ParseParameters(ParametersText(*w));
        if (!again || ParametersText(*again) != ParametersText(*w)) __builtin_trap();
    }
    return 0;
}
