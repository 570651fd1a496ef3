#include "view/ui/FomMain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QToolButton>
#include <utility>

#include "engine/BoardOptions.h"
#include "engine/Engine.h"
#include "engine/GameState.h"
#include "shell/SettingKeys.h"
#include "shell/SettingsStore.h"
#include "shell/StartupSettings.h"
#include "view/BoardGeometry.h"
#include "view/ui/BoardImage.h"
#include "view/ui/BoardView.h"
#include "view/ui/ButtonPictures.h"
#include "view/ui/MainWindowHost.h"
#include "view/ui/QtText.h"
#include "view/ui/ScreenTwips.h"

namespace kelmaz {

namespace {

QRect pxRect(const TwipRect& r) {
    return {twipsToPixels(r.left), twipsToPixels(r.top), twipsToPixels(r.width),
            twipsToPixels(r.height)};
}

}  // namespace

FomMain::FomMain(GameState& state, BoardOptions& options, SettingsStore& settings,
                 MainWindowHost& host)
    : state_(state), options_(options), settings_(settings), host_(host) {
    setObjectName(QStringLiteral("FomMain"));
    board_ = new BoardView(state, options, this);
    setCentralWidget(board_);
    connect(board_, &BoardView::leftClicked, this, &FomMain::onBoardClicked);
    connect(board_, &BoardView::leftDragged, this, &FomMain::onBoardDragged);
    connect(board_, &BoardView::otherClicked, this, [this](const QPoint& at) { Mcont->popup(at); });
    connect(board_, &BoardView::wheelTurned, this, &FomMain::onWheelTurned);

    buildPanel();
    buildVersionPanel();
    buildMenus();
    buildTabOrder();

    Timer1.setSingleShot(true);
    connect(&Timer1, &QTimer::timeout, this, &FomMain::Timer1_Timer);
    TimerSlow.setSingleShot(true);
    connect(&TimerSlow, &QTimer::timeout, this, [this] { engine().replayTick(); });
    Timer3.setSingleShot(true);
    Timer3.setInterval(500);
    connect(&Timer3, &QTimer::timeout, this, [this] { Command3->setEnabled(true); });

    // Records come in as files dropped on the window and as text pasted on the board (the
    // text boxes keep Ctrl+V for themselves while they have the focus).
    setAcceptDrops(true);
    auto* paste = new QShortcut(QKeySequence::Paste, this);
    connect(paste, &QShortcut::activated, this, [this] { host_.pasteRecord(); });
    // The keys of reading and writing open the file window, where they read and write.
    for (const QKeySequence::StandardKey key : {QKeySequence::Open, QKeySequence::Save}) {
        auto* shortcut = new QShortcut(key, this);
        connect(shortcut, &QShortcut::activated, this, [this] { host_.showFileWindow(); });
    }
    setMinimumWidth(twipsToPixels(kMinWindowWidth));
}

FomMain::~FomMain() = default;

void FomMain::buildPanel() {
    Frame1 = new QFrame(board_);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::StyledPanel);
    Text1 = new QLineEdit(Frame1);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setAccessibleName(QStringLiteral("手数"));
    Text1->setToolTip(QStringLiteral("手数"));
    Text1->setAlignment(Qt::AlignRight);
    TxtKaisetu = new QPlainTextEdit(Frame1);
    TxtKaisetu->setObjectName(QStringLiteral("TxtKaisetu"));
    TxtKaisetu->setAccessibleName(QStringLiteral("解説"));

