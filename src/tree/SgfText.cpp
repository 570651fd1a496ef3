#include "tree/SgfText.h"

#include <vector>

#include "tree/SgfLex.h"

namespace kelmaz {

namespace {

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool isPoint(std::string_view v) { return v.size() == 2 && isLetter(v[0]) && isLetter(v[1]); }

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

void appendToken(char colour, char col, char row, std::string& out) {
    out += colour;
    out += '[';
    out += col;
    out += row;
    out += ']';
}

// Walks s until stopAtClose meets a ")" outside a value, collecting stone tokens.
std::string collectMoves(std::string_view s, bool stopAtClose) {
    std::string out;
    bool stopped = false;
    sgfscan::walk(
        s,
        [&](const sgfscan::ValueRef& v) {
            if (stopped || !sgfscan::isStoneProperty(v.name)) return;
            if (sgfscan::isMoveProperty(v.name) && !v.firstOfProperty) return;
            appendStoneTokens(v.name, sgfscan::rawValue(s, v), out);
        },
        [&](std::size_t, char c) {
            if (c == ')' && stopAtClose) stopped = true;
        });
    return out;
}

}  // namespace

std::string CutYobunData(std::string_view s) {
    const auto cls = sgfscan::classify(s);
    std::size_t start = s.size();
    for (std::size_t i = 0; i + 1 < s.size(); ++i) {
        if (s[i] == '(' && s[i + 1] == ';' && cls[i] == sgfscan::CharClass::Outside) {
            start = i;
            break;
        }
    }
    std::string result;
    std::size_t pendingFrom = start;
    for (std::size_t i = start; i < s.size(); ++i) {
        if (s[i] == ')' && cls[i] == sgfscan::CharClass::Outside) {
            result.append(s.substr(pendingFrom, i + 1 - pendingFrom));
            pendingFrom = i + 1;
        }
    }
    return result;
}

std::vector<int> shownNodeNumbers(std::string_view s) {
    std::vector<int> numbers;
    int node = 0;
    sgfscan::walk(
        s,
        [&](const sgfscan::ValueRef& v) {
            const bool shown = sgfscan::isStoneProperty(v.name) || (node == 1 && v.name == "C");
            if (node > 0 && shown && (numbers.empty() || numbers.back() != node))
                numbers.push_back(node);
        },
        [&](std::size_t, char c) { node += c == ';'; });
    return numbers;
}

std::string Stripdata(std::string_view s) {
    const std::string t = CutYobunData(s);
    // Structural characters in order, and for every ";" whether its node is kept.
    std::vector<std::size_t> pos;
    std::vector<char> ch;
    std::vector<bool> stone;
    const std::vector<int> shown = shownNodeNumbers(t);
    std::size_t nextShown = 0;
    int node = 0;
    sgfscan::walk(
        t, [](const sgfscan::ValueRef&) {},
        [&](std::size_t p, char c) {
            pos.push_back(p);
            ch.push_back(c);
            const bool kept = c == ';' && nextShown < shown.size() && shown[nextShown] == ++node;
            if (kept) ++nextShown;
            stone.push_back(kept);
        });

    std::string out;
    struct Group {
        std::size_t at;
        bool hasNode;
    };
    std::vector<Group> open;
    for (std::size_t k = 0; k < pos.size(); ++k) {
        const std::size_t end = k + 1 < pos.size() ? pos[k + 1] : t.size();
        const std::string_view piece(t.data() + pos[k], end - pos[k]);
        if (ch[k] == ';') {
            if (!stone[k]) continue;
            if (!open.empty()) open.back().hasNode = true;
            out.append(piece);
        } else if (ch[k] == '(') {
            open.push_back({out.size(), false});
            out.append(piece);
        } else if (!open.empty()) {
            const Group g = open.back();
            open.pop_back();
            if (!g.hasNode) {
                out.resize(g.at);
                continue;
            }
            if (!open.empty()) open.back().hasNode = true;
            out.append(piece);
        } else {
            out.append(piece);
        }
    }
    return out;
}

std::string Checkg(std::string_view raw) {
    const std::string_view s = sgfscan::trim(raw);
    if (s.empty()) return {};
    if (s[0] == '[') return "構文エラー 最初に[が有ります";
    bool inValue = false;
    std::size_t openPos = 0;
    // Whether a "[" met outside a value here would open a value of a property: it must follow
    // the property's letters or another value of the list, blanks between them aside.
    bool canOpen = isLetter(s[0]);
    std::string skeleton(1, s[0]);
    for (std::size_t i = 1; i < s.size(); ++i) {
        const char c = s[i];
        if (inValue) {
            // Inside a value only an unescaped "]" means anything; "[" is an ordinary character.
            if (c == '\\') {
                ++i;
            } else if (c == ']') {
                inValue = false;
                canOpen = true;
            }
            continue;
        }
        if (c == '[') {
            if (!canOpen)
                return std::string(s.substr(openPos, i - openPos + 1)) + "\r\n[が連続しています。";
            inValue = true;
            openPos = i;
        } else if (c == ']') {
            return std::string(s.substr(openPos, i - openPos + 1)) +
                   "\r\n   　] 　が連続しています。";
        } else if (isLetter(c)) {
            canOpen = true;
        } else if (!sgfscan::isBlank(c)) {
            canOpen = false;
            if (c == '(' || c == ')' || c == ';') skeleton.push_back(c);
        }
    }
    long depth = 0;
    for (char c : skeleton) depth += (c == '(') - (c == ')');
    if (depth > 0) return "(　の数が　）の数より多い。";
    if (depth < 0) return "(　の数が　）の数より少ない。";
    bool runHasNode = true;
    bool emptyGroup = false;
    for (char c : skeleton) {
        if (c == '(') {
            runHasNode = false;
        } else if (c == ';') {
            runHasNode = true;
        } else if (c == ')' && !runHasNode) {
            emptyGroup = true;
        }
    }
    return emptyGroup ? "ノードが有りません。" : "";
}

void appendStoneTokens(std::string_view name, std::string_view rawValue, std::string& out) {
    const char colour = name.back();  // B, W, AB, AW
    if (sgfscan::isMoveProperty(name)) {
        if (isPoint(rawValue))
            appendToken(colour, rawValue[0], rawValue[1], out);
        else
            appendToken(colour, 't', 't', out);
        return;
    }
    if (isPoint(rawValue)) {
        appendToken(colour, rawValue[0], rawValue[1], out);
        return;
    }
    if (rawValue.size() == 5 && rawValue[2] == ':' && isPoint(rawValue.substr(0, 2)) &&
        isPoint(rawValue.substr(3, 2))) {
        char c1 = lower(rawValue[0]), r1 = lower(rawValue[1]);
        char c2 = lower(rawValue[3]), r2 = lower(rawValue[4]);
        if (c1 > c2) std::swap(c1, c2);
        if (r1 > r2) std::swap(r1, r2);
        for (char r = r1; r <= r2; ++r)
            for (char c = c1; c <= c2; ++c) appendToken(colour, c, r, out);
    }
}

std::string GetMainpath(std::string_view s3) { return collectMoves(s3, true); }

std::string MovesOf(std::string_view s) { return collectMoves(s, false); }

}  // namespace kelmaz
