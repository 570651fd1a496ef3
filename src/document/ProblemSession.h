#pragma once
// Trying a problem (詰碁モード): a game whose start sets up stones is a problem; its
// variations are the answers the record knows. The player clicks, a click on the next move of
// a variation is answered by that variation's reply, any other point is wrong and the stone
// goes back. The session only reads the document and tells which node the board shows: trying
// never changes the record.
#include <string_view>

#include "document/RecordDocument.h"

namespace kelmaz {

inline constexpr std::string_view kRightAnswerText = "正解";
inline constexpr std::string_view kWrongAnswerText = "不正解";

enum class ProblemAnswer {
    None,   // nothing happened yet, or the click was on a stone or after the end
    Reply,  // the move is one the record knows; its reply stands on the board
    Wrong,  // 不正解
    Right,  // 正解
};

class ProblemSession {
  public:
    // Game `game` of `document`, which must outlive the session and not change under it.
    ProblemSession(const RecordDocument& document, int game);

    // Whether a game is a problem: its start (the root and the nodes after it before any move
    // or fork) sets up stones.
    static bool isProblem(const GameTree& game);

    int game() const { return game_; }
    // The node the board shows.
    LinePosition position() const { return {game_, node_}; }
    // The colour the player plays: the record's first answer's, else PL, else Black.
    int player() const { return player_; }
    ProblemAnswer answer() const { return answer_; }
    // True once the problem is solved or a line the record marks as wrong was played.
    bool finished() const { return finished_; }

    ProblemAnswer click(int col, int row);
    // もう一度: back to the start.
    void retry();
    // 次の問題: the next game of the collection; false when this is the last one.
    bool next();

  private:
    void start();
    // Walks on from a node just reached through the nodes without a move, judging each.
    ProblemAnswer reach(int node);
    // What a node says of the line it ends: right, wrong, or nothing (None).
    ProblemAnswer judge(int node) const;

    const RecordDocument& document_;
    int game_ = 0;
    int start_ = 0, node_ = 0;
    int player_ = 0;
    bool marked_ = false;  // some node of the game marks a right answer
    ProblemAnswer answer_ = ProblemAnswer::None;
    bool finished_ = false;
};

}  // namespace kelmaz
