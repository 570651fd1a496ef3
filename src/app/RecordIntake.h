#pragma once
// Records that reach the board without the file window: a file dropped on the board window or
// named on the command line, and record text pasted with Ctrl+V. Each is read as the file
// window's read command reads a file: the lines go through the format detection, the board
// shows the record from its first move, and a failure shows the file window's messages.
#include <QString>
#include <string>
#include <vector>

namespace kelmaz {

class Program;

// Reads the file into the board. A file that cannot be read leaves the board as it was; a file
// of several games shows the list of its games, and the game chosen is read.
void readRecordFileIntoBoard(Program& program, const QString& path);

// Reads game `game` (from 1) of a file into the board, as the file window reads the game chosen
// from a collection. False, with the message shown, when the file or the game cannot be read.
bool readGameIntoBoard(Program& program, const std::string& path, std::size_t game);

// Reads the game after the one shown of the collection the record was read from, as if chosen
// from its list. False when the record came from no collection or is its last game; a game
// that cannot be read shows why and leaves the board as it was.
bool readNextCollectionGame(Program& program);

// Takes the lines of a record (already split) into the board; a failure shows its message.
// True when the lines were taken.
bool takeRecordLinesIntoBoard(Program& program, std::vector<std::string> lines);

// Takes the record in the clipboard's text, split as the browser splits it; text that holds
// no record changes nothing.
void takeClipboardRecord(Program& program);

}  // namespace kelmaz
