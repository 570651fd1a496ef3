#include "browser/PageCharset.h"

#include <algorithm>
#include <cctype>

namespace kelmaz {
namespace {

// How far into a page a meta tag is looked for; old pages put long scripts before it.
constexpr std::size_t kMetaScanBytes = 64 * 1024;

char lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

std::size_t findNoCase(std::string_view text, std::string_view word, std::size_t from) {
    const auto it =
        std::search(text.begin() + std::min(from, text.size()), text.end(), word.begin(),
                    word.end(), [](char a, char b) { return lower(a) == lower(b); });
    return it == text.end() ? std::string_view::npos : static_cast<std::size_t>(it - text.begin());
}

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }

bool isCharsetChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' || c == '.' ||
           c == ':';
}

// The value after the first "charset" followed by "=" in the text, without quotes.
std::string charsetParameter(std::string_view text) {
    for (std::size_t at = findNoCase(text, "charset", 0); at != std::string_view::npos;
         at = findNoCase(text, "charset", at + 1)) {
        std::size_t i = at + 7;
        while (i < text.size() && isSpace(text[i])) ++i;
        if (i >= text.size() || text[i] != '=') continue;
        ++i;
        while (i < text.size() && (isSpace(text[i]) || text[i] == '"' || text[i] == '\'')) ++i;
        const std::size_t start = i;
        while (i < text.size() && isCharsetChar(text[i])) ++i;
        if (i > start) return std::string(text.substr(start, i - start));
    }
    return {};
}

}  // namespace

std::string declaredPageCharset(std::string_view contentType, std::string_view pageBytes) {
    if (std::string fromHeader = charsetParameter(contentType); !fromHeader.empty()) {
        return fromHeader;
    }
    const std::string_view head = pageBytes.substr(0, kMetaScanBytes);
    for (std::size_t tag = findNoCase(head, "<meta", 0); tag != std::string_view::npos;
         tag = findNoCase(head, "<meta", tag + 5)) {
        const std::size_t end = head.find('>', tag);
        std::string found = charsetParameter(
            head.substr(tag, end == std::string_view::npos ? std::string_view::npos : end - tag));
        if (!found.empty()) return found;
    }
    return {};
}

}  // namespace kelmaz
