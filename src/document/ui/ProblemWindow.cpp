#include "document/ui/ProblemWindow.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "engine/GameState.h"

namespace kelmaz {

ProblemWindow::ProblemWindow(RecordDocument& document, QWidget* boardWindow)
    : QWidget(boardWindow, Qt::Tool), document_(document) {
    setObjectName(QStringLiteral("ProblemWindow"));
    setWindowTitle(QStringLiteral("詰碁モード"));
    auto* layout = new QVBoxLayout(this);
    name_ = new QLabel(this);
    name_->setAlignment(Qt::AlignCenter);
    layout->addWidget(name_);
    status_ = new QLabel(this);
    status_->setAlignment(Qt::AlignCenter);
    QFont large = status_->font();
    large.setPointSizeF(large.pointSizeF() * 1.5);
    status_->setFont(large);
    layout->addWidget(status_);
    auto* buttons = new QHBoxLayout;
    auto* again = new QPushButton(QStringLiteral("もう一度"), this);
    again->setObjectName(QStringLiteral("Retry"));
    auto* next = new QPushButton(QStringLiteral("次の問題"), this);
    next->setObjectName(QStringLiteral("NextProblem"));
    connect(again, &QPushButton::clicked, this, &ProblemWindow::retry);
    connect(next, &QPushButton::clicked, this, &ProblemWindow::nextProblem);
    buttons->addWidget(again);
    buttons->addWidget(next);
    layout->addLayout(buttons);
}

bool ProblemWindow::begin() {
    const int game = document_.position().game;
    if (game >= document_.gameCount() || !ProblemSession::isProblem(document_.game(game))) {
        dialogs_->inform(windowTitle(), QString::fromUtf8(kNotAProblemMessage.data(),
                                                          int(kNotAProblemMessage.size())));
        return false;
    }
    startGame(game);
    show();
    return true;
}

bool ProblemWindow::active() const {
    return session_ && document_.revision() == revision_ && isVisible();
}

void ProblemWindow::startGame(int game) {
    revision_ = document_.revision();
    session_.emplace(document_, game);
    showState();
}

void ProblemWindow::pointClicked(int col, int row) {
    if (!active()) return;
    session_->click(col, row);
    showState();
}

void ProblemWindow::retry() {
    if (!active()) return;
    session_->retry();
    showState();
}

void ProblemWindow::nextProblem() {
    if (!active()) return;
    if (session_->next()) return showState();
    if (!openNext_ || !openNext_()) {
        dialogs_->inform(windowTitle(), QString::fromUtf8(kLastProblemMessage.data(),
                                                          int(kLastProblemMessage.size())));
        return;
    }
    // The next game could not be taken (the user kept the record, or it is unreadable): the
    // try goes on as it stood.
    if (document_.revision() == revision_) return;
    if (!begin()) close();
}

QString ProblemWindow::statusText() const { return status_->text(); }

void ProblemWindow::showState() {
    const auto text = [](std::string_view s) { return QString::fromUtf8(s.data(), int(s.size())); };
    name_->setText(
        QString::fromStdString(document_.game(session_->game()).nodes.front().text("GN")));
    name_->setVisible(!name_->text().isEmpty());
    switch (session_->answer()) {
        case ProblemAnswer::Right:
            status_->setText(text(kRightAnswerText));
            break;
        case ProblemAnswer::Wrong:
            status_->setText(text(kWrongAnswerText));
            break;
        default:
            status_->setText(session_->player() == kBlack ? QStringLiteral("黒番です")
                                                          : QStringLiteral("白番です"));
    }
    // The board follows the session; choosing a node is no edit, so the revision stays.
    document_.choose(session_->position());
    emit positionChosen();
}

void ProblemWindow::closeEvent(QCloseEvent* event) {
    session_.reset();
    emit ended();
    QWidget::closeEvent(event);
}

}  // namespace kelmaz
