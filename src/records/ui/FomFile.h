#pragma once
// The file window "ﾌｧｲﾙ": picks a volume, a folder and a file, reads the file as a record (any
// format the readers know, then replays it onto the board) and writes the record as SGF.
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "document/DocumentRecord.h"
#include "document/ShownCollection.h"
#include "engine/EngineHost.h"
#include "engine/GameState.h"
#include "intake/RecordFormat.h"
#include "shell/SettingsStore.h"
#include "view/ui/UserDialogs.h"

class QComboBox;
class QFileSystemModel;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QModelIndex;
class QPushButton;
class QTreeView;

namespace kelmaz {

class FomFile : public QWidget {
    Q_OBJECT
  public:
    // Takes the lines of a file into the board: the program's one record intake.
    using Intake = std::function<IntakeResult(std::vector<std::string> lines)>;

    // `board` is the main window, whose commentary box belongs to the current move when
    // writing; `record` holds the document that writing saves; `intake` reads what the read
    // command loaded.
    FomFile(GameState& state, BoardHost& board, SettingsStore& settings, DocumentRecord& record,
            Intake intake, QWidget* parent = nullptr);
    ~FomFile() override;

    // Questions and notices go through these dialogs (message boxes unless replaced, e.g. by
    // tests); the replacement must outlive the window's use of it.
    void setDialogs(UserDialogs& dialogs) { dialogs_ = &dialogs; }
    // The file of several games a game is read from; saving that game writes every game of
    // the file. Without it a game is always saved alone.
    void setCollection(ShownCollection& collection) { collection_ = &collection; }

    // Writes the record to the file it came from, as 書込 would but without asking to
    // overwrite it (the unsaved record's question asked already).
    void saveTo(const QString& path);

    // The user's commands.
    void CmdRead_Click();
    void CmdWrite_Click();
    void CmdWriteGame_Click();
    void Command2_Click();
    // Changes the folder shown (the directory list's change event).
    void setDirectory(const QString& path);
    QString directory() const { return directory_; }

    QComboBox* Combo1 = nullptr;      // file type
    QLineEdit* Txtfile = nullptr;     // full path of the file
    QListView* File1 = nullptr;       // files of the folder
    QTreeView* Dir1 = nullptr;        // folders
    QComboBox* Drive1 = nullptr;      // mounted volumes
    QPushButton* CmdRead = nullptr;   // "読込"
    QPushButton* CmdWrite = nullptr;  // "書込"
    QPushButton* Command2 = nullptr;  // "閉じる"
    // "この棋譜だけを書き込む": the game shown alone, while it was read from a file of several
    QPushButton* CmdWriteGame = nullptr;

  signals:
    // The record on the board was read from `path`, or written to it.
    void recordRead(const QString& path);
    void recordSaved(const QString& path);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void restoreFromSettings();
    void storeSettings();
    void fillDrives();
    void driveChanged(int index);
    void patternChanged(const QString& pattern);
    void fileClicked(const QModelIndex& index);
    QString folderWithSlash() const;
    void finish();
    // Takes a record's lines into the board; the window closes when they were taken.
    bool takeLines(std::vector<std::string> lines);
    // Writes the record to the file named in the box: the whole collection it was read from,
    // or the game shown alone.
    void write(bool wholeCollection, bool askToOverwrite = true);

    GameState& state_;
    BoardHost& board_;
    SettingsStore& settings_;
    DocumentRecord& record_;
    Intake intake_;
    QFileSystemModel* dirModel_ = nullptr;
    QFileSystemModel* fileModel_ = nullptr;
    QString directory_;
    MessageBoxDialogs ownDialogs_{this};
    UserDialogs* dialogs_ = &ownDialogs_;
    ShownCollection* collection_ = nullptr;
};

}  // namespace kelmaz
