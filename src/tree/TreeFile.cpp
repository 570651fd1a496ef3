#include "tree/TreeFile.h"

#include "base/TextCodec.h"
#include "records/RecordFile.h"
#include "tree/SgfReader.h"
#include "tree/SgfText.h"

namespace kelmaz {

std::optional<std::string> treeTextOfFile(const std::string& path) {
    GameState file;
    if (!loadRecordFile(path, file)) return std::nullopt;
    joinSplitOpenings(file.LstRead);
    return CutYobunData(joinSgfLines(file.LstRead));
}

}  // namespace kelmaz
