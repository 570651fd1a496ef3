#include "net/ui/FomSock.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QVBoxLayout>

#include "net/WireText.h"
#include "net/ui/StatusPictures.h"
#include "shell/SettingKeys.h"
#include "view/ui/QtText.h"
#include "view/ui/ScreenTwips.h"

namespace kelmaz {
namespace {

const QStringList kRequestPhrases = {"お願い一手待っていただけませんか？",
                                     "強いお兄様後生ですから一手だけお待ちください？",
                                     "この前はこちらが待ったから一手だけ待ってね？", "無し"};
const QStringList kAnswerPhrases = {"いいですよ", "１回だけですよ", "ダメ！",
                                    "待ったはあなたの為になりませんから。", "無し"};

std::string utf8(const QString& text) { return text.toStdString(); }

// Why a port could not be listened on, in words a user can act on.
QString listenFailure(const QTcpServer& server) {
    switch (server.serverError()) {
        case QAbstractSocket::SocketAccessError:
            return "権限がありません（1024 未満のポートは管理者専用です。ポート欄で変更できます）";
        case QAbstractSocket::AddressInUseError:
            return "他のプログラムが使用中です";
        default:
            return server.errorString();
    }
}

QButtonGroup* addOptions(QWidget* owner, QGridLayout* grid, int firstRow,
                         const QStringList& captions, const QString& name) {
    auto* group = new QButtonGroup(owner);
    group->setObjectName(name);
    for (int i = 0; i < captions.size(); ++i) {
        auto* option = new QRadioButton(captions[i]);
        option->setObjectName(name + QString::number(i));
        group->addButton(option, i);
        grid->addWidget(option, firstRow + i, 0, 1, 4);
    }
    return group;
}

}  // namespace

FomSock::FomSock(GameState& state, MatchBoard& board, SettingReader readSetting,
                 SettingWriter writeSetting, QWidget* parent)
    : QWidget(parent),
      state_(state),
      board_(board),
      readSetting_(std::move(readSetting)),
      writeSetting_(std::move(writeSetting)),
      session_(state, board, *this),
      server_(new QTcpServer(this)) {
    setObjectName("FomSock");
    setWindowTitle("ネットワーク対戦");
    buildControls();

    Timer1.setInterval(500);
    Timer2.setInterval(2000);
    Timer2.setSingleShot(true);
    TimerSock.setInterval(20);
    connect(&Timer1, &QTimer::timeout, this, &FomSock::Timer1_Timer);
    connect(&Timer2, &QTimer::timeout, this, &FomSock::Timer2_Timer);
    connect(&TimerSock, &QTimer::timeout, this, &FomSock::TimerSock_Timer);
    connect(server_, &QTcpServer::newConnection, this, &FomSock::Winsock1_ConnectionRequest);
}

FomSock::~FomSock() {
    // The sockets outlive the members of this class (they are deleted as children); they must
    // not report their closing to a window that is going away.
    for (QTcpSocket* socket : findChildren<QTcpSocket*>()) socket->disconnect(this);
}

void FomSock::buildControls() {
    Frame1 = new QGroupBox(this);
    Label1 = new QLabel("TCPIP又　は 　　コンピューター名", Frame1);
    Label1->setWordWrap(true);
    Txtip = new QLineEdit(Frame1);
    LblPort = new QLabel("ポート", Frame1);
    Txtport = new QLineEdit(Frame1);
    Command2 = new QPushButton("Set", Frame1);
    Line1 = new QFrame(Frame1);
    Line2 = new QFrame(Frame1);
    for (QWidget* line : {Line1, Line2}) {
        static_cast<QFrame*>(line)->setFrameShape(QFrame::HLine);
        static_cast<QFrame*>(line)->setFrameShadow(QFrame::Sunken);
    }
    List2 = new QListWidget(Frame1);
    Text2 = new QLineEdit(Frame1);
    Command4 = new QPushButton("送信", Frame1);
    Txtip->setAccessibleName(QStringLiteral("TCPIP又はコンピューター名"));
    Txtport->setAccessibleName(QStringLiteral("ポート"));
    List2->setAccessibleName(QStringLiteral("送受信の記録"));
    Text2->setAccessibleName(QStringLiteral("メッセージ"));

    Frame2 = new QGroupBox(this);
    Picture1 = new QLabel(Frame2);
    LblSize = new QLabel(Frame2);
    LblSize->setAccessibleName(QStringLiteral("碁盤の大きさ"));
    Cmdconnect = new QPushButton("開始", Frame2);
    Command3 = new QPushButton("待った", Frame2);
    Command10 = new QPushButton("投了", Frame2);
    Command5 = new QPushButton("CLS", Frame2);
    Command6 = new QPushButton("終了", Frame2);

    FrmMata = new QGroupBox("待った!", this);
    auto* mata = new QGridLayout(FrmMata);
    mata->addWidget(new QLabel("送る言葉"), 0, 0);
    Text1 = new QLineEdit(kRequestPhrases[0]);
    mata->addWidget(Text1, 0, 1, 1, 3);
    Option1 = addOptions(this, mata, 1, kRequestPhrases, "Option1");
    auto* Command1 = new QPushButton("待った送る");
    auto* Command7 = new QPushButton("やめとく");
    mata->addWidget(Command1, 5, 2);
    mata->addWidget(Command7, 5, 3);

    FrmMatta = new QGroupBox("相手からのお願いのメッセージ", this);
    auto* matta = new QGridLayout(FrmMatta);
    matta->addWidget(new QLabel("強いあなたに相手からのお願いの言葉が届いています。"), 0, 0, 1, 4);
    matta->addWidget(new QLabel("送る言葉"), 1, 0);
    Lblmata = new QLabel;
    matta->addWidget(Lblmata, 1, 1, 1, 3);
    matta->addWidget(new QLabel("返事"), 2, 0);
    Text3 = new QLineEdit(kAnswerPhrases[0]);
    matta->addWidget(Text3, 2, 1, 1, 3);
    Option2 = addOptions(this, matta, 3, kAnswerPhrases, "Option2");
    auto* Command8 = new QPushButton("OK");
    auto* Command9 = new QPushButton("拒否");
    matta->addWidget(Command8, 8, 2);
    matta->addWidget(Command9, 8, 3);
    matta->setVerticalSpacing(0);
    matta->setContentsMargins(6, 2, 6, 2);

    // Control names as the rest of the program and the tests address them.
    const std::pair<QObject*, const char*> names[] = {
        {Frame1, "Frame1"},     {Label1, "Label1"},       {Txtip, "Txtip"},
        {LblPort, "LblPort"},   {Txtport, "Txtport"},     {Command2, "Command2"},
        {List2, "List2"},       {Text2, "Text2"},         {Command4, "Command4"},
        {Frame2, "Frame2"},     {Picture1, "Picture1"},   {Cmdconnect, "Cmdconnect"},
        {Command3, "Command3"}, {Command10, "Command10"}, {Command5, "Command5"},
        {Command6, "Command6"}, {FrmMata, "FrmMata"},     {LblSize, "LblSize"},
        {Text1, "Text1"},       {Command1, "Command1"},   {Command7, "Command7"},
        {FrmMatta, "FrmMatta"}, {Lblmata, "Lblmata"},     {Text3, "Text3"},
        {Command8, "Command8"}, {Command9, "Command9"}};
    for (auto [object, name] : names) object->setObjectName(name);

    connect(Command2, &QPushButton::clicked, this, &FomSock::Command2_Click);
    connect(Command4, &QPushButton::clicked, this, &FomSock::Command4_Click);
    connect(Text2, &QLineEdit::returnPressed, this, &FomSock::Command4_Click);
    connect(Cmdconnect, &QPushButton::clicked, this, &FomSock::Cmdconnect_Click);
    connect(Command3, &QPushButton::clicked, this, &FomSock::Command3_Click);
    connect(Command10, &QPushButton::clicked, this, &FomSock::Command10_Click);
    connect(Command5, &QPushButton::clicked, this, &FomSock::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &FomSock::Command6_Click);
    connect(Command1, &QPushButton::clicked, this, &FomSock::Command1_Click);
    connect(Command7, &QPushButton::clicked, this, &FomSock::Command7_Click);
    connect(Command8, &QPushButton::clicked, this, &FomSock::Command8_Click);
    connect(Command9, &QPushButton::clicked, this, &FomSock::Command9_Click);
    connect(Option1, &QButtonGroup::idClicked, this, &FomSock::Option1_Click);
    connect(Option2, &QButtonGroup::idClicked, this, &FomSock::Option2_Click);

    // The panels cover Frame1 while they are shown.
    for (QGroupBox* panel : {FrmMata, FrmMatta}) {
        panel->setAutoFillBackground(true);
        panel->hide();
    }
    setPicture(0);
    resize(twipsToPixels(5800), twipsToPixels(4365));
}

void FomSock::showFromMenu(const QRect& mainWindowGeometry) {
    if (!loaded_) {
        Form_Load();
        placeBeside(*this, mainWindowGeometry, size());
    }
    setPicture(picture_);  // the board size may have changed while the window was hidden
    show();
    raise();
}

void FomSock::Form_Load() {
    loaded_ = true;
    resize(twipsToPixels(5800), twipsToPixels(4365));
    ArrangeMatchWindow();
    Txtip->setText(qs(readSetting_(key::kMatchAddress, "none")));
    Txtport->setText(qs(readSetting_(key::kMatchPort, std::to_string(kDefaultMatchPort))));
    List2->clear();
    FrmMata->hide();
    FrmMatta->hide();
    SockIni();
}

void FomSock::ArrangeMatchWindow() {
    const int margin = twipsToPixels(100), gap = 4, row = 24;
    const int barHeight = row + 2 * gap + 4;
    int innerWidth = std::max(width() - 2 * margin, 200);
    int frameHeight = std::max(height() - 2 * margin - barHeight - gap, 120);
    Frame1->setGeometry(margin, margin, innerWidth, frameHeight);
    Frame2->setGeometry(margin, margin + frameHeight + gap, innerWidth, barHeight);

    int setWidth = 40, labelWidth = 110, portLabelWidth = 40, portWidth = 56;
    Label1->setGeometry(gap, gap, labelWidth, row + 6);
    Command2->setGeometry(innerWidth - gap - setWidth, gap + 3, setWidth, row);
    const int portLeft = innerWidth - 2 * gap - setWidth - portWidth;
    Txtport->setGeometry(portLeft, gap + 3, portWidth, row);
    LblPort->setGeometry(portLeft - gap - portLabelWidth, gap + 3, portLabelWidth, row);
    Txtip->setGeometry(labelWidth + 2 * gap, gap + 3, LblPort->x() - 2 * gap - labelWidth - gap,
                       row);
    int lineTop = gap + row + 10;
    Line1->setGeometry(gap, lineTop, innerWidth - 2 * gap, 2);
    Line2->setGeometry(gap, lineTop + 3, innerWidth - 2 * gap, 2);
    int chatTop = frameHeight - gap - row;
    List2->setGeometry(gap, lineTop + 8, innerWidth - 2 * gap, chatTop - lineTop - 8 - gap);
    Command4->setGeometry(innerWidth - gap - 50, chatTop, 50, row);
    Text2->setGeometry(gap, chatTop, innerWidth - 3 * gap - 50, row);

    Picture1->setGeometry(twipsToPixels(100), (barHeight - twipsToPixels(315)) / 2,
                          twipsToPixels(345), twipsToPixels(315));
    int left = twipsToPixels(100) + twipsToPixels(345) + gap;
    const int sizeWidth = 44;
    LblSize->setGeometry(left, (barHeight - row) / 2, sizeWidth, row);
    left += sizeWidth + gap;
    int buttonWidth = (innerWidth - left - gap * 5) / 5;
    for (QPushButton* button : {Cmdconnect, Command3, Command10, Command5, Command6}) {
        button->setGeometry(left, (barHeight - row) / 2, buttonWidth, row);
        left += buttonWidth + gap;
    }
    for (QGroupBox* panel : {FrmMata, FrmMatta})
        if (panel->isVisible()) panel->setGeometry(Frame1->geometry());
}

void FomSock::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    ArrangeMatchWindow();
}