    // The buttons carry pictures; their names (tooltip and accessible name) are the captions
    // of the same commands in the menus.
    const auto button = [this](const char* name, ButtonPicture picture, const QString& caption,
                               void (FomMain::*slot)()) {
        auto* b = new QToolButton(Frame1);
        b->setObjectName(QLatin1String(name));
        b->setIcon(buttonPicture(picture));
        b->setToolTip(caption);
        b->setAccessibleName(caption);
        b->setAutoRaise(false);
        connect(b, &QToolButton::clicked, this, slot);
        return b;
    };
    Command6 = button("Command6", ButtonPicture::GoTo, QStringLiteral("指定手へ"),
                      &FomMain::Command6_Click);
    Command7 =
        button("Command7", ButtonPicture::First, QStringLiteral("初手"), &FomMain::Command7_Click);
    Command2 = button("Command2", ButtonPicture::Back, QStringLiteral("一手戻し"),
                      &FomMain::Command2_Click);
    Command5 = button("Command5", ButtonPicture::Forward, QStringLiteral("次の手"),
                      &FomMain::Command5_Click);
    Command8 =
        button("Command8", ButtonPicture::Last, QStringLiteral("最終手"), &FomMain::Command8_Click);
    Command9 =
        button("Command9", ButtonPicture::Replay, QStringLiteral("再現"), &FomMain::Saigen_Click);
    Command4 =
        button("Command4", ButtonPicture::Stop, QStringLiteral("停止"), &FomMain::Saigen_Click);
    Command4->hide();
    Command3 = button("Command3", ButtonPicture::NewWindow,
                      QStringLiteral("新しいウィンドウの作成"), &FomMain::Command3_Click);
    Command1 = button("Command1", ButtonPicture::Clear, QStringLiteral("画面消去"),
                      &FomMain::Command1_Click);
    connect(Text1, &QLineEdit::returnPressed, this, &FomMain::Command6_Click);
    // The text boxes keep the stepping keys for their own editing, and give the focus back to
    // the board on Esc.
    Text1->installEventFilter(this);
    TxtKaisetu->installEventFilter(this);
    connect(TxtKaisetu, &QPlainTextEdit::textChanged, this, [this] {
        if (!showingCommentary_) engine().commentaryTyped(commentaryText());
    });
}

