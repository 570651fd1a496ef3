#include "intake/RecordTool.h"

#include <algorithm>

#include "base/AtomicFile.h"
#include "base/TextCodec.h"
#include "document/DocumentFile.h"
#include "engine/Engine.h"
#include "intake/RecordCheck.h"
#include "intake/RecordCollection.h"
#include "intake/RecordSize.h"
#include "records/RecordMoves.h"
#include "records/SgfWriter.h"

namespace kelmaz {

namespace {

// Line breaks (CR LF, LF or CR) and tabs become single blanks.
std::string oneLine(std::string_view value) {
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        out += (takeLineBreak(value, i) || value[i] == '\t') ? ' ' : value[i];
    }
    return out;
}

// The marks of the position, one line per point: "label dd A", "triangle pd", ... Marks off
// the board shown are left out.
std::string markupText(const GameState& s) {
    std::string text;
    for (const MarkView mark : s.shownMarkup().within(s.BoardSize)) {
        text += std::string(markKindWord(mark.kind)) + " " + sgfPointText(mark.col, mark.row);
        if (mark.kind == MarkKind::Label) text += " " + std::string(mark.text);
        text += '\n';
    }
    return text;
}

// A game written together with others: in UTF-8, which is how such a file is read back.
std::optional<std::string> utf8BytesForTool(ToolRecord& record) {
    if (!recordBytesForTool(record)) return std::nullopt;
    return gameUtf8Text(record.document, record.document.position().game);
}

// What the record set up or emptied without a move on the way to the position shown, in
// record order.
std::string setupText(const GameState& s) {
    std::string text;
    for (int k = 0; k <= std::clamp(s.MoveCount, 0, kMaxMoves); ++k)
        for (const SetupStone& stone : s.MoveSetup[k]) {
            if (!s.onBoard(stone.col, stone.row)) continue;
            const char* colour = stone.colour == kBlack   ? "B"
                                 : stone.colour == kWhite ? "W"
                                                          : "empty";
            text +=
                std::string("setup ") + colour + " " + sgfPointText(stone.col, stone.row) + "\n";
        }
    return text;
}

}  // namespace

RecordReadResult readRecordForTool(const std::string& path, ToolRecord& record, std::size_t game) {
    const std::optional<RecordCollection> file = loadRecordCollection(path);
    if (!file) {
        RecordReadResult result;
        result.status = RecordReadResult::Status::FileError;
        result.message = std::string(kReadErrorMessage);
        return result;
    }
    return readRecordForTool(*file, record, game);
}

RecordReadResult readRecordForTool(const RecordCollection& file, ToolRecord& record,
                                   std::size_t game) {
    RecordReadResult result;
    const auto failed = [&result](std::string message) {
        result.status = RecordReadResult::Status::FormatError;
        result.message = std::move(message);
        return result;
    };
    GameLines chosen = collectionGameLines(file, game);
    if (!chosen.message.empty()) return failed(chosen.message);
    // Checked on the lines as read: the applet reader rewrites them into lines no check knows.
    if (!holdsRecord(chosen.lines)) return failed(std::string(kFormatErrorMessage));
    const BoardSizeChoice size = chooseBoardSize(recordSizeField(chosen.lines), record.options);
    if (size.action == BoardSizeChoice::Action::Refuse) return failed(size.message);
    applyBoardSize(size, record.options);
    record.state.LstRead = std::move(chosen.lines);
    result.format = GetFormat(record.state, record.options, record.keeper);
    if (!result.format.ok) return failed(result.format.message);
    // The file window's replay after a read: it leaves the record and its count as read (a
    // record whose first slots are empty keeps them as passes), so both write the same file.
    NullBoardHost host;
    Engine(record.state, record.options, host, record.keeper).showRecordRead();
    return result;
}

void rebuildPosition(ToolRecord& record, int upto) {
    NullBoardHost host;
    Engine engine(record.state, record.options, host, record.keeper);
    upto = std::clamp(upto, 0, record.state.lastMoveInRecord());
    engine.ResetPosition();
    record.state.MoveCount = 0;
    record.state.ViewerState = ViewerState::NoStops;
    engine.Redraw(1, upto);  // move 0 too: the position the record sets up before its first move
    record.state.ViewerState = ViewerState::Idle;
}

