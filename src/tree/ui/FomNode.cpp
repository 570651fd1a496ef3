#include "tree/ui/FomNode.h"

#include <QCloseEvent>
#include <QDir>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "base/AtomicFile.h"
#include "document/DocumentFile.h"
#include "records/GameInfoRules.h"
#include "records/RecordFile.h"
#include "records/SgfWriter.h"
#include "shell/SettingKeys.h"
#include "shell/StartupSettings.h"
#include "tree/SgfText.h"
#include "tree/TreeFile.h"
#include "tree/TreeSamples.h"
#include "tree/ui/PicNode.h"
#include "tree/ui/TreeFileFrame.h"
#include "view/BoardGeometry.h"
#include "view/ui/QtText.h"
#include "view/ui/ScreenTwips.h"

namespace kelmaz {

namespace {

const QString kTitle = QStringLiteral("トリー　ﾋﾞｭｱｰ");
const QString kSyntaxTitle = QStringLiteral("SGF構文エラー");

QRect twipRect(int left, int top, int width, int height) {
    return {twipsToPixels(left), twipsToPixels(top), std::max(twipsToPixels(width), 0),
            std::max(twipsToPixels(height), 0)};
}

}  // namespace

class FomNode::Link : public TreeLink {
  public:
    explicit Link(FomNode& window) : w_(window) {}
    bool visible() const override { return w_.isVisible(); }
    bool confirmDiscardTree() override {
        if (!w_.dialogs_->ask(QStringLiteral("警告"),
                              QStringLiteral("本譜以外のデータｰは失われます。よろしいですか？")))
            return false;
        // The user agreed: the tree goes out of sight, and the stone starts a line of its own
        // beside the line the board showed; the record keeps both.
        w_.hideTree();
        w_.record_.holdTree(false);
        return true;
    }
    std::string takeBranchComment() override {
        w_.TxtComment->setEnabled(true);
        const std::string text = w_.TxtComment->toPlainText().toStdString();
        w_.showingComment_ = true;
        w_.TxtComment->clear();
        w_.showingComment_ = false;
        return text;
    }
    void showMove(int move) override {
        // A rebuild the window asked for itself, or a branch being played, moves no selection.
        if (!w_.isVisible() || w_.boardFromTree_ || w_.state_.BranchInputMode) return;
        w_.TxtComment_Validate();
        if (w_.session_.followMove(move)) w_.showSelection();
    }
    void showFileTree(const std::string& treeText) override { w_.showFileTree(treeText); }
    // The document took the text already; the tree shows it at the node of that move.
    void takeBoardComment(int move, const std::string& /*text*/) override {
        if (!w_.isVisible() || w_.state_.BranchInputMode) return;
        if (w_.session_.followMove(move)) w_.showSelection();
    }

