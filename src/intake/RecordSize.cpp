#include "intake/RecordSize.h"

#include <algorithm>
#include <charconv>

#include "base/NumberText.h"
#include "engine/GameState.h"
#include "intake/RecordFormat.h"
#include "records/AppletReader.h"
#include "records/RecordFile.h"
#include "records/UgfReader.h"
#include "tree/SgfCollection.h"
#include "tree/SgfReader.h"

namespace kelmaz {

namespace {

// A whole, plain decimal number (no sign, no fraction); -1 when the text is anything else.
int wholeNumber(std::string_view text) {
    text = trimBlanks(text);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size() || value < 0)
        return -1;
    return value;
}

}  // namespace

int recordSizeLines(std::string_view sizeField) {
    if (trimBlanks(sizeField).empty()) return 0;
    const std::size_t colon = sizeField.find(':');
    const int columns = wholeNumber(sizeField.substr(0, colon));
    if (colon == std::string_view::npos) return columns;
    const int rows = wholeNumber(sizeField.substr(colon + 1));
    return columns >= 0 && columns == rows ? columns : -1;
}

BoardSizeChoice chooseBoardSize(std::string_view sizeField, const BoardOptions& board) {
    BoardSizeChoice choice;
    const int lines = recordSizeLines(sizeField);
    // "0" names a size (one no board has); an empty field names none.
    if (lines == 0 && wholeNumber(sizeField) != 0) return choice;
    if (lines < kMinBoardSize || lines > kMaxBoardSize) {
        const std::string named =
            lines < 0 ? std::string(trimBlanks(sizeField)) : std::to_string(lines) + "路盤";
        choice.action = BoardSizeChoice::Action::Refuse;
        choice.message = "この棋譜は" + named + "のため表示できません。表示できる盤は" +
                         std::to_string(kMinBoardSize) + "路から" + std::to_string(kMaxBoardSize) +
                         "路までです。";
        return choice;
    }
    if (lines == board.boardSize()) return choice;
    choice.action = BoardSizeChoice::Action::Take;
    choice.lines = lines;
    for (int index = 0; index < 3; ++index) {
        if (boardSizeForIndex(index) == lines) choice.sizeIndex = index;
    }
    return choice;
}

void applyBoardSize(const BoardSizeChoice& choice, BoardOptions& options) {
    if (choice.action != BoardSizeChoice::Action::Take) return;
    if (choice.sizeIndex >= 0) {
        options.sizeIndex = choice.sizeIndex;
        options.otherSize = 0;
    } else {
        options.otherSize = choice.lines;
    }
}

std::string recordSizeField(const std::vector<std::string>& lines) {
    std::vector<std::string> scratch = lines;
    joinSplitOpenings(scratch);
    const FormatResult format = detectFormat(scratch);
    if (format.DetectedFormat == "SGF") {
        const std::vector<GameTreeRange> first = indexGameTrees(joinSgfLines(scratch), 1);
        return first.empty() ? std::string() : first.front().header.size;
    }
    ReadMoves read;
    if (format.DetectedFormat == "Wt") {
        ReadAppletHtml(scratch, read);
    } else {
        ReadUgfHeader(scratch, read.info);
    }
    return read.info[InfoField::SZ];
}

}  // namespace kelmaz
