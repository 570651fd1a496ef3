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
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

#include "shell/StartupSettings.h"
#include "view/BoardGeometry.h"
#include "view/ui/ScreenTwips.h"

namespace kelmaz {

namespace {

// The branch grid, in twips: ten branches a row, label above button.
constexpr int kLabelWidth = 480;
constexpr int kLabelHeight = 270;
constexpr int kGridLeft = 100;
constexpr int kGridTop = 200;
constexpr int kColumns = 10;
constexpr int kVisibleRows = 6;  // rows shown before the grid scrolls

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

// The window as the session sees it.
class fomSgf::Display : public ViewerDisplay {
  public:
    explicit Display(fomSgf& w) : w_(w) {}
    bool shown() const override { return w_.isVisible(); }
    void bringToFront() override {
        w_.raise();
        w_.activateWindow();
    }
    void changed() override { w_.refresh(); }
    void bringIntoView(int branch) override {
        if (QPushButton* b = w_.branchButton(branch)) w_.grid_->ensureWidgetVisible(b);
    }
    void unloaded() override {
        w_.clearBranchControls();
        w_.refresh();
        w_.hide();
    }

  private:
    fomSgf& w_;
};

fomSgf::fomSgf(GameState& state, Engine& engine, BoardHost& board, QWidget* mainWindow)
    : QWidget(nullptr, Qt::Window | Qt::WindowStaysOnTopHint),
      session_(state, engine, board),
      display_(std::make_unique<Display>(*this)),
      mainWindow_(mainWindow) {
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
    cmdSaigen = new QPushButton(QString::fromUtf8(ViewerSession::kIdleCaption), this);
    Command2 = new QPushButton(QStringLiteral("閉る"), this);
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
    connect(CheckKaisetu, &QCheckBox::toggled, this, [this](bool on) {
        session_.setStopAtComment(on);
        refresh();
    });
    connect(CheckBunki, &QCheckBox::toggled, this, [this](bool on) {
        session_.setStopAtBranch(on);
        refresh();
    });
    connect(Check1, &QCheckBox::toggled, this,
            [this](bool on) { session_.setResumeAfterBranch(on); });
    connect(HScroll1, &QScrollBar::valueChanged, this, [this](int ms) {
        // Seconds written as the settings dialog writes them: 1500 -> "1.5".
        Text2->setText(QString::fromStdString(speedCaption(ms)));
        emit intervalChanged(ms);
    });

    session_.setDisplay(display_.get());
    session_.load();
    buildBranchControls();
    refresh();
}

fomSgf::~fomSgf() { session_.setDisplay(nullptr); }

ViewerLink& fomSgf::link() { return session_; }

void fomSgf::showViewer() {
    session_.open();
    buildBranchControls();
    refresh();
    placeBesideMain();
    show();
    raise();
}

void fomSgf::placeBesideMain() {
    if (mainWindow_ != nullptr) placeRightOf(mainWindow_->frameGeometry());
}

void fomSgf::placeRightOf(const QRect& frame) {
    placeBeside(*this, frame.adjusted(0, 0, std::max(1, twipsToPixels(20)), 0), size());
}

void fomSgf::recordRead() {
    session_.recordRead();
    buildBranchControls();
    refresh();
}

void fomSgf::ReadNode() {
    session_.readNode();
    buildBranchControls();
    refresh();
}

void fomSgf::buildBranchControls() {
    clearBranchControls();
    const int count = session_.branchCount();
    CmdNode.assign(static_cast<std::size_t>(count), nullptr);
    Lblnode.assign(static_cast<std::size_t>(count), nullptr);
    shownColours_.assign(static_cast<std::size_t>(count), LabelColour::Normal);
    for (const ViewerBranch& b : session_.branches().branches) {
        const int k = b.number;
        const int row = k / kColumns, column = k % kColumns;
        const int left = twipsToPixels(kGridLeft + kLabelWidth * column);
        const int top = twipsToPixels(kGridTop + kLabelHeight * 2 * row);
        auto* label = new QLabel(QString::number(k), gridCanvas_);
        label->setAlignment(Qt::AlignCenter);
        label->setAutoFillBackground(true);
        label->setGeometry(left, top, twipsToPixels(kLabelWidth), twipsToPixels(kLabelHeight));
        QPalette p = label->palette();
        p.setColor(QPalette::Window, colourOf(LabelColour::Normal, palette()));
        label->setPalette(p);
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
    }
    const int rows = count / kColumns + 1;
    gridCanvas_->setFixedSize(twipsToPixels(kGridLeft * 2 + kLabelWidth * kColumns),
                              twipsToPixels(kGridTop + kLabelHeight * 2 * rows + 100));
    const int shownRows = std::min(rows, kVisibleRows);
    grid_->setFixedHeight(twipsToPixels(kGridTop + kLabelHeight * 2 * shownRows + 100) +
                          2 * grid_->frameWidth());
}

void fomSgf::clearBranchControls() {
    for (QPushButton* b : CmdNode) delete b;
    for (QLabel* l : Lblnode) delete l;
    CmdNode.clear();
    Lblnode.clear();
    shownColours_.clear();
}

QPushButton* fomSgf::branchButton(int k) const {
    return k >= 1 && k <= static_cast<int>(CmdNode.size()) ? CmdNode[k - 1] : nullptr;
}

void fomSgf::refresh() {
    {
        const QSignalBlocker blockComment(CheckKaisetu), blockBranch(CheckBunki),
            blockResume(Check1);
        CheckKaisetu->setChecked(session_.commentStopTicked());
        CheckBunki->setChecked(session_.branchStopTicked());
        Check1->setChecked(session_.resumeTicked());
    }
    cmdSaigen->setText(QString::fromStdString(session_.caption()));
    Cmdnext->setEnabled(session_.nextEnabled());
    CmdHonpu->setEnabled(session_.mainLineEnabled());
    const QString commentary = QString::fromStdString(session_.commentary());
    if (Text1->toPlainText() != commentary) Text1->setPlainText(commentary);
    for (int k = 1; k <= static_cast<int>(Lblnode.size()); ++k) {
        const LabelColour colour = session_.labelColour(k);
        if (Lblnode[k - 1] == nullptr || shownColours_[k - 1] == colour) continue;
        shownColours_[k - 1] = colour;
        QPalette p = Lblnode[k - 1]->palette();
        p.setColor(QPalette::Window, colourOf(colour, palette()));
        Lblnode[k - 1]->setPalette(p);
    }
    QStringList lines;
    for (const auto& n : session_.notices()) lines << QString::fromStdString(n);
    LblNotice->setText(lines.join(QLatin1Char('\n')));
    LblNotice->setVisible(!lines.isEmpty());
}

void fomSgf::GetPath(int branch) {
    session_.getPath(branch);
    refresh();
}

void fomSgf::Cmdnext_Click() {
    session_.next();
    refresh();
}

void fomSgf::CmdNode_Click(int k) {
    session_.chooseBranch(k);
    refresh();
}

void fomSgf::CmdHonpu_Click() {
    session_.backToMainLine();
    refresh();
}

void fomSgf::cmdSaigen_Click() {
    session_.replay();
    refresh();
}

void fomSgf::Command2_Click() {
    session_.windowClosed();
    hide();
}

void fomSgf::unload() { session_.unload(); }

int fomSgf::interval() const { return HScroll1->value(); }

void fomSgf::setInterval(int ms) { HScroll1->setValue(ms); }

void fomSgf::closeEvent(QCloseEvent* event) {
    event->ignore();
    session_.windowClosed();
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
