// Feeds untrusted bytes through the receive path of a match: the bytes are cut into reads at
// every NUL, queued, and each queued message goes to the dispatcher. After every message the
// record must still describe a board that exists.
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "document/DocumentRecord.h"
#include "engine/BoardOptions.h"
#include "net/MatchSession.h"
#include "net/ReceiveQueue.h"

namespace {

using namespace kelmaz;

void checkRecord(const GameState& s) {
    if (s.MoveCount < 0 || s.MoveCount > kMaxMoves) std::abort();
    for (int k = 1; k <= s.MoveCount; ++k) {
        if (s.MoveCol[k] == 0) continue;  // a take-back ended the record there
        if (!s.onBoard(s.MoveCol[k], s.MoveRow[k])) std::abort();
        if (s.MoveColour[k] != kBlack && s.MoveColour[k] != kWhite) std::abort();
    }
}

struct Board : MatchBoard {
    GameState& state;
    MatchSession* session = nullptr;
    explicit Board(GameState& s) : state(s) {}
    void clearBoard() override {
        state.MoveCount = 0;
        keeper.clear();
    }
    void redraw(int from, int upto) override {
        if (from < 1 || upto > kMaxMoves) std::abort();
    }
    void relayout() override {}
    void selectHandicap(int index) override {
        if (index < 1 || index > 16) std::abort();
        clearBoard();
        const int centre = (state.BoardSize + 1) / 2;
        std::vector<BoardPoint> points;
        for (int i = 1; i <= index + 1; ++i)
            points.push_back({i % 2 ? 4 : centre, i % 3 ? 4 : centre});
        keeper.startWithBlackMoves(points);
        state.MoveCount = index + 1;
        if (state.NetMatchActive) session->Okiisi(index);
    }
    void setCommentary(const std::string&) override {}
    void setBoardButtonsEnabled(bool) override {}
    RecordKeeper& record() override { return keeper; }

    RecordDocument document;
    DocumentRecord keeper{document, state};
};

struct Window : MatchWindow {
    bool nextAnswer = false;
    void send(const std::string&) override {}
    void log(const std::string&) override {}
    bool ask(const std::string&) override { return nextAnswer = !nextAnswer; }
    void inform(const std::string&) override {}
    void showTakeBackRequest(const std::string&) override {}
    void showConnected() override {}
    void showReceived() override {}
    void showSent() override {}
    void closeAndListen() override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    GameState state;
    if (!bytes.empty()) {
        state.BoardSize = boardSizeForIndex(bytes.front() % 3);
        bytes.remove_prefix(1);
    }
    state.NetMatchActive = true;
    Board board(state);
    Window window;
    MatchSession session(state, board, window);
    board.session = &session;
    ReceiveQueue queue;
    while (!bytes.empty()) {
        std::size_t cut = bytes.find('\0');
        queue.receive(bytes.substr(0, cut));
        bytes.remove_prefix(cut == std::string_view::npos ? bytes.size() : cut + 1);
        while (auto message = queue.next()) {
            session.HandleMatchMessage(*message);
            checkRecord(state);
        }
    }
    return 0;
}
