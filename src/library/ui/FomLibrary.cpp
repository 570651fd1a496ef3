#include "library/ui/FomLibrary.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QThread>

#include "library/ui/ShapeBoard.h"

namespace kelmaz {

namespace {

QString qt(const std::string& s) { return QString::fromStdString(s); }

QTableWidget* makeTable(const QStringList& headers, QWidget* parent) {
    auto* table = new QTableWidget(0, static_cast<int>(headers.size()), parent);
    table->setHorizontalHeaderLabels(headers);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

// A cell that sorts by number where it holds one.
QTableWidgetItem* item(const QString& text, int number = -1) {
    auto* cell = new QTableWidgetItem;
    if (number >= 0)
        cell->setData(Qt::DisplayRole, number);
    else
        cell->setText(text);
    return cell;
}

}  // namespace

FomLibrary::FomLibrary(LibraryWindowHost& host, const std::string& libraryPath, QWidget* parent)
    : QWidget(parent, Qt::Window), host_(host) {
    setWindowTitle(QStringLiteral("棋譜データベース"));
    setObjectName(QStringLiteral("FomLibrary"));
    std::string error;
    library_ = library::GameLibrary::open(libraryPath, error);

    auto* layout = new QGridLayout(this);
    status_ = new QLabel(this);
    addButton_ = new QPushButton(QStringLiteral("フォルダ追加"), this);
    cancelButton_ = new QPushButton(QStringLiteral("中止"), this);
    cancelButton_->setEnabled(false);
    progress_ = new QProgressBar(this);
    auto* top = new QHBoxLayout;
    top->addWidget(addButton_);
    top->addWidget(progress_, 1);
    top->addWidget(cancelButton_);
    layout->addLayout(top, 0, 0, 1, 2);
    layout->addWidget(status_, 1, 0, 1, 2);

    player_ = new QLineEdit(this);
    from_ = new QLineEdit(this);
    to_ = new QLineEdit(this);
    event_ = new QLineEdit(this);
    player_->setPlaceholderText(QStringLiteral("対局者"));
    from_->setPlaceholderText(QStringLiteral("開始日"));
    to_->setPlaceholderText(QStringLiteral("終了日"));
    event_->setPlaceholderText(QStringLiteral("棋戦"));
    auto* filters = new QHBoxLayout;
    for (QLineEdit* box : {player_, from_, to_, event_}) {
        filters->addWidget(box);
        connect(box, &QLineEdit::returnPressed, this, &FomLibrary::refreshList);
    }
    auto* filterButton = new QPushButton(QStringLiteral("絞込"), this);
    filters->addWidget(filterButton);
    layout->addLayout(filters, 2, 0);
    games_ = makeTable(
        {QStringLiteral("黒"), QStringLiteral("白"), QStringLiteral("日付"), QStringLiteral("結果"),
         QStringLiteral("棋戦"), QStringLiteral("手数"), QStringLiteral("ファイル")},
        this);
    games_->setSortingEnabled(true);
    layout->addWidget(games_, 3, 0);

    board_ = new ShapeBoard(this);
    layout->addWidget(board_, 2, 1, 2, 1);
    symmetries_ = new QCheckBox(QStringLiteral("対称形"), this);
    colourSwap_ = new QCheckBox(QStringLiteral("白黒反転"), this);
    anywhere_ = new QCheckBox(QStringLiteral("どこでも"), this);
    symmetries_->setChecked(true);
    colourSwap_->setChecked(true);
    positionButton_ = new QPushButton(QStringLiteral("局面検索"), this);
    patternButton_ = new QPushButton(QStringLiteral("部分検索"), this);
    auto* searchRow = new QHBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{positionButton_, patternButton_, symmetries_,
                                                      colourSwap_, anywhere_})
        searchRow->addWidget(w);
    layout->addLayout(searchRow, 4, 1);
    results_ =
        makeTable({QStringLiteral("ファイル"), QStringLiteral("局"), QStringLiteral("手数")}, this);
    results_->setObjectName(QStringLiteral("results"));
    layout->addWidget(results_, 4, 0, 2, 1);
    continuations_ = new QLabel(this);
    continuations_->setWordWrap(true);
    continuations_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    layout->addWidget(continuations_, 5, 1);

    connect(addButton_, &QPushButton::clicked, this, &FomLibrary::chooseFolder);
    connect(cancelButton_, &QPushButton::clicked, this, [this] { cancel_ = true; });
    connect(filterButton, &QPushButton::clicked, this, &FomLibrary::refreshList);
    connect(positionButton_, &QPushButton::clicked, this, &FomLibrary::searchPosition);
    connect(patternButton_, &QPushButton::clicked, this, &FomLibrary::searchPattern);
    connect(results_, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { openResult(row); });