  private:
    FomNode& w_;
};

FomNode::FomNode(GameState& state, Engine& engine, SettingsStore& settings, DocumentRecord& record,
                 QWidget* mainWindow)
    : QWidget(nullptr, Qt::Window),
      state_(state),
      engine_(engine),
      settings_(settings),
      record_(record),
      mainWindow_(mainWindow),
      session_(state, record),
      link_(std::make_unique<Link>(*this)) {
    setObjectName("FomNode");
    record_.document().observe([self = QPointer<FomNode>(this)] {
        if (self) self->documentChanged();
    });
    setWindowTitle(kTitle);
    buildControls();
    setMinimumWidth(FrmCont->minimumSizeHint().width() + twipsToPixels(300));
    restoreGeometry();
}

FomNode::~FomNode() = default;

TreeLink& FomNode::link() { return *link_; }

void FomNode::buildControls() {
    picNode = new PicNode(session_, this);
    picNode->setFocusPolicy(Qt::StrongFocus);
    picNode->setAccessibleName(QStringLiteral("ツリー"));
    picNode->installEventFilter(this);
    HScroll1 = new QScrollBar(Qt::Horizontal, this);
    VScroll1 = new QScrollBar(Qt::Vertical, this);
    LstSgfSample = new QListWidget(this);
    LstSgfSample->setObjectName("LstSgfSample");
    for (const std::string& sample : treeSamples()) LstSgfSample->addItem(qs(sample));
    txtsgf = new QLineEdit(this);
    txtsgf->setObjectName("txtsgf");
    txtsgf->setReadOnly(true);
    TxtComment = new QPlainTextEdit(this);
    TxtComment->setObjectName("TxtComment");
    TxtComment->installEventFilter(this);
    HScroll1->setAccessibleName(QStringLiteral("ツリーの横スクロール"));
    VScroll1->setAccessibleName(QStringLiteral("ツリーの縦スクロール"));
    for (QScrollBar* bar : {HScroll1, VScroll1}) bar->setFocusPolicy(Qt::StrongFocus);
    LstSgfSample->setAccessibleName(QStringLiteral("見本"));
    txtsgf->setAccessibleName(QStringLiteral("書出の結果"));
    TxtComment->setAccessibleName(QStringLiteral("コメント"));

    FrmCont = new QFrame(this);
    FrmCont->setObjectName("FrmCont");
    // Two rows (recording and inserting, then the other edits), so every caption stays whole in a
    // window as narrow as its default width.
    auto* rows = new QVBoxLayout(FrmCont);
    rows->setContentsMargins(0, 2, 0, 2);
    rows->setSpacing(2);
    auto* recording = new QHBoxLayout;
    auto* editing = new QHBoxLayout;
    for (QHBoxLayout* row : {recording, editing}) {
        row->setSpacing(2);
        rows->addLayout(row);
    }
    Text1 = new QLineEdit(FrmCont);
    Text2 = new QLineEdit(FrmCont);
    Text1->setAccessibleName(QStringLiteral("分岐番号"));
    Text2->setAccessibleName(QStringLiteral("ノード番号"));
    for (QLineEdit* box : {Text1, Text2}) {
        box->setMaximumWidth(36);
        recording->addWidget(box);
    }
    auto button = [&](QHBoxLayout* row, const char* caption) {
        auto* b = new QPushButton(QString::fromUtf8(caption), FrmCont);
        // As narrow as the caption allows, not the style's wider minimum.
        b->setMinimumWidth(b->fontMetrics().horizontalAdvance(b->text()) + 12);
        row->addWidget(b);
        return b;
    };
    CmdBstart = button(recording, "分岐開始");
    CmdBend = button(recording, "分岐終了");
    Command1 = button(recording, "挿入");
    recording->addStretch();
    Command2 = button(editing, "ｼﾞｬﾝﾌﾟ");
    Command3 = button(editing, "分岐削除");
    Command4 = button(editing, "書出");
    CmdFile = button(editing, "ﾌｧｲﾙ");
    CmdSamples = button(editing, "見本");
    editing->addStretch();
    // The sample list and the rebuilt text lie over the lower part of the tree, so they stay
    // hidden until asked for.
    CmdSamples->setCheckable(true);
    CmdSamples->setToolTip(QStringLiteral("見本の一覧と書出の結果を表示します"));
    LstSgfSample->hide();
    txtsgf->hide();
    CmdBend->setEnabled(false);
    FrmFile = new TreeFileFrame(this);

    connect(picNode, &PicNode::pressed, this, &FomNode::PicNode_MouseDown);
    connect(HScroll1, &QScrollBar::valueChanged, this,
            [this](int v) { picNode->setOffset(100 * v, picNode->offsetY()); });
    connect(VScroll1, &QScrollBar::valueChanged, this,
            [this](int v) { picNode->setOffset(picNode->offsetX(), v); });
    connect(LstSgfSample, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { LstSgfSample_Click(LstSgfSample->row(item)); });
    // A comment typed is taken at once, as the board's commentary box takes it.
    connect(TxtComment, &QPlainTextEdit::textChanged, this, &FomNode::TxtComment_Validate);
    connect(CmdBstart, &QPushButton::clicked, this, &FomNode::CmdBstart_Click);
    connect(CmdBend, &QPushButton::clicked, this, &FomNode::CmdBend_Click);
    connect(Command1, &QPushButton::clicked, this, &FomNode::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &FomNode::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &FomNode::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &FomNode::Command4_Click);
    connect(CmdFile, &QPushButton::clicked, this, &FomNode::ShowFileFrame);
    connect(CmdSamples, &QPushButton::toggled, this, [this](bool shown) {
        LstSgfSample->setVisible(shown);
        txtsgf->setVisible(shown);
    });
    connect(FrmFile, &TreeFileFrame::readRequested, this, &FomNode::Command5_Click);
    connect(FrmFile, &TreeFileFrame::writeRequested, this, &FomNode::Command6_Click);
}

// The layout of the window, in twips as the tree is measured.
void FomNode::layoutControls() {
    const int W = pixelsToTwips(width());
    const int H = pixelsToTwips(height());
    const int stripHeight = std::abs(H / 2);
    const int areaLeft = 100;
    const int areaWidth = std::max(W - 300 - areaLeft, 0);
    picNode->setGeometry(twipRect(areaLeft, 0, areaWidth, stripHeight));
    LstSgfSample->setGeometry(twipRect(0, stripHeight - 1500, W - 1000, 1000));
    txtsgf->setGeometry(twipRect(0, stripHeight - 500, W - 1000, 500));
    HScroll1->setGeometry(twipRect(areaLeft, stripHeight + 10, areaWidth, 200));
    VScroll1->setGeometry(twipRect(W - 300, 0, 200, stripHeight));
    const int commentTop = stripHeight + 10 + 200 + 10;
    const int commentHeight = std::abs(H - stripHeight - 1600);
    TxtComment->setGeometry(twipRect(areaLeft, commentTop, areaWidth, commentHeight));
    FrmCont->setGeometry(twipRect(100, commentTop + commentHeight + 10, std::abs(W - 300),
                                  std::max(650, pixelsToTwips(FrmCont->sizeHint().height()))));
    LstSgfSample->raise();
    txtsgf->raise();
    FrmFile->raise();
    refreshView();
}

void FomNode::refreshView() {
    const TreeModel& m = session_.model();
    const int treeWidth = m.treeWidth();
    const int visibleWidth = pixelsToTwips(picNode->width());
    HScroll1->setMaximum(std::max(
        {nearest(treeWidth / 100.0 - 50), nearest((treeWidth - visibleWidth) / 100.0), 0}));
    // Deep trees scroll down to their last row.
    const int visibleHeight = pixelsToTwips(picNode->height());
    const int treeHeight = (m.rowCount() + 1) * kNodePitch;
    VScroll1->setMaximum(std::max(visibleHeight, treeHeight - visibleHeight));
    VScroll1->setPageStep(std::max(visibleHeight, 1));
    HScroll1->setPageStep(std::max(visibleWidth / 100, 1));
    txtsgf->setText(qs(session_.txtsgf));
    Text1->setText(qs(session_.Text1));
    Text2->setText(qs(session_.Text2));
    picNode->update();
}

void FomNode::scrollTo(int x, int y) {
    const int w = pixelsToTwips(picNode->width());
    const int h = pixelsToTwips(picNode->height());
    // A node out of sight is brought to the middle of the area.
    if (x < picNode->offsetX() + kNodePitch / 2 || x > picNode->offsetX() + w - kNodePitch / 2)
        HScroll1->setValue(std::max(nearest((x - w / 2.0) / 100), 0));
    if (y < picNode->offsetY() + kNodePitch / 2 || y > picNode->offsetY() + h - kNodePitch / 2)
        VScroll1->setValue(std::max(y - h / 2, 0));
}

void FomNode::showSelection() {
    refreshView();
    if (session_.SelX == 0) return;
    // The box being typed in is left as the user has it; while a branch is recorded it holds
    // the comment of the move being played.
    if (!typingComment_ && !state_.BranchInputMode) {
        showingComment_ = true;
        TxtComment->setPlainText(qs(session_.selectedComment()));
        showingComment_ = false;
    }
    if (!clickSelecting_) scrollTo(session_.SelX, session_.SelY);
}

// What the box holds belongs to the node selected so far: it is kept before another node's
// comment replaces it (a replay selects a node on every step).
void FomNode::cPoint(int t1, int t2) {
    TxtComment_Validate();
    selectNode(t1, t2);
}

// After a load or an edit the box still shows a node of the old table, so nothing is kept.
void FomNode::selectNode(int t1, int t2) {
    session_.select(t1, t2);
    showSelection();
}

void FomNode::PicNode_MouseDown(int x, int y) {
    TxtComment_Validate();
    const TreeSession::Click c = session_.click(x, y);
    if (!c.hit) {
        refreshView();
        return;
    }
    {
        // The clicked node is in sight already: the view must not jump.
        const QScopedValueRollback<bool> clicking(clickSelecting_, true);
        showSelection();
    }
    const QScopedValueRollback<bool> fromTree(boardFromTree_, true);
    engine_.Redraw(1, c.step);
}

void FomNode::stepSelection(TreeStep step) {
    const TreeModel& m = session_.model();
    // With nothing selected, any arrow starts at the root.
    const NodeRef to = session_.SelX == 0
                           ? NodeRef{1, 1}
                           : m.stepFrom(session_.SelBranch, session_.SelNodeNo, step);
    if (to.branch < 1 || to.branch > m.BranchCount || to.node < 1) return;
    PicNode_MouseDown(m.nodeX(to.branch, to.node), m.nodeY(to.branch));
    scrollTo(session_.SelX, session_.SelY);
}

void FomNode::LstSgfSample_Click(int row) {
    const std::vector<std::string>& samples = treeSamples();
    if (row < 0 || row >= static_cast<int>(samples.size())) return;
    endRecording();
    const std::string& text = samples[static_cast<std::size_t>(row)];
    if (const std::string fault = Checkg(text); !fault.empty())
        dialogs_->inform(kSyntaxTitle, qs(fault));
    session_.loadText(text, false);
    layoutControls();
    selectNode(1, 1);
}

bool FomNode::putSGFdata(const std::string& text) {
    endRecording();
    if (!syntaxAccepted(text)) return false;
    session_.loadText(text, true);
    layoutControls();
    selectNode(1, 1);
    return true;
}

void FomNode::showFileTree(const std::string& text) {
    endRecording();
    if (!on_) {
        on_ = true;
        show();
        placeBesideMain();
        emit treeViewChanged(true);
    }
    if (!syntaxAccepted(text)) return;
    session_.loadFileTree();
    layoutControls();
    selectNode(1, 1);
}

// A text with a syntax fault is shown only when the user wants it anyway; else the window
// closes and the tree is forgotten.
bool FomNode::syntaxAccepted(const std::string& text) {
    const std::string fault = Checkg(text);
    if (fault.empty() ||
        dialogs_->ask(kSyntaxTitle, qs(fault) + QStringLiteral(" このまま続けますか?")))
        return true;
    hideTree();
    record_.holdTree(false);
    return false;
}

void FomNode::toggleTreeView() {
    if (on_) {
        hideTree();
        return;
    }
    endRecording();
    on_ = true;
    show();
    placeBesideMain();
    emit treeViewChanged(true);
    // The whole record, wherever the board stands and whichever way it is turned.
    session_.loadFileTree();
    layoutControls();
    selectNode(1, 1);
    if (session_.followMove(state_.MoveCount)) showSelection();
}

void FomNode::documentChanged() {
    if (!on_ || !session_.refresh()) return;
    layoutControls();
    showSelection();
}

void FomNode::closeTreeView() {
    if (isVisible()) saveGeometry();
    hideTree();
}

// A branch played against a tree that is gone would go into the wrong place: another tree, or
// none, ends the recording without inserting anything.
void FomNode::endRecording() {
    if (!state_.BranchInputMode) return;
    session_.cancelBranch();
    showRecordingControls(false);
}

// While a branch is recorded its comments go with the moves, not into the selected node.
void FomNode::showRecordingControls(bool recording) {
    CmdBend->setEnabled(recording);
    CmdBstart->setEnabled(!recording);
    TxtComment->setEnabled(!recording);
}

void FomNode::hideTree() {
    endRecording();
    const bool wasOn = on_;
    on_ = false;
    hide();
    if (wasOn) emit treeViewChanged(false);
}

void FomNode::TxtComment_Validate() {
    if (showingComment_ || state_.BranchInputMode || session_.SelX == 0) return;
    const std::string typed = TxtComment->toPlainText().toStdString();
    if (typed == session_.selectedComment()) return;
    const QScopedValueRollback<bool> typing(typingComment_, true);
    session_.writeComment(typed);
    refreshView();
}

bool FomNode::writeTreeFile(const std::string& path) {
    TxtComment_Validate();
    const std::string& commentary = state_.MoveComment[std::clamp(state_.MoveCount, 0, kMaxMoves)];
    if (record_.holdsUndecodedText(commentary) &&
        !dialogs_->ask(kTitle, qs(kUndecodedTextQuestion)))
        return false;
    record_.prepareForSave(commentary);
    const RecordDocument& document = record_.document();
    const int game = document.position().game;
    const bool written =
        writeFileAtomically(path, collection_ != nullptr && collection_->shown()
                                      ? collection_->bytesWith(document.gameText(game))
                                      : gameFileBytes(document, game));
    if (written) {
        emit recordSaved(QString::fromStdString(path));
        return true;
    }
    dialogs_->inform(kTitle, qs(kWriteErrorMessage));
    return false;
}

void FomNode::CmdBstart_Click() {
    session_.Text1 = Text1->text().toStdString();
    session_.Text2 = Text2->text().toStdString();
    if (!session_.startBranch()) return;
    showingComment_ = true;
    TxtComment->clear();
    showingComment_ = false;
    showRecordingControls(true);
    engine_.Redraw(1, state_.MoveCount);
}

void FomNode::CmdBend_Click() {
    if (!state_.BranchInputMode) return;
    const std::string comment = TxtComment->toPlainText().toStdString();
    showRecordingControls(false);
    const int b = session_.endBranch(comment);
    refreshView();
    if (b) selectNode(b, 1);
}

void FomNode::Command1_Click() {
    TxtComment_Validate();
    session_.Text1 = Text1->text().toStdString();
    session_.Text2 = Text2->text().toStdString();
    if (const int b = session_.insertEmptyBranch()) {
        layoutControls();
        selectNode(b, 1);
    }
}

void FomNode::Command2_Click() {
    const int branch = Text1->text().trimmed().toInt();
    cPoint(branch, session_.model().nodeOfLabel(branch, Text2->text().trimmed().toInt()));
}

void FomNode::Command3_Click() {
    TxtComment_Validate();
    session_.Text1 = Text1->text().toStdString();
    switch (session_.deletionOf()) {
        case TreeSession::Deletion::NothingSelected:
            return;
        case TreeSession::Deletion::MainLine:
            dialogs_->inform(kTitle, QStringLiteral("本手順は削除できません。"));
            return;
        case TreeSession::Deletion::Deleted:
            if (!dialogs_->ask(kTitle, QStringLiteral("指定された分岐を削除します。"))) return;
            session_.deleteSelected();
            // A board that stood on the branch now stands at the fork.
            engine_.Redraw(1, record_.positionSlot());
            showingComment_ = true;
            TxtComment->clear();
            showingComment_ = false;
            layoutControls();
            return;
    }
}

void FomNode::Command4_Click() {
    TxtComment_Validate();
    session_.reparse();
    layoutControls();
    CmdSamples->setChecked(true);  // the rebuilt text is what the user asked to see
}

void FomNode::Command5_Click() {
    const std::optional<std::string> text = treeTextOfFile(FrmFile->Text3->text().toStdString());
    if (!text) {
        dialogs_->inform(kTitle, qs(kReadErrorMessage));
        return;
    }
    FrmFile->hide();
    // The record read is the tree's now, with its game information.
    if (putSGFdata(*text)) record_.takeRootInfo();
}

void FomNode::Command6_Click() { writeTreeFile(FrmFile->Text3->text().toStdString()); }

void FomNode::ShowFileFrame() { FrmFile->showAt(QDir::homePath()); }

void FomNode::placeBesideMain() {
    if (!mainWindow_) return;
    // Level with the main window and as high, against its right edge.
    placeBeside(*this, mainWindow_->frameGeometry(), {width(), mainWindow_->height()});
}

void FomNode::restoreGeometry() {
    const StoredTreeGeometry g = readTreeWindowGeometry(settings_);
    const int left = mainWindow_ ? mainWindow_->frameGeometry().right() + 1 : 0;
    resize(twipsToPixels(g.width), twipsToPixels(g.height));
    placeWindow(*this, {left, twipsToPixels(g.top)});
}

void FomNode::saveGeometry() {
    auto put = [this](std::string_view key, int px) {
        settings_.WriteSetting("Kelmaz", "Startup", key, std::to_string(pixelsToTwips(px)));
    };
    put(key::kTreeHeight, height());
    put(key::kTreeWidth, width());
    put(key::kTreeTop, y());
    put(key::kTreeLeft, x());
}

void FomNode::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutControls();
}

void FomNode::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (on_) toggleTreeView();
    saveGeometry();
    hide();
}

bool FomNode::eventFilter(QObject* watched, QEvent* event) {
    if (watched == TxtComment && event->type() == QEvent::FocusOut) TxtComment_Validate();
    if (watched == picNode && event->type() == QEvent::KeyPress) {
        static const std::pair<int, TreeStep> keys[] = {{Qt::Key_Left, TreeStep::Previous},
                                                        {Qt::Key_Right, TreeStep::Next},
                                                        {Qt::Key_Up, TreeStep::Up},
                                                        {Qt::Key_Down, TreeStep::Down}};
        const int key = static_cast<QKeyEvent*>(event)->key();
        for (const auto& [k, step] : keys) {
            if (k != key) continue;
            stepSelection(step);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace kelmaz
