#include "records/ui/fomSgf.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

#include "shell/StartupSettings.h"
#include "view/BoardGeometry.h"

namespace kelmaz {

namespace {

// The branch grid, in twips: ten branches a row, label above button.
constexpr int kLabelWidth = 480;
constexpr int kLabelHeight = 270;
constexpr int kGridLeft = 100;
constexpr int kGridTop = 200;
constexpr int kColumns = 10;
constexpr int kVisibleRows = 6;  // rows shown before the grid scrolls

const QString kRunningCaption = QStringLiteral("停止");
const QString kIdleCaption = QStringLiteral("再現");

QColor colourOf(fomSgf::LabelColour c, const QPalette& palette) {
    switch (c) {
        case fomSgf::LabelColour::Highlighted:
            return QColor(0xFF, 0xC0, 0x80);  // light orange
        case fomSgf::LabelColour::Marked:
            return QColor(0xFF, 0xFF, 0x80);  // light yellow
        case fomSgf::LabelColour::Normal:
            break;
    }
    return palette.color(QPalette::Button);
}

QString pathText(const std::vector<int>& path) {
    QStringList parts;
    for (int b : path) parts << QString::number(b);
    return parts.join(QLatin1Char('-'));
}

}  // namespace

// The viewer as the board engine sees it.
class fomSgf::Link : public ViewerLink {
  public:
    explicit Link(fomSgf& w) : w_(w) {}
    bool exists() const override { return w_.loaded_; }
    bool visible() const override { return w_.isVisible(); }
    bool stopAtComment() const override {
        return w_.quietRebuilds_ == 0 && w_.CheckKaisetu->isChecked();
    }
    bool stopAtBranch() const override {
        return w_.quietRebuilds_ == 0 && w_.CheckBunki->isChecked();
    }
    void setStopBoxes(bool atComment, bool atBranch) override {
        w_.CheckKaisetu->setChecked(atComment);
        w_.CheckBunki->setChecked(atBranch);
    }
    void setCommentaryText(const std::string& text) override {
        w_.Text1->setPlainText(QString::fromStdString(text));
    }
    void setNextEnabled(bool enabled) override { w_.Cmdnext->setEnabled(enabled); }
    std::string replayCaption() const override { return w_.cmdSaigen->text().toStdString(); }
    void setReplayCaption(const std::string& caption) override {
        w_.cmdSaigen->setText(QString::fromStdString(caption));
    }
    void focus() override {
        if (!w_.isVisible()) return;
        w_.raise();
        w_.activateWindow();
    }
    void showBranch(int move) override {
        // The replay stopped at a branch: offer the variations that leave the main line here.
        w_.Check1->setChecked(!w_.board_.replayRunning());
        w_.mirrorReplayCaption();
        w_.highlightBranchesAt(move);
        w_.CmdHonpu->setEnabled(true);
        w_.Cmdnext->setEnabled(w_.state_.hasMove(move + 1));
    }
    void close() override { w_.unload(); }

  private:
    fomSgf& w_;
};

fomSgf::fomSgf(GameState& state, Engine& engine, BoardHost& board, QWidget* mainWindow)
    : QWidget(nullptr, Qt::Window | Qt::WindowStaysOnTopHint),
      state_(state),
      engine_(engine),
      board_(board),
      mainWindow_(mainWindow),
      link_(std::make_unique<Link>(*this)) {
    setWindowTitle(QStringLiteral("SGF手順ﾋﾞｭｱｰ"));

    grid_ = new QScrollArea(this);
    grid_->setWidgetResizable(false);
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    gridCanvas_ = new QWidget;
    grid_->setWidget(gridCanvas_);
    const int gridWidth = twipsToPixels(kGridLeft * 2 + kLabelWidth * kColumns);
    grid_->setFixedWidth(gridWidth + grid_->verticalScrollBar()->sizeHint().width() +
                         2 * grid_->frameWidth());

    LblNotice = new QLabel(this);
    LblNotice->setWordWrap(true);
    LblNotice->setStyleSheet(QStringLiteral("color: #c00000;"));
    LblNotice->hide();

    Cmdnext = new QPushButton(QStringLiteral("次手"), this);
    CmdHonpu = new QPushButton(QStringLiteral("本譜"), this);
    cmdSaigen = new QPushButton(kIdleCaption, this);
    Command2 = new QPushButton(QStringLiteral("閉る"), this);
    Cmdnext->setEnabled(false);
    CmdHonpu->setEnabled(false);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {Cmdnext, CmdHonpu, cmdSaigen, Command2}) buttons->addWidget(b);

