#include "gtp/GtpGame.h"

#include <algorithm>
#include <sstream>

#include "engine/Board.h"

namespace kelmaz {

namespace {

std::string colourLetter(int colour) { return colour == kWhite ? "W" : "B"; }

std::string komiText(double komi) {
    std::ostringstream out;
    out << komi;
    return out.str();
}

bool isNumber(std::string_view text) {
    const std::size_t dot = text.find('.');
    std::string_view whole = text.substr(0, dot);
    std::string_view part =
        dot == std::string_view::npos ? std::string_view() : text.substr(dot + 1);
    auto digits = [](std::string_view s) {
        return !s.empty() && s.size() <= 6 &&
               std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    return digits(whole) && (dot == std::string_view::npos || digits(part));
}

}  // namespace

int colourToPlay(const GameState& state) {
    if (!state.hasMove(state.MoveCount)) return kBlack;
    return state.MoveColour[state.MoveCount] == kBlack ? kWhite : kBlack;
}

std::string refusalOf(const GameState& state, int colour, int col, int row) {
    if (state.MoveCount < 0 || state.MoveCount + 2 > kMaxMoves) return "棋譜がいっぱいです";
    if (!state.onBoard(col, row)) return "盤の外です";
    // The board's own rules judge the move, as they would judge the click.
    switch (clickResult(state, col, row, colour, state.MoveCount + 1)) {
        case PlaceResult::Placed:
            return {};
        case PlaceResult::Occupied:
            return "石のある所です";
        default:
            return "着手禁止点です";
    }
}

bool validScore(std::string_view result) {
    if (result == "0") return true;
    if (result.size() < 3 || (result[0] != 'B' && result[0] != 'W') || result[1] != '+')
        return false;
    return isNumber(result.substr(2));
}

std::string scoreText(std::string_view result, ScoreKind kind) {
    if (!validScore(result)) return {};
    const char* even = kind == ScoreKind::Final ? "持碁" : "互角";
    if (result == "0") return even;
    std::string_view points = result.substr(2);
    if (points.ends_with(".0")) points.remove_suffix(2);
    if (points == "0") return even;
    return std::string(result[0] == 'B' ? "黒の" : "白の") + std::string(points) +
           (kind == ScoreKind::Final ? "目勝ち" : "目優勢");
}

GtpGame::GtpGame(const GameState& state, std::size_t replyLimit)
    : state_(state), client_(replyLimit) {}

bool GtpGame::knows(std::string_view command) const {
    // An engine that did not list its commands is taken at its word for every one of them.
    return !listed_ || std::find(known_.begin(), known_.end(), command) != known_.end();
}

std::string GtpGame::playCommand(int moveNumber) const {
    return "play " + colourLetter(state_.MoveColour[moveNumber]) + " " +
           vertexText(state_.MoveCol[moveNumber], state_.MoveRow[moveNumber], state_.BoardSize);
}

void GtpGame::queueBoard(int upto, int handicapStones, std::vector<Queued>& out) const {
    out.push_back({Step::Setup, "boardsize " + std::to_string(state_.BoardSize)});
    out.push_back({Step::Setup, "clear_board"});
    out.push_back({Step::Setup, "komi " + komiText(komi_)});
    int first = 1;
    if (handicapStones >= 2 && upto >= handicapStones) {
        std::string command = "set_free_handicap";
        for (int k = 1; k <= handicapStones; ++k)
            command += " " + vertexText(state_.MoveCol[k], state_.MoveRow[k], state_.BoardSize);
        out.push_back({Step::Setup, command});
        first = handicapStones + 1;
    }
    for (int k = first; k <= upto; ++k) out.push_back({Step::Play, playCommand(k)});
}

GtpOutcome GtpGame::fail(std::string message) {
    queue_.clear();
    GtpOutcome outcome;
    outcome.kind = GtpOutcome::Kind::Failed;
    outcome.message = std::move(message);
    return outcome;
}

GtpOutcome GtpGame::begin(std::vector<Queued> commands) {
    if (client_.failed()) return fail(client_.failure());
    if (busy()) return {};
    queue_.assign(commands.begin(), commands.end());
    return next();
}

GtpOutcome GtpGame::next() {
    if (queue_.empty()) return finish({});
    current_ = queue_.front();
    queue_.pop_front();
    GtpOutcome outcome;
    outcome.send = client_.frame(current_.command);
    return outcome;
}

GtpOutcome GtpGame::start(int handicapStones, double komi) {
    komi_ = komi;
    // Only a record whose first moves are that many black stones on the board has them.
    bool stonesPlaced = handicapStones >= 2 && state_.MoveCount >= handicapStones;
    for (int k = 1; stonesPlaced && k <= handicapStones; ++k)
        stonesPlaced =
            state_.MoveColour[k] == kBlack && state_.onBoard(state_.MoveCol[k], state_.MoveRow[k]);
    handicapStones_ = stonesPlaced ? handicapStones : 0;
    std::vector<Queued> commands;
    if (!listed_) commands.push_back({Step::ListCommands, "list_commands"});
    queueBoard(state_.MoveCount, handicapStones_, commands);
    goal_ = Step::Setup;
    return begin(std::move(commands));
}

GtpOutcome GtpGame::tellMove(int moveNumber) {
    if (!state_.hasMove(moveNumber)) return fail("送る手がありません");
    goal_ = Step::Play;
    return begin({{Step::Play, playCommand(moveNumber)}});
}

GtpOutcome GtpGame::generate(int colour) {
    generating_ = colour;
    goal_ = Step::Generate;
    return begin({{Step::Generate, "genmove " + colourLetter(colour)}});
}

GtpOutcome GtpGame::takeBack(int n) {
    takingBack_ = n;
    const int upto = state_.MoveCount - n;
    if (n < 1 || upto < 0) return fail("待ったできる手がありません");
    std::vector<Queued> commands;
    if (knows("undo")) {
        for (int i = 0; i < n; ++i) commands.push_back({Step::Undo, "undo"});
    } else {
        queueBoard(upto, upto >= handicapStones_ ? handicapStones_ : 0, commands);
    }
    goal_ = Step::Undo;
    return begin(std::move(commands));
}

GtpOutcome GtpGame::score(ScoreKind kind) {
    score_ = {};
    score_.kind = kind;
    std::vector<Queued> commands;
    if (kind == ScoreKind::Estimate && knows("estimate_score")) {
        commands.push_back({Step::FinalScore, "estimate_score"});
    } else if (knows("final_score")) {
        commands.push_back({Step::FinalScore, "final_score"});
        if (kind == ScoreKind::Final && knows("final_status_list"))
            commands.push_back({Step::DeadList, "final_status_list dead"});
    }
    goal_ = Step::FinalScore;
    return begin(std::move(commands));
}

GtpOutcome GtpGame::feed(std::string_view bytes) {
    if (client_.failed()) return fail(client_.failure());
    std::optional<GtpReply> reply = client_.feed(bytes);
    if (client_.failed()) return fail(client_.failure());
    if (!reply) return {};
    // A list_commands refused by the engine only means that it is taken at its word.
    if (!reply->success && current_.step != Step::ListCommands)
        return fail("思考エンジンがエラーを返しました (" + current_.command + "): " + reply->text);
    switch (current_.step) {
        case Step::ListCommands:
            if (reply->success) {
                known_ = replyWords(reply->text);
                listed_ = true;
            }
            break;
        case Step::Generate:
            return finish(*reply);
        case Step::FinalScore: {
            // An estimate may name its bounds after the score: "W+36.5 (upper bound: ...)".
            std::vector<std::string> words = replyWords(reply->text);
            if (words.empty() || (words.size() > 1 && score_.kind == ScoreKind::Final) ||
                !validScore(words[0]))
                return fail("形勢判断の結果が読めません: " + reply->text);
            score_.known = true;
            score_.result = words[0];
            break;
        }
        case Step::DeadList:
            for (const std::string& word : replyWords(reply->text)) {
                std::optional<GtpVertex> v = parseVertex(word, state_.BoardSize);
                if (!v || v->kind != VertexKind::Point || state_.BoardGrid[v->col][v->row] == 0)
                    return fail("死に石として返された点が読めません: " + word);
                score_.dead.push_back(*v);
            }
            break;
        case Step::Setup:
        case Step::Play:
        case Step::Undo:
            break;
    }
    return next();
}

GtpOutcome GtpGame::finish(const GtpReply& reply) {
    GtpOutcome outcome;
    switch (goal_) {
        case Step::ListCommands:
        case Step::Setup:
        case Step::Play:
            outcome.kind = GtpOutcome::Kind::Ready;
            break;
        case Step::Undo:
            outcome.kind = GtpOutcome::Kind::TakenBack;
            outcome.takenBack = takingBack_;
            break;
        case Step::FinalScore:
        case Step::DeadList:
            outcome.kind = GtpOutcome::Kind::Scored;
            outcome.score = score_;
            break;
        case Step::Generate: {
            std::vector<std::string> words = replyWords(reply.text);
            std::optional<GtpVertex> move;
            if (words.size() == 1) move = parseVertex(words[0], state_.BoardSize);
            if (!move) return fail("思考エンジンの手が読めません: " + reply.text);
            if (move->kind == VertexKind::Point) {
                std::string refusal = refusalOf(state_, generating_, move->col, move->row);
                if (!refusal.empty())
                    return fail("思考エンジンの手 " + words[0] + " は打てません: " + refusal);
            } else if (move->kind == VertexKind::Pass && state_.MoveCount + 2 > kMaxMoves) {
                return fail("棋譜がいっぱいです");
            }
            outcome.kind = GtpOutcome::Kind::EngineMove;
            outcome.move = *move;
            outcome.colour = generating_;
            break;
        }
    }
    return outcome;
}

}  // namespace kelmaz
