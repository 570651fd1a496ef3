#include "tree/TreeFile.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>
#include <vector>

#include "base/AtomicFile.h"
#include "base/SgfEscape.h"
#include "base/TextCodec.h"
#include "records/GameInfoRules.h"
#include "records/RecordFile.h"
#include "records/SgfWriter.h"
#include "tree/SgfLex.h"
#include "tree/SgfReader.h"
#include "tree/SgfText.h"
#include "tree/TreeEdit.h"
#include "tree/TreeModel.h"

namespace kelmaz {

namespace {

constexpr std::string_view kUtf8 = "UTF-8";

struct FirstNode {
    std::size_t groupOpen = std::string::npos;  // the "(" before the first node, if any
    std::size_t from = std::string::npos, to = std::string::npos;
    bool hasGameInfo = false;
    std::optional<std::pair<std::size_t, std::size_t>> charset;  // raw CA value span
};

FirstNode firstNode(std::string_view text) {
    FirstNode n;
    bool inFirst = false, done = false;
    sgfscan::walk(
        text,
        [&](const sgfscan::ValueRef& v) {
            if (!inFirst || !v.firstOfProperty) return;
            if (std::find(GameInfoNames.begin(), GameInfoNames.end(), v.name) !=
                    GameInfoNames.end() ||
                isAlternativeInfoName(v.name))
                n.hasGameInfo = true;
            if (v.name == "CA" && !n.charset) n.charset = {{v.open + 1, v.close}};
        },
        [&](std::size_t p, char c) {
            if (done) return;
            if (inFirst) {
                n.to = p;
                done = true;
                return;
            }
            if (c == ';') {
                n.from = p;
                inFirst = true;
            } else if (c == '(' && n.groupOpen == std::string::npos) {
                n.groupOpen = p;
            }
        });
    if (inFirst && !done) n.to = text.size();
    return n;
}

// The game information as a root node, written as the record writer writes it.
std::string gameInfoNode(const GameState& state, std::string_view charset) {
    GameState infoOnly;
    infoOnly.Info = state.Info;
    infoOnly.Info[InfoField::AP] = std::string(kApplicationName);
    const std::vector<std::string> lines = sgfRecordLines(infoOnly, charset);
    std::string node = ";";
    for (std::size_t i = 1; i + 1 < lines.size(); ++i) node += lines[i];
    return node;
}

// A value as the game information takes it from the property outline: without backslashes and
// line breaks.
std::string asDatasetReads(std::string_view raw) {
    std::string out;
    for (char c : raw)
        if (c != '\\' && c != '\r' && c != '\n') out += c;
    return out;
}

// A node's text with each game-information property (but CA, which follows the file's
// charset) set to the field's text where the two differ: replaced in place, added at the end
// of the node, or removed for an emptied field. Every other property stays as it was written;
// a field that only shows what a property of another name gave it (EV from TE) is not added.
std::string withGameInfo(std::string_view node, const GameInfo& info) {
    struct Span {
        int field = -1;  // the game-information field, -1 for another property
        std::size_t begin = 0, end = 0;
        std::string value;  // first value, as the game information reads it
    };
    std::vector<Span> spans;
    std::array<std::optional<std::string>, kGameInfoFields> given;  // by TE, RD or KO
    sgfscan::walk(
        node,
        [&](const sgfscan::ValueRef& v) {
            const std::size_t end = std::min(v.close + 1, node.size());
            if (!v.firstOfProperty && !spans.empty()) {
                spans.back().end = end;
                return;
            }
            for (const AlternativeInfo& alternative : kAlternativeInfo) {
                std::optional<std::string>& field = given[int(alternative.field)];
                if (v.name == alternative.name && !field)
                    field = alternativeInfoText(alternative,
                                                asDatasetReads(sgfscan::rawValue(node, v)));
            }
            std::size_t begin = v.open;
            while (begin > 0 && std::isalpha(static_cast<unsigned char>(node[begin - 1]))) --begin;
            const auto at = std::find(GameInfoNames.begin(), GameInfoNames.end(), v.name);
            const int field = at == GameInfoNames.end() ? -1 : int(at - GameInfoNames.begin());
            spans.push_back({field, begin, end, asDatasetReads(sgfscan::rawValue(node, v))});
        },
        [](std::size_t, char) {});
    const auto wanted = [&info](int field) {
        return field >= 0 && field != int(InfoField::CA) ? std::optional(info.Fields[field])
                                                         : std::nullopt;
    };
    const auto property = [](int field, const std::string& value) {
        return value.empty()
                   ? std::string()
                   : std::string(GameInfoNames[field]) + "[" + escapeSgfValue(value) + "]";
    };
    std::array<bool, kGameInfoFields> present{};
    std::string out;
    std::size_t pos = 0;
    for (const Span& span : spans) {
        out += node.substr(pos, span.begin - pos);
        pos = span.end;
        const auto field = wanted(span.field);
        if (!field || (!present[span.field] && *field == span.value)) {
            out += node.substr(span.begin, span.end - span.begin);
        } else if (!present[span.field]) {
            out += property(span.field, *field);
        }
        if (span.field >= 0) present[span.field] = true;
    }
    out += node.substr(pos);
    for (int f = 0; f < kGameInfoFields; ++f)
        if (!present[f] && wanted(f) && given[f] != wanted(f)) out += property(f, *wanted(f));
    return out;
}

// One node per line, every line ended by CR LF (line breaks inside values too).
std::string nodeLines(std::string_view text) {
    const auto cls = sgfscan::classify(text);
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == ';' && cls[i] == sgfscan::CharClass::Outside && i > 0) out += "\r\n";
        if (takeLineBreak(text, i)) {
            out += "\r\n";
        } else {
            out += c;
        }
    }
    out += "\r\n";
    return out;
}