// Tab runs from the board through the panel from left to right, then to the commentary.
void FomMain::buildTabOrder() {
    QWidget* order[] = {board_,   Text1,    Command6, Command7, Command2, Command5,
                        Command8, Command9, Command4, Command3, Command1, TxtKaisetu};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

// The key runs the command as its button does where the command has one, so that it rests
// while the button does (during a network match), else as the menu item does. The menu shows
// the key beside the item; the item answers it itself only while the menu has the focus.
void FomMain::addStepKey(QAction* item, const QKeySequence& key, QAbstractButton* button) {
    item->setShortcut(key);
    item->setShortcutContext(Qt::WidgetShortcut);
    auto* shortcut = new QShortcut(key, this);
    connect(shortcut, &QShortcut::activated, this, [item, button] {
        if (button) {
            button->click();
        } else {
            item->trigger();
        }
    });
    stepKeys_.append(key);
}

bool FomMain::isStepKey(const QKeyEvent& event) const {
    const QKeySequence key(QKeyCombination(event.modifiers() & ~Qt::KeypadModifier,
                                           static_cast<Qt::Key>(event.key())));
    return stepKeys_.contains(key);
}

// The wheel steps one move per notch, as the one-back and one-forward buttons do.
void FomMain::onWheelTurned(int notches) {
    QToolButton* button = notches < 0 ? Command2 : Command5;
    for (int i = std::abs(notches); i > 0; --i) button->click();
}

void FomMain::buildVersionPanel() {
    Frame2 = new QFrame(board_);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Frame2->setFrameShape(QFrame::Box);
    Frame2->setAutoFillBackground(true);
    Label1 = new QLabel(QStringLiteral("Ver " KELMAZ_VERSION), Frame2);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    Command10 = new QPushButton(QStringLiteral("OK"), Frame2);
    Command10->setObjectName(QStringLiteral("Command10"));
    connect(Command10, &QPushButton::clicked, Frame2, &QWidget::hide);
    Frame2->hide();
}

QAction* FomMain::addCommand(QMenu* menu, const char* name, const QString& caption,
                             void (FomMain::*slot)()) {
    QAction* action = menu ? menu->addAction(caption) : menuBar()->addAction(caption);
    action->setObjectName(QLatin1String(name));
    if (slot) connect(action, &QAction::triggered, this, slot);
    return action;
}

void FomMain::buildMenus() {
    QAction* file = addCommand(nullptr, "Mfile", QStringLiteral("ﾌｧｲﾙ(&F)"), nullptr);
    connect(file, &QAction::triggered, this, [this] { host_.showFileWindow(); });

    QMenu* options = menuBar()->addMenu(QStringLiteral("オプション(&O)"));
    options->setObjectName(QStringLiteral("Moption"));
    QAction* settings = addCommand(options, "Msetei", QStringLiteral("設定表示"), nullptr);
    connect(settings, &QAction::triggered, this, [this] { host_.showSettingsWindow(); });
    QAction* browser = addCommand(options, "mbraw", QStringLiteral("ブラウザ表示"), nullptr);
    connect(browser, &QAction::triggered, this, [this] { host_.showBrowserWindow(); });
    addCommand(options, "mImage", QStringLiteral("盤面を画像で保存"),
               &FomMain::saveBoardImage_Click);
    QAction* print = addCommand(options, "mPrint", QStringLiteral("棋譜の印刷"), nullptr);
    print->setShortcut(QKeySequence::Print);
    connect(print, &QAction::triggered, this, [this] { host_.showPrintWindow(); });
    QAction* viewer = addCommand(options, "mSgfViewer", QStringLiteral("SGF手順ﾋﾞｭｱｰ"), nullptr);
    viewer->setCheckable(true);
    connect(viewer, &QAction::triggered, this,
            [this](bool checked) { host_.showSequenceViewer(checked); });
    QAction* library = addCommand(options, "mLibrary", QStringLiteral("棋譜データベース"), nullptr);
    connect(library, &QAction::triggered, this, [this] { host_.showLibraryWindow(); });

    Mcont = menuBar()->addMenu(QStringLiteral("コントロール(&C)"));
    Mcont->setObjectName(QStringLiteral("Mcont"));
    addCommand(Mcont, "mcls", QStringLiteral("画面消去"), &FomMain::mcls_Click);
    Mcont->addSeparator();
    mUndo = addCommand(Mcont, "mUndo", QStringLiteral("元に戻す"), nullptr);
    mUndo->setShortcut(QKeySequence::Undo);
    connect(mUndo, &QAction::triggered, this, [this] { host_.undo(); });
    mRedo = addCommand(Mcont, "mRedo", QStringLiteral("やり直し"), nullptr);
    mRedo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(mRedo, &QAction::triggered, this, [this] { host_.redo(); });
    updateUndoRedo();
    Mcont->addSeparator();
    addStepKey(addCommand(Mcont, "msyote", QStringLiteral("初手"), &FomMain::Command7_Click),
               Qt::Key_Home, Command7);
    addStepKey(addCommand(Mcont, "mitte", QStringLiteral("一手戻し"), &FomMain::Command2_Click),
               Qt::Key_Left, Command2);
    addStepKey(addCommand(Mcont, "mm10", QStringLiteral("10手戻し"), &FomMain::mm10_Click),
               Qt::Key_PageUp, nullptr);
    addStepKey(addCommand(Mcont, "mtugi", QStringLiteral("次の手"), &FomMain::Command5_Click),
               Qt::Key_Right, Command5);
    addStepKey(addCommand(Mcont, "ms10", QStringLiteral("10手進め"), &FomMain::ms10_Click),
               Qt::Key_PageDown, nullptr);
    addStepKey(addCommand(Mcont, "Msaisyute", QStringLiteral("最終手"), &FomMain::Command8_Click),
               Qt::Key_End, Command8);
    Mcont->addSeparator();
    QAction* newWindow =
        addCommand(Mcont, "Mmnew", QStringLiteral("新しいウィンドウの作成"), &FomMain::Mmnew_Click);
    newWindow->setShortcut(QKeySequence::New);
    Mcont->addSeparator();
    addCommand(Mcont, "msaigen", QStringLiteral("自動再現"), &FomMain::Saigen_Click);
    addCommand(Mcont, "msstop", QStringLiteral("再現ストップ"), nullptr);
    addCommand(Mcont, "Msaisyu", QStringLiteral("再現終了"), nullptr);
    Mcont->addSeparator();
    addCommand(Mcont, "gkaiten", QStringLiteral("画面回転１８０°"), &FomMain::gkaiten_Click);
    mhyouji =
        addCommand(Mcont, "mhyouji", QStringLiteral("コントロールの表示"), &FomMain::mhyouji_Click);
    mhyouji->setCheckable(true);
    mhyouji->setChecked(true);
    mSGF = addCommand(Mcont, "mSGF", QStringLiteral("ツリーﾋﾞｭｱｰ(SGF)"), &FomMain::mSGF_Click);
    mSGF->setCheckable(true);
    QAction* net = addCommand(Mcont, "Net", QStringLiteral("ネットワーク"), nullptr);
    connect(net, &QAction::triggered, this, [this] { host_.showNetWindow(); });
    QAction* computer =
        addCommand(Mcont, "Computer", QStringLiteral("コンピューター対局"), nullptr);
    connect(computer, &QAction::triggered, this, [this] { host_.showGtpWindow(); });
    Mcont->addSeparator();
    addCommand(Mcont, "mend", QStringLiteral("終了(&E)"), &FomMain::mend_Click);

    QAction* info = addCommand(nullptr, "Mtj", QStringLiteral("対局情報(&J)"), nullptr);
    connect(info, &QAction::triggered, this, [this] { host_.showGameInfoWindow(); });

    QMenu* help = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    help->setObjectName(QStringLiteral("Mhelp"));
    QAction* contents = addCommand(help, "mmokuji", QStringLiteral("目次"), nullptr);
    contents->setShortcut(QKeySequence::HelpContents);
    contents->setShortcutContext(Qt::ApplicationShortcut);
    connect(contents, &QAction::triggered, this, [this] { host_.showHelp(); });
    addCommand(help, "mver", QStringLiteral("バージョン情報"), &FomMain::mver_Click);
}

void FomMain::Form_Load(const QString& commandLine) {
    layoutReady_ = false;
    shownExtra_ = -1;  // the first layout fits the height to the width
    const StoredGeometry g = readStoredGeometry(settings_);
    resize(twipsToPixels(g.width), twipsToPixels(g.height));
    placeWindow(*this, {twipsToPixels(g.left), twipsToPixels(g.top)});
    setControlPanelShown(g.panelShown);
    layoutReady_ = true;
    ResizeRedraw();

    const QString trimmed = commandLine.trimmed();
    if (!trimmed.isEmpty()) List2 = trimmed.split(QLatin1Char(','));
    board_->setFocus();
}

void FomMain::ResizeRedraw() {
    if (replayRunning_ || !layoutReady_ || inLayout_) return;
    inLayout_ = true;
    GameState& s = state_;
    s.BoardSize = options_.boardSize();

    // What the window shows changed: its height follows (the old layout's height again when
    // the change is undone).
    const int extra = windowHeightFor(0, controlPanelShown(), commentaryShown(), s.BoardSize);
    if (extra != shownExtra_) {
        shownExtra_ = extra;
        fitHeightToWidth();
    }
    board_->setLayoutWidth(boardLayoutWidth(width() * kTwipsPerPixel, height() * kTwipsPerPixel,
                                            controlPanelShown(), commentaryShown(), s.BoardSize));

    const PanelLayout l = panelLayout(board_->pitch(), s.BoardSize, commentaryShown());
    Frame1->setGeometry(pxRect(l.panel));
    Text1->setGeometry(pxRect(l.moveNumberBox));
    QToolButton* row[] = {Command6, Command7, Command2, Command5,
                          Command8, Command9, Command3, Command1};
    for (int i = 0; i < kPanelButtons; ++i) {
        row[i]->setGeometry(pxRect(l.buttons[i]));
        row[i]->setIconSize(row[i]->size() * 0.8);
    }
    Command4->setGeometry(Command9->geometry());
    Command4->setIconSize(Command9->iconSize());
    TxtKaisetu->setGeometry(pxRect(l.commentary));

    engine().relayoutRedraw();
    board_->update();
    inLayout_ = false;
}

void FomMain::fitHeightToWidth() {
    if (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) return;
    int h = twipsToPixels(windowHeightFor(width() * kTwipsPerPixel, controlPanelShown(),
                                          commentaryShown(), state_.BoardSize));
    if (const QScreen* shownOn = screen()) {
        const QMargins frame = frameMargins(*this);
        h = std::min(h, shownOn->availableGeometry().height() - frame.top() - frame.bottom());
    }
    h = std::max(h, menuBar()->sizeHint().height());
    // A taller or wider window may now reach beyond the screen: it moves in.
    if (isVisible()) {
        placeWindow(*this, frameGeometry().topLeft(), {width(), h});
    } else if (h != height()) {
        resize(width(), h);
    }
}

void FomMain::setControlPanelShown(bool shown) {
    Frame1->setVisible(shown);
    mhyouji->setChecked(shown);
}

bool FomMain::controlPanelShown() const { return !Frame1->isHidden(); }

void FomMain::setCommentaryShown(bool shown) { TxtKaisetu->setVisible(shown); }

bool FomMain::commentaryShown() const { return !TxtKaisetu->isHidden(); }

void FomMain::setMatchButtonsEnabled(bool enabled) {
    for (QToolButton* button :
         {Command1, Command2, Command4, Command5, Command6, Command7, Command8})
        button->setEnabled(enabled);
    matchRunning_ = !enabled;
    updateUndoRedo();
}

void FomMain::setUndoRedoEnabled(bool undo, bool redo) {
    canUndo_ = undo;
    canRedo_ = redo;
    updateUndoRedo();
}

void FomMain::updateUndoRedo() {
    mUndo->setEnabled(canUndo_ && !matchRunning_);
    mRedo->setEnabled(canRedo_ && !matchRunning_);
}

void FomMain::holdNewWindowButton() {
    Command3->setEnabled(false);
    Timer3.start();
}

// --- BoardHost -----------------------------------------------------------------------------

void FomMain::setCaption(const std::string& caption) { setWindowTitle(qs(caption)); }

std::string FomMain::commentaryText() const { return TxtKaisetu->toPlainText().toStdString(); }

void FomMain::setCommentaryText(const std::string& text) {
    showingCommentary_ = true;
    TxtKaisetu->setPlainText(qs(text));
    showingCommentary_ = false;
}

void FomMain::setMoveNumberText(const std::string& text) { Text1->setText(qs(text)); }

void FomMain::showKoRefusal() {
    // Not modal for the caller: the engine goes on and the user reads the message meanwhile.
    auto* box = new QMessageBox(QMessageBox::Critical, QStringLiteral("禁手"),
                                QStringLiteral("コウだてが必要です"), QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("KoRefusal"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void FomMain::boardChanged() {
    // A new picture carries no lit marker until the marker timer lights it.
    board_->setMarkerLit(false);
    board_->showChanges();
}

void FomMain::restartMarkerTimer(int firstTickMs) { Timer1.start(firstTickMs); }

void FomMain::stopMarkerTimer() { Timer1.stop(); }

void FomMain::setReplayRunning(bool running, int firstIntervalMs) {
    replayRunning_ = running;
    Command4->setVisible(running);
    Command9->setVisible(!running);
    if (running) {
        TimerSlow.start(std::max(firstIntervalMs, 1));
    } else {
        TimerSlow.stop();
    }
}

void FomMain::setReplayButtonEnabled(bool enabled) { Command9->setEnabled(enabled); }

double FomMain::replaySpeedSeconds() const { return options_.speedSeconds(); }

void FomMain::relayout() { ResizeRedraw(); }

void FomMain::gameInfoChanged() { host_.gameInfoChanged(); }

// --- Events --------------------------------------------------------------------------------

void FomMain::closeEvent(QCloseEvent* event) {
    // The user may keep the window open to save the record first.
    if (host_.ending() || host_.end()) {
        event->accept();
    } else {
        event->ignore();
    }
}

// Only local files are offered to the reader; the first one dropped is read.
void FomMain::dragEnterEvent(QDragEnterEvent* event) {
    const QMimeData* dragged = event->mimeData();
    if (dragged->hasUrls() && !dragged->urls().isEmpty() && dragged->urls().front().isLocalFile())
        event->acceptProposedAction();
}

void FomMain::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.front().isLocalFile()) return;
    event->acceptProposedAction();
    host_.readRecordFile(urls.front().toLocalFile());
}

bool FomMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched != Text1 && watched != TxtKaisetu) return QMainWindow::eventFilter(watched, event);
    if (event->type() == QEvent::ShortcutOverride && isStepKey(*static_cast<QKeyEvent*>(event))) {
        event->accept();  // the box edits with the key; the board does not step
        return true;
    }
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        board_->setFocus(Qt::ShortcutFocusReason);  // what was typed stays in the box
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void FomMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    // A new width alone (the user dragged a side) brings the height that follows it; a height
    // given as well (maximised, tiled, a corner dragged) stays, and the board fits both.
    const QSize before = event->oldSize();
    const bool stateChanged = std::exchange(stateChanged_, false);
    if (layoutReady_ && !inLayout_ && !stateChanged && before.isValid() &&
        before.height() == height() && before.width() != width())
        fitHeightToWidth();
    ResizeRedraw();
}