std::string positionText(ToolRecord& record, int move) {
    rebuildPosition(record, move);
    const GameState& s = record.state;
    std::string text = "size " + std::to_string(s.BoardSize) + "\n";
    text += "move " + std::to_string(s.MoveCount) + "\n";
    text +=
        "prisoners " + std::to_string(s.Prisoners[0]) + " " + std::to_string(s.Prisoners[1]) + "\n";
    for (int row = 1; row <= s.BoardSize; ++row) {
        for (int col = 1; col <= s.BoardSize; ++col) {
            const int stone = s.BoardGrid[col][row];
            text += stone == kBlack + 1 ? 'X' : stone == kWhite + 1 ? 'O' : '.';
        }
        text += '\n';
    }
    return text + setupText(s) + markupText(s);
}

std::string gamesText(const RecordCollection& collection) {
    if (collection.games.empty()) {
        // Not SGF: the one record of the file, described by its reader's game information.
        ToolRecord record;
        record.state.LstRead = allRecordLines(collection);
        GetFormat(record.state, record.options, record.keeper);
        const GameInfo& info = record.state.Info;
        return "1\t" + oneLine(info[InfoField::PB]) + "\t" + oneLine(info[InfoField::PW]) + "\t" +
               oneLine(info[InfoField::DT]) + "\t" + oneLine(info[InfoField::RE]) + "\t" +
               oneLine(info[InfoField::EV]) + "\t" +
               std::to_string(record.state.lastMoveInRecord()) + "\n";
    }
    std::string text;
    std::size_t number = 0;
    for (const GameTreeRange& game : collection.games) {
        const GameHeader& h = game.header;
        text += std::to_string(++number) + "\t" + oneLine(h.black) + "\t" + oneLine(h.white) +
                "\t" + oneLine(h.date) + "\t" + oneLine(h.result) + "\t" + oneLine(h.event) + "\t" +
                std::to_string(h.moves) + (game.complete ? "\n" : "\tincomplete\n");
    }
    return text;
}

std::string infoText(const GameInfo& info) {
    std::string text;
    for (int i = 0; i < kGameInfoFields; ++i) {
        text += std::string(GameInfoNames[i]) + "=" + oneLine(info.Fields[i]) + "\n";
    }
    return text;
}

std::optional<std::string> recordBytesForTool(ToolRecord& record) {
    GameState& s = record.state;
    if (s.SgfText.empty() && s.MoveCount == 0) return std::nullopt;
    record.keeper.prepareForSave(s.MoveComment[std::clamp(s.MoveCount, 0, kMaxMoves)]);
    return gameFileBytes(record.document, record.document.position().game);
}

ConvertedRecord convertedRecord(const RecordCollection& file, std::optional<std::size_t> only) {
    const std::size_t first = only.value_or(1);
    const std::size_t last = only.value_or(std::max<std::size_t>(file.games.size(), 1));
    ConvertedRecord converted;
    std::string bytes;
    for (std::size_t game = first; game <= last; ++game) {
        ToolRecord record;
        const RecordReadResult read = readRecordForTool(file, record, game);
        std::optional<std::string> written;
        // Games written together are all in UTF-8: a file is decoded in one charset by most
        // readers, so a game in another charset than the first would come back garbled.
        if (read.status == RecordReadResult::Status::Ok)
            written = first == last ? recordBytesForTool(record) : utf8BytesForTool(record);
        if (!written) {
            converted.message = read.status == RecordReadResult::Status::Ok
                                    ? std::string(kNoDataMessage)
                                    : read.message;
            const std::string which = std::to_string(game) + "局目";
            if (file.holdsSeveralGames() && !converted.message.starts_with(which))
                converted.message = which + ": " + converted.message;
            return converted;
        }
        bytes += *written;
    }
    converted.bytes = std::move(bytes);
    return converted;
}

std::optional<std::string> writeRecordForTool(ToolRecord& record, const std::string& path) {
    const std::optional<std::string> bytes = recordBytesForTool(record);
    if (!bytes) return std::string(kNoDataMessage);
    if (!writeFileAtomically(path, *bytes)) return std::string(kWriteErrorMessage);
    return std::nullopt;
}

}  // namespace kelmaz