void FomSock::setPicture(int index) {
    picture_ = index;
    // Every change of the picture comes with a match event; the size shown follows the board.
    LblSize->setText(QString::number(state_.BoardSize) + QStringLiteral("路盤"));
    Picture1->setPixmap(statusPicture(index, twipsToPixels(345), twipsToPixels(315)));
}

// ---- Sockets ----

void FomSock::SockIni() {
    listenPort_ = parsePort(readSetting_(key::kMatchPort, std::to_string(kDefaultMatchPort)))
                      .value_or(kDefaultMatchPort);
    startListening();
    remote_ = parseHostAddress(utf8(Txtip->text()), listenPort_);
}

void FomSock::startListening() {
    if (server_->isListening()) return;
    if (!server_->listen(QHostAddress::Any, static_cast<quint16>(listenPort_)))
        log("待ち受けできません（ポート " + std::to_string(listenPort_) +
            "）: " + utf8(listenFailure(*server_)));
}

bool FomSock::listening() const { return server_->isListening(); }

void FomSock::watchSocket(QTcpSocket* socket) {
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] { Winsock1_DataArrival(socket); });
    connect(socket, &QTcpSocket::disconnected, this, [this, socket] { socketClosed(socket); });
}

void FomSock::closeSocket(QPointer<QTcpSocket>& socket) {
    if (!socket) return;
    QTcpSocket* closing = socket;
    socket = nullptr;
    closing->disconnect(this);
    // A graceful close, so that a message written just before still reaches the peer.
    closing->disconnectFromHost();
    if (closing->state() == QAbstractSocket::UnconnectedState)
        closing->deleteLater();
    else
        connect(closing, &QTcpSocket::disconnected, closing, &QObject::deleteLater);
}

