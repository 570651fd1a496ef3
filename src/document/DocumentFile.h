#pragma once
// The bytes of a saved record: the whole collection, or one game alone, in the charset the
// first game's CA property names when every character fits in it, otherwise in UTF-8 with each
// game that names another charset declaring CA[UTF-8], so a file never claims a charset it is
// not in.
#include <string>

#include "document/RecordDocument.h"

namespace kelmaz {

std::string documentFileBytes(const RecordDocument& document);
std::string gameFileBytes(const RecordDocument& document, int game);
// One game as text in UTF-8, declaring CA[UTF-8] where it names another charset: for games
// written together into one file, which readers decode in one charset.
std::string gameUtf8Text(const RecordDocument& document, int game);

}  // namespace kelmaz
