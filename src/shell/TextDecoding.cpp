#include "shell/TextDecoding.h"

#include <iconv.h>

#include <cerrno>

namespace kelmaz {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// Length of a UTF-8 sequence starting at bytes[i], or 0 when it is not well formed.
std::size_t utf8SequenceLength(std::string_view bytes, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (i + length > bytes.size()) return 0;
    if (byte(i + 1) < low || byte(i + 1) > high) return 0;
    for (std::size_t k = 2; k < length; ++k) {
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 0;
    }
    return length;
}

}  // namespace

bool isValidUtf8(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = utf8SequenceLength(bytes, i);
        if (length == 0) return false;
        i += length;
    }
    return true;
}

bool convertToUtf8(std::string_view bytes, const char* charset, std::string& out) {
    out.clear();
    iconv_t cd = iconv_open("UTF-8", charset);
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    char buffer[4096];
    auto* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    while (inLeft > 0) {
        char* dst = buffer;
        std::size_t dstLeft = sizeof buffer;
        const std::size_t rc = iconv(cd, &in, &inLeft, &dst, &dstLeft);
        out.append(buffer, dst);
        if (rc != static_cast<std::size_t>(-1)) continue;
        if (errno == E2BIG) continue;
        // An invalid or truncated sequence: show one replacement character and go on with the
        // next byte, so that the rest of the text survives.
        out.append(kReplacement);
        ++in;
        --inLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    char* dst = buffer;
    std::size_t dstLeft = sizeof buffer;
    iconv(cd, nullptr, nullptr, &dst, &dstLeft);
    out.append(buffer, dst);
    iconv_close(cd);
    return true;
}

std::string decodeTextFile(std::string_view bytes) {
    std::string out;
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        bytes.remove_prefix(3);
        if (isValidUtf8(bytes)) return std::string(bytes);
        convertToUtf8(bytes, "UTF-8", out);
        return out;
    }
    if (bytes.starts_with("\xFF\xFE")) {
        convertToUtf8(bytes.substr(2), "UTF-16LE", out);
        return out;
    }
    if (bytes.starts_with("\xFE\xFF")) {
        convertToUtf8(bytes.substr(2), "UTF-16BE", out);
        return out;
    }
    if (isValidUtf8(bytes)) return std::string(bytes);
    convertToUtf8(bytes, "CP932", out);
    return out;
}

}  // namespace kelmaz
