#include "base/TextCodec.h"

#include <iconv.h>
#include <uchardet/uchardet.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <memory>

namespace kelmaz {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD
constexpr std::size_t kMaxCharsetNameLength = 64;

// RAII for an iconv descriptor.
class Converter {
  public:
    Converter(const std::string& to, const std::string& from)
        : cd_(iconv_open(to.c_str(), from.c_str())) {}
    ~Converter() {
        if (ok()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return cd_; }

  private:
    iconv_t cd_;
};

std::string_view trimAscii(std::string_view s) {
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

std::string foldName(std::string_view name) {
    std::string folded;
    for (char c : name) {
        if (c == '-' || c == '_' || c == ' ') continue;
        folded += static_cast<char>((c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c);
    }
    return folded;
}

bool isShiftJisAlias(std::string_view name) {
    static constexpr std::array<std::string_view, 9> aliases = {
        "shiftjis", "sjis",  "mskanji",    "windows31j", "cp932",
        "ms932",    "xsjis", "csshiftjis", "ibm943"};
    const std::string folded = foldName(name);
    return std::find(aliases.begin(), aliases.end(), folded) != aliases.end();
}

// Length of the well-formed UTF-8 sequence at p (1..4), or 0 when the bytes there are not one.
std::size_t utf8SequenceLength(std::string_view s, std::size_t p) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char b0 = byte(p);
    if (b0 < 0x80) return 1;
    std::size_t len = 0;
    unsigned char lo = 0x80, hi = 0xBF;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        len = 2;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        len = 3;
        if (b0 == 0xE0) lo = 0xA0;
        if (b0 == 0xED) hi = 0x9F;  // no surrogates
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        len = 4;
        if (b0 == 0xF0) lo = 0x90;
        if (b0 == 0xF4) hi = 0x8F;
    } else {
        return 0;
    }
    if (p + len > s.size()) return 0;
    if (byte(p + 1) < lo || byte(p + 1) > hi) return 0;
    for (std::size_t i = 2; i < len; ++i) {
        if (byte(p + i) < 0x80 || byte(p + i) > 0xBF) return 0;
    }
    return len;
}

// Runs iconv over the whole input. With `replace`, an input byte that cannot be converted
// becomes U+FFFD and conversion goes on; without it, such a byte fails the conversion.
std::optional<std::string> convert(std::string_view input, const std::string& to,
                                   const std::string& from, bool replace) {
    Converter conv(to, from);
    if (!conv.ok()) return std::nullopt;
    std::string out;
    out.resize(input.size() * 3 + 16);
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    std::size_t used = 0;
    auto step = [&](char** src, std::size_t* srcLeft) {
        char* dst = out.data() + used;
        std::size_t dstLeft = out.size() - used;
        const std::size_t rc = iconv(conv.get(), src, srcLeft, &dst, &dstLeft);
        used = out.size() - dstLeft;
        return rc;
    };
    while (inLeft > 0) {
        if (step(&in, &inLeft) != static_cast<std::size_t>(-1)) continue;
        if (errno == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        if (!replace) return std::nullopt;
        // EILSEQ or EINVAL (a sequence cut short by the end): this byte stays visible.
        if (out.size() - used < kReplacement.size()) out.resize(out.size() * 2);
        out.replace(used, kReplacement.size(), kReplacement);
        used += kReplacement.size();
        ++in;
        --inLeft;
    }
    // Flush the shift state of stateful charsets (ISO-2022-JP and the like).
    for (;;) {
        if (step(nullptr, nullptr) != static_cast<std::size_t>(-1)) break;
        if (errno != E2BIG) break;
        out.resize(out.size() * 2);
    }
    out.resize(used);
    return out;
}

// The charset uchardet finds for bytes, as iconv names it; empty when it finds none.
std::string detectedCharset(std::string_view bytes) {
    const std::unique_ptr<uchardet, decltype(&uchardet_delete)> detector(uchardet_new(),
                                                                         &uchardet_delete);
    if (!detector || uchardet_handle_data(detector.get(), bytes.data(), bytes.size()) != 0)
        return {};
    uchardet_data_end(detector.get());
    const char* name = uchardet_get_charset(detector.get());
    return name && charsetKnown(name) ? iconvCharsetName(name) : std::string();
}

std::string stripByteOrderMark(std::string text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.erase(0, 3);
    return text;
}

}  // namespace

bool holdsReplacementCharacter(std::string_view utf8) {
    return utf8.find(kReplacement) != std::string_view::npos;
}

bool isValidUtf8(std::string_view bytes) {
    for (std::size_t p = 0; p < bytes.size();) {
        const std::size_t len = utf8SequenceLength(bytes, p);
        if (len == 0) return false;
        p += len;
    }
    return true;
}

std::string sanitizeUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t p = 0; p < bytes.size();) {
        const std::size_t len = utf8SequenceLength(bytes, p);
        if (len == 0) {
            out += kReplacement;
            ++p;
        } else {
            out.append(bytes.substr(p, len));
            p += len;
        }
    }
    return out;
}

