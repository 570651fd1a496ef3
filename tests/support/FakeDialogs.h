#pragma once
// Questions and notices of a window under test: every question gets `answer`, and each
// question and notice is recorded, its text and its title apart.
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
    void inform(const QString& title, const QString& text) override {
        noticeTitles << title;
        notices << text;
    }

    bool answer = true;
    QStringList questions, questionTitles;
    QStringList notices, noticeTitles;
};

}  // namespace kelmaz::test
