#include "document/ui/EditPalette.h"

#include <QAction>
#include <QButtonGroup>
#include <QGridLayout>
#include <QPushButton>
#include <QToolButton>

namespace kelmaz {

namespace {

struct ToolButton {
    EditTool tool;
    const char* caption;
    const char* tip;
};

constexpr ToolButton kTools[] = {
    {EditTool::BlackStone, "黒石", "黒石を置く"},
    {EditTool::WhiteStone, "白石", "白石を置く"},
    {EditTool::EmptyPoint, "石を消す", "石を取り除く"},
    {EditTool::Triangle, "△", "三角"},
    {EditTool::Circle, "○", "丸"},
    {EditTool::Square, "□", "四角"},
    {EditTool::Cross, "×", "バツ"},
    {EditTool::Letter, "文字", "A, B, … の順に付ける"},
    {EditTool::Number, "数字", "1, 2, … の順に付ける"},
    {EditTool::EraseMarks, "記号を消す", "記号と文字を消す"},
};

}  // namespace

EditPalette::EditPalette(RecordDocument& document, QWidget* boardWindow)
    : QWidget(boardWindow, Qt::Tool), document_(document) {
    setObjectName(QStringLiteral("EditPalette"));
    setWindowTitle(QStringLiteral("編集"));
    auto* grid = new QGridLayout(this);
    tools_ = new QButtonGroup(this);
    tools_->setExclusive(false);
    int index = 0;
    for (const ToolButton& t : kTools) {
        auto* button = new QToolButton(this);
        button->setText(QString::fromUtf8(t.caption));
        button->setToolTip(QString::fromUtf8(t.tip));
        button->setCheckable(true);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        tools_->addButton(button, static_cast<int>(t.tool));
        grid->addWidget(button, index / 2, index % 2);
        ++index;
    }
    // One tool at a time, and a click on the tool in hand puts it down.
    connect(tools_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        stroke_.reset();
        if (!checked) {
            if (tool_ == static_cast<EditTool>(id)) tool_.reset();
            return emit toolChanged();
        }
        tool_ = static_cast<EditTool>(id);
        for (QAbstractButton* other : tools_->buttons())
            if (tools_->id(other) != id) other->setChecked(false);
        emit toolChanged();
    });
    auto* turn = new QPushButton(QStringLiteral("手番"), this);
    turn->setObjectName(QStringLiteral("PlayerToMove"));
    turn->setToolTip(QStringLiteral("次に打つ側を入れ替える"));
    connect(turn, &QPushButton::clicked, this, [this] {
        if (beforeEdit_) beforeEdit_();
        applied(switchPlayerToMove(document_));
    });
    grid->addWidget(turn, index / 2 + 1, 0, 1, 2);

    // Esc on the board's window (which, for shortcuts, the palette belongs to) puts the tool
    // down; only while one is in hand, so that the window's boxes keep their own use of it.
    auto* escape = new QAction(boardWindow);
    escape->setShortcut(Qt::Key_Escape);
    escape->setEnabled(false);
    connect(escape, &QAction::triggered, this, &EditPalette::putToolDown);
    connect(this, &EditPalette::toolChanged, escape,
            [this, escape] { escape->setEnabled(tool_.has_value()); });
    boardWindow->addAction(escape);
}

void EditPalette::putToolDown() {
    if (tool_) tools_->button(static_cast<int>(*tool_))->setChecked(false);
}

void EditPalette::pointPressed(int col, int row) {
    if (!tool_) return;
    if (beforeEdit_) beforeEdit_();
    stroke_.emplace(document_, *tool_);
    applied(stroke_->add(col, row));
}

void EditPalette::pointDragged(int col, int row) {
    if (stroke_ && tool_) applied(stroke_->add(col, row));
}

void EditPalette::applied(const EditOutcome& outcome) {
    if (outcome.changed) emit edited();
    if (outcome.message.empty()) return;
    stroke_.reset();  // the user is told once, not on every point the drag still crosses
    dialogs_->inform(QStringLiteral("編集"), QString::fromStdString(outcome.message));
}

void EditPalette::hideEvent(QHideEvent* event) {
    putToolDown();
    QWidget::hideEvent(event);
}

}  // namespace kelmaz
