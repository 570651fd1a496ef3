#pragma once
// Records in the UGF text format: a header of key=value lines and a [Data] section with one
// move per line ("PD,B1,1,0": point, colour, move number, time).
#include <string>
#include <string_view>
#include <vector>

#include "engine/BoardOptions.h"
#include "engine/GameState.h"
#include "records/RecordMoves.h"

namespace kelmaz {

// Copies the header keys of every line into `info`. A key whose value needs a comma and has
// none is passed over like an unknown key: the header is optional and never costs the record
// its moves.
void ReadUgfHeader(const std::vector<std::string>& lines, GameInfo& info);

// Stores one move line of the [Data] section under its move number (the move shown becomes
// that number; a move numbered 0 is not a move). False on a malformed line (a fifth comma, a
// move number that is not a number or lies outside 0..500).
bool ReadUgfMoveLine(ReadMoves& read, std::string_view line, const BoardOptions& options);

// Closes the gaps that move numbers leave (1, 2, 5 or a record starting at 3): the moves after
// a gap are numbered on, so that the record holds every move read without an empty slot, where
// the record ends. The move shown stays the move it named.
void closeUgfMoveGaps(ReadMoves& read);

}  // namespace kelmaz
