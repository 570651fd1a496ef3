#include "tree/SgfReader.h"

#include <algorithm>
#include <cctype>

#include "tree/SgfLex.h"

namespace kelmaz {

namespace {

std::string padLeft(long v, std::size_t w) {
    std::string s = std::to_string(v);
    return s.size() >= w ? s : std::string(w - s.size(), ' ') + s;
}

}  // namespace

std::string joinSgfLines(const std::vector<std::string>& lines) {
    std::string out, pending;
    bool started = false, inValue = false, escaped = false;
    long opens = 0, closes = 0;
    for (const std::string& line : lines) {
        for (std::size_t i = 0; i < line.size(); ++i) {
            const char c = line[i];
            if (!started) {
                if (c == '(' && i + 1 < line.size() && line[i + 1] == ';') {
                    started = true;
                } else {
                    continue;
                }
            }
            if (inValue) {
                pending.push_back(c);
                if (escaped) {
                    escaped = false;
                } else if (c == '\\') {
                    escaped = true;
                } else if (c == ']') {
                    inValue = false;
                }
                continue;
            }
            if (c == '[') inValue = true;
            if (c == '(') ++opens;
            if (c != ')') {
                pending.push_back(c);
            } else if (opens > closes) {
                ++closes;
                out += pending;
                out.push_back(')');
                pending.clear();
            }
        }
        if (!started) continue;
        if (inValue) {
            // A line break inside a value belongs to it; an escaped one is a soft break.
            if (escaped) {
                pending.pop_back();
                escaped = false;
            } else {
                pending.push_back('\n');
            }
        }
    }
    // A file cut short keeps what it holds: the open value and groups are closed.
    if (opens > closes && pending.find(';') != std::string::npos) {
        if (escaped) pending.pop_back();
        out += pending;
        if (inValue) out.push_back(']');
        out.append(static_cast<std::size_t>(opens - closes), ')');
    }
    return out;
}

std::vector<std::string> propertyOutline(std::string_view text) {
    std::vector<std::string> items;
    const auto cls = sgfscan::classify(text);
    std::size_t i = 0;
    for (; i + 1 < text.size(); ++i)
        if (text[i] == '(' && text[i + 1] == ';' && cls[i] == sgfscan::CharClass::Outside) break;
    i += 2;
    std::string acc;
    long depth = 0;
    long depthBeforeItem = 0;
    long counter = 0;
    auto addSeparator = [&] {
        items.push_back(padLeft(++counter, 3) + "------- " + padLeft(depthBeforeItem, 3));
    };
    addSeparator();
    int opensInItem = 0;
    std::string name;  // letters of the property name in the item
    for (; i < text.size(); ++i) {
        const char c = text[i];
        switch (cls[i]) {
            case sgfscan::CharClass::Inside:
                if (c == '\\' && i + 1 < text.size() && cls[i + 1] == sgfscan::CharClass::Inside) {
                    acc.push_back(text[++i]);
                } else if (c != '\r') {
                    acc.push_back(c);
                }
                break;
            case sgfscan::CharClass::Open:
                acc.push_back(c);
                break;
            case sgfscan::CharClass::Outside:
                if (c == '\r' || c == '\n') break;
                if (c == '(') {
                    ++depth;
                    if (i + 1 < text.size() && text[i + 1] == ';') ++opensInItem;
                    break;
                }
                if (c == ')') {
                    --depth;
                    break;
                }
                if (std::isalpha(static_cast<unsigned char>(c))) name.push_back(c);
                acc.push_back(c);
                break;
            case sgfscan::CharClass::Close: {
                acc.push_back(']');
                std::string item(sgfscan::trim(acc));
                const std::string canon = name.empty() ? "" : sgfscan::canonicalName(name);
                // Moves always read as ";B[..]" / ";W[..]", comments as "C[..]".
                if (sgfscan::isMoveProperty(canon) && item.front() != ';') item.insert(0, ";");
                if (canon == "C" && item.front() == ';') item.erase(0, 1);
                for (int s = 0; s < opensInItem; ++s) addSeparator();
                depthBeforeItem = depth;
                items.push_back(padLeft(depth, 3) + item);
                acc.clear();
                name.clear();
                opensInItem = 0;
                break;
            }
        }
    }
    return items;
}

}  // namespace kelmaz
