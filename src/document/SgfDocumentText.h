#pragma once
// SGF text to game trees and back. Reading keeps every game of a collection, every node and
// variation and every property with its values as written; the text around and between the
// games is kept too, so a collection read and written without an edit is the same text. A game
// that was edited is written in the layout of a record made in the program: "(;", one root
// property per line, then one line per node starting with ";" and one line for each further
// property of the node; a variation's first line starts with "(", its ")" stands on a line of
// its own.
#include <string>
#include <string_view>
#include <vector>

#include "document/GameTree.h"

namespace kelmaz {

struct SgfGames {
    std::vector<GameTree> games;
    std::string after;  // text after the last game
};

// The games of SGF text (already decoded). Text without any game tree gives no game.
SgfGames readSgfGames(std::string_view text);

// The text of one game: as read while it is unedited, else in the program's layout. Lines end
// in CR LF.
std::string sgfGameText(const GameTree& game);

// The whole collection: every game with the text before it, then the text after the last.
std::string sgfCollectionText(const SgfGames& games);

}  // namespace kelmaz