void FomMain::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // Leaving the maximised state, the window system gives the size (restored or tiled).
    if (event->type() == QEvent::WindowStateChange) stateChanged_ = true;
}

HitResult FomMain::hitAt(int xTwips, int yTwips) const {
    return getpos(xTwips - kBoardMargin, yTwips - kBoardMargin, board_->pitch(), state_.BoardSize);
}

void FomMain::onBoardClicked(int xTwips, int yTwips) {
    if (replayRunning_) return;
    const HitResult hit = hitAt(xTwips, yTwips);
    if (!hit.onBoard()) return;
    // A copy: the route may change itself while it runs.
    if (const PointRoute route = pointRoute_; route && route(hit.col, hit.row, false)) return;
    engine().IshiUtu(hit.col, hit.row);
}

void FomMain::onBoardDragged(int xTwips, int yTwips) {
    if (!pointRoute_ || replayRunning_) return;
    const HitResult hit = hitAt(xTwips, yTwips);
    if (const PointRoute route = pointRoute_; hit.onBoard())
        route(hit.col, hit.row, true);  // a drag never places a stone
}

// The marker blinks: one tick lights it, the next puts it out, a second apart.
void FomMain::Timer1_Timer() {
    const GameState& s = state_;
    if (s.LastMarkX == 0 || s.MoveCount == 0) return;
    board_->setMarkerLit(markerPhase_);
    markerPhase_ = !markerPhase_;
    Timer1.start(1000);
}