    CheckKaisetu = new QCheckBox(QStringLiteral("解説で止める"), this);
    CheckBunki = new QCheckBox(QStringLiteral("分岐で止める"), this);
    Check1 = new QCheckBox(QStringLiteral("CheckTimer"), this);
    auto* boxes = new QHBoxLayout;
    boxes->addWidget(CheckKaisetu);
    boxes->addWidget(CheckBunki);
    boxes->addWidget(Check1);
    boxes->addStretch();

    HScroll1 = new QScrollBar(Qt::Horizontal, this);
    HScroll1->setRange(100, 20000);
    HScroll1->setSingleStep(100);
    HScroll1->setPageStep(1000);
    HScroll1->setValue(1000);
    Text2 = new QLineEdit(QStringLiteral("1"), this);
    Text2->setReadOnly(true);
    Text2->setFixedWidth(twipsToPixels(700));
    auto* speed = new QHBoxLayout;
    speed->addWidget(new QLabel(QStringLiteral("再現ﾀｲﾏｰ"), this));
    speed->addWidget(HScroll1, 1);
    speed->addWidget(Text2);
    speed->addWidget(new QLabel(QStringLiteral("秒"), this));

    Text1 = new QPlainTextEdit(this);
    Text1->setReadOnly(true);
    Text1->setFixedHeight(twipsToPixels(1200));
    HScroll1->setAccessibleName(QStringLiteral("再現ﾀｲﾏｰ"));
    HScroll1->setFocusPolicy(Qt::StrongFocus);  // the arrow keys move it
    Text2->setAccessibleName(QStringLiteral("再現ﾀｲﾏｰの秒数"));
    Text1->setAccessibleName(QStringLiteral("解説"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_);
    layout->addWidget(LblNotice);
    layout->addLayout(buttons);
    layout->addLayout(boxes);
    layout->addLayout(speed);
    layout->addWidget(Text1);

    connect(Cmdnext, &QPushButton::clicked, this, &fomSgf::Cmdnext_Click);
    connect(CmdHonpu, &QPushButton::clicked, this, &fomSgf::CmdHonpu_Click);
    connect(cmdSaigen, &QPushButton::clicked, this, &fomSgf::cmdSaigen_Click);
    connect(Command2, &QPushButton::clicked, this, &fomSgf::Command2_Click);
    // The two stop requests exclude each other.
    connect(CheckKaisetu, &QCheckBox::toggled, this, [this](bool on) {
        if (on) CheckBunki->setChecked(false);
    });
    connect(CheckBunki, &QCheckBox::toggled, this, [this](bool on) {
        if (on) CheckKaisetu->setChecked(false);
    });
    connect(HScroll1, &QScrollBar::valueChanged, this, [this](int ms) {
        // Seconds written as the settings dialog writes them: 1500 -> "1.5".
        Text2->setText(QString::fromStdString(speedCaption(ms)));
        emit intervalChanged(ms);
    });

    ReadNode();
    loaded_ = true;
}

fomSgf::~fomSgf() = default;

ViewerLink& fomSgf::link() { return *link_; }

void fomSgf::showViewer() {
    loaded_ = true;
    ReadNode();
    Text1->setPlainText(QString::fromStdString(state_.MoveComment[state_.MoveCount]));
    mirrorReplayCaption();
    updateNext();
    placeBesideMain();
    show();
    raise();
}

void fomSgf::placeBesideMain() {
    if (mainWindow_ != nullptr) placeRightOf(mainWindow_->frameGeometry());
}

void fomSgf::placeRightOf(const QRect& frame) {
    move(frame.right() + 1 + std::max(1, twipsToPixels(20)), frame.top());
}

void fomSgf::recordRead() {
    outlineOnBoard_ = true;
    ReadNode();
    // A file read loads the main line: the replay stops where its variations begin.
    state_.BranchMoves = table_.mainLineBranchMoves;
    onBranch_ = false;
    savedMove_ = 0;
}

void fomSgf::ReadNode() {
    clearBranchControls();
    // After the board was cleared the outline of the last file read describes nothing on it.
    if (outlineOnBoard_) table_ = kelmaz::ReadNode(state_.List3);
    const int count = table_.branches.empty() ? 0 : table_.branches.back().number;
    CmdNode.assign(static_cast<std::size_t>(count), nullptr);
    Lblnode.assign(static_cast<std::size_t>(count), nullptr);
    colours_.assign(static_cast<std::size_t>(count), LabelColour::Normal);
    for (const ViewerBranch& b : table_.branches) {
        const int k = b.number;
        const int row = k / kColumns, column = k % kColumns;
        const int left = twipsToPixels(kGridLeft + kLabelWidth * column);
        const int top = twipsToPixels(kGridTop + kLabelHeight * 2 * row);
        auto* label = new QLabel(QString::number(k), gridCanvas_);
        label->setAlignment(Qt::AlignCenter);
        label->setAutoFillBackground(true);
        label->setGeometry(left, top, twipsToPixels(kLabelWidth), twipsToPixels(kLabelHeight));
        auto* button = new QPushButton(QString::number(k), gridCanvas_);
        button->setGeometry(left, top + twipsToPixels(kLabelHeight), twipsToPixels(kLabelWidth),
                            twipsToPixels(kLabelHeight));
        const QString tip = b.startMove > 0 ? QStringLiteral("%1手目から (%2)").arg(b.startMove)
                                            : QStringLiteral("手のない分岐 (%2)");
        button->setToolTip(tip.arg(pathText(b.path)));
        connect(button, &QPushButton::clicked, this, [this, k] { CmdNode_Click(k); });
        label->show();
        button->show();
        Lblnode[k - 1] = label;
        CmdNode[k - 1] = button;
        setLabelColour(k, LabelColour::Normal);
    }
    const int rows = count / kColumns + 1;
    gridCanvas_->setFixedSize(twipsToPixels(kGridLeft * 2 + kLabelWidth * kColumns),
                              twipsToPixels(kGridTop + kLabelHeight * 2 * rows + 100));
    const int shownRows = std::min(rows, kVisibleRows);
    grid_->setFixedHeight(twipsToPixels(kGridTop + kLabelHeight * 2 * shownRows + 100) +
                          2 * grid_->frameWidth());
    notices_ = table_.notices;
    showNotices(notices_);
}

void fomSgf::clearBranchControls() {
    for (QPushButton* b : CmdNode) delete b;
    for (QLabel* l : Lblnode) delete l;
    CmdNode.clear();
    Lblnode.clear();
    colours_.clear();
    table_ = {};
}

QPushButton* fomSgf::branchButton(int k) const {
    return k >= 1 && k <= static_cast<int>(CmdNode.size()) ? CmdNode[k - 1] : nullptr;
}

fomSgf::LabelColour fomSgf::labelColour(int k) const {
    return k >= 1 && k <= static_cast<int>(colours_.size()) ? colours_[k - 1] : LabelColour::Normal;
}

void fomSgf::setLabelColour(int k, LabelColour colour) {
    if (k < 1 || k > static_cast<int>(Lblnode.size()) || Lblnode[k - 1] == nullptr) return;
    colours_[k - 1] = colour;
    QPalette p = Lblnode[k - 1]->palette();
    p.setColor(QPalette::Window, colourOf(colour, palette()));
    Lblnode[k - 1]->setPalette(p);
}

void fomSgf::resetLabelColours() {
    for (int k = 1; k <= static_cast<int>(colours_.size()); ++k)
        setLabelColour(k, LabelColour::Normal);
}

void fomSgf::highlightBranchesAt(int move) {
    for (int k = 1; k <= static_cast<int>(colours_.size()); ++k)
        if (colours_[k - 1] == LabelColour::Highlighted) setLabelColour(k, LabelColour::Marked);
    const std::vector<int> offered = table_.branchesAt(move);
    for (int k : offered) setLabelColour(k, LabelColour::Highlighted);
    if (!offered.empty()) grid_->ensureWidgetVisible(branchButton(offered.front()));
}

void fomSgf::showNotices(const std::vector<std::string>& notices) {
    QStringList lines;
    for (const auto& n : notices) lines << QString::fromStdString(n);
    LblNotice->setText(lines.join(QLatin1Char('\n')));
    LblNotice->setVisible(!lines.isEmpty());
}

void fomSgf::mirrorReplayCaption() {
    cmdSaigen->setText(board_.replayRunning() ? kRunningCaption : kIdleCaption);
}

void fomSgf::updateNext() { Cmdnext->setEnabled(state_.hasMove(state_.MoveCount + 1)); }

void fomSgf::rebuildTo(int upto) {
    if (engine_.redrawPaused()) {
        // Leaving the paused rebuild behind also ends the replay that was waiting in it.
        engine_.cancelPausedRedraw();
        if (board_.replayRunning()) engine_.Saigen();
        mirrorReplayCaption();
    }
    ++quietRebuilds_;
    engine_.Redraw(1, upto);
    --quietRebuilds_;
}

void fomSgf::MakeTejunFromStart() {
    const RecordBuild built = kelmaz::MakeTejun(state_, state_.List3, 0);
    std::vector<std::string> notices = notices_;
    if (built.truncated) notices.push_back("500手を超える手は表示できません。");
    showNotices(notices);
}

void fomSgf::BuildPathRecord(const std::vector<int>& LstPath) {
    const RecordBuild built = kelmaz::BuildPathRecord(state_, state_.List3, LstPath);
    std::vector<std::string> notices = notices_;
    if (built.truncated) notices.push_back("500手を超える手は表示できません。");
    showNotices(notices);
    rebuildTo(built.target);
    updateNext();
}

void fomSgf::GetPath(int branch) {
    if (!outlineOnBoard_) return;
    if (branch == 0) {
        MakeTejunFromStart();
        onBranch_ = false;
        rebuildTo(std::min(savedMove_, state_.lastMoveInRecord()));
        updateNext();
        return;
    }
    const ViewerBranch* b = table_.find(branch);
    if (b == nullptr) return;
    if (!onBranch_) savedMove_ = state_.MoveCount;
    onBranch_ = true;
    board_.setReplayButtonEnabled(false);
    state_.ViewerState = 2;
    BuildPathRecord(b->path);
    CmdHonpu->setEnabled(true);
}

void fomSgf::Cmdnext_Click() {
    if (!state_.hasMove(state_.MoveCount + 1)) return;
    rebuildTo(state_.MoveCount + 1);
    updateNext();
}

void fomSgf::CmdNode_Click(int k) {
    if (table_.find(k) == nullptr) return;
    GetPath(k);
    for (int j = 1; j <= static_cast<int>(colours_.size()); ++j)
        if (colours_[j - 1] == LabelColour::Highlighted) setLabelColour(j, LabelColour::Marked);
    if (labelColour(k) == LabelColour::Marked) setLabelColour(k, LabelColour::Highlighted);
}

void fomSgf::CmdHonpu_Click() {
    if (!outlineOnBoard_) return;
    resetLabelColours();
    state_.ViewerState = 3;
    // Back on the main line at the move where it was left for a branch; without a branch
    // chosen, at the move on the board.
    const int back = onBranch_ ? savedMove_ : state_.MoveCount;
    MakeTejunFromStart();
    onBranch_ = false;
    CmdHonpu->setEnabled(false);
    cmdSaigen->setEnabled(true);
    board_.setReplayButtonEnabled(true);
    rebuildTo(std::min(back, state_.lastMoveInRecord()));
    if (Check1->isChecked()) {
        board_.setReplayRunning(true, static_cast<int>(board_.replaySpeedSeconds() * 1000));
        Check1->setChecked(false);
    }
    mirrorReplayCaption();
    updateNext();
    state_.ViewerState = 0;
}

void fomSgf::cmdSaigen_Click() {
    if (state_.CommentPause) {
        cmdSaigen->setText(kRunningCaption);
        engine_.resumeRedraw();
        // Paused again at the next commentary, the engine has set the caption itself.
        if (!state_.CommentPause) mirrorReplayCaption();
        return;
    }
    if (!state_.hasMove(state_.MoveCount + 1)) {
        // The replay starts again from the first move: every stop on the way counts again.
        resetLabelColours();
        state_.ViewerState = 0;
        state_.LastStopMove = 0;
    }
    // Going on after a branch stop: the next branch stops the replay again.
    if (state_.ViewerState == 1) state_.ViewerState = 0;
    engine_.Saigen();
    mirrorReplayCaption();
}

void fomSgf::Command2_Click() { hide(); }

void fomSgf::unload() {
    clearBranchControls();
    gridCanvas_->setFixedSize(0, 0);
    CheckKaisetu->setChecked(false);
    CheckBunki->setChecked(false);
    Text1->clear();
    cmdSaigen->setText(kIdleCaption);
    Cmdnext->setEnabled(false);
    CmdHonpu->setEnabled(false);
    Check1->setChecked(false);
    onBranch_ = false;
    savedMove_ = 0;
    notices_.clear();
    showNotices({});
    outlineOnBoard_ = false;
    loaded_ = false;
    hide();
}

int fomSgf::interval() const { return HScroll1->value(); }

void fomSgf::setInterval(int ms) { HScroll1->setValue(ms); }

void fomSgf::closeEvent(QCloseEvent* event) {
    event->ignore();
    hide();
}

void fomSgf::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    emit shownChanged(true);
}

void fomSgf::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    emit shownChanged(false);
}

}  // namespace kelmaz
