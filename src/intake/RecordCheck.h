#pragma once
// Whether text taken from a page, the clipboard or a file is a game record at all, and the one
// intake that takes such text into the board.
#include <functional>
#include <string>
#include <vector>

#include "document/DocumentRecord.h"
#include "engine/Engine.h"
#include "intake/RecordFormat.h"
#include "intake/RecordSize.h"
#include "records/RecordFile.h"

namespace kelmaz {

// True when the lines carry a format marker the readers know (a UGF version line, an SGF
// opening, the applet page's title) or a "[Data]" section of move lines. Anything else would
// only clear the board, so it is refused before the board is touched.
bool holdsRecord(std::vector<std::string> lines);

// The one way a record's lines reach the board, whatever brought them (file window, drop,
// command line, clipboard, web page): lines that hold no record are refused before anything is
// touched, and so is a record for a board larger than any the program shows (its message names
// the size). Otherwise the board takes the record's size through `takeSize` when it has
// another, is cleared, the lines are read into `record` (an SGF file as it is, with every game,
// node and property; another format as the move record its reader made), and the record is
// shown to its last move when the reading succeeded (what was read before a failure stays).
using BoardSizeTaker = std::function<void(const BoardSizeChoice&)>;
IntakeResult takeRecordLines(GameState& state, Engine& engine, DocumentRecord& record,
                             const BoardOptions& options, TreeLink& tree,
                             std::vector<std::string> lines, const BoardSizeTaker& takeSize);

}  // namespace kelmaz