std::string iconvCharsetName(std::string_view name) {
    const std::string_view trimmed = trimAscii(name);
    if (trimmed.empty()) return {};
    if (isShiftJisAlias(trimmed)) return "CP932";
    return std::string(trimmed);
}

bool charsetKnown(std::string_view name) {
    const std::string iconvName = iconvCharsetName(name);
    if (iconvName.empty() || iconvName.size() > kMaxCharsetNameLength) return false;
    if (iconvName.find('/') != std::string::npos) return false;  // no iconv suffixes
    Converter probe("UTF-8", iconvName);
    return probe.ok();
}

std::string findCharsetProperty(std::string_view bytes) {
    for (std::size_t p = bytes.find("CA["); p != std::string_view::npos;
         p = bytes.find("CA[", p + 1)) {
        if (p > 0) {
            const char before = bytes[p - 1];
            const bool letter =
                (before >= 'A' && before <= 'Z') || (before >= 'a' && before <= 'z');
            if (letter) continue;  // part of a longer property name
        }
        const std::size_t start = p + 3;
        const std::size_t end = bytes.find(']', start);
        if (end == std::string_view::npos) return {};
        if (end - start > kMaxCharsetNameLength) continue;
        return std::string(trimAscii(bytes.substr(start, end - start)));
    }
    return {};
}

std::string decodeWithCharset(std::string_view bytes, std::string_view charset) {
    const std::string name = iconvCharsetName(charset);
    const std::string folded = foldName(name);
    if (folded == "utf8" || name.empty()) return sanitizeUtf8(bytes);
    if (auto text = convert(bytes, "UTF-8", name, true)) return std::move(*text);
    return sanitizeUtf8(bytes);
}

DecodedText decodeRecordBytes(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        return {sanitizeUtf8(bytes.substr(3)), "UTF-8"};
    }
    if (bytes.starts_with("\xFF\xFE")) {
        return {stripByteOrderMark(decodeWithCharset(bytes.substr(2), "UTF-16LE")), "UTF-16LE"};
    }
    if (bytes.starts_with("\xFE\xFF")) {
        return {stripByteOrderMark(decodeWithCharset(bytes.substr(2), "UTF-16BE")), "UTF-16BE"};
    }
    const std::string declared = findCharsetProperty(bytes);
    if (charsetKnown(declared)) {
        const std::string name = iconvCharsetName(declared);
        return {decodeWithCharset(bytes, name), name};
    }
    if (isValidUtf8(bytes)) return {std::string(bytes), "UTF-8"};
    if (auto text = convert(bytes, "UTF-8", "CP932", false)) return {std::move(*text), "CP932"};
    // Not the Japanese code page either (a Chinese, Korean or Western file): the charset the
    // detector names, else CP932, with what it cannot decode replaced.
    std::string detected = detectedCharset(bytes);
    if (detected.empty()) detected = "CP932";
    return {decodeWithCharset(bytes, detected), detected};
}

std::optional<std::string> encodeForCharset(std::string_view utf8, std::string_view charset) {
    if (!charsetKnown(charset)) return std::nullopt;
    const std::string name = iconvCharsetName(charset);
    if (foldName(name) == "utf8") {
        if (!isValidUtf8(utf8)) return std::nullopt;
        return std::string(utf8);
    }
    return convert(utf8, name, "UTF-8", false);
}

std::optional<std::string> encodeForDeclaredCharset(std::string_view utf8,
                                                    std::string_view declared) {
    constexpr std::string_view probe = "(;CA[\\]) \r\n";
    if (encodeForCharset(probe, declared) != std::optional<std::string>(probe)) return std::nullopt;
    return encodeForCharset(utf8, declared);
}

bool takeLineBreak(std::string_view text, std::size_t& i) {
    if (text[i] != '\r' && text[i] != '\n') return false;
    const char pair = text[i] == '\r' ? '\n' : '\r';
    if (i + 1 < text.size() && text[i + 1] == pair) ++i;
    return true;
}

void appendWithCrLfBreaks(std::string& out, std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (takeLineBreak(text, i)) {
            out += "\r\n";
        } else {
            out += text[i];
        }
    }
}

std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t p = 0; p < text.size(); ++p) {
        const std::size_t lineEnd = p;
        if (!takeLineBreak(text, p)) continue;
        lines.emplace_back(text.substr(start, lineEnd - start));
        start = p + 1;
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

std::string decodeLineByLine(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF"))
        return decodeRecordBytes(bytes).text;
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    std::string text;
    for (const std::string& line : splitLines(bytes)) {
        text += isValidUtf8(line) ? line : decodeWithCharset(line, "CP932");
        text += '\n';
    }
    return text;
}

}  // namespace kelmaz
