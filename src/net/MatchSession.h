#pragma once
// The rules of a network match: what each received message does to the game state and to
// the windows, what each local action sends, and the take-back arithmetic. The match window
// owns the sockets and the timers and calls in here; the board and the window are reached
// through the two small interfaces below, so that every decision can be tested without a
// socket or a widget.
#include <optional>
#include <string>

#include "engine/GameState.h"
#include "engine/RecordKeeper.h"

namespace kelmaz {

// What a match does to the board and the main window.
class MatchBoard {
  public:
    virtual ~MatchBoard() = default;
    virtual void clearBoard() = 0;                     // gCls
    virtual void redraw(int from, int upto) = 0;       // rebuild moves from..upto
    virtual void relayout() = 0;                       // ResizeRedraw (after a rotation change)
    virtual void selectHandicap(int optionIndex) = 0;  // the settings dialog's handicap option
    virtual void setCommentary(const std::string& text) = 0;  // TxtKaisetu
    virtual void setBoardButtonsEnabled(bool enabled) = 0;    // the seven buttons of a match
    // Asked before a game starts over a record the user has not saved; true when it may go.
    // A board without records of its own to lose agrees.
    virtual bool mayDiscardRecord() { return true; }
    // The peer cleared the board: the record is kept where it can be opened again.
    virtual void keepRecordBeforeClear() {}
    virtual RecordKeeper& record() = 0;  // where the match's moves and take-backs go
};

// What a match does to its own window and sockets.
class MatchWindow {
  public:
    virtual ~MatchWindow() = default;
    virtual void send(const std::string& message) = 0;  // skipped when nothing is connected
    virtual void log(const std::string& line) = 0;
    virtual bool ask(const std::string& question) = 0;  // Yes/No
    virtual void inform(const std::string& text) = 0;   // OK
    virtual void showTakeBackRequest(const std::string& phrase) = 0;
    virtual void showConnected() = 0;   // connect retry stopped, connected picture
    virtual void showReceived() = 0;    // received picture for a moment
    virtual void showSent() = 0;        // sent picture for a moment
    virtual void closeAndListen() = 0;  // close both sockets, listen again
};

enum class TakeBackSide { Granting, Asking };

// How many moves a granted take-back removes on this side: two when the last move is the
// granter's own (the asker's move and the granter's answer), otherwise one; the asking side
// counts the other way round so that both records lose the same moves.
int takeBackCount(const GameState& state, TakeBackSide side);
// Removes the last n moves from `record` when more than n are recorded; true when it did.
bool takeBackMoves(GameState& state, RecordKeeper& record, int n);

class MatchSession {
  public:
    MatchSession(GameState& state, MatchBoard& board, MatchWindow& window);

    // One received message, without its "#".
    void HandleMatchMessage(const std::string& message);

    // The listening side has accepted a connection.
    void connectionAccepted();
    // The local player placed move MoveCount (selector 1 as the board engine passes it).
    void SdataSend(int selector);
    // The local player chose handicap option index k (k + 1 stones) in the settings dialog.
    void Okiisi(int optionIndex);

    // Buttons of the match window. The texts are the boxes' contents at the time.
    bool sendChat(const std::string& chatText);  // true when something was sent (box emptied)
    void requestTakeBack(const std::string& requestPhrase, const std::string& chatText);
    void grantTakeBack(const std::string& answerPhrase);
    void refuseTakeBack(const std::string& answerPhrase);
    // Asks first; true when the user confirmed and the resignation went out.
    bool resign(const std::string& answerPhrase, const std::string& chatText);
    void requestClear();
    // Ends a running match after the user confirms; false when the user declined. With no
    // match running it does nothing and returns true. `listenAgain` is false when the window
    // is being closed for good.
    bool endMatch(bool listenAgain);

  private:
    void startMatch();
    void receiveMove(const std::vector<std::string>& fields);
    void receiveHandicap(const std::vector<std::string>& fields);
    void receiveClear();
    void clearAgreed();
    void refuseOtherBoardSize(std::optional<long long> peerSize, int col, int row);
    void peerDisconnected();

    GameState& state_;
    MatchBoard& board_;
    MatchWindow& window_;
};

}  // namespace kelmaz
