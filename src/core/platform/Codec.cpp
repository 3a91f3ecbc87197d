#include "platform/Codec.h"

#include <iconv.h>

#include <cerrno>
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

bool HasNonAscii(std::string_view s) {
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80) return true;
    return false;
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

}  // namespace

std::string DecodeCp932(std::string_view bytes) {
    if (!HasNonAscii(bytes)) return std::string(bytes);
    Iconv cd("UTF-8", "CP932");
    if (!cd.ok()) return std::string(bytes);
    std::string out;
    out.reserve(bytes.size() * 3 / 2 + 16);
    Convert(cd, bytes, out, [&out](char*& in, std::size_t& inLeft) {
        // An invalid byte, or a lead byte cut off at the end: show it as
        // U+FFFD and go on with the next byte.
        AppendUtf8(out, 0xFFFD);
        ++in;
        --inLeft;
        return true;
    });
    return out;
}

std::string DecodeFileText(std::string_view bytes) {
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
