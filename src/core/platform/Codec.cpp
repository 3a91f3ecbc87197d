// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Codec.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <cstdint>
#include <vector>

#include "text/Utf8.h"

namespace kelvora {

namespace {

class Iconv {
public:
    Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Iconv() {
        if (ok()) iconv_close(cd_);
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return cd_; }

private:
    iconv_t cd_;
};

// How many bytes from `at` on are ASCII, eight at a time.
std::size_t AsciiRun(const unsigned char* b, std::size_t at, std::size_t n) {
    std::size_t i = at;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, b + i, 8);
        if (word & 0x8080808080808080ULL) break;
    }
    while (i < n && b[i] < 0x80) ++i;
    return i - at;
}

bool HasNonAscii(std::string_view s) {
    return AsciiRun(reinterpret_cast<const unsigned char*>(s.data()), 0, s.size()) != s.size();
}

// Runs bytes through iconv. At a byte sequence it cannot convert it asks
// onInvalid, which either steps past it (returning true) or gives up.
template <class OnInvalid>
bool Convert(const Iconv& cd, std::string_view bytes, std::string& out, OnInvalid onInvalid) {
    std::vector<char> buf(bytes.size() * 3 + 16);
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    while (inLeft > 0) {
        char* o = buf.data();
        std::size_t oLeft = buf.size();
        const std::size_t r = iconv(cd.get(), &in, &inLeft, &o, &oLeft);
        out.append(buf.data(), static_cast<std::size_t>(o - buf.data()));
        if (r == static_cast<std::size_t>(-1) && errno != E2BIG) {
            if (!onInvalid(in, inLeft)) return false;
            iconv(cd.get(), nullptr, nullptr, nullptr, nullptr);
        }
    }
    return true;
}

// Code page 932 as a table, made once from iconv's own mapping: every
// single byte and every lead/trail pair. Decoding a file is then a table
// walk, several times faster than iconv on the whole file, with the same
// result.
class Cp932Table {
public:
    static const Cp932Table& Get() {
        static const Cp932Table table;
        return table;
    }
    // Each character as the UTF-8 bytes to append: up to three bytes, the
    // count in the top byte.
    static constexpr std::uint32_t kLead = 0xFFFFFFFF;                // the first byte of a pair
    static constexpr std::uint32_t kReplacement = 3u << 24 | 0xBDBFEF;  // U+FFFD
    // A single byte: its character, or kLead; U+FFFD where iconv knows none.
    std::uint32_t Single(unsigned char byte) const { return singleUtf8_[byte]; }
    // A pair: its character, or 0 where iconv knows none. Rows only for
    // the sixty lead bytes (a quarter of a megabyte for every byte would
    // be memory to clear for nothing).
    std::uint32_t Pair(unsigned char lead, unsigned char trail) const {
        return pairUtf8_[static_cast<std::size_t>(row_[lead]) << 8 | trail];
    }

private:
    std::uint32_t singleUtf8_[256] = {};
    std::uint8_t row_[256] = {};
    std::vector<std::uint32_t> pairUtf8_;

    // A character of the Basic Multilingual Plane packed as above; 0 for
    // none (0, or one UTF-8 would need four bytes for).
    static std::uint32_t Packed(char32_t c) {
        std::string utf8;
        AppendUtf8(utf8, c);
        if (!c || utf8.size() > 3) return 0;
        std::uint32_t packed = static_cast<std::uint32_t>(utf8.size()) << 24;
        for (std::size_t k = 0; k < utf8.size(); ++k)
            packed |= static_cast<std::uint32_t>(static_cast<unsigned char>(utf8[k])) << (8 * k);
        return packed;
    }

    static bool IsLead(int b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

    Cp932Table() {
        Iconv cd("UTF-32LE", "CP932");
        // One character, converted alone: the code point, or 0.
        auto convert = [&](const char* in, std::size_t n) -> char32_t {
            if (!cd.ok()) return 0;
            iconv(cd.get(), nullptr, nullptr, nullptr, nullptr);
            char32_t out[2] = {0, 0};
            char* i = const_cast<char*>(in);
            char* o = reinterpret_cast<char*>(out);
            std::size_t il = n, ol = sizeof out;
            if (iconv(cd.get(), &i, &il, &o, &ol) == static_cast<std::size_t>(-1) || il != 0 || ol != sizeof out - 4)
                return 0;
            return out[0];
        };
        int rows = 1;  // row 0: not a lead byte, every pair unknown
        for (int b = 0; b < 256; ++b)
            if (IsLead(b)) row_[b] = static_cast<std::uint8_t>(rows++);
        pairUtf8_.assign(static_cast<std::size_t>(rows) << 8, 0);
        for (int b = 0; b < 256; ++b) {
            const char byte = static_cast<char>(b);
            if (!IsLead(b)) {
                const std::uint32_t packed = Packed(convert(&byte, 1));
                singleUtf8_[b] = packed ? packed : kReplacement;
                continue;
            }
            singleUtf8_[b] = kLead;
            for (int t = 0x40; t <= 0xFC; ++t) {
                const char pair[2] = {byte, static_cast<char>(t)};
                pairUtf8_[static_cast<std::size_t>(row_[b]) << 8 | static_cast<std::size_t>(t)] = Packed(convert(pair, 2));
            }
        }
    }
};

// Walks CP932 bytes, handing `putRun` each run of ASCII (a pointer and a
// length) and `putChar` each other character (packed as the table has it).
template <class PutRun, class PutChar>
void WalkCp932(const Cp932Table& table, std::string_view bytes, PutRun&& putRun, PutChar&& putChar) {
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    for (std::size_t i = 0; i < n;) {
        const unsigned char c = b[i];
        if (c < 0x80) {
            const std::size_t run = AsciiRun(b, i, n);
            putRun(reinterpret_cast<const char*>(b + i), run);
            i += run;
            continue;
        }
        const std::uint32_t single = table.Single(c);
        if (single != Cp932Table::kLead) {
            putChar(single);
            ++i;
        } else if (const std::uint32_t pair = i + 1 < n ? table.Pair(c, b[i + 1]) : 0) {
            putChar(pair);
            i += 2;
        } else {
            // A pair iconv does not know, or a lead byte cut off at the end:
            // the lead byte shows as U+FFFD, the next stands alone.
            putChar(Cp932Table::kReplacement);
            ++i;
        }
    }
}

}  // namespace