// A group that opens without a node of its own ("((" or "()"), which the tree reader passes
// over.
bool hasGroupWithoutNode(std::string_view text) {
    bool found = false;
    char previous = 0;
    sgfscan::walk(
        text, [](const sgfscan::ValueRef&) {},
        [&](std::size_t, char c) {
            if (previous == '(' && c != ';') found = true;
            previous = c;
        });
    return found;
}

// The text as the tree reader understood it: a well-formed text as it stands, byte for byte;
// one with groups that hold no node rebuilt from the reader's table, so that broken nesting
// is not written back.
std::string understoodTree(const std::string& text) {
    if (!hasGroupWithoutNode(text)) return text;
    TreeModel model;
    model.parse(text);
    return RebuildSgfText(model).value_or(text);
}

}  // namespace

std::string treeTextForFile(const GameState& state, std::string_view charset) {
    std::string text = understoodTree(state.SgfText);
    const FirstNode n = firstNode(text);
    if (!n.hasGameInfo) {
        const std::size_t at = (n.groupOpen != std::string::npos &&
                                (n.from == std::string::npos || n.groupOpen < n.from))
                                   ? n.groupOpen + 1
                                   : 0;
        text.insert(at, gameInfoNode(state, charset));
        return text;
    }
    // The game information as the dialog holds it, edits included.
    text.replace(n.from, n.to - n.from,
                 withGameInfo(std::string_view(text).substr(n.from, n.to - n.from), state.Info));
    const FirstNode edited = firstNode(text);
    const std::string value = escapeSgfValue(charset);
    if (const auto& span = edited.charset) {
        text.replace(span->first, span->second - span->first, value);
    } else {
        text.insert(edited.to, "CA[" + value + "]");
    }
    return text;
}

namespace {

// The charset the tree's file declares: the CA of the tree's first node when that node holds
// game information, else the CA field.
std::string declaredTreeCharset(const GameState& state) {
    const FirstNode n = firstNode(state.SgfText);
    if (!n.hasGameInfo) return state.Info[InfoField::CA];
    if (!n.charset) return {};
    return unescapeSgfValue(std::string_view(state.SgfText)
                                .substr(n.charset->first, n.charset->second - n.charset->first));
}

}  // namespace

std::string treeFileBytes(const GameState& state) {
    const std::string declared = declaredTreeCharset(state);
    if (!sgfscan::trim(declared).empty()) {
        if (auto bytes =
                encodeForDeclaredCharset(nodeLines(treeTextForFile(state, declared)), declared))
            return std::move(*bytes);
    }
    return nodeLines(treeTextForFile(state, kUtf8));
}

bool WriteSgfdata(const GameState& state, const std::string& path) {
    return writeFileAtomically(path, treeFileBytes(state));
}

bool recordHoldsUndecodedText(const GameState& state, std::string_view commentary) {
    const auto undecoded = [](std::string_view text) { return holdsReplacementCharacter(text); };
    if (std::any_of(state.Info.Fields.begin(), state.Info.Fields.end(), undecoded)) return true;
    if (!state.SgfText.empty()) return undecoded(state.SgfText);
    if (undecoded(commentary) ||
        std::any_of(state.MoveComment.begin(), state.MoveComment.end(), undecoded))
        return true;
    return std::any_of(state.MoveMarkup.begin(), state.MoveMarkup.end(), [&](const Markup& m) {
        return std::any_of(m.begin(), m.end(),
                           [&](const MarkView& v) { return undecoded(v.text); });
    });
}

bool writeRecordFile(GameState& state, const std::string& commentary, const std::string& path) {
    if (!state.SgfText.empty()) return WriteSgfdata(state, path);
    return WriteSgfFile(state, commentary, path);
}

std::optional<std::string> treeTextOfFile(const std::string& path) {
    GameState file;
    if (!loadRecordFile(path, file)) return std::nullopt;
    joinSplitOpenings(file.LstRead);
    return CutYobunData(joinSgfLines(file.LstRead));
}

}  // namespace kelmaz
