#pragma once
// What the command-line tool does with a record, on the same code as the file window: read a
// file, rebuild a position, list the game information, write SGF.
#include <optional>
#include <string>

#include "engine/BoardOptions.h"
#include "engine/GameState.h"
#include "records/RecordFile.h"

namespace kelmaz {

struct ToolRecord {
    GameState state;
    BoardOptions options;
};

// Reads a file as the file window's read command does and replays it. The tool has no
// settings dialog: the board size follows the record's SZ when that is 9, 13 or 19, else 19.
RecordReadResult readRecordForTool(const std::string& path, ToolRecord& record);

// Rebuilds moves 1..upto, bounded by the record (0: the empty board of the record's size).
void rebuildPosition(ToolRecord& record, int upto);

// Rebuilds the position after move `move` (bounded by the record) and returns the text
// "size S", "move M", "prisoners B W" and one line per row, top first: X black, O white,
// "." empty.
std::string positionText(ToolRecord& record, int move);

// The 25 fields as NAME=value lines in field order; line breaks inside a value become blanks.
std::string infoText(const GameInfo& info);

// The bytes the file window's write command writes: the tree text when the tree holds one,
// else the move record. Nothing when there is nothing to write.
std::optional<std::string> recordBytesForTool(ToolRecord& record);

// Writes recordBytesForTool to path through the safe write. Returns the message to show on
// failure.
std::optional<std::string> writeRecordForTool(ToolRecord& record, const std::string& path);

}  // namespace kelmaz