    if (!library_) {
        status_->setText(QStringLiteral("棋譜データベースを開けません: ") + qt(error));
        for (QWidget* w :
             std::initializer_list<QWidget*>{addButton_, positionButton_, patternButton_})
            w->setEnabled(false);
        return;
    }
    board_->setPosition(host_.boardPosition());
    refreshList();
}

FomLibrary::~FomLibrary() {
    if (worker_ != nullptr) {
        cancel_ = true;
        worker_->wait();
    }
}

void FomLibrary::chooseFolder() {
    const QString folder =
        QFileDialog::getExistingDirectory(this, QStringLiteral("棋譜のフォルダ"));
    if (!folder.isEmpty()) addFolder(folder);
}

void FomLibrary::addFolder(const QString& folder) {
    if (worker_ != nullptr || !library_) return;
    cancel_ = false;
    for (QWidget* w : std::initializer_list<QWidget*>{addButton_, positionButton_, patternButton_})
        w->setEnabled(false);
    cancelButton_->setEnabled(true);
    progress_->setRange(0, 0);
    status_->setText(QStringLiteral("追加中…"));
    const std::string path = QFile::encodeName(folder).toStdString();
    worker_ = QThread::create([this, path] {
        const library::AddSummary summary = library_->add(
            {path},
            [this](std::size_t done, std::size_t total) {
                QMetaObject::invokeMethod(
                    progress_,
                    [this, done, total] {
                        progress_->setRange(0, static_cast<int>(total));
                        progress_->setValue(static_cast<int>(done));
                    },
                    Qt::QueuedConnection);
            },
            &cancel_);
        QMetaObject::invokeMethod(
            this, [this, summary] { finishAdding(summary); }, Qt::QueuedConnection);
    });
    worker_->start();
}

void FomLibrary::finishAdding(const library::AddSummary& summary) {
    worker_->wait();
    worker_->deleteLater();
    worker_ = nullptr;
    for (QWidget* w : std::initializer_list<QWidget*>{addButton_, positionButton_, patternButton_})
        w->setEnabled(true);
    cancelButton_->setEnabled(false);
    progress_->setRange(0, 1);
    progress_->setValue(1);
    status_->setText(QStringLiteral("追加 %1局、重複 %2局、読めないもの %3件%4")
                         .arg(summary.added)
                         .arg(summary.duplicates)
                         .arg(summary.refused.size())
                         .arg(summary.cancelled ? QStringLiteral("（中止）") : QString()));
    refreshList();
    emit addingFinished();
}

void FomLibrary::refreshList() {
    if (!library_ || worker_ != nullptr) return;
    const auto rows = library_->list({player_->text().toStdString(), from_->text().toStdString(),
                                      to_->text().toStdString(), event_->text().toStdString(), ""});
    games_->setSortingEnabled(false);
    games_->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const library::GameRow& g = rows[r];
        const QString fields[] = {qt(g.black), qt(g.white), qt(g.date), qt(g.result), qt(g.event)};
        for (int c = 0; c < 5; ++c) games_->setItem(r, c, item(fields[c]));
        games_->setItem(r, 5, item({}, g.moves));
        games_->setItem(r, 6, item(qt(g.file) + QStringLiteral(" #%1").arg(g.number)));
    }
    games_->setSortingEnabled(true);
}

void FomLibrary::searchPosition() {
    board_->setPosition(host_.boardPosition());
    runSearch(board_->position());
}

void FomLibrary::searchPattern() {
    if (const auto pattern = board_->pattern()) runSearch(*pattern);
}

void FomLibrary::runSearch(const library::Pattern& pattern) {
    if (!library_ || worker_ != nullptr) return;
    setCursor(Qt::BusyCursor);
    library::SearchOptions options;
    options.symmetries = symmetries_->isChecked();
    options.colourSwap = colourSwap_->isChecked();
    options.anywhere = anywhere_->isChecked();
    const library::SearchResult result = library_->search(library::makeQuery(pattern, options));
    unsetCursor();
    hits_ = result.hits;
    results_->setRowCount(static_cast<int>(hits_.size()));
    const auto rows = library_->games(hits_);
    for (int r = 0; r < static_cast<int>(hits_.size()); ++r) {
        const auto& row = rows[static_cast<std::size_t>(r)];
        results_->setItem(r, 0, item(row ? qt(row->file) : QString()));
        results_->setItem(r, 1, item({}, row ? row->number : 0));
        results_->setItem(r, 2, item({}, hits_[r].move));
    }
    std::vector<int> points;
    QString text = QStringLiteral("%1局").arg(hits_.size());
    for (std::size_t i = 0; i < result.continuations.size() && i < 26; ++i) {
        const library::Continuation& c = result.continuations[i];
        points.push_back(c.point);
        text += QStringLiteral("\n%1: %2回 (黒勝 %3、白勝 %4)")
                    .arg(QChar('A' + static_cast<int>(i)))
                    .arg(c.count)
                    .arg(c.blackWins)
                    .arg(c.whiteWins);
    }
    board_->setContinuations(points);
    continuations_->setText(text);
}

void FomLibrary::openResult(int row) {
    if (row < 0 || row >= static_cast<int>(hits_.size())) return;
    const auto game = library_->game(hits_[row].gameId);
    if (game) host_.openLibraryGame(game->file, game->number, hits_[row].move);
}

}  // namespace kelmaz
