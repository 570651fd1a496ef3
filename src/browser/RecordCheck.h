#pragma once
// Whether text taken from a page or the clipboard is a game record at all.
#include <string>
#include <vector>

namespace kelmaz {

// True when the lines carry a format marker the readers know (a UGF version line, an SGF
// opening, the applet page's title) or a "[Data]" section of move lines. Anything else would
// only clear the board, so it is refused before the board is touched.
bool holdsRecord(std::vector<std::string> lines);

}  // namespace kelmaz
