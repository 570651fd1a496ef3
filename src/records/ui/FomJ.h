#pragma once
// The game-information dialog "対局情報": the 25 root-property fields of the record in three
// frames, with the result and the time allowance spelt out beside their fields. The fields are
// a view of GameInfo: typing changes it at once, and refresh() shows what others wrote into it.
#include <QWidget>
#include <array>

#include "engine/GameInfo.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kelmaz {

class FomJ : public QWidget {
    Q_OBJECT
  public:
    explicit FomJ(GameInfo& info, QWidget* parent = nullptr);

    // Shows the fields and labels as the game information now holds them.
    void refresh();

    QLineEdit* Text1(int index) const { return fields_.at(index); }
    QLabel* winnerLabel() const { return winner_; }    // label 23
    QLabel* detailLabel() const { return detail_; }    // label 25
    QLabel* hoursLabel() const { return hours_; }      // label 28
    QLabel* minutesLabel() const { return minutes_; }  // label 29
    QPushButton* Command1 = nullptr;                   // "OK"

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void addField(QGroupBox* frame, int row, InfoField field);
    void fieldEdited(int index, const QString& text);
    void showLabels();

    GameInfo& info_;
    std::array<QLineEdit*, kGameInfoFields> fields_{};
    QLabel* winner_ = nullptr;
    QLabel* detail_ = nullptr;
    QLabel* hours_ = nullptr;
    QLabel* minutes_ = nullptr;
};

}  // namespace kelmaz
