#include "net/WireText.h"

#include "base/TextCodec.h"

namespace kelmaz {
namespace {

constexpr std::string_view kWireCharset = "CP932";

// Length of the UTF-8 sequence that begins with `lead` (1 for a stray byte).
std::size_t utf8Length(unsigned char lead) {
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    if (lead >= 0xC0) return 2;
    return 1;
}

}  // namespace

std::string toWire(std::string_view utf8) {
    if (auto whole = encodeForCharset(utf8, kWireCharset)) return *whole;
    // Some character has no CP932 form: convert character by character so that only that
    // one becomes "?".
    std::string out;
    for (std::size_t pos = 0; pos < utf8.size();) {
        std::size_t length = utf8Length(static_cast<unsigned char>(utf8[pos]));
        auto one = encodeForCharset(utf8.substr(pos, length), kWireCharset);
        out += one ? *one : "?";
        pos += length;
    }
    return out;
}

std::string fromWire(std::string_view cp932) { return decodeWithCharset(cp932, kWireCharset); }

}  // namespace kelmaz
