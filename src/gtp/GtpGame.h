#pragma once
// Keeps a GTP engine's board in step with the record and turns its replies into outcomes the
// window acts on. It reads the game state but never changes it: the window applies an outcome
// (an engine move, a take-back) only when the engine answered soundly, so a failure leaves
// the game and the record as they were. No I/O happens here: every operation returns the line
// to write to the engine, and feed() takes what the engine wrote.
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "engine/GameState.h"
#include "gtp/GtpClient.h"

namespace kelmaz {

// The score of a finished game (both players passed), with the dead stones, or the estimate
// of a game that goes on, without them: an engine's final score takes the stones on the board
// as they will stay, which in the middle of a game counts healthy groups as dead.
enum class ScoreKind { Final, Estimate };

struct GtpScore {
    bool known = false;  // the engine can score (final_score or estimate_score)
    ScoreKind kind = ScoreKind::Final;
    std::string result;           // "B+3.5", "W+0.5", "0" (a draw)
    std::vector<GtpVertex> dead;  // the stones it counts as dead (empty without the command)
};

struct GtpOutcome {
    enum class Kind {
        Pending,     // nothing to act on yet; `send` holds the next line, if any
        Ready,       // the engine's board matches the record
        EngineMove,  // `move` (a point, a pass or a resignation) of `colour`, checked
        TakenBack,   // the engine took back `takenBack` moves
        Scored,      // `score`
        Failed,      // `message` says why; the game cannot go on
    };
    Kind kind = Kind::Pending;
    std::string send;
    GtpVertex move;
    int colour = kBlack;
    int takenBack = 0;
    GtpScore score;
    std::string message;
};

// The colour whose turn it is after move `moveCount` of the record (black on an empty one).
int colourToPlay(const GameState& state);
// Why the rules refuse `colour` at (col, row) in the position on the board, or "" when the
// move is legal: off the board, occupied, suicide, an immediate ko recapture, a full record.
std::string refusalOf(const GameState& state, int colour, int col, int row);
// "黒の3.5目勝ち", "白の12目勝ち", "持碁" for a final score; "黒の3.5目優勢", "互角" for an
// estimate; "" for anything else.
std::string scoreText(std::string_view result, ScoreKind kind = ScoreKind::Final);
// True for a final_score result this program can store as RE: "B+n", "W+n" or "0".
bool validScore(std::string_view result);

class GtpGame {
  public:
    GtpGame(const GameState& state, std::size_t replyLimit = GtpClient::kDefaultReplyLimit);

    // Sets the engine's board up as the record stands: size, komi, the first `handicapStones`
    // moves (all black) as free handicap stones at exactly those points, the other moves of
    // 1..MoveCount played one by one. Ends in Ready.
    GtpOutcome start(int handicapStones, double komi);
    // Move `moveNumber` of the record (the user's stone or pass) is told to the engine. Ends in
    // Ready.
    GtpOutcome tellMove(int moveNumber);
    // Asks the engine for a move of `colour`. Ends in EngineMove.
    GtpOutcome generate(int colour);
    // Takes back the last n moves on the engine's board: undo n times, or, for an engine
    // without undo, a rebuild of moves 1..MoveCount - n. Ends in TakenBack.
    GtpOutcome takeBack(int n);
    // Asks for the final score and the dead stones, or for an estimate (estimate_score; an
    // engine without it is asked its final_score, still without dead stones). Ends in Scored.
    GtpOutcome score(ScoreKind kind = ScoreKind::Final);
    // The line that ends the engine.
    std::string quitLine() { return "quit\n"; }

    // What the engine wrote.
    GtpOutcome feed(std::string_view bytes);
    bool busy() const { return client_.waiting() || !queue_.empty(); }
    // The command that waits for its reply (for the message of a time limit).
    const std::string& waitingCommand() const { return client_.lastCommand(); }
    bool knows(std::string_view command) const;

  private:
    enum class Step { ListCommands, Setup, Play, Generate, Undo, FinalScore, DeadList };
    struct Queued {
        Step step;
        std::string command;
    };
    GtpOutcome begin(std::vector<Queued> commands);
    GtpOutcome next();
    GtpOutcome fail(std::string message);
    GtpOutcome finish(const GtpReply& reply);
    void queueBoard(int upto, int handicapStones, std::vector<Queued>& out) const;
    std::string playCommand(int moveNumber) const;

    const GameState& state_;
    GtpClient client_;
    std::deque<Queued> queue_;
    Queued current_{Step::Setup, {}};
    Step goal_ = Step::Setup;  // what the commands queued by the last operation are for
    std::vector<std::string> known_;
    bool listed_ = false;
    int handicapStones_ = 0;
    double komi_ = 6.5;
    int generating_ = kBlack;
    int takingBack_ = 0;
    GtpScore score_;
};

}  // namespace kelmaz
