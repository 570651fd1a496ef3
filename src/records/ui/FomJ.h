#pragma once
// The game-information dialog "対局情報": the 25 root-property fields of the record in three
// frames, with the result and the time allowance spelt out beside their fields. The fields are
// a view of GameInfo: what is typed goes to the record's owner at once, which writes it into
// the game information, and refresh() shows what the game information holds.
#include <QWidget>
#include <array>
#include <functional>
#include <string>

#include "engine/GameInfo.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kelmaz {

class FomJ : public QWidget {
    Q_OBJECT
  public:
    // Takes field `index` of the game information as typed.
    using FieldEditor = std::function<void(int index, const std::string& text)>;
    FomJ(const GameInfo& info, FieldEditor edit, QWidget* parent = nullptr);

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

    const GameInfo& info_;
    FieldEditor edit_;
    std::array<QLineEdit*, kGameInfoFields> fields_{};
    QLabel* winner_ = nullptr;
    QLabel* detail_ = nullptr;
    QLabel* hours_ = nullptr;
    QLabel* minutes_ = nullptr;
};

}  // namespace kelmaz
