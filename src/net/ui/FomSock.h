#pragma once
// The match window "ネットワーク対戦": the two sockets (0 listens and accepts, 1 connects
// out), the host box, the log, the chat line, the five action buttons, the take-back request
// and answer panels and the status picture. The protocol's decisions live in MatchSession;
// this window owns the sockets and timers and shows what the session reports.
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <string>
#include <string_view>

#include "engine/EngineHost.h"
#include "net/HostAddress.h"
#include "net/MatchSession.h"
#include "net/ReceiveQueue.h"
#include "view/ui/UserDialogs.h"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTcpServer;
class QTcpSocket;

namespace kelmaz {

class FomSock : public QWidget, public NetLink, private MatchWindow {
    Q_OBJECT
  public:
    using SettingReader = std::function<std::string(std::string_view key, std::string_view def)>;
    using SettingWriter = std::function<void(std::string_view key, std::string_view value)>;

    FomSock(GameState& state, MatchBoard& board, SettingReader readSetting,
            SettingWriter writeSetting, QWidget* parent = nullptr);
    ~FomSock() override;

    // Questions and notices go through these dialogs (message boxes unless replaced, e.g. by
    // tests); the replacement must outlive the window's use of it.
    void setDialogs(UserDialogs& dialogs) { dialogs_ = &dialogs; }

    // The main window's menu entry: loads the window on first use (placed level with the
    // main window's top, against its right edge), then shows it.
    void showFromMenu(const QRect& mainWindowGeometry);

    void SockIni();
    void ConnectYoukyu();
    void SdataSend(int selector) { session_.SdataSend(selector); }
    void Okiisi(int optionIndex) { session_.Okiisi(optionIndex); }

    // What the board engine and the settings dialog call during a match.
    void sendMove(int moveNumber) override;
    void announceHandicap(int optionIndex) override;

    MatchSession& session() { return session_; }
    bool loaded() const { return loaded_; }
    bool listening() const;
    int listenPort() const { return listenPort_; }
    int ActiveSocket() const { return activeSocket_; }
    int statusPictureShown() const { return picture_; }
    // The retry of a refused connection and the status picture's return to rest, for tests
    // that fire them instead of waiting.
    QTimer& reconnectTimer() { return Timer2; }
    QTimer& pictureTimer() { return Timer1; }
    QStringList logLines() const;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void buildControls();
    void Form_Load();
    void ArrangeMatchWindow();
    void ShowSendLamp() { showSent(); }
    void setPicture(int index);
    void startListening();
    void closeSocket(QPointer<QTcpSocket>& socket);
    void watchSocket(QTcpSocket* socket);
    QTcpSocket* activeSocket() const;

    // Event handlers.
    void Winsock1_ConnectionRequest();
    void Winsock1_DataArrival(QTcpSocket* socket);
    void socketClosed(QTcpSocket* socket);
    void TimerSock_Timer();
    void Timer1_Timer();
    void Timer2_Timer();
    void Cmdconnect_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();
    void Command8_Click();
    void Command9_Click();
    void Command10_Click();
    void Option1_Click(int index);
    void Option2_Click(int index);

    // MatchWindow.
    void send(const std::string& message) override;
    void log(const std::string& line) override;
    bool ask(const std::string& question) override;
    void inform(const std::string& text) override;
    void showTakeBackRequest(const std::string& phrase) override;
    void showConnected() override;
    void showReceived() override;
    void showSent() override;
    void closeAndListen() override;

    GameState& state_;
    MatchBoard& board_;
    SettingReader readSetting_;
    SettingWriter writeSetting_;
    MessageBoxDialogs ownDialogs_{this};
    UserDialogs* dialogs_ = &ownDialogs_;
    MatchSession session_;
    ReceiveQueue queue_;

    QTcpServer* server_;             // socket 0 while listening
    QPointer<QTcpSocket> accepted_;  // socket 0 once a connection was accepted
    QPointer<QTcpSocket> outgoing_;  // socket 1
    HostAddress remote_;
    int listenPort_ = kDefaultMatchPort;
    int activeSocket_ = 0;
    bool loaded_ = false;
    bool dispatching_ = false;
    bool peerClosed_ = false;
    int picture_ = 0;

    QTimer Timer1, Timer2, TimerSock;

    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* Txtip = nullptr;
    QLabel* LblPort = nullptr;
    QLineEdit* Txtport = nullptr;
    QPushButton* Command2 = nullptr;
    QWidget* Line1 = nullptr;
    QWidget* Line2 = nullptr;
    QListWidget* List2 = nullptr;
    QLineEdit* Text2 = nullptr;
    QPushButton* Command4 = nullptr;
    QLabel* Picture1 = nullptr;
    QLabel* LblSize = nullptr;  // this copy's board size
    QPushButton* Cmdconnect = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command10 = nullptr;
    QPushButton* Command5 = nullptr;
    QPushButton* Command6 = nullptr;
    QGroupBox* FrmMata = nullptr;
    QLineEdit* Text1 = nullptr;
    QButtonGroup* Option1 = nullptr;
    QGroupBox* FrmMatta = nullptr;
    QLabel* Lblmata = nullptr;
    QLineEdit* Text3 = nullptr;
    QButtonGroup* Option2 = nullptr;
};

}  // namespace kelmaz
