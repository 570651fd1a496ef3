#include "records/SgfWriter.h"

#include <algorithm>

#include "base/NumberText.h"
#include "base/SgfEscape.h"
#include "base/TextCodec.h"
#include "records/GameInfoRules.h"

namespace kelmaz {

namespace {

constexpr std::string_view kUtf8 = "UTF-8";
constexpr int kLastSgfLetter = 19;  // "s"

bool hasSgfLetter(int v) { return v >= 1 && v <= kLastSgfLetter; }

bool isBlankText(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; });
}

// Every line end inside an item becomes CR LF, like the ends between items.
void appendWithCrLf(std::string& out, std::string_view item) {
    appendWithCrLfBreaks(out, item);
    out += "\r\n";
}

std::string joinCrLf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) appendWithCrLf(text, line);
    return text;
}

// One line per kind of mark: "LB[dd:A][pp:B]", "TR[cc]"..., every point as the record was
// played (turned back when the board is shown turned).
void appendMarkupLines(const GameState& state, const Markup& marks,
                       std::vector<std::string>& lines) {
    for (int k = 0; k < kMarkKinds; ++k) {
        const auto kind = static_cast<MarkKind>(k);
        std::string line;
        for (const MarkView mark : marks) {
            if (mark.kind != kind) continue;
            std::int16_t col = mark.col, row = mark.row;
            if (state.BoardRotated) turnPoint(state.BoardSize, col, row);
            if (!hasSgfLetter(col) || !hasSgfLetter(row)) continue;
            if (line.empty()) line = markPropertyName(kind);
            line += "[" + sgfPointText(col, row);
            if (kind == MarkKind::Label) line += ":" + escapeSgfValue(mark.text);
            line += "]";
        }
        if (!line.empty()) lines.push_back(std::move(line));
    }
}

}  // namespace

// The stones a slot sets up or empties, as AB, AW and AE of its node: a record rebuilt from
// the move record keeps its setup.
void appendSetupLines(const GameState& state, const std::vector<SetupStone>& stones,
                      std::vector<std::string>& lines) {
    for (const auto& [colour, name] :
         {std::pair{kBlack, "AB"}, std::pair{kWhite, "AW"}, std::pair{kNoColour, "AE"}}) {
        std::string line;
        for (const SetupStone& stone : stones) {
            if (stone.colour != colour) continue;
            std::int16_t col = static_cast<std::int16_t>(stone.col);
            std::int16_t row = static_cast<std::int16_t>(stone.row);
            if (state.BoardRotated) turnPoint(state.BoardSize, col, row);
            if (!hasSgfLetter(col) || !hasSgfLetter(row)) continue;
            line += (line.empty() ? std::string(name) : std::string()) + "[" +
                    sgfPointText(col, row) + "]";
        }
        if (!line.empty()) lines.push_back(std::move(line));
    }
}

std::string defaultRootValue(InfoField field, int boardSize) {
    switch (field) {
        case InfoField::GM:
            return "1";
        case InfoField::FF:
            return "4";
        case InfoField::SZ:
            return std::to_string(boardSize);
        default:
            return {};
    }
}

std::string sgfMoveToken(int colour, int col, int row) {
    std::string token = colour == kWhite ? "W[" : "B[";
    if (hasSgfLetter(col) && hasSgfLetter(row)) {
        token += static_cast<char>('a' + col - 1);
        token += static_cast<char>('a' + row - 1);
    }
    token += ']';
    return token;
}

std::vector<std::string> sgfRecordLines(const GameState& state, std::string_view charset) {
    std::vector<std::string> lines{"(;"};
    for (int i = 0; i < kGameInfoFields; ++i) {
        std::string text = state.Info.Fields[i];
        if (i == static_cast<int>(InfoField::CA) && !charset.empty()) text = charset;
        if (text.empty()) {
            // Other programs need the game, the format and the board size; an empty field
            // says nothing and is left out.
            text = defaultRootValue(static_cast<InfoField>(i), state.BoardSize);
            if (text.empty()) continue;
        }
        if (text == GameInfoNames[i]) continue;
        lines.push_back(std::string(GameInfoNames[i]) + "[" + escapeSgfValue(text) + "]");
    }
    // The introduction before the first move is the root node's comment.
    if (!isBlankText(state.MoveComment[0]))
        lines.push_back("C[" + escapeSgfValue(state.MoveComment[0]) + "]");
    appendMarkupLines(state, state.MoveMarkup[0], lines);
    appendSetupLines(state, state.MoveSetup[0], lines);
    // The whole record, the moves after the one shown included: a save after stepping back (or
    // of a record opened at its start) must not cost the moves the record still holds.
    const int last = state.lastMoveInRecord();
    for (int i = 1; i <= last; ++i) {
        // A turned view is written as played.
        std::int16_t col = state.MoveCol[i], row = state.MoveRow[i];
        if (state.BoardRotated) turnPoint(state.BoardSize, col, row);
        lines.push_back(";" + sgfMoveToken(state.MoveColour[i], col, row));
        const std::string& comment = state.MoveComment[i];
        if (!isBlankText(comment)) lines.push_back("C[" + escapeSgfValue(comment) + "]");
        appendMarkupLines(state, state.MoveMarkup[i], lines);
        appendSetupLines(state, state.MoveSetup[i], lines);
    }
    lines.push_back(")");
    return lines;
}

std::string sgfRecordBytes(const GameState& state) {
    const std::string& declared = state.Info[InfoField::CA];
    if (!trimBlanks(declared).empty()) {
        if (auto bytes = encodeForDeclaredCharset(joinCrLf(sgfRecordLines(state)), declared))
            return std::move(*bytes);
    }
    return joinCrLf(sgfRecordLines(state, kUtf8));
}

std::string sgfRecordText(const GameState& state) {
    std::string text;
    for (const std::string& line : sgfRecordLines(state)) text += line;
    return text;
}

std::string normaliseSgfFileName(std::string_view name) {
    const std::string trimmed(trimBlanks(name));
    // Byte offset of the fourth character from the end (UTF-8 continuation bytes skipped).
    std::size_t p = trimmed.size();
    int characters = 0;
    while (p > 0 && characters < 4) {
        --p;
        if ((static_cast<unsigned char>(trimmed[p]) & 0xC0) != 0x80) ++characters;
    }
    if (characters == 4 && trimmed[p] == '.') {
        std::string tail = trimmed.substr(p);
        std::transform(tail.begin(), tail.end(), tail.begin(),
                       [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; });
        if (tail == ".sgf") return trimmed;
        return trimmed.substr(0, p) + ".sgf";
    }
    return trimmed + ".sgf";
}

}  // namespace kelmaz
