#include "app/Program.h"

#include <QAction>
#include <QEvent>
#include <algorithm>

#include "app/ProgramEditing.h"
#include "app/ProgramGtpHost.h"
#include "app/ProgramLibraryHost.h"
#include "app/ProgramMatchBoard.h"
#include "app/RecordIntake.h"
#include "diagram/ui/FomPrint.h"
#include "engine/Engine.h"
#include "gtp/ui/FomGtp.h"
#include "intake/RecordCheck.h"
#include "intake/RecordCollection.h"
#include "intake/RecordFormat.h"
#include "library/GameLibrary.h"
#include "library/ui/FomLibrary.h"
#include "net/ui/FomSock.h"
#include "records/ui/FomFile.h"
#include "records/ui/FomJ.h"
#include "records/ui/fomSgf.h"
#include "shell/CommandLineFile.h"
#include "shell/RecoveryFiles.h"
#include "shell/SettingKeys.h"
#include "shell/StartupSettings.h"
#include "shell/ui/FomSet.h"
#include "shell/ui/HelpWindow.h"
#include "tree/ui/FomNode.h"
#include "view/BoardGeometry.h"
#include "view/ui/BoardView.h"
#include "view/ui/FomMain.h"

namespace kelmaz {

Program::Program(QObject* parent) : QObject(parent) {
    main_ = std::make_unique<FomMain>(state_, options_, settings_, *this);
    engine_ = std::make_unique<Engine>(state_, options_, *main_, record_);
    main_->attachEngine(*engine_);
    editing_ = std::make_unique<ProgramEditing>(*this);
    // The side windows follow the main window wherever it is moved or resized.
    main_->installEventFilter(this);
    ownDialogs_ = std::make_unique<MessageBoxDialogs>(main_.get());
    dialogs_ = ownDialogs_.get();
    recovery_ = std::make_unique<RecordRecovery>(document_, recoveryFolder());
    document_.observe([this] { documentChanged(); });
    documentChanged();
}

Program::~Program() {
    // Windows go first: none of them may outlive the engine and state they show.
    if (sgf_) {
        setViewer(nullptr);
        sgf_.reset();
    }
    browser_.reset();
    editing_.reset();
    gtp_.reset();
    print_.reset();
    setNet(nullptr);
    sock_.reset();
    file_.reset();
    info_.reset();
    help_.reset();
    if (treeWindow_) {
        setTree(nullptr);
        treeWindow_.reset();
    }
    set_.reset();
    main_.reset();
}

FomSet& Program::fomSet() {
    if (!set_)
        set_ = std::make_unique<FomSet>(state_, options_, settings_, *engine_, settingsHost_);
    return *set_;
}

void Program::StartupMain(const QString& commandLine) {
    state_.InstanceNo = std::string("0");  // not a literal: GCC 12 warns falsely (-Wrestrict)
    iniPath_ = fomSet().GetIniPath();
    settings_.load(iniPath_);
    main_->Form_Load(commandLine);
    applyStoredOptions();
    state_.WindowTitle = "Kelmaz 碁盤No" + state_.InstanceNo;
    main_->setCaption(state_.WindowTitle);
    main_->setLayoutReady(true);
    main_->ResizeRedraw();
    main_->show();
    treeWindow();
    // A command line without a comma names a record file: it is read, or the read error is
    // shown over the empty board. A comma list is a clone's, which shows the position it was
    // handed: the records left behind are offered by the window the user started.
    const auto file = recordFileArgument(commandLine.toStdString());
    const bool clone = !file && !main_->arguments().isEmpty();
    if (!clone) offerLeftoverRecords();
    if (file) {
        readRecordFileIntoBoard(*this, QString::fromStdString(file->string()));
    } else if (clone) {
        runCommandLine(main_->arguments());
    }
}

// The stored options reach the board through the settings window's own handlers, exactly as
// if the user had chosen them; a value that names no option selects its group's default.
void Program::applyStoredOptions() {
    const StoredOptions o = readStoredOptions(settings_);
    FomSet& set = fomSet();
    set.Option7_Click(o.whiteTintIndex);
    set.Option5_Click(o.numbersIndex);
    set.Option4_Click(o.boardTintIndex);
    set.Option1_Click(o.sizeIndex);
    set.setSpeedValue(o.speedMs);
    set.selectDigitLabels(o.digitLabels);
    set.selectLowerLeftOrigin(o.lowerLeftOrigin);
    set.Option2_Click(o.showCommentary ? 0 : 1);
    set.OptionOpen_Click(o.openAtIndex);
    set.OptionMarks_Click(o.marksIndex);
}

bool Program::end() {
    if (!ending_ && !mayDiscardRecord()) return false;
    Pend();
    return true;
}

void Program::Pend() {
    if (ending_) return;
    ending_ = true;
    recovery_->discard();
    const QPoint at = main_->pos();
    settings_.write(key::kTop, std::to_string(at.y() * kTwipsPerPixel));
    settings_.write(key::kWidth, std::to_string(main_->width() * kTwipsPerPixel));
    settings_.write(key::kHeight, std::to_string(main_->height() * kTwipsPerPixel));
    settings_.write(key::kLeft, std::to_string(at.x() * kTwipsPerPixel));
    closeTreeWindow();
    engine_->cancelPausedRedraw();
    main_->setReplayRunning(false, 0);
    // A settings file that cannot be written costs the settings, never the exit.
    settings_.save(iniPath_);
    if (sgf_) sgf_->hide();
    if (set_) set_->hide();
    if (help_) help_->close();
    if (browser_) browser_->close();
    if (sock_) sock_->close();
    if (gtp_) gtp_->close();
    if (print_) print_->hide();
    main_->close();
    emit ended();
}

void Program::setViewer(ViewerLink* viewer) {
    viewer_ = viewer ? viewer : &neutralViewer_;
    engine_->setViewer(viewer);
}

void Program::setTree(TreeLink* tree) {
    tree_ = tree ? tree : &neutralTree_;
    engine_->setTree(tree);
}

void Program::setNet(NetLink* net) {
    net_ = net ? net : &neutralNet_;
    engine_->setNet(net);
}

void Program::showSettingsWindow() {
    fomSet().show();
    fomSet().raise();
}

void Program::showHelp() {
    if (!help_) help_ = std::make_unique<HelpWindow>();
    help_->showContents();
}

FomFile& Program::fileWindow() {
    if (!file_) {
        file_ = std::make_unique<FomFile>(
            state_, *main_, settings_, record_,
            [this](std::vector<std::string> lines) { return takeRecord(std::move(lines)); });
        file_->setCollection(collection_);
        connect(file_.get(), &FomFile::recordRead, this, &Program::setRecordFile);
        connect(file_.get(), &FomFile::recordSaved, this, &Program::recordFileSaved);
    }
    return *file_;
}

void Program::showFileWindow() {
    fileWindow().show();
    file_->raise();
    file_->activateWindow();
}

void Program::showGameInfoWindow() {
    if (!info_) {
        info_ = std::make_unique<FomJ>(state_.Info, [this](int field, const std::string& text) {
            record_.setGameInfoField(field, text);
        });
        // An undo, a redo or another window's edit of the root shows in the open dialog.
        document_.observe([this] {
            if (info_->isVisible()) info_->refresh();
        });
    }
    info_->show();
    info_->refresh();
    info_->raise();
    info_->activateWindow();
}

void Program::showBrowserWindow() {
    if (!browser_ && browserFactory_) browser_ = browserFactory_(*this);
    if (!browser_) return;
    browser_->show();
    browser_->raise();
    browser_->activateWindow();
}

IntakeResult Program::takeRecord(std::vector<std::string> lines) {
    if (!mayDiscardRecord()) return {};
    const IntakeResult taken = kelmaz::takeRecordLines(
        state_, *engine_, record_, options_, tree(), std::move(lines),
        [this](const BoardSizeChoice& size) { fomSet().takeRecordSize(size); });
    // Once the board was cleared, the dialogs show what stands now, read or not.
    if (taken.taken) {
        recordFile_.clear();  // a route that read a file names it once the intake is done
        recordFileRead();
    }
    return taken;
}

int Program::recordClears() const { return engine_->recordClears(); }

std::string Program::takeRecordLines(std::vector<std::string> lines) {
    return takeRecord(std::move(lines)).message;
}

void Program::readRecordFile(const QString& path) { readRecordFileIntoBoard(*this, path); }

void Program::pasteRecord() { takeClipboardRecord(*this); }

void Program::showNetWindow() {
    // The board plays against the computer: a network match cannot start over that game.
    if (gtp_ && gtp_->playing()) {
        gtp_->showFromMenu(main_->frameGeometry());
        return;
    }
    if (!netBoard_) netBoard_ = std::make_unique<ProgramMatchBoard>(*this);
    if (!sock_) {
        sock_ = std::make_unique<FomSock>(
            state_, *netBoard_,
            [this](std::string_view key, std::string_view def) { return settings_.read(key, def); },
            [this](std::string_view key, std::string_view value) { settings_.write(key, value); });
        setNet(sock_.get());
    }
    sock_->showFromMenu(main_->frameGeometry());
}

void Program::showGtpWindow() {
    if (!gtp_) {
        if (!netBoard_) netBoard_ = std::make_unique<ProgramMatchBoard>(*this);
        gtpHost_ = std::make_unique<ProgramGtpHost>(*this);
        gtp_ = std::make_unique<FomGtp>(
            state_, *netBoard_, *gtpHost_,
            [this](std::string_view key, std::string_view def) { return settings_.read(key, def); },
            [this](std::string_view key, std::string_view value) { settings_.write(key, value); });
    }
    gtp_->showFromMenu(main_->frameGeometry());
}

void Program::showLibraryWindow() {
    if (!library_) {
        libraryHost_ = std::make_unique<ProgramLibraryHost>(*this);
        library_ = std::make_unique<FomLibrary>(*libraryHost_, library::defaultLibraryPath());
    }
    library_->show();
    library_->raise();
}

void Program::showPrintWindow() {
    if (!print_) print_ = std::make_unique<FomPrint>(state_, options_, main_.get());
    print_->showFromMenu();
}

void Program::openCloneWindow(bool increaseCounter) { clones_.OpenCloneWindow(increaseCounter); }
void Program::runCommandLine(const QStringList& arguments) { clones_.CommandLine(arguments); }

FomNode& Program::treeWindow() {
    if (!treeWindow_) {
        treeWindow_ = std::make_unique<FomNode>(state_, *engine_, settings_, record_, main_.get());
        treeWindow_->setCollection(collection_);
        setTree(&treeWindow_->link());
        // The menu item's check mark follows the window, whoever opened or closed it.
        if (auto* item = main_->findChild<QAction*>("mSGF"))
            connect(treeWindow_.get(), &FomNode::treeViewChanged, item, &QAction::setChecked);
        connect(treeWindow_.get(), &FomNode::treeViewChanged, this, &Program::arrangeSideWindows);
        connect(treeWindow_.get(), &FomNode::recordSaved, this, &Program::recordFileSaved);
    }
    return *treeWindow_;
}

bool Program::treeWindowVisible() const { return treeWindow_ && treeWindow_->isVisible(); }

void Program::showTreeWindow() {
    if (!treeWindow().treeViewOn()) treeWindow().toggleTreeView();
}

void Program::closeTreeWindow() {
    if (treeWindow_) treeWindow_->closeTreeView();
}

void Program::viewerSpeedChanged(int milliseconds) {
    if (sgf_) sgf_->setInterval(milliseconds);
}

bool Program::eventFilter(QObject* watched, QEvent* event) {
    if (watched == main_.get() &&
        (event->type() == QEvent::Move || event->type() == QEvent::Resize))
        arrangeSideWindows();
    return QObject::eventFilter(watched, event);
}

void Program::arrangeSideWindows() {
    // The tree editor keeps the main window's right edge; the viewer stands right of the tree
    // editor while that is shown, so neither covers the other.
    if (treeWindowVisible()) treeWindow_->placeBesideMain();
    if (sgf_ && sgf_->isVisible())
        sgf_->placeRightOf(treeWindowVisible() ? treeWindow_->frameGeometry()
                                               : main_->frameGeometry());
}

fomSgf& Program::sequenceViewer() {
    if (sgf_) return *sgf_;
    sgf_ = std::make_unique<fomSgf>(state_, *engine_, *main_, main_.get());
    sgf_->setInterval(fomSet().speedValue());
    // The two speed bars move together; the settings window ignores values below its range.
    connect(sgf_.get(), &fomSgf::intervalChanged, this,
            [this](int milliseconds) { fomSet().setSpeedValue(milliseconds); });
    connect(sgf_.get(), &fomSgf::shownChanged, this, [this](bool shown) {
        if (auto* item = main_->findChild<QAction*>(QStringLiteral("mSgfViewer")))
            item->setChecked(shown);
    });
    setViewer(&sgf_->link());
    return *sgf_;
}

void Program::showSequenceViewer(bool shown) {
    if (shown) {
        sequenceViewer().showViewer();
        arrangeSideWindows();
    } else if (sgf_) {
        sgf_->hide();
    }
}

// A read changes the game information and the sequence viewer's record at once.
void Program::recordFileRead() {
    gameInfoChanged();
    sequenceViewer().recordRead();
    // The keys step through the record just read, whichever box had the focus before.
    main_->board().setFocus(Qt::OtherFocusReason);
}

void Program::gameInfoChanged() {
    if (info_) info_->refresh();
}

bool Program::mayDiscardRecord() {
    if (!document_.modified()) return true;
    switch (
        dialogs_->askOrCancel(QStringLiteral("Kelmaz"), QStringLiteral("変更を保存しますか？"))) {
        case Answer::No:
            return true;
        case Answer::Cancel:
            return false;
        case Answer::Yes:
            break;
    }
    if (recordFile_.isEmpty()) {
        showFileWindow();  // the user names the file there; what was asked for waits
        return false;
    }
    fileWindow().saveTo(recordFile_);
    return !document_.modified();
}

void Program::recordFileSaved(const QString& path) {
    recordFile_ = path;
    document_.markSaved();
    recovery_->discard();
    documentChanged();
}

void Program::undo() {
    if (!document_.canUndo()) return;
    document_.undo();
    showDocumentPosition();
}

void Program::redo() {
    if (!document_.canRedo()) return;
    document_.redo();
    showDocumentPosition();
}

// The board shows the position of the document's node, the move record already laid out.
void Program::showDocumentPosition() {
    engine_->Redraw(1, record_.positionSlot());
    gameInfoChanged();
}

void Program::documentChanged() {
    // Another window's edit of the comment shown (the tree window's box, an undo) shows in the
    // board's commentary box, which a save would otherwise write back over it.
    // The box shows line breaks without their CR, so a comment with CRs is compared without.
    std::string shown = state_.MoveComment[std::clamp(state_.MoveCount, 0, kMaxMoves)];
    std::erase(shown, '\r');
    if (!state_.BranchInputMode && main_->commentaryText() != shown)
        main_->setCommentaryText(shown);
    recovery_->documentChanged();
    main_->setUndoRedoEnabled(document_.canUndo(), document_.canRedo());
}

void Program::offerLeftoverRecords() {
    for (const std::filesystem::path& file : leftoverRecoveryFiles(recovery_->folder())) {
        if (!dialogs_->ask(QStringLiteral("Kelmaz"),
                           QStringLiteral("前回保存されなかった棋譜があります。復元しますか？"))) {
            setRecoveryFileAside(file);
            continue;
        }
        std::optional<RecordCollection> read = loadRecordCollection(file.string());
        if (!read || !takeRecord(allRecordLines(*read)).taken) {
            setRecoveryFileAside(file);  // kept for another program to open
            continue;
        }
        document_.markModified();
        recovery_->adopt(file);
        documentChanged();
        return;
    }
}

}  // namespace kelmaz
