#include "records/ui/FomGames.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QTableView>
#include <QVBoxLayout>
#include <array>

#include "view/ui/QtText.h"

namespace kelmaz {

namespace {

// The games of a collection as table rows; every cell is read from the index when shown.
class GamesModel : public QAbstractTableModel {
  public:
    explicit GamesModel(std::shared_ptr<const RecordCollection> collection, QObject* parent)
        : QAbstractTableModel(parent), collection_(std::move(collection)) {}

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(collection_->games.size());
    }
    int columnCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(kCaptions.size());
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
            section >= static_cast<int>(kCaptions.size()))
            return {};
        return QString::fromUtf8(kCaptions[static_cast<std::size_t>(section)]);
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid()) return {};
        const GameTreeRange& game = collection_->games[static_cast<std::size_t>(index.row())];
        if (role == Qt::ToolTipRole && !game.complete) {
            return qs(collectionGameLines(*collection_, std::size_t(index.row()) + 1).message);
        }
        if (role == Qt::TextAlignmentRole && (index.column() == 0 || index.column() == 6)) {
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        }
        if (role != Qt::DisplayRole) return {};
        const GameHeader& h = game.header;
        switch (index.column()) {
            case 0:
                return index.row() + 1;
            case 1:
                return oneLine(h.black);
            case 2:
                return oneLine(h.white);
            case 3:
                return oneLine(h.date);
            case 4:
                return oneLine(h.result);
            case 5:
                return oneLine(h.event);
            default:
                return game.complete ? QVariant(h.moves) : QVariant(QStringLiteral("読めません"));
        }
    }

  private:
    static constexpr std::array<const char*, 7> kCaptions = {"番号", "黒",   "白",  "日付",
                                                             "結果", "棋戦", "手数"};
    static QString oneLine(const std::string& value) { return qs(value).simplified(); }

    std::shared_ptr<const RecordCollection> collection_;
};

}  // namespace

FomGames::FomGames(std::shared_ptr<const RecordCollection> collection, QWidget* parent)
    : QDialog(parent), collection_(std::move(collection)) {
    setObjectName(QStringLiteral("FomGames"));
    setWindowTitle(QStringLiteral("棋譜の選択"));
    setAccessibleName(windowTitle());
    List = new QTableView(this);
    List->setObjectName(QStringLiteral("List"));
    List->setAccessibleName(QStringLiteral("棋譜"));
    List->setModel(new GamesModel(collection_, List));
    List->setSelectionBehavior(QAbstractItemView::SelectRows);
    List->setSelectionMode(QAbstractItemView::SingleSelection);
    List->setEditTriggers(QAbstractItemView::NoEditTriggers);
    List->setTabKeyNavigation(false);
    List->verticalHeader()->hide();
    List->horizontalHeader()->setStretchLastSection(false);
    // Fixed widths: measuring thousands of rows would keep the window from opening at once.
    const std::array<int, 7> widths = {60, 150, 150, 100, 80, 200, 60};
    for (std::size_t c = 0; c < widths.size(); ++c)
        List->setColumnWidth(static_cast<int>(c), widths[c]);
    if (List->model()->rowCount() > 0) List->setCurrentIndex(List->model()->index(0, 0));
    connect(List, &QAbstractItemView::activated, this,
            [this](const QModelIndex& index) { openGame(index.row()); });
    connect(List, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { openGame(index.row()); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(List);
    resize(840, 420);
}

void FomGames::openGame(int row) {
    if (chosen_ != 0 || row < 0) return;
    chosen_ = static_cast<std::size_t>(row) + 1;
    accept();
    emit gameChosen(chosen_);
}

void chooseGame(QWidget* parent, RecordCollection collection, TakeChosenGame take,
                std::function<void(const std::string&)> inform) {
    auto shared = std::make_shared<const RecordCollection>(std::move(collection));
    auto* list = new FomGames(shared, parent);
    list->setAttribute(Qt::WA_DeleteOnClose);
    list->setWindowModality(Qt::WindowModal);
    QObject::connect(
        list, &FomGames::gameChosen, list,
        [shared, take = std::move(take), inform = std::move(inform)](std::size_t number) {
            GameLines game = collectionGameLines(*shared, number);
            if (!game.message.empty()) {
                inform(game.message);
                return;
            }
            take(std::move(game.lines), *shared, number);
        });
    list->open();
    list->List->setFocus();
}

}  // namespace kelmaz
