#pragma once
// A small SGF reader of its own, written apart from the program's, for checking what the
// program writes: each game as its nodes in file order, each node with its depth on the line
// and its properties (upper-case identifier, unescaped values) in order. Two texts that give
// equal lists hold the same games, nodes, variations, properties and values.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kelmaz::test {

struct SgfNodeProperties {
    int depth = 0;  // 1 for a game's root
    std::vector<std::pair<std::string, std::vector<std::string>>> properties;
    bool operator==(const SgfNodeProperties&) const = default;
};

using SgfGameProperties = std::vector<SgfNodeProperties>;

// The upper-case letters of an identifier ("AddBlack" is AB); one in lower case only is
// upper-cased ("c" is C).
inline std::string identifier(std::string_view letters) {
    std::string upper;
    for (char c : letters)
        if (c >= 'A' && c <= 'Z') upper.push_back(c);
    if (upper.empty())
        for (char c : letters) upper.push_back(static_cast<char>(c - 'a' + 'A'));
    return upper;
}

inline std::vector<SgfGameProperties> readSgfProperties(std::string_view text) {
    std::vector<SgfGameProperties> games;
    std::vector<int> depthAtOpen;  // the line depth where each open "(" began
    int depth = 0;
    std::string ident;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '(') {
            if (depthAtOpen.empty()) {
                games.emplace_back();
                depth = 0;
            }
            depthAtOpen.push_back(depth);
        } else if (c == ')' && !depthAtOpen.empty()) {
            depth = depthAtOpen.back();
            depthAtOpen.pop_back();
        } else if (c == ';' && !depthAtOpen.empty()) {
            games.back().push_back({++depth, {}});
            ident.clear();
        } else if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) {
            ident.push_back(c);
        } else if (c == '[') {
            std::string value;
            for (++i; i < text.size() && text[i] != ']'; ++i) {
                if (text[i] == '\\' && i + 1 < text.size()) ++i;
                value.push_back(text[i]);
            }
            if (!depthAtOpen.empty() && !games.back().empty()) {
                auto& props = games.back().back().properties;
                if (!ident.empty() || props.empty()) props.push_back({identifier(ident), {}});
                props.back().second.push_back(std::move(value));
            }
            ident.clear();
        }
        ++i;
    }
    return games;
}

}  // namespace kelmaz::test
