#include "intake/RecordCheck.h"

#include <algorithm>

#include "base/NumberText.h"
#include "intake/RecordFormat.h"
#include "records/RecordMoves.h"

namespace kelmaz {

bool holdsRecord(std::vector<std::string> lines) {
    joinSplitOpenings(lines);
    if (!detectFormat(lines).DetectedFormat.empty()) return true;
    return std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
        return trimBlanks(line).starts_with("[Data]");
    });
}

IntakeResult takeRecordLines(GameState& state, Engine& engine, DocumentRecord& record,
                             const BoardOptions& options, TreeLink& tree,
                             std::vector<std::string> lines, const BoardSizeTaker& takeSize) {
    if (!holdsRecord(lines)) return {false, std::string(kFormatErrorMessage)};
    const BoardSizeChoice size = chooseBoardSize(recordSizeField(lines), options);
    if (size.action == BoardSizeChoice::Action::Refuse) return {false, size.message};
    if (size.action == BoardSizeChoice::Action::Take) takeSize(size);
    engine.gCls();
    state.LstRead = std::move(lines);
    const FormatResult read = GetFormat(state, options, record);
    if (record.holdsTree()) tree.showFileTree(state.SgfText);
    if (read.ok) engine.showRecordRead();
    return {true, read.message};
}

}  // namespace kelmaz
