#include "records/ui/FomFile.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QStorageInfo>
#include <QTreeView>
#include <QVBoxLayout>

#include "base/AtomicFile.h"
#include "document/DocumentFile.h"
#include "intake/RecordCollection.h"
#include "intake/RecordFormat.h"
#include "records/RecordFile.h"
#include "records/SgfWriter.h"
#include "records/ui/FomGames.h"
#include "shell/SettingKeys.h"
#include "tree/TreeFile.h"
#include "view/BoardGeometry.h"
#include "view/ui/QtText.h"
#include "view/ui/ScreenTwips.h"

namespace kelmaz {

namespace {

// The busy pointer for as long as a command works.
class BusyPointer {
  public:
    BusyPointer() { QApplication::setOverrideCursor(Qt::BusyCursor); }
    ~BusyPointer() { QApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

}  // namespace

FomFile::FomFile(GameState& state, BoardHost& board, SettingsStore& settings,
                 DocumentRecord& record, Intake intake, QWidget* parent)
    : QWidget(parent, Qt::Window),
      state_(state),
      board_(board),
      settings_(settings),
      record_(record),
      intake_(std::move(intake)) {
    setWindowTitle(QStringLiteral("ﾌｧｲﾙ"));
    setAccessibleName(windowTitle());

    auto* frame = new QGroupBox(this);  // Frame1
    Drive1 = new QComboBox(frame);
    Drive1->setAccessibleName(QStringLiteral("ドライブ"));
    // A long mount point must not widen the folder column at the file list's expense.
    Drive1->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    Drive1->setMinimumContentsLength(4);
    dirModel_ = new QFileSystemModel(this);
    dirModel_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    Dir1 = new QTreeView(frame);
    Dir1->setModel(dirModel_);
    Dir1->setHeaderHidden(true);
    for (int column = 1; column < dirModel_->columnCount(); ++column) Dir1->hideColumn(column);
    Dir1->setAccessibleName(QStringLiteral("フォルダー"));
    fileModel_ = new QFileSystemModel(this);
    fileModel_->setFilter(QDir::Files);
    fileModel_->setNameFilterDisables(false);
    File1 = new QListView(frame);
    File1->setModel(fileModel_);
    File1->setAccessibleName(QStringLiteral("ファイル"));

    auto* label1 = new QLabel(QStringLiteral("ファイル名"), frame);
    Txtfile = new QLineEdit(frame);
    Txtfile->setAccessibleName(label1->text());
    label1->setBuddy(Txtfile);
    auto* label2 = new QLabel(QStringLiteral("ファイルの種類"), frame);
    Combo1 = new QComboBox(frame);
    Combo1->setEditable(true);
    Combo1->addItems({QStringLiteral("*.sgf"), QStringLiteral("*.htm"), QStringLiteral("*.ugf"),
                      QStringLiteral("*.txt"), QStringLiteral("*.*")});
    Combo1->setAccessibleName(label2->text());
    Combo1->setFixedWidth(twipsToPixels(1500));
    label2->setBuddy(Combo1);

    CmdRead = new QPushButton(QStringLiteral("読込"), frame);
    CmdWrite = new QPushButton(QStringLiteral("書込"), frame);
    Command2 = new QPushButton(QStringLiteral("閉じる"), frame);
    for (QPushButton* button : {CmdRead, CmdWrite, Command2}) {
        button->setAccessibleName(button->text());
        button->setFixedSize(twipsToPixels(1000), twipsToPixels(350));
    }
    CmdWriteGame = new QPushButton(QStringLiteral("この棋譜だけを書き込む"), frame);
    CmdWriteGame->setAccessibleName(CmdWriteGame->text());
    CmdWriteGame->setFixedHeight(twipsToPixels(350));
    CmdWriteGame->setVisible(false);
    // The standard keys for reading and writing; the tooltips name them.
    CmdRead->setShortcut(QKeySequence::Open);
    CmdWrite->setShortcut(QKeySequence::Save);
    for (QPushButton* button : {CmdRead, CmdWrite})
        button->setToolTip(button->text() + QStringLiteral(" (") +
                           button->shortcut().toString(QKeySequence::NativeText) +
                           QLatin1Char(')'));

    auto* lists = new QGridLayout;
    lists->setHorizontalSpacing(twipsToPixels(50));
    lists->setVerticalSpacing(twipsToPixels(50));
    lists->addWidget(Drive1, 0, 0);
    lists->addWidget(Dir1, 1, 0);
    lists->addWidget(File1, 0, 1, 2, 1);
    lists->setRowStretch(1, 1);
    lists->setColumnStretch(0, 1);
    lists->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(twipsToPixels(100));
    for (QPushButton* button : {CmdRead, CmdWrite, CmdWriteGame, Command2})
        buttons->addWidget(button);
    buttons->addStretch(1);
    auto* inner = new QVBoxLayout(frame);
    inner->addLayout(lists, 1);
    inner->addWidget(label1);
    inner->addWidget(Txtfile);
    inner->addWidget(label2);
    inner->addWidget(Combo1);
    inner->addLayout(buttons);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(frame);

    connect(Drive1, &QComboBox::activated, this, &FomFile::driveChanged);
    connect(Dir1, &QTreeView::clicked, this,
            [this](const QModelIndex& index) { setDirectory(dirModel_->filePath(index)); });
    connect(Combo1, &QComboBox::currentTextChanged, this, &FomFile::patternChanged);
    connect(File1, &QListView::clicked, this, &FomFile::fileClicked);
    connect(CmdRead, &QPushButton::clicked, this, &FomFile::CmdRead_Click);
    connect(CmdWrite, &QPushButton::clicked, this, &FomFile::CmdWrite_Click);
    connect(CmdWriteGame, &QPushButton::clicked, this, &FomFile::CmdWriteGame_Click);
    connect(Command2, &QPushButton::clicked, this, &FomFile::Command2_Click);

    fillDrives();
    patternChanged(Combo1->currentText());
    // The place is the outer window's, title bar included, so that it stays on the screen.
    resize(twipsToPixels(6225), twipsToPixels(5010));
    placeWindow(*this, {twipsToPixels(1000), twipsToPixels(200)});
}

FomFile::~FomFile() = default;

void FomFile::fillDrives() {
    Drive1->clear();
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady()) continue;
        Drive1->addItem(volume.rootPath(), volume.rootPath());
    }
}

void FomFile::driveChanged(int index) {
    const QString root = Drive1->itemData(index).toString();
    if (!root.isEmpty()) setDirectory(root);
}

void FomFile::setDirectory(const QString& path) {
    const QFileInfo info(path);
    if (!info.isDir()) return;
    directory_ = QDir::cleanPath(info.absoluteFilePath());
    const QStorageInfo volume(directory_);
    const int drive = Drive1->findData(volume.rootPath());
    if (drive >= 0) Drive1->setCurrentIndex(drive);
    dirModel_->setRootPath(volume.rootPath());
    Dir1->setRootIndex(dirModel_->index(volume.rootPath()));
    const QModelIndex current = dirModel_->index(directory_);
    Dir1->setCurrentIndex(current);
    Dir1->scrollTo(current);
    Dir1->expand(current);
    File1->setRootIndex(fileModel_->setRootPath(directory_));
    Txtfile->setText(folderWithSlash());
}

QString FomFile::folderWithSlash() const {
    return directory_.endsWith(QLatin1Char('/')) ? directory_ : directory_ + QLatin1Char('/');
}

void FomFile::patternChanged(const QString& pattern) {
    const QString trimmed = pattern.trimmed();
    fileModel_->setNameFilters(
        {trimmed == QStringLiteral("*.*") || trimmed.isEmpty() ? QStringLiteral("*") : trimmed});
}

void FomFile::fileClicked(const QModelIndex& index) {
    Txtfile->setText(folderWithSlash() + fileModel_->fileName(index));
    CmdRead_Click();
}

void FomFile::showEvent(QShowEvent* event) {
    restoreFromSettings();
    CmdWriteGame->setVisible(collection_ != nullptr && collection_->shown());
    QWidget::showEvent(event);
}

void FomFile::restoreFromSettings() {
    const auto read = [this](std::string_view key) {
        return QString::fromStdString(settings_.ReadSetting("Kelmaz", "Startup", key, ""));
    };
    fillDrives();
    QString folder = read(key::kFileFolder);
    if (!QFileInfo(folder).isDir()) folder = read(key::kFileDrive);
    if (!QFileInfo(folder).isDir()) folder = QDir::homePath();
    setDirectory(folder);
    const QString pattern = read(key::kFilePattern);
    if (!pattern.isEmpty()) Combo1->setCurrentText(pattern);
    const QString file = read(key::kFileName);
    if (!file.isEmpty()) Txtfile->setText(file);
}

void FomFile::storeSettings() {
    settings_.WriteSetting("Kelmaz", "Startup", key::kFileDrive,
                           Drive1->currentData().toString().toStdString());
    settings_.WriteSetting("Kelmaz", "Startup", key::kFileFolder, directory_.toStdString());
    settings_.WriteSetting("Kelmaz", "Startup", key::kFileName, Txtfile->text().toStdString());
    settings_.WriteSetting("Kelmaz", "Startup", key::kFilePattern,
                           Combo1->currentText().toStdString());
}

void FomFile::CmdRead_Click() {
    BusyPointer busy;
    // The file is read before the board is cleared: a file that cannot be read costs nothing.
    std::optional<RecordCollection> file = loadRecordCollection(Txtfile->text().toStdString());
    if (!file) {
        dialogs_->inform(windowTitle(), qs(kReadErrorMessage));
        return;
    }
    if (!file->holdsSeveralGames()) {
        takeLines(allRecordLines(*file));
        return;
    }
    // Several games: the one chosen from the list is read; a closed list reads nothing.
    chooseGame(
        this, std::move(*file),
        [this](std::vector<std::string> lines, const RecordCollection& read, std::size_t game) {
            if (takeLines(std::move(lines)) && collection_ != nullptr)
                collection_->opened(read.text, static_cast<int>(game) - 1);
        },
        [this](const std::string& message) { dialogs_->inform(windowTitle(), qs(message)); });
}

bool FomFile::takeLines(std::vector<std::string> lines) {
    const IntakeResult taken = intake_(std::move(lines));
    if (!taken.taken) {
        // Nothing in the file is a record (or the user kept the record on the board): the game
        // stays, the window stays open.
        if (!taken.message.empty()) dialogs_->inform(windowTitle(), qs(taken.message));
        return false;
    }
    emit recordRead(Txtfile->text());
    hide();
    if (!taken.message.empty()) dialogs_->inform(windowTitle(), qs(taken.message));
    finish();
    return true;
}

void FomFile::CmdWrite_Click() { write(collection_ != nullptr && collection_->shown()); }

void FomFile::CmdWriteGame_Click() { write(false); }

void FomFile::saveTo(const QString& path) {
    Txtfile->setText(path);
    write(collection_ != nullptr && collection_->shown(), false);
}

void FomFile::write(bool wholeCollection, bool askToOverwrite) {
    // A position set up without a move (setup stones or marks) is a record too.
    const bool setUp = !state_.MoveSetup[0].empty() || !state_.MoveMarkup[0].empty();
    if (state_.SgfText.empty() && state_.MoveCount == 0 && !setUp) {
        dialogs_->inform(windowTitle(), qs(kNoDataMessage));
        return;
    }
    const QString name =
        QString::fromStdString(normaliseSgfFileName(Txtfile->text().toStdString()));
    Txtfile->setText(name);
    if (askToOverwrite && QFileInfo::exists(name) &&
        !dialogs_->ask(windowTitle(), qs(kOverwriteQuestion))) {
        Txtfile->setText(folderWithSlash());
        return;
    }
    const RecordDocument& document = record_.document();
    const int game = document.position().game;
    if (record_.holdsUndecodedText(board_.commentaryText()) &&
        !dialogs_->ask(windowTitle(), qs(kUndecodedTextQuestion)))
        return;
    record_.prepareForSave(board_.commentaryText());
    const bool written = writeFileAtomically(
        name.toStdString(), wholeCollection ? collection_->bytesWith(document.gameText(game))
                                            : gameFileBytes(document, game));
    // The record's writer names the program in the game information.
    board_.gameInfoChanged();
    if (!written) {
        // The old file is kept; the window stays open for another name.
        dialogs_->inform(windowTitle(), qs(kWriteErrorMessage));
        return;
    }
    // One game of a collection written alone to a file leaves the collection unsaved.
    if (wholeCollection || collection_ == nullptr || !collection_->shown()) emit recordSaved(name);
    finish();
}

void FomFile::Command2_Click() {
    Txtfile->clear();
    hide();
}

void FomFile::finish() {
    storeSettings();
    hide();
}

}  // namespace kelmaz
