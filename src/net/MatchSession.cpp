#include "net/MatchSession.h"

#include <optional>

#include "engine/TypedNumber.h"
#include "net/MatchMessage.h"

namespace kelmaz {

int takeBackCount(const GameState& state, TakeBackSide side) {
    bool lastIsMine = state.NetMyColour == state.MoveColour[state.MoveCount];
    if (side == TakeBackSide::Granting) return lastIsMine ? 2 : 1;
    return lastIsMine ? 1 : 2;
}

bool takeBackMoves(GameState& state, RecordKeeper& record, int n) {
    if (state.MoveCount <= n) return false;
    state.MoveCount -= n;
    record.cutAfter(state.MoveCount);
    return true;
}

MatchSession::MatchSession(GameState& state, MatchBoard& board, MatchWindow& window)
    : state_(state), board_(board), window_(window) {}

void MatchSession::HandleMatchMessage(const std::string& message) {
    std::vector<std::string> fields = splitFields(message);
    std::optional<MatchKeyword> keyword = keywordFromText(fields[0]);
    // Messages whose text field is missing carry nothing to act on.
    const std::optional<std::string> text = messageText(fields);
    if (keyword) {
        switch (*keyword) {
            case MatchKeyword::ConnectOk:
                startMatch();
                window_.showConnected();
                window_.log("受信:接続開始");
                board_.setBoardButtonsEnabled(false);
                break;
            case MatchKeyword::Tejun:
                receiveMove(fields);
                break;
            case MatchKeyword::Okiisi:
                receiveHandicap(fields);
                break;
            case MatchKeyword::Matta:
                if (text) window_.showTakeBackRequest(*text);
                break;
            case MatchKeyword::MattaOk:
                if (takeBackMoves(state_, board_.record(),
                                  takeBackCount(state_, TakeBackSide::Asking)))
                    board_.redraw(1, state_.MoveCount);
                break;
            case MatchKeyword::MattaKyohi:
                if (text) window_.log("受信:" + *text);
                break;
            case MatchKeyword::Touryou:
                window_.inform("相手が投了しました。");
                break;
            case MatchKeyword::Connent:
                if (text) {
                    board_.setCommentary(*text);
                    window_.log("受信:" + *text);
                }
                break;
            case MatchKeyword::CLS:
                receiveClear();
                break;
            case MatchKeyword::CLSYes:
                window_.log("受信:画面の初期化受け入れ。");
                clearAgreed();
                break;
            case MatchKeyword::CLSNo:
                window_.log("受信:碁盤の初期化は少し待ってください");
                break;
            case MatchKeyword::Disconnect:
                peerDisconnected();
                break;
        }
    }
    window_.showReceived();
}

void MatchSession::receiveMove(const std::vector<std::string>& fields) {
    if (fields.size() < 5) return;
    std::optional<long long> n = leadingNumber(fields[1]);
    std::optional<long long> col = leadingNumber(fields[2]);
    std::optional<long long> row = leadingNumber(fields[3]);
    std::optional<long long> colour = leadingNumber(fields[4]);
    if (!n || !col || !row || !colour) return;
    // The move must fit the record: a slot that exists, no gap after the last move.
    // A player who stepped back still holds the moves after the position shown.
    if (*n < 1 || *n > kMaxMoves || *n > state_.lastMoveInRecord() + 1) return;
    if (*col < 1 || *row < 1 || (*colour != kBlack && *colour != kWhite)) return;
    // A peer on another board size: its moves land on the wrong points (or off this board),
    // so none is taken, and the player learns why.
    const std::optional<long long> peerSize =
        fields.size() >= 6 ? leadingNumber(fields[5]) : std::nullopt;
    if ((peerSize && *peerSize != state_.BoardSize) || *col > state_.BoardSize ||
        *row > state_.BoardSize) {
        refuseOtherBoardSize(peerSize, static_cast<int>(*col), static_cast<int>(*row));
        return;
    }
    // Only a match whose colours are still open takes them from a move: we play the other
    // colour, white from the far side of the board.
    if (state_.NetMyColour == kNoColour) {
        state_.NetMyColour = *colour == kBlack ? kWhite : kBlack;
        if (state_.NetMyColour == kWhite && state_.MoveCount == 0) {
            state_.BoardRotated = true;
            board_.relayout();
        }
    }
    // The peer's coordinates are turned by 180 degrees so that each player sees the board
    // from his own side.
    int mirror = state_.BoardSize + 1;
    int slot = static_cast<int>(*n);
    state_.MoveCount = slot;
    // Like a stone placed here, a received move ends the record (moves left over from a
    // take-back that went differently on the two sides would come back otherwise).
    board_.record().playMove(slot, static_cast<int>(mirror - *col), static_cast<int>(mirror - *row),
                             static_cast<int>(*colour), false);
    board_.redraw(1, state_.MoveCount);
}

void MatchSession::receiveHandicap(const std::vector<std::string>& fields) {
    if (fields.size() < 2 || state_.MoveCount != 0) return;
    std::optional<long long> index = leadingNumber(fields[1]);
    if (!index || *index < 1 || *index > 16) return;
    // The settings dialog places the stones and announces them back through Okiisi.
    board_.selectHandicap(static_cast<int>(*index));
    // Moves travel turned by 180 degrees, so the stones must stand turned as well, or the
    // two boards would disagree for every handicap that is not symmetric (3, 7, 10 stones...).
    state_.BoardRotated = true;
    board_.record().showAgain();
    board_.redraw(1, state_.MoveCount);
    board_.relayout();
    state_.NetMyColour = kWhite;
}

void MatchSession::receiveClear() {
    window_.log("受信:画面の消去。");
    if (window_.ask("画面の消去をしますか?")) {
        window_.send(bareMessage(MatchKeyword::CLSYes));
        board_.keepRecordBeforeClear();
        clearAgreed();
    } else {
        window_.send(bareMessage(MatchKeyword::CLSNo));
        window_.log("送信:画面消去拒否");
    }
}

void MatchSession::refuseOtherBoardSize(std::optional<long long> peerSize, int col, int row) {
    const std::string mine = "こちら " + std::to_string(state_.BoardSize) + "路盤";
    const std::string theirs = peerSize
                                   ? "相手 " + std::to_string(*peerSize) + "路盤"
                                   : "相手の手 " + std::to_string(col) + "-" + std::to_string(row);
    const std::string text = "相手の碁盤と大きさが違います（" + theirs + "、" + mine + "）。";
    window_.log("受信:" + text);
    window_.inform(text);
}

// Both sides agreed to start over: the next game's first stone decides the colours again.
void MatchSession::clearAgreed() {
    board_.clearBoard();
    state_.NetMyColour = kNoColour;
}

void MatchSession::peerDisconnected() {
    window_.closeAndListen();
    state_.NetMatchActive = false;
    window_.log("受信:相手が接続を切りました。");
    board_.setBoardButtonsEnabled(true);
}

void MatchSession::startMatch() {
    state_.NetMatchActive = true;
    // Colours are not negotiated: whoever places the first stone plays black.
    state_.NetMyColour = kNoColour;
}

void MatchSession::connectionAccepted() {
    startMatch();
    window_.showConnected();
    window_.send(connectOkMessage());
    window_.log("送信:接続開始");
    // The peer's connection clears the board without a word from the user: an unsaved record
    // goes to the recovery folder first.
    board_.keepRecordBeforeClear();
    board_.clearBoard();
    board_.setBoardButtonsEnabled(false);
}

void MatchSession::SdataSend(int /*selector*/) {
    if (!state_.NetMatchActive || !state_.hasMove(state_.MoveCount)) return;
    int n = state_.MoveCount;
    window_.send(tejunMessage(n, state_.MoveCol[n], state_.MoveRow[n], state_.MoveColour[n],
                              state_.BoardSize));
    window_.showSent();
}

void MatchSession::Okiisi(int optionIndex) {
    state_.NetMyColour = kBlack;
    state_.BoardRotated = false;
    board_.relayout();
    window_.send(okiisiMessage(optionIndex));
}

bool MatchSession::sendChat(const std::string& chatText) {
    bool blank = chatText.find_first_not_of(' ') == std::string::npos;
    if (!blank) {
        window_.send(textMessage(MatchKeyword::Connent, chatText));
        window_.log("送信:" + chatText);
    }
    window_.showSent();
    return !blank;
}

void MatchSession::requestTakeBack(const std::string& requestPhrase, const std::string& chatText) {
    window_.send(textMessage(MatchKeyword::Matta, requestPhrase));
    window_.log("送信:" + chatText);
    window_.showSent();
}

void MatchSession::grantTakeBack(const std::string& answerPhrase) {
    window_.send(textMessage(MatchKeyword::MattaOk, answerPhrase));
    window_.log("送信:待ったOK  " + answerPhrase);
    takeBackMoves(state_, board_.record(), takeBackCount(state_, TakeBackSide::Granting));
    board_.redraw(1, state_.MoveCount);
    window_.showSent();
}

void MatchSession::refuseTakeBack(const std::string& answerPhrase) {
    window_.send(textMessage(MatchKeyword::MattaKyohi, answerPhrase));
    window_.log("送信:待った拒否  " + answerPhrase);
    window_.showSent();
}

bool MatchSession::resign(const std::string& answerPhrase, const std::string& chatText) {
    bool confirmed = window_.ask("本当に投了しますか.");
    if (confirmed) {
        window_.send(textMessage(MatchKeyword::Touryou, answerPhrase));
        window_.log("送信:投了  " + chatText);
    }
    window_.showSent();
    return confirmed;
}

void MatchSession::requestClear() {
    window_.send(bareMessage(MatchKeyword::CLS));
    window_.log("送信:CLS  ");
}

bool MatchSession::endMatch(bool listenAgain) {
    if (!state_.NetMatchActive) return true;
    if (!window_.ask("通信を切断します。")) return false;
    window_.send(bareMessage(MatchKeyword::Disconnect));
    window_.log("送信:切断  ");
    if (listenAgain) window_.closeAndListen();
    state_.NetMatchActive = false;
    return true;
}

}  // namespace kelmaz
