#pragma once
// The one way every window puts a yes/no question or a notice to the user. Windows show
// message boxes through MessageBoxDialogs unless they are handed another (tests answer and
// record through a fake).
#include <QString>

class QWidget;

namespace kelmaz {

// The answers to a question that lets the user step back: yes, no, or leave things as they are.
enum class Answer { Yes, No, Cancel };

class UserDialogs {
  public:
    virtual ~UserDialogs() = default;
    // True when the user answers yes.
    virtual bool ask(const QString& title, const QString& question) = 0;
    // はい, いいえ or キャンセル; closing the box is キャンセル. Dialogs that cannot offer
    // キャンセル answer yes or no.
    virtual Answer askOrCancel(const QString& title, const QString& question) {
        return ask(title, question) ? Answer::Yes : Answer::No;
    }
    virtual void inform(const QString& title, const QString& text) = 0;
};

// Modal message boxes over one window.
class MessageBoxDialogs : public UserDialogs {
  public:
    explicit MessageBoxDialogs(QWidget* parent) : parent_(parent) {}
    bool ask(const QString& title, const QString& question) override;
    Answer askOrCancel(const QString& title, const QString& question) override;
    void inform(const QString& title, const QString& text) override;

  private:
    QWidget* parent_;
};

}  // namespace kelmaz
