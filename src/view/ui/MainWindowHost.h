#pragma once
// What the main window asks of the program around it: the other windows its menus open, the
// records dropped on it or pasted into it, new board windows and the end of the program. The
// board itself it drives through the engine it is given.
#include <QString>

namespace kelmaz {

class MainWindowHost {
  public:
    virtual ~MainWindowHost() = default;
    virtual void showFileWindow() = 0;
    virtual void showSettingsWindow() = 0;
    virtual void showBrowserWindow() = 0;
    virtual void showSequenceViewer(bool shown) = 0;
    virtual void showNetWindow() = 0;
    virtual void showGtpWindow() = 0;      // the game against a computer engine
    virtual void showLibraryWindow() = 0;  // 「棋譜データベース」
    virtual void showGameInfoWindow() = 0;
    virtual void showPrintWindow() = 0;  // the record as printed figures, "棋譜の印刷"
    virtual void showHelp() = 0;
    virtual void showTreeWindow() = 0;
    virtual void closeTreeWindow() = 0;
    virtual void openCloneWindow(bool increaseCounter) = 0;
    // A record file dropped on the board; a read failure is shown to the user.
    virtual void readRecordFile(const QString& path) = 0;
    // Ctrl+V: the record in the clipboard's text, if it holds one.
    virtual void pasteRecord() = 0;
    // The game information was cleared or rewritten: the dialog showing it follows.
    virtual void gameInfoChanged() = 0;
    virtual bool ending() const = 0;
    // Stores the settings and closes every window; false when the user chose to keep the
    // program running (the unsaved record's question was cancelled).
    virtual bool end() = 0;
    // Asks before the record on the board goes; true when it may.
    virtual bool mayDiscardRecord() = 0;
    // 元に戻す and やり直し: the last edit of the record taken back, or done again.
    virtual void undo() = 0;
    virtual void redo() = 0;
};

}  // namespace kelmaz
