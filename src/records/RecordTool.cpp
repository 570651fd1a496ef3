#include "records/RecordTool.h"

#include <algorithm>

#include "engine/Engine.h"
#include "engine/SilentBoardHost.h"
#include "records/AtomicFile.h"
#include "records/SgfWriter.h"
#include "tree/TreeFile.h"

namespace kelmaz {

namespace {

int sizeIndexFor(const std::string& sz) {
    if (sz == "13") return 1;
    if (sz == "9") return 2;
    return 0;
}

// Line breaks (CR LF, LF or CR) become single blanks.
std::string oneLine(std::string_view value) {
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\r' && i + 1 < value.size() && value[i + 1] == '\n') ++i;
        out += (value[i] == '\r' || value[i] == '\n') ? ' ' : value[i];
    }
    return out;
}

}  // namespace

RecordReadResult readRecordForTool(const std::string& path, ToolRecord& record) {
    TreeLink noTreeWindow;
    RecordReadResult result = readRecordFile(path, record.state, record.options, noTreeWindow);
    if (result.status != RecordReadResult::Status::Ok) return result;
    record.options.sizeIndex = sizeIndexFor(record.state.Info[InfoField::SZ]);
    // The file window's replay after a read: it leaves the record and its count as read (a
    // record whose first slots are empty keeps them as passes), so both write the same file.
    SilentBoardHost host;
    Engine(record.state, record.options, host).showRecordRead();
    return result;
}

void rebuildPosition(ToolRecord& record, int upto) {
    SilentBoardHost host;
    Engine engine(record.state, record.options, host);
    upto = std::clamp(upto, 0, record.state.lastMoveInRecord());
    engine.ResetPosition();
    record.state.MoveCount = 0;
    record.state.ViewerState = 4;
    if (upto > 0) engine.Redraw(1, upto);
    record.state.ViewerState = 0;
}

std::string positionText(ToolRecord& record, int move) {
    rebuildPosition(record, move);
    const GameState& s = record.state;
    std::string text = "size " + std::to_string(s.BoardSize) + "\n";
    text += "move " + std::to_string(s.MoveCount) + "\n";
    text +=
        "prisoners " + std::to_string(s.Prisoners[0]) + " " + std::to_string(s.Prisoners[1]) + "\n";
    for (int row = 1; row <= s.BoardSize; ++row) {
        for (int col = 1; col <= s.BoardSize; ++col) {
            const int stone = s.BoardGrid[col][row];
            text += stone == kBlack + 1 ? 'X' : stone == kWhite + 1 ? 'O' : '.';
        }
        text += '\n';
    }
    return text;
}

std::string infoText(const GameInfo& info) {
    std::string text;
    for (int i = 0; i < kGameInfoFields; ++i) {
        text += std::string(GameInfoNames[i]) + "=" + oneLine(info.Fields[i]) + "\n";
    }
    return text;
}

std::optional<std::string> recordBytesForTool(ToolRecord& record) {
    GameState& s = record.state;
    if (s.SgfText.empty() && s.MoveCount == 0) return std::nullopt;
    if (!s.SgfText.empty()) return treeFileBytes(s);
    return sgfFileBytes(s, s.MoveComment[std::clamp(s.MoveCount, 0, kMaxMoves)]);
}

std::optional<std::string> writeRecordForTool(ToolRecord& record, const std::string& path) {
    const std::optional<std::string> bytes = recordBytesForTool(record);
    if (!bytes) return std::string(kNoDataMessage);
    if (!writeFileAtomically(path, *bytes)) return std::string(kWriteErrorMessage);
    return std::nullopt;
}

}  // namespace kelmaz
