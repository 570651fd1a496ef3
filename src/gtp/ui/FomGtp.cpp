#include "gtp/ui/FomGtp.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cstdlib>

#include "gtp/GtpCommand.h"
#include "gtp/ui/GtpProcess.h"
#include "view/ui/QtText.h"
#include "view/ui/ScreenTwips.h"

namespace kelmaz {

namespace {

QString colourName(int colour) {
    return colour == kWhite ? QStringLiteral("白") : QStringLiteral("黒");
}

std::string colourLetter(int colour) { return colour == kWhite ? "W" : "B"; }

QButtonGroup* radioRow(QWidget* parent, QHBoxLayout* row, const QString& name,
                       const QStringList& labels, int checked) {
    auto* group = new QButtonGroup(parent);
    group->setObjectName(name);
    for (int i = 0; i < labels.size(); ++i) {
        auto* button = new QRadioButton(labels[i], parent);
        button->setObjectName(QStringLiteral("%1_%2").arg(name).arg(i));
        group->addButton(button, i);
        row->addWidget(button);
    }
    group->button(checked)->setChecked(true);
    return group;
}

}  // namespace

FomGtp::FomGtp(GameState& state, MatchBoard& board, GtpHost& host, SettingReader readSetting,
               SettingWriter writeSetting, QWidget* parent)
    : QWidget(parent),
      state_(state),
      board_(board),
      host_(host),
      readSetting_(std::move(readSetting)),
      writeSetting_(std::move(writeSetting)),
      process_(new GtpProcess(this)) {
    setObjectName("FomGtp");
    setWindowTitle("コンピューター対局");
    buildControls();
    connect(process_, &GtpProcess::output, this, [this](const QByteArray& bytes) {
        if (playing_ && game_) handle(game_->feed(std::string_view(bytes.data(), bytes.size())));
    });
    connect(process_, &GtpProcess::failed, this, [this](const QString& message) {
        if (playing_) failGame(message);
    });
    updateControls();
}

FomGtp::~FomGtp() {
    if (playing_) endGame();
}

void FomGtp::buildControls() {
    auto* layout = new QVBoxLayout(this);
    auto* settings = new QGroupBox(this);
    auto* grid = new QGridLayout(settings);
    int line = 0;

    const char* path = std::getenv("PATH");
    TxtCommand = new QLineEdit(qs(readSetting_("GtpCommand", defaultGtpCommand(path ? path : ""))),
                               settings);
    TxtCommand->setObjectName("TxtCommand");
    TxtCommand->setAccessibleName(QStringLiteral("思考エンジン"));
    grid->addWidget(new QLabel(QStringLiteral("思考エンジン"), settings), line, 0);
    grid->addWidget(TxtCommand, line++, 1);

    auto* colours = new QHBoxLayout;
    OptColour = radioRow(settings, colours, "OptColour", {"黒", "白"}, 0);
    grid->addWidget(new QLabel(QStringLiteral("自分の石"), settings), line, 0);
    grid->addLayout(colours, line++, 1);

    SpinKomi = new QDoubleSpinBox(settings);
    SpinKomi->setObjectName("SpinKomi");
    SpinKomi->setAccessibleName(QStringLiteral("コミ"));
    SpinKomi->setRange(-100, 100);
    SpinKomi->setDecimals(1);
    SpinKomi->setSingleStep(0.5);
    SpinKomi->setValue(6.5);
    grid->addWidget(new QLabel(QStringLiteral("コミ"), settings), line, 0);
    grid->addWidget(SpinKomi, line++, 1);

    CboHandicap = new QComboBox(settings);
    CboHandicap->setObjectName("CboHandicap");
    CboHandicap->setAccessibleName(QStringLiteral("置石"));
    CboHandicap->addItem(QStringLiteral("なし"));
    for (int k = 2; k <= 17; ++k) CboHandicap->addItem(QStringLiteral("%1子").arg(k));
    grid->addWidget(new QLabel(QStringLiteral("置石"), settings), line, 0);
    grid->addWidget(CboHandicap, line++, 1);

    auto* sizes = new QHBoxLayout;
    const int storedSize = std::atoi(readSetting_("Ban", "0").c_str());
    OptSize = radioRow(settings, sizes, "OptSize", {"19路盤", "13路盤", " 9路盤"},
                       storedSize >= 0 && storedSize <= 2 ? storedSize : 0);
    grid->addWidget(new QLabel(QStringLiteral("碁盤"), settings), line, 0);
    grid->addLayout(sizes, line++, 1);

    auto* from = new QHBoxLayout;
    OptFrom = radioRow(settings, from, "OptFrom", {"空の盤から", "盤の局面から"}, 0);
    grid->addWidget(new QLabel(QStringLiteral("開始局面"), settings), line, 0);
    grid->addLayout(from, line++, 1);
    layout->addWidget(settings);

    auto* buttons = new QHBoxLayout;
    auto button = [&](QPushButton*& field, const char* name, const QString& text,
                      void (FomGtp::*slot)()) {
        field = new QPushButton(text, this);
        field->setObjectName(name);
        connect(field, &QPushButton::clicked, this, slot);
        buttons->addWidget(field);
    };
    button(CmdStart, "CmdStart", QStringLiteral("開始"), &FomGtp::CmdStart_Click);
    button(CmdMatta, "CmdMatta", QStringLiteral("待った"), &FomGtp::CmdMatta_Click);
    button(CmdPass, "CmdPass", QStringLiteral("パス"), &FomGtp::CmdPass_Click);
    button(CmdResign, "CmdResign", QStringLiteral("投了"), &FomGtp::CmdResign_Click);
    button(CmdScore, "CmdScore", QStringLiteral("形勢判断"), &FomGtp::CmdScore_Click);
    layout->addLayout(buttons);

    auto* thinking = new QHBoxLayout;
    LblThinking = new QLabel(QStringLiteral("考慮中..."), this);
    LblThinking->setObjectName("LblThinking");
    thinking->addWidget(LblThinking);
    thinking->addStretch();
    CmdStop = new QPushButton(QStringLiteral("中断"), this);
    CmdStop->setObjectName("CmdStop");
    connect(CmdStop, &QPushButton::clicked, this, &FomGtp::CmdStop_Click);
    thinking->addWidget(CmdStop);
    layout->addLayout(thinking);

    LstLog = new QListWidget(this);
    LstLog->setObjectName("LstLog");
    LstLog->setAccessibleName(QStringLiteral("対局の記録"));
    layout->addWidget(LstLog, 1);
    resize(twipsToPixels(6400), twipsToPixels(6000));
}

void FomGtp::setReplyLimitMs(int ms) { process_->setReplyLimitMs(ms); }

void FomGtp::showFromMenu(const QRect& mainWindowGeometry) {
    if (!loaded_) {
        loaded_ = true;
        placeBeside(*this, mainWindowGeometry, size());
    }
    show();
    raise();
}

bool FomGtp::thinking() const { return playing_ && game_ && game_->busy(); }

QStringList FomGtp::logLines() const {
    QStringList lines;
    for (int i = 0; i < LstLog->count(); ++i) lines << LstLog->item(i)->text();
    return lines;
}

void FomGtp::log(const QString& line) {
    LstLog->addItem(line);
    LstLog->scrollToBottom();
}

void FomGtp::updateControls() {
    const bool busy = thinking();
    const bool idle = playing_ && !busy;
    for (QWidget* setting : {static_cast<QWidget*>(TxtCommand), static_cast<QWidget*>(SpinKomi),
                             static_cast<QWidget*>(CboHandicap)})
        setting->setEnabled(!playing_);
    for (QButtonGroup* group : {OptColour, OptSize, OptFrom})
        for (QAbstractButton* b : group->buttons()) b->setEnabled(!playing_);
    CmdStart->setEnabled(!playing_);
    CmdMatta->setEnabled(idle);
    CmdPass->setEnabled(idle);
    CmdScore->setEnabled(idle);
    CmdResign->setEnabled(playing_);
    CmdStop->setEnabled(playing_);
    LblThinking->setVisible(busy);
}

// ---- buttons ----

void FomGtp::CmdStart_Click() {
    if (playing_) return;
    if (state_.NetMatchActive) {
        dialogs_->inform(windowTitle(), QStringLiteral("ネットワーク対戦中は開始できません"));
        return;
    }
    // A new game clears the board; a game from the position shown goes on from its record.
    if (OptFrom->checkedId() == 0 && !board_.mayDiscardRecord()) return;
    const QString command = TxtCommand->text().trimmed();
    writeSetting_("GtpCommand", command.toStdString());
    userColour_ = OptColour->checkedId() == 1 ? kWhite : kBlack;
    engineColour_ = userColour_ == kBlack ? kWhite : kBlack;
    handicap_ = 0;
    if (OptFrom->checkedId() == 0) {
        host_.selectBoardSize(OptSize->checkedId());
        board_.clearBoard();
        if (CboHandicap->currentIndex() > 0) {
            board_.selectHandicap(CboHandicap->currentIndex());
            handicap_ = CboHandicap->currentIndex() + 1;
        }
        host_.setGameInfo(InfoField::HA, handicap_ ? std::to_string(handicap_) : "");
    }
    const double komi = SpinKomi->value();
    host_.setGameInfo(InfoField::KM, QString::number(komi).toStdString());
    host_.setGameInfo(InfoField::RE, "");
    host_.useAlternateStones();

    playing_ = true;
    endingByPasses_ = false;
    startCount_ = state_.MoveCount;
    movesKnown_ = state_.MoveCount;
    state_.NetMatchActive = true;
    state_.NetMyColour = userColour_;
    board_.setBoardButtonsEnabled(false);
    host_.routeMoves(this);
    game_ = std::make_unique<GtpGame>(state_);
    log(QStringLiteral("開始:%1 (%2番)").arg(command, colourName(userColour_)));
    // A program that is missing is reported at once and has ended the game.
    if (!process_->start(command) || !playing_) return;
    handle(game_->start(handicap_, komi));
}

void FomGtp::CmdMatta_Click() {
    if (!playing_ || thinking() || recordChanged()) return;
    // The engine's last answer and the user's move before it, or the user's move alone.
    const int n = takeBackCount(state_, TakeBackSide::Asking);
    if (state_.MoveCount - n < startCount_) {
        log(QStringLiteral("待ったできる手がありません"));
        return;
    }
    handle(game_->takeBack(n));
}

void FomGtp::CmdPass_Click() {
    if (!playing_ || thinking() || recordChanged() || colourToPlay(state_) != userColour_) return;
    const int n = state_.MoveCount + 1;
    if (n + 1 > kMaxMoves) return;
    board_.record().playMove(n, kPassCoord, kPassCoord, userColour_, false);
    board_.redraw(1, n);
    log(QStringLiteral("送信:%1 パス").arg(colourName(userColour_)));
    endingByPasses_ = lastTwoArePasses();
    movesKnown_ = n;
    handle(game_->tellMove(n));
}

void FomGtp::CmdResign_Click() {
    if (!playing_ || !dialogs_->ask(windowTitle(), QStringLiteral("本当に投了しますか."))) return;
    log(QStringLiteral("送信:投了"));
    setResult(colourLetter(engineColour_) + "+R");
    endGame();
}

void FomGtp::CmdScore_Click() {
    if (!playing_ || thinking()) return;
    // The game goes on (two passes end it and score it finally): an estimate, no dead stones.
    handle(game_->score(ScoreKind::Estimate));
}

void FomGtp::CmdStop_Click() {
    if (!playing_) return;
    log(QStringLiteral("中断しました。対局を終了します"));
    endGame();
}

// ---- the user's moves ----

void FomGtp::sendMove(int moveNumber) {
    if (!playing_) return;
    if (moveNumber != movesKnown_ + 1) {
        recordChanged();
        return;
    }
    if (moveNumber == state_.MoveCount && state_.MoveColour[moveNumber] == userColour_ &&
        !thinking()) {
        log(QStringLiteral("送信:%1 %2")
                .arg(colourName(userColour_),
                     qs(vertexText(state_.MoveCol[moveNumber], state_.MoveRow[moveNumber],
                                   state_.BoardSize))));
        movesKnown_ = moveNumber;
        handle(game_->tellMove(moveNumber));
        return;
    }
    // A stone of the engine's colour (the stone choice "黒石" places black whatever the turn)
    // or one placed while the engine was still busy is taken off again.
    const bool enginesColour = state_.MoveColour[moveNumber] != userColour_;
    state_.MoveCount = moveNumber - 1;
    board_.record().cutAfter(state_.MoveCount);
    state_.NetMyColour = userColour_;
    board_.redraw(1, state_.MoveCount);
    log(enginesColour ? QStringLiteral("思考エンジンの手番です")
                      : QStringLiteral("思考エンジンの応答を待っています"));
}

// ---- the engine's replies ----

void FomGtp::handle(GtpOutcome outcome) {
    if (!playing_) return;
    if (outcome.kind != GtpOutcome::Kind::Pending) process_->replied();
    switch (outcome.kind) {
        case GtpOutcome::Kind::Pending:
            process_->send(outcome.send);
            break;
        case GtpOutcome::Kind::Ready:
            afterReady();
            break;
        case GtpOutcome::Kind::EngineMove:
            applyEngineMove(outcome);
            break;
        case GtpOutcome::Kind::TakenBack:
            applyTakeBack(outcome.takenBack);
            break;
        case GtpOutcome::Kind::Scored:
            showScore(outcome.score);
            break;
        case GtpOutcome::Kind::Failed:
            failGame(qs(outcome.message));
            break;
    }
    updateControls();
}

// The record was cleared, read anew or moved while the engine played on it (a menu command
// during the game): the engine's board no longer matches, so the game ends and the record
// stays as the user made it.
bool FomGtp::recordChanged() {
    if (state_.MoveCount == movesKnown_) return false;
    failGame(QStringLiteral("盤面が変わったため対局を終了しました"));
    return true;
}

void FomGtp::afterReady() {
    if (recordChanged()) return;
    if (endingByPasses_) {
        handle(game_->score());
    } else if (colourToPlay(state_) == engineColour_) {
        handle(game_->generate(engineColour_));
    }
}

void FomGtp::applyEngineMove(const GtpOutcome& outcome) {
    if (recordChanged()) return;
    if (outcome.move.kind == VertexKind::Resign) {
        log(QStringLiteral("受信:投了"));
        setResult(colourLetter(userColour_) + "+R");
        dialogs_->inform(windowTitle(), QStringLiteral("思考エンジンが投了しました。"));
        endGame();
        return;
    }
    const int n = state_.MoveCount + 1;
    if (outcome.move.kind == VertexKind::Pass) {
        board_.record().playMove(n, kPassCoord, kPassCoord, outcome.colour, false);
        log(QStringLiteral("受信:%1 パス").arg(colourName(outcome.colour)));
    } else {
        board_.record().playMove(n, outcome.move.col, outcome.move.row, outcome.colour, false);
        log(QStringLiteral("受信:%1 %2")
                .arg(colourName(outcome.colour),
                     qs(vertexText(outcome.move.col, outcome.move.row, state_.BoardSize))));
    }
    board_.redraw(1, n);
    movesKnown_ = n;
    if (lastTwoArePasses()) {
        endingByPasses_ = true;
        handle(game_->score());
    }
}

void FomGtp::applyTakeBack(int n) {
    if (recordChanged()) return;
    state_.MoveCount -= n;
    movesKnown_ = state_.MoveCount;
    board_.record().cutAfter(state_.MoveCount);
    board_.redraw(1, state_.MoveCount);
    log(QStringLiteral("待った:%1手戻しました").arg(n));
    afterReady();
}

void FomGtp::showScore(const GtpScore& score) {
    if (!score.known) {
        log(QStringLiteral("この思考エンジンは形勢判断ができません"));
    } else {
        log(QStringLiteral("形勢判断:%1").arg(qs(scoreText(score.result, score.kind))));
        state_.DeadMarks.clear();
        for (const GtpVertex& v : score.dead) state_.DeadMarks.emplace_back(v.col, v.row);
        host_.showDeadMarks();
    }
    if (!endingByPasses_) return;
    log(QStringLiteral("終局"));
    if (score.known) setResult(score.result);
    endGame();
}

void FomGtp::setResult(const std::string& re) { host_.setGameInfo(InfoField::RE, re); }

bool FomGtp::lastTwoArePasses() const {
    const int n = state_.MoveCount;
    return n >= 2 && state_.hasMove(n) && state_.hasMove(n - 1) &&
           !state_.onBoard(state_.MoveCol[n], state_.MoveRow[n]) &&
           !state_.onBoard(state_.MoveCol[n - 1], state_.MoveRow[n - 1]);
}

void FomGtp::failGame(const QString& message) {
    log(message);
    endGame();
    dialogs_->inform(windowTitle(), message);
}

void FomGtp::endGame() {
    if (!playing_) return;
    playing_ = false;
    endingByPasses_ = false;
    process_->end(game_->quitLine());
    state_.NetMatchActive = false;
    board_.setBoardButtonsEnabled(true);
    host_.routeMoves(nullptr);
    updateControls();
}

void FomGtp::closeEvent(QCloseEvent* event) {
    if (playing_) {
        log(QStringLiteral("中断しました。対局を終了します"));
        endGame();
    }
    event->accept();
}

}  // namespace kelmaz
