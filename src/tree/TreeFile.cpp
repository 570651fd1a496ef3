#include "tree/TreeFile.h"

#include <algorithm>

#include "base/TextCodec.h"
#include "records/RecordFile.h"
#include "tree/SgfReader.h"
#include "tree/SgfText.h"

namespace kelmaz {

bool recordHoldsUndecodedText(const GameState& state, std::string_view commentary) {
    const auto undecoded = [](std::string_view text) { return holdsReplacementCharacter(text); };
    if (std::any_of(state.Info.Fields.begin(), state.Info.Fields.end(), undecoded)) return true;
    if (!state.SgfText.empty()) return undecoded(state.SgfText);
    if (undecoded(commentary) ||
        std::any_of(state.MoveComment.begin(), state.MoveComment.end(), undecoded))
        return true;
    return std::any_of(state.MoveMarkup.begin(), state.MoveMarkup.end(), [&](const Markup& m) {
        return std::any_of(m.begin(), m.end(),
                           [&](const MarkView& v) { return undecoded(v.text); });
    });
}

std::optional<std::string> treeTextOfFile(const std::string& path) {
    GameState file;
    if (!loadRecordFile(path, file)) return std::nullopt;
    joinSplitOpenings(file.LstRead);
    return CutYobunData(joinSgfLines(file.LstRead));
}

}  // namespace kelmaz
