#include "records/ui/FomJ.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "records/GameInfoRules.h"
#include "view/BoardGeometry.h"
#include "view/ui/ScreenTwips.h"

namespace kelmaz {

namespace {

// Caption of the label beside each field, by field index.
constexpr std::array<const char*, kGameInfoFields> kFieldLabels = {"ﾌｧｲﾙﾌｫｰﾏｯﾄ",
                                                                   "ゲームNO",
                                                                   "路盤",
                                                                   "文字コード",
                                                                   "棋譜作成ソフト",
                                                                   "記録者",
                                                                   "大会名",
                                                                   "対局名",
                                                                   "局",
                                                                   "黒番",
                                                                   "棋力",
                                                                   "棋力",
                                                                   "白番",
                                                                   "結果",
                                                                   "ルール",
                                                                   "対局場所",
                                                                   "対局日",
                                                                   "持ち時間",
                                                                   "初手",
                                                                   "置石",
                                                                   "コミ",
                                                                   "黒     団体名  ",
                                                                   "白　　 団体名",
                                                                   "出典",
                                                                   "著作権"};

QString fromUtf8(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

FomJ::FomJ(const GameInfo& info, FieldEditor edit, QWidget* parent)
    : QWidget(parent, Qt::Window), info_(info), edit_(std::move(edit)) {
    setWindowTitle(QStringLiteral("対局情報"));
    setAccessibleName(windowTitle());

    auto* players = new QGroupBox(this);
    auto* details = new QGroupBox(this);
    auto* file = new QGroupBox(this);
    const InfoField playerFields[] = {InfoField::EV, InfoField::GN, InfoField::RO, InfoField::PB,
                                      InfoField::BR, InfoField::PW, InfoField::WR, InfoField::RE,
                                      InfoField::BT, InfoField::WT};
    const InfoField detailFields[] = {InfoField::US, InfoField::PC, InfoField::DT,
                                      InfoField::TM, InfoField::PL, InfoField::HA,
                                      InfoField::KM, InfoField::SO, InfoField::CP};
    const InfoField fileFields[] = {InfoField::FF, InfoField::GM, InfoField::SZ,
                                    InfoField::CA, InfoField::RU, InfoField::AP};
    players->setLayout(new QGridLayout);
    details->setLayout(new QGridLayout);
    file->setLayout(new QGridLayout);
    int row = 0;
    for (InfoField f : playerFields) addField(players, row++, f);
    row = 0;
    for (InfoField f : detailFields) addField(details, row++, f);
    row = 0;
    for (InfoField f : fileFields) addField(file, row++, f);

    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setAccessibleName(Command1->text());
    connect(Command1, &QPushButton::clicked, this, &QWidget::hide);

    auto* right = new QVBoxLayout;
    right->addWidget(details);
    right->addWidget(file);
    right->addStretch(1);
    auto* columns = new QHBoxLayout;
    // Event and player names are the long ones: their column gets the larger share.
    columns->addWidget(players, 3);
    columns->addLayout(right, 2);
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(columns);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Command1);
    outer->addLayout(buttons);

    // The place is the outer window's, title bar included, so that it stays on the screen.
    resize(twipsToPixels(11250), twipsToPixels(6700));
    placeWindow(*this, {twipsToPixels(500), twipsToPixels(100)});
    refresh();
}

void FomJ::addField(QGroupBox* frame, int row, InfoField field) {
    const int index = static_cast<int>(field);
    auto* grid = static_cast<QGridLayout*>(frame->layout());
    auto* label = new QLabel(QString::fromUtf8(kFieldLabels[index]), frame);
    auto* box = new QLineEdit(frame);
    box->setAccessibleName(label->text().trimmed());
    box->setObjectName(QString::fromLatin1(GameInfoNames[index].data(), 2));
    label->setBuddy(box);
    grid->addWidget(label, row, 0);
    grid->addWidget(box, row, 1);
    // The boxes take the width the window gives; the spelt-out result keeps only its own.
    grid->setColumnStretch(1, 1);
    fields_[index] = box;
    // Every change counts, not only typing: text set through the accessibility interface or
    // pasted by an input method is what the box shows and so what is kept.
    connect(box, &QLineEdit::textChanged, this,
            [this, index](const QString& text) { fieldEdited(index, text); });

    // The result and the time allowance are spelt out beside their fields: "勝者 白 3.5 目"
    // (the winner beside its caption, the margin before its unit) and "1 時間 30 分".
    auto addDerived = [&](std::array<QLabel*, 4> parts) {
        auto* line = new QHBoxLayout;
        for (QLabel* part : parts) line->addWidget(part);
        line->addStretch(1);
        grid->addLayout(line, row, 2);
    };
    auto caption = [frame](const char* text) { return new QLabel(QString::fromUtf8(text), frame); };
    if (field == InfoField::RE) {
        winner_ = new QLabel(frame);
        detail_ = new QLabel(frame);
        addDerived({caption("勝者"), winner_, detail_, caption("目")});
    }
    if (field == InfoField::TM) {
        hours_ = new QLabel(frame);
        minutes_ = new QLabel(frame);
        addDerived({hours_, caption("時間"), minutes_, caption("分")});
    }
}

void FomJ::fieldEdited(int index, const QString& text) {
    edit_(index, text.toStdString());
    showLabels();
}

void FomJ::showLabels() {
    winner_->setText(fromUtf8(info_.WinnerLabel));
    detail_->setText(fromUtf8(info_.DetailLabel));
    hours_->setText(fromUtf8(info_.HoursLabel));
    minutes_->setText(fromUtf8(info_.MinutesLabel));
}

void FomJ::refresh() {
    for (int i = 0; i < kGameInfoFields; ++i) {
        const QString text = fromUtf8(info_.Fields[i]);
        if (fields_[i]->text() == text) continue;
        const QSignalBlocker quiet(fields_[i]);
        fields_[i]->setText(text);
    }
    showLabels();
}

void FomJ::showEvent(QShowEvent* event) {
    refresh();
    QWidget::showEvent(event);
}

void FomJ::closeEvent(QCloseEvent* event) {
    // Closing only hides the dialog: the fields are the program's store of the information.
    event->ignore();
    hide();
}

}  // namespace kelmaz
