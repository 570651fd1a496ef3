#include "tree/SgfLex.h"

namespace kelmaz::sgfscan {

std::vector<CharClass> classify(std::string_view text) {
    std::vector<CharClass> out(text.size(), CharClass::Outside);
    bool inside = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (!inside) {
            if (c == '[') {
                out[i] = CharClass::Open;
                inside = true;
            }
        } else if (c == '\\') {
            out[i] = CharClass::Inside;
            if (i + 1 < text.size()) out[++i] = CharClass::Inside;
        } else if (c == ']') {
            out[i] = CharClass::Close;
            inside = false;
        } else {
            out[i] = CharClass::Inside;
        }
    }
    return out;
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view trim(std::string_view s) {
    std::size_t b = 0, e = s.size();
    while (b < e && isBlank(s[b])) ++b;
    while (e > b && isBlank(s[e - 1])) --e;
    return s.substr(b, e - b);
}

std::string canonicalName(std::string_view ident) {
    std::string upper;
    for (char c : ident)
        if (c >= 'A' && c <= 'Z') upper.push_back(c);
    if (!upper.empty()) return upper;
    for (char c : ident) upper.push_back(static_cast<char>(c - 'a' + 'A'));
    return upper;
}

std::string_view rawValue(std::string_view text, const ValueRef& v) {
    return text.substr(v.open + 1, v.close - v.open - 1);
}

bool isMoveProperty(std::string_view canonical) { return canonical == "B" || canonical == "W"; }

bool isStoneProperty(std::string_view canonical) {
    return isMoveProperty(canonical) || canonical == "AB" || canonical == "AW";
}

}  // namespace kelmaz::sgfscan