std::string DecodeCp932(std::string_view bytes) {
    if (!HasNonAscii(bytes)) return std::string(bytes);
    const Cp932Table& table = Cp932Table::Get();
    // Measured first, then written: a text is made once, at its own size
    // (memory a megabyte file would only be zeroed in is never touched).
    std::size_t size = 0;
    WalkCp932(
        table, bytes, [&size](const char*, std::size_t run) { size += run; },
        [&size](std::uint32_t packed) { size += packed >> 24; });
    std::string out(size, '\0');
    char* o = out.data();
    WalkCp932(
        table, bytes,
        [&o](const char* ascii, std::size_t run) {
            std::memcpy(o, ascii, run);
            o += run;
        },
        [&o](std::uint32_t packed) {  // one to three bytes, written without a call
            const std::uint32_t k = packed >> 24;
            o[0] = static_cast<char>(packed & 0xFF);
            if (k > 1) o[1] = static_cast<char>((packed >> 8) & 0xFF);
            if (k > 2) o[2] = static_cast<char>((packed >> 16) & 0xFF);
            o += k;
        });
    return out;
}

std::string DecodeCp932Iconv(std::string_view bytes) {
    Iconv cd("UTF-8", "CP932");
    std::string out;
    if (!cd.ok()) return out;
    out.reserve(bytes.size() * 3 / 2 + 16);
    Convert(cd, bytes, out, [&out](char*& in, std::size_t& inLeft) {
        AppendUtf8(out, 0xFFFD);
        ++in;
        --inLeft;
        return true;
    });
    return out;
}

std::optional<std::string> DecodeCharset(std::string_view bytes, const char* charset) {
    Iconv cd("UTF-8", charset);
    if (!cd.ok()) return std::nullopt;
    std::string out;
    out.reserve(bytes.size() * 3 / 2 + 16);
    if (!Convert(cd, bytes, out, [](char*&, std::size_t&) { return false; })) return std::nullopt;
    return out;
}

std::string DecodeFileText(std::string_view bytes) {
    // UTF-16 with its byte-order mark, as common editors save "Unicode".
    for (const auto& [mark, charset] : {std::pair{std::string_view("\xFF\xFE"), "UTF-16LE"},
                                        std::pair{std::string_view("\xFE\xFF"), "UTF-16BE"}}) {
        if (bytes.substr(0, 2) != mark) continue;
        Iconv cd("UTF-8", charset);
        std::string out;
        Convert(cd, bytes.substr(2), out, [&out](char*& in, std::size_t& inLeft) {
            AppendUtf8(out, 0xFFFD);  // a broken unit shows, never vanishes
            const std::size_t skip = inLeft >= 2 ? 2 : inLeft;
            in += skip;
            inLeft -= skip;
            return true;
        });
        return out;
    }
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        const std::string_view body = bytes.substr(3);
        if (IsValidUtf8(body)) return std::string(body);
        std::string out;  // mostly UTF-8: keep the good parts, mark the bad
        for (std::size_t i = 0; i < body.size();) {
            std::size_t n = 0;
            AppendUtf8(out, DecodeAt(body, i, &n));
            i += n;
        }
        return out;
    }
    if (HasNonAscii(bytes) && IsValidUtf8(bytes)) return std::string(bytes);
    return DecodeCp932(bytes);
}

std::optional<std::string> EncodeCp932(std::string_view utf8, std::string* unencodable) {
    if (!HasNonAscii(utf8)) return std::string(utf8);
    Iconv cd("CP932", "UTF-8");
    if (!cd.ok()) return std::nullopt;
    std::string out;
    const bool ok = Convert(cd, utf8, out, [unencodable](char*& in, std::size_t& inLeft) {
        if (unencodable) {
            const std::string_view rest(in, inLeft);
            std::size_t n = 0;
            DecodeAt(rest, 0, &n);
            *unencodable = std::string(rest.substr(0, n));
        }
        return false;
    });
    if (!ok) return std::nullopt;
    return out;
}

}  // namespace kelvora
