#pragma once
// Deciding a record's format from its lines and handing them to the reader of that format: SGF
// to the document, the applet page, UGF and Tki move lines.
#include <string>
#include <vector>

#include "document/DocumentRecord.h"
#include "engine/BoardOptions.h"
#include "engine/EngineHost.h"
#include "engine/GameState.h"
#include "records/RecordFile.h"

namespace kelmaz {

// The format markers GetFormat reports ("USG" for UGF, "SGF", "Wt" for the applet page, or
// empty when no marker was found).
struct FormatResult {
    bool ok = true;
    std::string message;         // why the read failed when !ok, else a note on what was read
    std::string DetectedFormat;  // "USG", "SGF", "Wt" or empty
    bool tki = false;            // a line "fmt=Tki" was found
};

// The format markers of lines whose split openings are already joined, decided as GetFormat
// decides them: the last marker line wins; the Tki flag stands on its own.
FormatResult detectFormat(const std::vector<std::string>& lines);

// Decides the format of the lines in state.LstRead and reads them into `record`: SGF as the
// document's text (every game, node and property), the applet page, else the UGF header and the
// UGF or Tki move lines after "[Data]", as the move record their reader made. The board and
// record must have been cleared before. What was read before a failure stays in the record and
// the game information. The caller replays moves 1..MoveCount when the result is ok.
FormatResult GetFormat(GameState& state, const BoardOptions& options, DocumentRecord& record);
// As above, for a caller that keeps no document of its own (the state alone shows the record):
// `tree` receives the file's tree.
FormatResult GetFormat(GameState& state, const BoardOptions& options, TreeLink& tree);

// What became of the lines of a record offered to the board.
struct IntakeResult {
    bool taken = false;   // the board was cleared for them (the game on it is gone)
    std::string message;  // the message to show: a failure, or a note on the record read
};

struct RecordReadResult {
    enum class Status { Ok, FileError, FormatError };
    Status status = Status::Ok;
    std::string message;
    FormatResult format;
};

// loadRecordFile then GetFormat, with the messages the file window shows.
RecordReadResult readRecordFile(const std::string& path, GameState& state,
                                const BoardOptions& options, DocumentRecord& record);
RecordReadResult readRecordFile(const std::string& path, GameState& state,
                                const BoardOptions& options, TreeLink& tree);

}  // namespace kelmaz
