#include "intake/RecordTool.h"

#include <algorithm>

#include "base/AtomicFile.h"
#include "engine/Engine.h"
#include "records/SgfWriter.h"
#include "tree/TreeFile.h"

namespace kelmaz {

namespace {

// The tool shows no board: everything the engine would show goes nowhere.
class SilentBoardHost : public BoardHost {
  public:
    void setCaption(const std::string&) override {}
    std::string commentaryText() const override { return {}; }
    void setCommentaryText(const std::string&) override {}
    void setMoveNumberText(const std::string&) override {}
    void showKoRefusal() override {}
    void boardChanged() override {}
    void restartMarkerTimer(int) override {}
    void stopMarkerTimer() override {}
    bool replayRunning() const override { return false; }
    void setReplayRunning(bool, int) override {}
    void setReplayButtonEnabled(bool) override {}
    double replaySpeedSeconds() const override { return 1.0; }
    void relayout() override {}
};

int sizeIndexFor(const std::string& sz) {
    if (sz == "13") return 1;
    if (sz == "9") return 2;
    return 0;
}

// Rebuilds moves 1..upto, bounded by the record (0: the empty board of the record's size).
void rebuild(ToolRecord& record, int upto) {
    SilentBoardHost host;
    Engine engine(record.state, record.options, host);
    upto = std::clamp(upto, 0, record.state.lastMoveInRecord());
    engine.ResetPosition();
    record.state.MoveCount = 0;
    record.state.ViewerState = ViewerState::NoStops;
    if (upto > 0) engine.Redraw(1, upto);
    record.state.ViewerState = ViewerState::Idle;
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

std::string positionText(ToolRecord& record, int move) {
    rebuild(record, move);
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
