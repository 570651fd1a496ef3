#pragma once
// The settings window "設定": board size, tints, stone choice, coordinate style, handicap,
// commentary box, move numbers, a record's marks, replay speed and the UGF origin. Its option
// groups edit the program's BoardOptions; every choice takes effect on the board at once and
// persistent ones go to the settings table. Closing only hides it.
#include <QWidget>
#include <array>
#include <filesystem>

#include "engine/BoardOptions.h"
#include "intake/RecordSize.h"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace kelmaz {

class Engine;
class SettingsStore;
class SettingsWindowHost;
struct GameState;

class FomSet : public QWidget {
    Q_OBJECT
  public:
    FomSet(GameState& state, BoardOptions& options, SettingsStore& settings, Engine& engine,
           SettingsWindowHost& host);

    // Each selects option `index` of its group, then does what a click on it does.
    void Option1_Click(int index);      // board size
    void Option2_Click(int index);      // commentary box shown / hidden
    void Option4_Click(int index);      // board tint
    void Option5_Click(int index);      // move numbers shown / hidden
    void Option7_Click(int index);      // white stone tint
    void Option6_Click(int index);      // handicap: index k places k + 1 stones
    void OptionOpen_Click(int index);   // where a record opens: 0 its last move, 1 move 0
    void OptionMarks_Click(int index);  // a record's labels and marks shown / hidden
    // A record's own size, taken as the size option takes a size (the board is cleared and laid
    // out anew): the option that offers it is selected, none for any other size, and the
    // stored setting stays as the user chose it.
    void takeRecordSize(const BoardSizeChoice& size);
    // Selecting one of a pair from code runs its handler when the selection changes.
    void selectDigitLabels(bool digits);         // Opt98 / OptNT
    void selectLowerLeftOrigin(bool lowerLeft);  // Option8 / Option9
    void selectStones(StoneChoice choice);       // Optionkuro / Optionshiro / Option3

    // The replay speed in milliseconds: a change of the scroll bar's value runs its handler,
    // which sets the options' speed; a value below the bar's range is ignored.
    void setSpeedValue(int milliseconds);
    int speedValue() const;
    QString speedCaption() const;

    std::filesystem::path GetIniPath() const;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    QGroupBox* frame(int index, const QString& caption);
    QButtonGroup* optionGroup(QGroupBox* box, const char* name, const QStringList& captions,
                              int columns, void (FomSet::*handler)(int));
    void select(QButtonGroup* group, int index);
    void resizeBoard();
    // The user's choice of a size or a handicap, asked about first when it would throw an
    // unsaved record away.
    void sizeClicked(int index);
    void handicapClicked(int index);
    // The size option of the board as it stands is the one shown selected.
    void showBoardSize();
    void Opt98_Click();
    void OptNT_Click();
    void Option8_Click();
    void Option9_Click();
    void stonesClicked(int id);
    void HScroll1_Change(int value);
    void Command1_Click();
    // The options as they now stand go to the settings table.
    void storeChoices();

    GameState& state_;
    BoardOptions& options_;
    SettingsStore& settings_;
    Engine& engine_;
    SettingsWindowHost& host_;
    int chosenSizeIndex_;  // the size option the user picked, whatever size a record brought
    std::array<QGroupBox*, 9> Frame1{};
    QGroupBox* Frame2 = nullptr;
    QGroupBox* FrameOpen = nullptr;
    QGroupBox* FrameMarks = nullptr;
    QButtonGroup* Option1 = nullptr;
    QButtonGroup* Option2 = nullptr;
    QButtonGroup* Option4 = nullptr;
    QButtonGroup* Option5 = nullptr;
    QButtonGroup* Option6 = nullptr;
    QButtonGroup* Option7 = nullptr;
    QButtonGroup* OptionOpen = nullptr;
    QButtonGroup* OptionMarks = nullptr;
    QButtonGroup* stones_ = nullptr;  // Optionkuro 0, Optionshiro 1, Option3 2
    QRadioButton* Opt98 = nullptr;
    QRadioButton* OptNT = nullptr;
    QRadioButton* Option8 = nullptr;
    QRadioButton* Option9 = nullptr;
    QScrollBar* HScroll1 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* Command1 = nullptr;
};

}  // namespace kelmaz