QTcpSocket* FomSock::activeSocket() const {
    return activeSocket_ == 0 ? accepted_.data() : outgoing_.data();
}

void FomSock::Winsock1_ConnectionRequest() {
    while (QTcpSocket* pending = server_->nextPendingConnection()) {
        if (state_.NetMatchActive) {
            // A third copy must not take over a running match (and clear its board).
            pending->abort();
            pending->deleteLater();
            continue;
        }
        closeSocket(accepted_);
        accepted_ = pending;
        watchSocket(pending);
        activeSocket_ = 0;
        peerClosed_ = false;
        server_->close();  // no listening while the match runs
        show();
        session_.connectionAccepted();
    }
}

void FomSock::ConnectYoukyu() {
    if (state_.NetMatchActive) return;
    // The peer is the one in the boxes now, even when "Set" was not pressed after typing it.
    remote_ = parseHostAddress(utf8(Txtip->text()),
                               parsePort(utf8(Txtport->text())).value_or(listenPort_));
    closeSocket(outgoing_);
    outgoing_ = new QTcpSocket(this);
    watchSocket(outgoing_);
    outgoing_->connectToHost(qs(remote_.host), static_cast<quint16>(remote_.port));
    activeSocket_ = 1;
    Timer2.start();
}

void FomSock::Timer2_Timer() {
    Timer2.stop();
    if (!state_.NetMatchActive) ConnectYoukyu();
}

