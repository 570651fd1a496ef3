#pragma once
// The SGF tree editor "トリー　ﾋﾞｭｱｰ": the variation tree of the record on the board, drawn on
// PicNode; a click on a node shows that position on the main board and its comment. Branches
// are recorded by playing them on the board between "分岐開始" and "分岐終了"; "挿入",
// "ｼﾞｬﾝﾌﾟ", "分岐削除" and "書出" edit and rebuild the tree; the comment box writes back into
// the selected node. The window stands at the main window's right edge.
#include <QWidget>
#include <string>

#include "document/DocumentRecord.h"
#include "document/ShownCollection.h"
#include "document/TreeSession.h"
#include "engine/Engine.h"
#include "shell/SettingsStore.h"
#include "view/ui/UserDialogs.h"

class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QScrollBar;
class QFrame;

namespace kelmaz {

class PicNode;
class TreeFileFrame;

class FomNode : public QWidget {
    Q_OBJECT
  public:
    // Writing saves the document of `record`.
    FomNode(GameState& state, Engine& engine, SettingsStore& settings, DocumentRecord& record,
            QWidget* mainWindow = nullptr);
    ~FomNode() override;

    // What the board engine and the file reader call on the tree window.
    TreeLink& link();
    // Questions and notices go through these dialogs (message boxes unless replaced, e.g. by
    // tests); the replacement must outlive the window's use of it.
    void setDialogs(UserDialogs& dialogs) { dialogs_ = &dialogs; }

    // The main window's "ツリーﾋﾞｭｱｰ(SGF)" command: shows the window with the record on the
    // board, or hides it and forgets the tree.
    void toggleTreeView();
    bool treeViewOn() const { return on_; }
    // Hides the window and forgets the tree (the board is cleared, the program ends), keeping
    // the window's geometry.
    void closeTreeView();

    // Loads text into the tree after the syntax check; false when the user declined.
    bool putSGFdata(const std::string& text);
    // Writes the tree to a file; on failure tells the user. The file window writes
    // the document itself and shows its own message.
    bool writeTreeFile(const std::string& path);
    // The file of several games the record was read from: writing the tree writes every game
    // of it, the tree in place of the game shown.
    void setCollection(ShownCollection& collection) { collection_ = &collection; }

    // Selection and clicks (tree units, twips). cPoint first keeps what was typed in the comment
    // box for the node selected so far.
    void cPoint(int t1, int t2);
    void PicNode_MouseDown(int xTwips, int yTwips);
    // An arrow key on the tree picture: clicks the node one step from the selected one.
    void stepSelection(TreeStep step);
    void LstSgfSample_Click(int row);
    void TxtComment_Validate();

    // Buttons.
    void CmdBstart_Click();
    void CmdBend_Click();
    void Command1_Click();  // 挿入
    void Command2_Click();  // ｼﾞｬﾝﾌﾟ
    void Command3_Click();  // 分岐削除
    void Command4_Click();  // 書出 (ReparseTree)
    void Command5_Click();  // 読込 (file frame)
    void Command6_Click();  // 書込 (file frame)
    void ShowFileFrame();

    // Puts the window at the main window's right edge, same top and height (the program calls
    // it whenever the main window moves or changes size).
    void placeBesideMain();

    const TreeSession& session() const { return session_; }

    PicNode* picNode;
    QScrollBar* HScroll1;
    QScrollBar* VScroll1;
    QListWidget* LstSgfSample;
    QLineEdit* txtsgf;
    QPlainTextEdit* TxtComment;
    QFrame* FrmCont;
    QLineEdit* Text1;
    QLineEdit* Text2;
    QPushButton* CmdBstart;   // "分岐開始"
    QPushButton* CmdBend;     // "分岐終了"
    QPushButton* Command1;    // "挿入"
    QPushButton* Command2;    // "ｼﾞｬﾝﾌﾟ"
    QPushButton* Command3;    // "分岐削除"
    QPushButton* Command4;    // "書出"
    QPushButton* CmdFile;     // "ﾌｧｲﾙ": opens the file frame
    QPushButton* CmdSamples;  // "見本": shows the sample list and the rebuilt text
    TreeFileFrame* FrmFile;

  signals:
    void treeViewChanged(bool on);          // for the check mark of the menu item
    void recordSaved(const QString& path);  // 書込 wrote the whole record to `path`

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    class Link;

    void buildControls();
    void layoutControls();
    void refreshView();
    // The document changed: the tree is drawn again when its text did.
    void documentChanged();
    void scrollTo(int xTwips, int yTwips);
    void showSelection();
    void selectNode(int t1, int t2);
    void endRecording();
    void showRecordingControls(bool recording);
    void showText();
    void hideTree();
    bool syntaxAccepted(const std::string& text);
    void showFileTree(const std::string& text);
    void restoreGeometry();
    void saveGeometry();

    GameState& state_;
    Engine& engine_;
    SettingsStore& settings_;
    DocumentRecord& record_;
    QWidget* mainWindow_;
    TreeSession session_;
    std::unique_ptr<Link> link_;
    MessageBoxDialogs ownDialogs_{this};
    UserDialogs* dialogs_ = &ownDialogs_;
    bool on_ = false;
    bool clickSelecting_ = false;
    bool boardFromTree_ = false;  // the board is being rebuilt for a click on a node
    bool placed_ = false;
    bool showingComment_ = false;
    bool typingComment_ = false;  // the comment box's text is being taken into the record
    ShownCollection* collection_ = nullptr;
};

}  // namespace kelmaz
