#include "net/WireText.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>

namespace kelmaz {
namespace {

// Length of the UTF-8 sequence that begins with `lead` (1 for a stray byte).
std::size_t utf8Length(unsigned char lead) {
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    if (lead >= 0xC0) return 2;
    return 1;
}

// Runs iconv over the whole input. A sequence it cannot convert, or a truncated one at the
// end, is stepped over (one character of UTF-8 input, one byte of CP932 input) and replaced.
std::string convert(std::string_view input, const char* to, const char* from,
                    std::string_view replacement, bool utf8Input) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(input);
    std::string out;
    out.reserve(input.size() * 3 / 2 + 8);
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    char buffer[1024];
    while (inLeft > 0) {
        char* dst = buffer;
        std::size_t dstLeft = sizeof buffer;
        std::size_t rc = iconv(cd, &in, &inLeft, &dst, &dstLeft);
        out.append(buffer, dst - buffer);
        if (rc != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
        out.append(replacement);
        std::size_t step = utf8Input ? utf8Length(static_cast<unsigned char>(*in)) : 1;
        step = std::min(step, inLeft);
        in += step;
        inLeft -= step;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);  // back to the initial shift state
    }
    iconv_close(cd);
    return out;
}

}  // namespace

std::string toWire(std::string_view utf8) { return convert(utf8, "CP932", "UTF-8", "?", true); }

std::string fromWire(std::string_view cp932) {
    return convert(cp932, "UTF-8", "CP932", "\xEF\xBF\xBD", false);
}

}  // namespace kelmaz
