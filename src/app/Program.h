#pragma once
// The running program: it owns the game state, the board options, the settings table, the
// board engine and every window. Each window is created on its first use and then exists once;
// windows reach each other only through this object.
#include <QObject>
#include <QString>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/CloneWindows.h"
#include "app/ProgramSettingsHost.h"
#include "app/RecordRecovery.h"
#include "document/DocumentRecord.h"
#include "document/RecordDocument.h"
#include "document/ShownCollection.h"
#include "engine/BoardOptions.h"
#include "engine/EngineHost.h"
#include "engine/GameState.h"
#include "intake/RecordFormat.h"
#include "shell/SettingsStore.h"
#include "view/ui/MainWindowHost.h"
#include "view/ui/UserDialogs.h"

namespace kelmaz {

class Engine;
class FomFile;
class FomGtp;
class FomJ;
class FomMain;
class FomNode;
class FomPrint;
class FomSet;
class FomSock;
class HelpWindow;
class ProgramEditing;
class ProgramGtpHost;
class ProgramLibraryHost;
class FomLibrary;
class ProgramMatchBoard;
class fomSgf;

class Program : public QObject, public MainWindowHost {
    Q_OBJECT
  public:
    explicit Program(QObject* parent = nullptr);
    ~Program() override;

    // Start-up: reads the settings, lays out the main window, applies the stored options and
    // shows the main window. `commandLine` is the comma list a clone window is started with,
    // or the exact path of a record file to read.
    void StartupMain(const QString& commandLine = {});
    // End: stores the window geometry, writes the settings file and closes every window.
    void Pend();
    bool ending() const override { return ending_; }
    bool end() override;

    // Before the record on the board goes (cleared, replaced by another, the program ends): a
    // modified record brings the question 「変更を保存しますか？」. True when the record may go:
    // it was saved, the user let it go, or there was nothing to save. はい saves to the file the
    // record came from or was last saved to; a record without a file opens the file window
    // for a name, and what the user was about to do does not happen.
    bool mayDiscardRecord() override;
    void undo() override;
    void redo() override;
    RecordRecovery& recovery() { return *recovery_; }
    // The questions of the program itself (a test answers them through a fake).
    void setDialogs(UserDialogs& dialogs) { dialogs_ = &dialogs; }
    UserDialogs& dialogs() { return *dialogs_; }

    GameState& state() { return state_; }
    // The record the program holds: every game, node and property of what was read, with
    // every edit since. The move record in state() is the line of it the board shows; the
    // engine and the windows change the record through record(), never the move record.
    RecordDocument& document() { return document_; }
    DocumentRecord& record() { return record_; }
    BoardOptions& options() { return options_; }
    SettingsStore& settings() { return settings_; }
    Engine& engine() { return *engine_; }
    FomMain& fomMain() { return *main_; }
    FomSet& fomSet();
    std::filesystem::path iniPath() const { return iniPath_; }

    // Links to the sequence viewer, the tree editor and the match window: neutral ("window
    // absent") until the window that implements one registers itself; the engine gets the same.
    ViewerLink& viewer() { return *viewer_; }
    TreeLink& tree() { return *tree_; }
    NetLink& net() { return *net_; }
    void setViewer(ViewerLink* viewer);
    void setTree(TreeLink* tree);
    void setNet(NetLink* net);
    CloneWindows& clones() { return clones_; }
    // The file of several games the record shown was read from, if it was.
    ShownCollection& shownCollection() { return collection_; }