void FomSock::Winsock1_DataArrival(QTcpSocket* socket) {
    QByteArray bytes = socket->readAll();
    queue_.receive(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    TimerSock.start();
}

void FomSock::socketClosed(QTcpSocket* socket) {
    // A peer that goes away without "#Disconnect" ends the match as if it had sent it, after
    // whatever it sent before.
    if (!state_.NetMatchActive || socket != activeSocket()) return;
    peerClosed_ = true;
    TimerSock.start();
}

void FomSock::TimerSock_Timer() {
    if (dispatching_) return;  // a question of the dispatcher is open; the queue waits
    std::optional<std::string> message = queue_.next();
    if (!message && peerClosed_) {
        peerClosed_ = false;
        if (state_.NetMatchActive) message = "Disconnect";
    }
    if (!message) {
        TimerSock.stop();
        return;
    }
    dispatching_ = true;
    session_.HandleMatchMessage(*message);
    dispatching_ = false;
}

void FomSock::Timer1_Timer() {
    Timer1.stop();
    setPicture(1);
}

// ---- MatchWindow ----

void FomSock::send(const std::string& message) {
    QTcpSocket* socket = activeSocket();
    if (!socket || socket->state() != QAbstractSocket::ConnectedState) return;
    std::string bytes = toWire(message);
    socket->write(bytes.data(), static_cast<qint64>(bytes.size()));
    socket->flush();
}

void FomSock::log(const std::string& line) {
    List2->addItem(qs(line));
    List2->scrollToBottom();
}

QStringList FomSock::logLines() const {
    QStringList lines;
    for (int i = 0; i < List2->count(); ++i) lines << List2->item(i)->text();
    return lines;
}

bool FomSock::ask(const std::string& question) {
    return dialogs_->ask(windowTitle(), qs(question));
}
void FomSock::inform(const std::string& text) { dialogs_->inform(windowTitle(), qs(text)); }

void FomSock::showTakeBackRequest(const std::string& phrase) {
    Lblmata->setText(qs(phrase));
    FrmMatta->setGeometry(Frame1->geometry());
    FrmMatta->show();
    FrmMatta->raise();
}

void FomSock::showConnected() {
    Timer2.stop();
    setPicture(1);
}

void FomSock::showReceived() {
    setPicture(2);
    Timer1.start();
}

void FomSock::showSent() {
    setPicture(3);
    Timer1.start();
}

void FomSock::closeAndListen() {
    closeSocket(outgoing_);
    closeSocket(accepted_);
    peerClosed_ = false;
    startListening();
}

// ---- Buttons ----

void FomSock::Command2_Click() {
    // The sockets a match runs on are about to close: the match ends first, as "終了" ends it,
    // so that "開始" and incoming connections work again afterwards.
    if (!session_.endMatch(false)) return;
    board_.setBoardButtonsEnabled(true);
    Timer2.stop();
    writeSetting_(key::kMatchAddress, utf8(Txtip->text()));
    if (const auto port = parsePort(utf8(Txtport->text())))
        writeSetting_(key::kMatchPort, std::to_string(*port));
    closeSocket(accepted_);
    closeSocket(outgoing_);
    server_->close();
    SockIni();
}

void FomSock::Cmdconnect_Click() {
    if (!board_.mayDiscardRecord()) return;
    board_.clearBoard();
    ConnectYoukyu();
    if (!state_.NetMatchActive)
        log("接続中: " + remote_.host + " ポート " + std::to_string(remote_.port));
}

void FomSock::Command4_Click() {
    if (session_.sendChat(utf8(Text2->text()))) Text2->clear();
}

void FomSock::Command3_Click() {
    FrmMata->setGeometry(Frame1->geometry());
    FrmMata->show();
    FrmMata->raise();
}

void FomSock::Option1_Click(int index) { Text1->setText(index < 3 ? kRequestPhrases[index] : ""); }

void FomSock::Command1_Click() {
    session_.requestTakeBack(utf8(Text1->text()), utf8(Text2->text()));
    Text2->clear();
    FrmMata->hide();
}

void FomSock::Command7_Click() { FrmMata->hide(); }

void FomSock::Option2_Click(int index) { Text3->setText(index < 4 ? kAnswerPhrases[index] : ""); }

void FomSock::Command8_Click() {
    FrmMatta->hide();
    session_.grantTakeBack(utf8(Text3->text()));
}

void FomSock::Command9_Click() {
    FrmMatta->hide();
    session_.refuseTakeBack(utf8(Text3->text()));
}

void FomSock::Command10_Click() {
    if (session_.resign(utf8(Text3->text()), utf8(Text2->text()))) FrmMatta->hide();
}

void FomSock::Command5_Click() {
    if (board_.mayDiscardRecord()) session_.requestClear();
}

void FomSock::Command6_Click() {
    if (!session_.endMatch(true)) return;
    List2->clear();
    hide();
    board_.setBoardButtonsEnabled(true);
}

void FomSock::closeEvent(QCloseEvent* event) {
    if (!session_.endMatch(false)) {
        event->ignore();  // the match goes on
        return;
    }
    board_.setBoardButtonsEnabled(true);
    // The window is unloaded: it stops listening until the menu loads it again.
    Timer1.stop();
    Timer2.stop();
    TimerSock.stop();
    closeSocket(accepted_);
    closeSocket(outgoing_);
    server_->close();
    queue_.clear();
    loaded_ = false;
    event->accept();
}

// ---- NetLink ----

void FomSock::sendMove(int /*moveNumber*/) { SdataSend(1); }
void FomSock::announceHandicap(int optionIndex) { Okiisi(optionIndex); }

}  // namespace kelmaz