// --- Commands ------------------------------------------------------------------------------

void FomMain::Command1_Click() {
    if (!host_.mayDiscardRecord()) return;
    treeClosing_ = true;
    host_.closeTreeWindow();
    mSGF->setChecked(false);
    treeClosing_ = false;
    engine().gCls();
}

void FomMain::Command2_Click() {
    Command2->setEnabled(false);
    engine().Itemodosi();
    Command2->setEnabled(true);
}

void FomMain::Command3_Click() { host_.openCloneWindow(true); }
void FomMain::Command5_Click() { engine().oneForward(); }
void FomMain::Command6_Click() {
    engine().goToMove(Text1->text().toStdString());
    // The keys step through the record again, from the move just shown.
    board_->setFocus(Qt::OtherFocusReason);
}
void FomMain::Command7_Click() { engine().firstMove(); }
void FomMain::Command8_Click() { engine().lastMove(); }
void FomMain::Saigen_Click() { engine().Saigen(); }
void FomMain::mcls_Click() {
    if (host_.mayDiscardRecord()) engine().gCls();
}
void FomMain::mm10_Click() { engine().tenBack(); }
void FomMain::ms10_Click() { engine().tenForward(); }
void FomMain::Mmnew_Click() { host_.openCloneWindow(false); }
void FomMain::gkaiten_Click() { engine().Gkaiten_Click(); }

void FomMain::mhyouji_Click() {
    // The action has already toggled its own check mark.
    setControlPanelShown(mhyouji->isChecked());
    ResizeRedraw();
    settings_.write(key::kPanelShown, controlPanelShown() ? "1" : "0");
}

void FomMain::mSGF_Click() {
    if (treeClosing_) return;
    if (!mSGF->isChecked()) {
        host_.closeTreeWindow();
    } else {
        host_.showTreeWindow();
    }
}

void FomMain::mend_Click() { host_.end(); }

void FomMain::mver_Click() {
    Frame2->setGeometry(pxRect({500, 300, 3660, 1545}));
    Label1->setGeometry(0, 10, Frame2->width(), Frame2->height() / 2);
    Command10->setGeometry((Frame2->width() - 80) / 2, Frame2->height() - 40, 80, 30);
    Frame2->show();
    Frame2->raise();
}

void FomMain::saveBoardImage_Click() {
    saveBoardImageInteractively(this, state_, options_, board_->size());
}

}  // namespace kelmaz
