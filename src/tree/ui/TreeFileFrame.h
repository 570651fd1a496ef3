#pragma once
// The tree window's own small file frame (FrmFile): a volume list, the folders and files of
// the chosen folder, a path box, and the buttons "読込", "書込" and "閉じる".
#include <QFrame>

class QComboBox;
class QFileSystemModel;
class QLineEdit;
class QListView;
class QPushButton;

namespace kelmaz {

class TreeFileFrame : public QFrame {
    Q_OBJECT
  public:
    explicit TreeFileFrame(QWidget* parent);

    // Shows the frame on the user's home folder.
    void showAt(const QString& folder);
    void setFolder(const QString& folder);

    QComboBox* Drive1;
    QListView* Dir1;
    QListView* File1;
    QLineEdit* Text3;
    QPushButton* Command5;  // "読込"
    QPushButton* Command6;  // "書込"
    QPushButton* Command7;  // "閉じる"

  signals:
    // "読込" and "書込": the path is the one in Text3.
    void readRequested();
    void writeRequested();

  private:
    QFileSystemModel* dirModel_;
    QFileSystemModel* fileModel_;
};

}  // namespace kelmaz
