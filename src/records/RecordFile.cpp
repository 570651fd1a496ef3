#include "records/RecordFile.h"

#include "base/AtomicFile.h"
#include "base/NumberText.h"
#include "base/TextCodec.h"

namespace kelmaz {

std::vector<std::string> recordFileLines(std::string_view bytes) {
    return splitLines(decodeRecordBytes(bytes).text);
}

bool loadRecordFile(const std::string& path, GameState& state) {
    std::string bytes;
    if (!readWholeFile(path, bytes)) return false;
    state.LstRead = recordFileLines(bytes);
    return true;
}

void joinSplitOpenings(std::vector<std::string>& lines) {
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        const std::string_view current = trimBlanks(lines[i]);
        const std::string_view next = trimBlanks(lines[i + 1]);
        if (!current.ends_with("(") || !next.starts_with(";")) continue;
        std::string rest(next.substr(1));
        lines[i] = std::string(current) + ";";
        lines[i + 1] = std::move(rest);
    }
}

}  // namespace kelmaz
