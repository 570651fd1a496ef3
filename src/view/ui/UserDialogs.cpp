#include "view/ui/UserDialogs.h"

#include <QMessageBox>

namespace kelmaz {

bool MessageBoxDialogs::ask(const QString& title, const QString& question) {
    return QMessageBox::question(parent_, title, question, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

Answer MessageBoxDialogs::askOrCancel(const QString& title, const QString& question) {
    switch (QMessageBox::question(parent_, title, question,
                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                  QMessageBox::Cancel)) {
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        default:
            return Answer::Cancel;
    }
}

void MessageBoxDialogs::inform(const QString& title, const QString& text) {
    QMessageBox::information(parent_, title, text);
}

}  // namespace kelmaz
