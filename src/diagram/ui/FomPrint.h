#pragma once
// The window "棋譜の印刷": the record shown on the board as numbered figures on paper. The
// options (paper, figures to a page, moves to a figure or the moves that start them, numbering
// from 1 in every figure, coordinates) change the preview of the pages at once; the buttons
// save the pages as PDF, send them to a printer through the system's print dialog, or save one
// figure as a PNG or SVG picture.
#include <QDialog>
#include <memory>
#include <vector>

#include "diagram/ui/FigureBook.h"
#include "engine/BoardOptions.h"
#include "engine/GameState.h"
#include "view/ui/UserDialogs.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QSpinBox;
class QVBoxLayout;

namespace kelmaz {

class FomPrint : public QDialog {
    Q_OBJECT
  public:
    FomPrint(const GameState& state, const BoardOptions& options, QWidget* parent = nullptr);
    ~FomPrint() override;

    // Notices go through these dialogs (message boxes unless replaced).
    void setDialogs(UserDialogs& dialogs) { dialogs_ = &dialogs; }

    // The main window's menu entry and Ctrl+P: the figures of the record as it stands now.
    void showFromMenu();
    const FigureBook& book() const { return *book_; }
    int previewPages() const;

    // The buttons, once a file is chosen: false (and a notice) when it cannot be written.
    bool savePdf(const QString& path);
    bool saveImage(const QString& path);  // the figure of the figure box; SVG by suffix, else PNG

  private:
    void buildControls();
    void rebuild();
    void showPreview();
    FigureOptions figureOptions() const;
    void askAndSavePdf();
    void askAndSaveImage();
    void print();
    bool writeFile(const QString& path, const QByteArray& bytes, const QString& title);

    const GameState& state_;
    const BoardOptions& options_;
    MessageBoxDialogs messageBoxes_{this};
    UserDialogs* dialogs_ = &messageBoxes_;
    std::unique_ptr<FigureBook> book_;

    QComboBox* CmbPaper = nullptr;
    QSpinBox* SpnPerPage = nullptr;
    QComboBox* CmbMoves = nullptr;
    QLineEdit* TxtBreaks = nullptr;
    QCheckBox* ChkRestart = nullptr;
    QCheckBox* ChkCoordinates = nullptr;
    QSpinBox* SpnFigure = nullptr;
    QScrollArea* Preview = nullptr;
    QWidget* PreviewPages = nullptr;
    QVBoxLayout* PreviewLayout = nullptr;
};

}  // namespace kelmaz
