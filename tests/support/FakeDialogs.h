#pragma once
// Questions and notices of a window under test: every yes/no question gets `answer`, every
// three-way one `threeWayAnswer`, and each question and notice is recorded, its text and its
// title apart.
#include <QStringList>

#include "view/ui/UserDialogs.h"

namespace kelmaz::test {

class FakeDialogs : public UserDialogs {
  public:
    bool ask(const QString& title, const QString& question) override {
        questionTitles << title;
        questions << question;
        return answer;
    }
    Answer askOrCancel(const QString& title, const QString& question) override {
        questionTitles << title;
        questions << question;
        return threeWayAnswer;
    }
    void inform(const QString& title, const QString& text) override {
        noticeTitles << title;
        notices << text;
    }

    bool answer = true;
    Answer threeWayAnswer = Answer::No;  // what the program did before it asked
    QStringList questions, questionTitles;
    QStringList notices, noticeTitles;
};

}  // namespace kelmaz::test