    // Windows and commands that belong to other parts of the program. Each one creates its
    // window on first use; until that window is built, the command shows nothing.
    void showSettingsWindow() override;
    void showFileWindow() override;
    // The file window, created hidden on first use.
    FomFile& fileWindow();
    void showGameInfoWindow() override;
    void showBrowserWindow() override;
    // The browser window lives in a library of its own: main() hands in how to build it, so
    // that the other windows and their tests do not depend on the web engine.
    using WindowFactory = std::function<std::unique_ptr<QWidget>(Program&)>;
    void setBrowserFactory(WindowFactory factory) { browserFactory_ = std::move(factory); }
    // Lines of a record taken from a file, a web page or the clipboard: cleared board, format
    // detection and reading, then the replay, as for a file. Returns the message to show when
    // the reading failed (what was read before stays), else nothing. Lines that hold no record
    // at all leave the board untouched and return the format error.
    std::string takeRecordLines(std::vector<std::string> lines);
    // The one intake every route hands a record's lines to: whether they were taken, and the
    // message to show.
    IntakeResult takeRecord(std::vector<std::string> lines);
    void readRecordFile(const QString& path) override;
    void pasteRecord() override;
    void showNetWindow() override;
    FomSock* fomSock() { return sock_.get(); }  // null until the menu first showed it
    // The computer game window "コンピューター対局", created on first use.
    void showGtpWindow() override;
    void showLibraryWindow() override;
    FomLibrary* fomLibrary() { return library_.get(); }  // null until the menu first showed it
    FomGtp* fomGtp() { return gtp_.get(); }              // null until the menu first showed it
    // The window "棋譜の印刷" (Ctrl+P), created on first use.
    void showPrintWindow() override;
    FomPrint* fomPrint() { return print_.get(); }  // null until the menu first showed it
    bool treeWindowVisible() const;
    void showTreeWindow() override;
    void closeTreeWindow() override;
    // The tree editor, created hidden at start-up so that a file read can show its tree.
    FomNode& treeWindow();
    void openCloneWindow(bool increaseCounter) override;
    void runCommandLine(const QStringList& arguments);
    void viewerSpeedChanged(int milliseconds);  // the sequence viewer's own speed bar follows
    // The sequence viewer, created hidden on first use; its menu item shows or hides it.
    fomSgf& sequenceViewer();
    void showSequenceViewer(bool shown) override;
    // Called after every read that reached the readers (file window, drop, command line,
    // clipboard, browser): the game-information dialog and the viewer's branch buttons follow
    // the record now on the board.
    void recordFileRead();
    // The record on the board was read from this file: はい to the unsaved record's question
    // saves there.
    void setRecordFile(const QString& path) { recordFile_ = path; }
    const QString& recordFile() const { return recordFile_; }
    // The game information was cleared or rewritten: the open dialog shows it as it now is.
    void gameInfoChanged() override;
    void showHelp() override;

  signals:
    // The program has ended; the application's event loop should stop.
    void ended();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // When the main window moves or resizes, or a side window is shown or hidden: the tree
    // editor keeps to the main window's right edge, the sequence viewer to the right of the
    // tree editor or of the main window.
    void arrangeSideWindows();
    void applyStoredOptions();
    // A record left in the recovery folder by a window that did not end normally is offered
    // again: restored as a modified record, or moved aside so that a wrong click loses nothing.
    void offerLeftoverRecords();
    void recordFileSaved(const QString& path);
    void documentChanged();
    void showDocumentPosition();
    int recordClears() const;

    GameState state_;
    RecordDocument document_;
    DocumentRecord record_{document_, state_};
    BoardOptions options_;
    std::unique_ptr<RecordRecovery> recovery_;
    QString recordFile_;  // the file the record was read from or last saved to
    std::unique_ptr<MessageBoxDialogs> ownDialogs_;
    UserDialogs* dialogs_ = nullptr;
    SettingsStore settings_;
    std::filesystem::path iniPath_;
    ViewerLink neutralViewer_;
    TreeLink neutralTree_;
    NetLink neutralNet_;
    ViewerLink* viewer_ = &neutralViewer_;
    TreeLink* tree_ = &neutralTree_;
    NetLink* net_ = &neutralNet_;
    CloneWindows clones_{*this};
    ProgramSettingsHost settingsHost_{*this};
    std::unique_ptr<FomMain> main_;
    std::unique_ptr<Engine> engine_;
    ShownCollection collection_{[this] { return recordClears(); }};
    std::unique_ptr<FomSet> set_;
    std::unique_ptr<FomNode> treeWindow_;
    std::unique_ptr<HelpWindow> help_;
    WindowFactory browserFactory_;
    std::unique_ptr<QWidget> browser_;
    std::unique_ptr<ProgramMatchBoard> netBoard_;
    std::unique_ptr<FomSock> sock_;
    std::unique_ptr<ProgramGtpHost> gtpHost_;
    std::unique_ptr<FomGtp> gtp_;
    std::unique_ptr<ProgramLibraryHost> libraryHost_;
    std::unique_ptr<FomLibrary> library_;
    std::unique_ptr<FomPrint> print_;
    std::unique_ptr<ProgramEditing> editing_;
    std::unique_ptr<FomJ> info_;
    std::unique_ptr<FomFile> file_;
    std::unique_ptr<fomSgf> sgf_;
    bool ending_ = false;
};

}  // namespace kelmaz
