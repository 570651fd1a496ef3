#include "base/SgfEscape.h"

namespace kelmaz {

std::string escapeSgfValue(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        // "[" needs no escape inside a value, but readers that look for "[" without tracking
        // values would take a bare one for a syntax fault.
        if (c == '\\' || c == ']' || c == '[') out += '\\';
        out += c;
    }
    return out;
}

std::string unescapeSgfValue(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        const char next = value[++i];
        if (next == '\r' || next == '\n') {
            // A soft line break: the escaped line end (CR LF or LF CR counts once) disappears.
            const bool pair = i + 1 < value.size() &&
                              (value[i + 1] == '\r' || value[i + 1] == '\n') &&
                              value[i + 1] != next;
            if (pair) ++i;
            continue;
        }
        out += next;
    }
    return out;
}

}  // namespace kelmaz
