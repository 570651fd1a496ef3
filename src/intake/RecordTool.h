#pragma once
// What the command-line tool does with a record, on the same code as the file window: read a
// file, rebuild a position, list the game information, write SGF.
#include <optional>
#include <string>

#include "document/DocumentRecord.h"
#include "engine/BoardOptions.h"
#include "engine/GameState.h"
#include "intake/RecordCollection.h"
#include "intake/RecordFormat.h"
#include "records/RecordFile.h"

namespace kelmaz {

// A record read for the tool: its document, and the line of it the board shows.
struct ToolRecord {
    GameState state;
    BoardOptions options;
    RecordDocument document;
    DocumentRecord keeper{document, state};
};

// Reads game `game` (1-based) of a file as the file window's read command reads the game
// chosen from a collection, and replays it. The board takes the record's own size as the
// program's board does (19 lines when the record names none); a record for a larger board
// than the program shows is refused with the program's message.
// Lines that hold no record at all are refused before any reader rewrites them.
RecordReadResult readRecordForTool(const std::string& path, ToolRecord& record,
                                   std::size_t game = 1);
// The same for game `game` of a file already loaded.
RecordReadResult readRecordForTool(const RecordCollection& file, ToolRecord& record,
                                   std::size_t game);

// Rebuilds moves 1..upto, bounded by the record (0: the empty board of the record's size).
void rebuildPosition(ToolRecord& record, int upto);

// Rebuilds the position after move `move` (bounded by the record) and returns the text
// "size S", "move M", "prisoners B W" and one line per row, top first: X black, O white,
// "." empty; then the marks of that move, one line per point ("label PT TEXT", "triangle PT",
// "circle PT", "square PT", "cross PT", PT in SGF letters).
std::string positionText(ToolRecord& record, int move);

// One line per game of a file: number, PB, PW, DT, RE, EV and the moves of the main line,
// separated by tabs (line breaks and tabs inside a value become blanks); a game cut short ends
// its line with a tab and "incomplete". A file that is not SGF is one game.
std::string gamesText(const RecordCollection& collection);

// The 25 fields as NAME=value lines in field order; line breaks inside a value become blanks.
std::string infoText(const GameInfo& info);

// The bytes the file window's write command writes: the tree text when the tree holds one,
// else the move record. Nothing when there is nothing to write.
std::optional<std::string> recordBytesForTool(ToolRecord& record);

// What convert writes: every game of the file, one after another, each as recordBytesForTool
// gives it but in UTF-8, or only game `only` when one is named. A game that cannot be read or holds
// nothing to write gives no bytes and its message (naming the game when the file holds several), so
// that a collection is never written with games missing.
struct ConvertedRecord {
    std::optional<std::string> bytes;
    std::string message;
};
ConvertedRecord convertedRecord(const RecordCollection& file, std::optional<std::size_t> only);

// Writes recordBytesForTool to path through the safe write. Returns the message to show on
// failure.
std::optional<std::string> writeRecordForTool(ToolRecord& record, const std::string& path);

}  // namespace kelmaz
