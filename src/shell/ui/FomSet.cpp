#include "shell/ui/FomSet.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>

#include "base/Twips.h"
#include "engine/Engine.h"
#include "engine/EngineHost.h"
#include "engine/GameState.h"
#include "shell/SettingsStore.h"
#include "shell/StartupSettings.h"
#include "shell/ui/SettingsWindowHost.h"
#include "view/ui/ScreenTwips.h"

namespace kelmaz {

namespace {

// The window is laid out in twips; it is drawn a little larger than one pixel per 15 twips so
// that every caption fits its frame.
constexpr double kPixelsPerTwip = 1.3 / kTwipsPerPixel;
QRect px(int left, int top, int width, int height) {
    return {qRound(left * kPixelsPerTwip), qRound(top * kPixelsPerTwip),
            qRound(width * kPixelsPerTwip), qRound(height * kPixelsPerTwip)};
}

}  // namespace

FomSet::FomSet(GameState& state, BoardOptions& options, SettingsStore& settings, Engine& engine,
               SettingsWindowHost& host)
    : QWidget(nullptr, Qt::Window | Qt::WindowStaysOnTopHint),
      state_(state),
      options_(options),
      settings_(settings),
      engine_(engine),
      host_(host),
      chosenSizeIndex_(options.sizeIndex) {
    setObjectName(QStringLiteral("FomSet"));
    setWindowTitle(QStringLiteral("設定"));

    Option1 =
        optionGroup(frame(0, QStringLiteral("盤")), "Option1",
                    {QStringLiteral("19路盤"), QStringLiteral("13路盤"), QStringLiteral(" 9路盤")},
                    1, &FomSet::sizeClicked);
    Option4 =
        optionGroup(frame(1, QStringLiteral("碁盤色合い")), "Option4",
                    {QStringLiteral("明るい"), QStringLiteral("中間"), QStringLiteral("暗い")}, 1,
                    &FomSet::Option4_Click);
    stones_ = optionGroup(frame(2, QStringLiteral("石の選択")), "stones",
                          {QStringLiteral("黒石"), QStringLiteral("白石"), QStringLiteral("交互")},
                          1, &FomSet::stonesClicked);
    stones_->button(0)->setObjectName(QStringLiteral("Optionkuro"));
    stones_->button(1)->setObjectName(QStringLiteral("Optionshiro"));
    stones_->button(2)->setObjectName(QStringLiteral("Option3"));
    Option7 =
        optionGroup(frame(3, QStringLiteral("白石")), "Option7",
                    {QStringLiteral("明るい"), QStringLiteral("暗い")}, 1, &FomSet::Option7_Click);

    QGroupBox* labels = frame(4, QStringLiteral("升目番号"));
    auto* labelGroup =
        optionGroup(labels, "OS", {QStringLiteral("数字"), QStringLiteral("ｱﾙﾌｧﾍﾞｯﾄ")}, 1, nullptr);
    Opt98 = static_cast<QRadioButton*>(labelGroup->button(0));
    OptNT = static_cast<QRadioButton*>(labelGroup->button(1));
    Opt98->setObjectName(QStringLiteral("Opt98"));
    OptNT->setObjectName(QStringLiteral("OptNT"));
    connect(Opt98, &QRadioButton::toggled, this, [this](bool on) {
        if (on) Opt98_Click();
    });
    connect(OptNT, &QRadioButton::toggled, this, [this](bool on) {
        if (on) OptNT_Click();
    });

    QStringList handicaps{QStringLiteral("なし")};
    for (int k = 2; k <= 17; ++k) handicaps << QStringLiteral("%1子").arg(k);
    Option6 = optionGroup(frame(5, QStringLiteral("置石")), "Option6", handicaps, 4,
                          &FomSet::handicapClicked);
    Option2 =
        optionGroup(frame(6, QStringLiteral("解説の表示")), "Option2",
                    {QStringLiteral("表示"), QStringLiteral("非表示")}, 1, &FomSet::Option2_Click);
    Option5 =
        optionGroup(frame(7, QStringLiteral("番号")), "Option5",
                    {QStringLiteral("表示"), QStringLiteral("非表示")}, 1, &FomSet::Option5_Click);

    QGroupBox* speed = frame(8, QStringLiteral("再現スピード"));
    auto* speedLayout = new QGridLayout(speed);
    HScroll1 = new QScrollBar(Qt::Horizontal, speed);
    HScroll1->setObjectName(QStringLiteral("HScroll1"));
    HScroll1->setAccessibleName(QStringLiteral("再現スピード"));
    HScroll1->setFocusPolicy(Qt::StrongFocus);  // the arrow keys move it
    HScroll1->setRange(100, 20000);
    HScroll1->setSingleStep(100);
    HScroll1->setPageStep(1000);
    HScroll1->setValue(1000);
    Label1 = new QLabel(QStringLiteral("1"), speed);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    speedLayout->addWidget(HScroll1, 0, 0, 1, 2);
    speedLayout->addWidget(Label1, 1, 0);
    speedLayout->addWidget(new QLabel(QStringLiteral("秒"), speed), 1, 1);
    speedLayout->setRowStretch(2, 1);
    connect(HScroll1, &QScrollBar::valueChanged, this, &FomSet::HScroll1_Change);

    Frame2 = new QGroupBox(QStringLiteral("UGIオプション(パンダネット対応)"), this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Frame2->setGeometry(px(0, 3360, 4095, 615));
    auto* originGroup = optionGroup(
        Frame2, "Pnada",
        {QStringLiteral("左下隅を基点とする"), QStringLiteral("右上隅を基点とする")}, 2, nullptr);
    Option8 = static_cast<QRadioButton*>(originGroup->button(0));
    Option9 = static_cast<QRadioButton*>(originGroup->button(1));
    Option8->setObjectName(QStringLiteral("Option8"));
    Option9->setObjectName(QStringLiteral("Option9"));
    connect(Option8, &QRadioButton::toggled, this, [this](bool on) {
        if (on) Option8_Click();
    });
    connect(Option9, &QRadioButton::toggled, this, [this](bool on) {
        if (on) Option9_Click();
    });

    FrameOpen = new QGroupBox(QStringLiteral("棋譜を開いたとき"), this);
    FrameOpen->setObjectName(QStringLiteral("FrameOpen"));
    FrameOpen->setGeometry(px(4115, 3360, 1625, 615));
    OptionOpen =
        optionGroup(FrameOpen, "OptionOpen", {QStringLiteral("最終手"), QStringLiteral("初手")}, 2,
                    &FomSet::OptionOpen_Click);

    FrameMarks = new QGroupBox(QStringLiteral("記号の表示"), this);
    FrameMarks->setObjectName(QStringLiteral("FrameMarks"));
    FrameMarks->setGeometry(px(0, 3995, 1625, 615));
    OptionMarks =
        optionGroup(FrameMarks, "OptionMarks", {QStringLiteral("表示"), QStringLiteral("非表示")},
                    2, &FomSet::OptionMarks_Click);

    Command1 = new QPushButton(QStringLiteral("閉じる"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    const QRect last = Frame1[8]->geometry();
    Command1->setGeometry(last.left(), last.bottom() + 1 + qRound(20 * kPixelsPerTwip),
                          qRound(735 * kPixelsPerTwip), qRound(425 * kPixelsPerTwip));
    connect(Command1, &QPushButton::clicked, this, &FomSet::Command1_Click);

    // Initial selections of a freshly created window, without running any handler.
    const auto initial = [](QButtonGroup* group, int index) {
        const QSignalBlocker blockGroup(group);
        const QSignalBlocker blockOption(group->button(index));
        group->button(index)->setChecked(true);
    };
    initial(Option1, 0);
    initial(Option4, 0);
    initial(stones_, 2);
    initial(Option7, 0);
    initial(labelGroup, 0);
    initial(Option6, 0);
    initial(Option2, 0);
    initial(Option5, 1);
    initial(originGroup, 1);
    initial(OptionOpen, 0);
    initial(OptionMarks, 0);

    placeWindow(*this, {twipsToPixels(500), twipsToPixels(200)});
    setFixedSize(Frame1[8]->geometry().right() + 1 + qRound(200 * kPixelsPerTwip),
                 std::max(Command1->geometry().bottom(), FrameMarks->geometry().bottom()) + 1 +
                     qRound(300 * kPixelsPerTwip));
}

QGroupBox* FomSet::frame(int index, const QString& caption) {
    auto* box = new QGroupBox(caption, this);
    box->setObjectName(QStringLiteral("Frame1_%1").arg(index));
    if (index <= 4) {
        box->setGeometry(px(50 + index * 1420, 100, 1400, 1590));
    } else if (index == 5) {
        box->setGeometry(px(50, 1740, 2850, 1590));
    } else {
        box->setGeometry(px(2900 + (index - 6) * 1400 + (index - 5) * 20, 1740, 1400, 1590));
    }
    Frame1[index] = box;
    return box;
}

QButtonGroup* FomSet::optionGroup(QGroupBox* box, const char* name, const QStringList& captions,
                                  int columns, void (FomSet::*handler)(int)) {
    auto* group = new QButtonGroup(box);
    group->setObjectName(QLatin1String(name));
    auto* layout = new QGridLayout(box);
    layout->setContentsMargins(6, 2, 4, 2);
    layout->setSpacing(0);
    for (int i = 0; i < captions.size(); ++i) {
        auto* option = new QRadioButton(captions[i], box);
        option->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(i));
        group->addButton(option, i);
        layout->addWidget(option, i / columns, i % columns);
    }
    layout->setRowStretch(int((captions.size() + columns - 1) / columns), 1);
    if (handler) {
        // Only a change of selection is a click: choosing the selected option again does nothing.
        connect(group, &QButtonGroup::idToggled, this, [this, handler](int id, bool on) {
            if (on) (this->*handler)(id);
        });
    }
    return group;
}

// Selects an option from code without raising its handler a second time.
void FomSet::select(QButtonGroup* group, int index) {
    QAbstractButton* option = group->button(index);
    if (!option || option->isChecked()) return;
    const QSignalBlocker block(group);
    option->setChecked(true);
}

void FomSet::Option1_Click(int index) {
    if (!Option1->button(index)) index = 0;
    select(Option1, index);
    options_.sizeIndex = index;
    options_.otherSize = 0;
    chosenSizeIndex_ = index;
    storeChoices();
    resizeBoard();
}

// A new size clears the board: an unsaved record is asked about first, and when it stays, so
// does the size the board shows.
void FomSet::sizeClicked(int index) {
    if (host_.mayDiscardRecord()) {
        Option1_Click(index);
    } else {
        showBoardSize();
    }
}

// Handicap stones start a new game on a cleared board: asked about first, like a new size.
void FomSet::handicapClicked(int index) {
    if (host_.mayDiscardRecord()) {
        Option6_Click(index);
    } else {
        select(Option6, 0);
    }
}

void FomSet::takeRecordSize(const BoardSizeChoice& size) {
    if (size.action != BoardSizeChoice::Action::Take) return;
    applyBoardSize(size, options_);
    showBoardSize();
    resizeBoard();
}

void FomSet::showBoardSize() {
    if (options_.otherSize == 0) {
        select(Option1, options_.sizeIndex);
    } else if (QAbstractButton* checked = Option1->checkedButton()) {
        // No option offers this size: none is shown selected while it is on the board.
        const QSignalBlocker block(Option1);
        Option1->setExclusive(false);
        checked->setChecked(false);
        Option1->setExclusive(true);
    }
}

void FomSet::resizeBoard() {
    engine_.gCls();
    host_.relayoutMainWindow();
}

void FomSet::Option4_Click(int index) {
    if (!Option4->button(index)) index = 0;
    select(Option4, index);
    options_.boardTintIndex = index;
    storeChoices();
    engine_.Redraw(1, state_.MoveCount);
    host_.relayoutMainWindow();
}

void FomSet::Option7_Click(int index) {
    if (!Option7->button(index)) index = 0;
    select(Option7, index);
    options_.whiteTintIndex = index;
    storeChoices();
    engine_.Redraw(1, state_.MoveCount);
    host_.repaintBoard();
}

void FomSet::Option2_Click(int index) {
    if (!Option2->button(index)) index = 0;
    select(Option2, index);
    const bool shown = index == 0;
    options_.showCommentary = shown;
    storeChoices();
    host_.setCommentaryShown(shown);
    host_.relayoutMainWindow();
}

void FomSet::OptionOpen_Click(int index) {
    if (!OptionOpen->button(index)) index = 0;
    select(OptionOpen, index);
    options_.openRecordsAtStart = index == 1;
    storeChoices();
}

void FomSet::OptionMarks_Click(int index) {
    if (!OptionMarks->button(index)) index = 0;
    select(OptionMarks, index);
    options_.showMarkup = index == 0;
    storeChoices();
    host_.repaintBoard();
}

void FomSet::Option5_Click(int index) {
    if (!Option5->button(index)) index = 1;
    select(Option5, index);
    options_.showNumbers = index == 0;
    // The rebuild must run through to the current move: the sequence viewer's stop boxes are
    // cleared for it and restored afterwards.
    ViewerLink& viewer = host_.viewer();
    const bool atComment = viewer.stopAtComment(), atBranch = viewer.stopAtBranch();
    viewer.setStopBoxes(false, false);
    engine_.Redraw(1, state_.MoveCount);
    viewer.setStopBoxes(atComment, atBranch);
    storeChoices();
    host_.repaintBoard();
}

void FomSet::Option6_Click(int index) {
    if (index <= 0 || !Option6->button(index)) return;
    engine_.placeHandicap(index + 1);
    select(Option6, 0);
    if (state_.NetMatchActive) host_.net().announceHandicap(index);
}

void FomSet::selectDigitLabels(bool digits) { (digits ? Opt98 : OptNT)->setChecked(true); }

void FomSet::selectLowerLeftOrigin(bool lowerLeft) {
    (lowerLeft ? Option8 : Option9)->setChecked(true);
}

void FomSet::selectStones(StoneChoice choice) {
    stones_->button(static_cast<int>(choice))->setChecked(true);
}

void FomSet::Opt98_Click() {
    options_.digitLabels = true;
    storeChoices();
    host_.relayoutMainWindow();
}

void FomSet::OptNT_Click() {
    options_.digitLabels = false;
    storeChoices();
    host_.relayoutMainWindow();
}

void FomSet::Option8_Click() {
    options_.ugfLowerLeftOrigin = true;
    storeChoices();
}

void FomSet::Option9_Click() {
    options_.ugfLowerLeftOrigin = false;
    storeChoices();
}

void FomSet::stonesClicked(int id) { options_.stones = static_cast<StoneChoice>(id); }

void FomSet::setSpeedValue(int milliseconds) {
    if (milliseconds < HScroll1->minimum()) return;  // a value below the bar's range is ignored
    HScroll1->setValue(milliseconds);
}

int FomSet::speedValue() const { return HScroll1->value(); }

QString FomSet::speedCaption() const { return Label1->text(); }

void FomSet::HScroll1_Change(int value) {
    Label1->setText(QString::fromStdString(kelmaz::speedCaption(value)));
    options_.speedMs = value;
    storeChoices();
    host_.speedChanged(value);
}

void FomSet::Command1_Click() {
    storeChoices();
    hide();
}

void FomSet::storeChoices() {
    // A record's own size is on the board only while it is shown: the stored size stays the
    // one the user chose.
    StoredOptions stored = storedOptions(options_);
    stored.sizeIndex = chosenSizeIndex_;
    storeOptions(settings_, stored);
}

void FomSet::closeEvent(QCloseEvent* event) {
    event->ignore();
    hide();
}

std::filesystem::path FomSet::GetIniPath() const {
    return settingsFilePath(QCoreApplication::applicationDirPath().toStdString());
}

}  // namespace kelmaz
