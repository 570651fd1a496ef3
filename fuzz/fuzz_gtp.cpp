// Feeds untrusted engine output to the GTP driver: the bytes are cut into reads at every NUL,
// and the driver goes through its operations in turn (set-up, a move asked for, a score, a
// take-back). Whatever the engine writes, an outcome the window would act on must be sound:
// an engine move on an empty point of the board, dead stones on stones, a score it can store.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "gtp/GtpGame.h"

namespace {

using namespace kelmaz;

void check(const GameState& s, const GtpOutcome& o) {
    switch (o.kind) {
        case GtpOutcome::Kind::EngineMove:
            if (o.move.kind == VertexKind::Point &&
                (!s.onBoard(o.move.col, o.move.row) || s.BoardGrid[o.move.col][o.move.row] != 0))
                std::abort();
            break;
        case GtpOutcome::Kind::Scored:
            if (o.score.known && !validScore(o.score.result)) std::abort();
            for (const GtpVertex& v : o.score.dead)
                if (!s.onBoard(v.col, v.row) || s.BoardGrid[v.col][v.row] == 0) std::abort();
            break;
        default:
            break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    GameState state;
    state.BoardSize = 9;
    // Two stones, so that occupied points and dead stones have something to hit.
    state.MoveCol[1] = 3;
    state.MoveRow[1] = 3;
    state.MoveColour[1] = kBlack;
    state.MoveCol[2] = 5;
    state.MoveRow[2] = 5;
    state.MoveColour[2] = kWhite;
    state.MoveCount = 2;
    state.BoardGrid[3][3] = kBlack + 1;
    state.BoardGrid[5][5] = kWhite + 1;
    state.GroupGrid[3][3] = 1;
    state.GroupGrid[5][5] = 2;
    state.GroupCount = 2;

    GtpGame game(state, 4096);
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    int operation = 0;
    std::size_t start = 0;
    while (start <= bytes.size()) {
        std::size_t end = bytes.find('\0', start);
        if (end == std::string_view::npos) end = bytes.size();
        if (!game.busy()) {
            switch (operation++ % 4) {
                case 0:
                    game.start(0, 6.5);
                    break;
                case 1:
                    game.generate(kBlack);
                    break;
                case 2:
                    game.score();
                    break;
                default:
                    game.takeBack(1);
                    break;
            }
        }
        const GtpOutcome outcome = game.feed(bytes.substr(start, end - start));
        check(state, outcome);
        if (outcome.kind == GtpOutcome::Kind::Failed) break;
        start = end + 1;
    }
    return 0;
}
