#pragma once
// Character-level reading of SGF text shared by every scan of the tree model. A value runs
// from a "[" outside a value to the next "]" that is not escaped; inside it a "\" takes the
// character after it into the value, and no character has structural meaning. Every scan is
// one pass over the text.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kelmaz::sgfscan {

enum class CharClass : std::uint8_t {
    Outside,  // structure: ";", "(", ")", property names, blanks between them
    Open,     // the "[" that opens a value
    Inside,   // a character of a value, escapes included
    Close,    // the "]" that closes a value
};

// The class of every character of text.
std::vector<CharClass> classify(std::string_view text);

// One property value met by forEachValue.
struct ValueRef {
    std::string_view name;        // canonical property name ("AB" for "AB" or "AddBlack")
    std::size_t open = 0;         // position of "["
    std::size_t close = 0;        // position of "]" (text.size() when the value is not closed)
    bool firstOfProperty = true;  // false for the second and later values of a list
};

// Blanks are spaces, tabs, CR and LF.
bool isBlank(char c);
std::string_view trim(std::string_view s);

// The canonical name of a property identifier: its upper-case letters when it has any
// ("AddBlack" is AB), else the identifier upper-cased ("c" is C).
std::string canonicalName(std::string_view ident);

// Walks text once: onStructure(pos, ch) for every ";", "(" and ")" outside a value, and
// onValue(const ValueRef&) for every value (the name is valid during the call only).
template <typename OnValue, typename OnStructure>
void walk(std::string_view text, OnValue&& onValue, OnStructure&& onStructure) {
    std::string ident;         // letters of the identifier being read
    std::string name;          // canonical name of the property whose values follow
    bool identClosed = false;  // a blank followed the identifier's letters
    bool afterValue = false;   // only blanks since the last value closed
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n) {
        const char c = text[i];
        if (c == '[') {
            ValueRef v;
            if (!ident.empty()) {
                name = canonicalName(ident);
                v.firstOfProperty = true;
            } else if (!afterValue) {
                name.clear();
            } else {
                v.firstOfProperty = false;
            }
            ident.clear();
            identClosed = false;
            v.open = i;
            std::size_t j = i + 1;
            while (j < n && text[j] != ']') j += (text[j] == '\\') ? 2 : 1;
            v.close = j < n ? j : n;
            v.name = name;
            onValue(v);
            afterValue = true;
            i = v.close + 1;
            continue;
        }
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) {
            if (identClosed) ident.clear();
            identClosed = false;
            ident.push_back(c);
            afterValue = false;
        } else if (isBlank(c)) {
            identClosed = !ident.empty();
        } else {
            ident.clear();
            identClosed = false;
            afterValue = false;
            name.clear();
            if (c == ';' || c == '(' || c == ')') onStructure(i, c);
        }
        ++i;
    }
}

// The raw text of a value (escapes kept).
std::string_view rawValue(std::string_view text, const ValueRef& v);

// True for a property that places a stone: a move (B, W) or a setup stone (AB, AW).
bool isStoneProperty(std::string_view canonical);
bool isMoveProperty(std::string_view canonical);

}  // namespace kelmaz::sgfscan
