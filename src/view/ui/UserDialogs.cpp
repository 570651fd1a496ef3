#include "view/ui/UserDialogs.h"

#include <QMessageBox>

namespace kelmaz {

bool MessageBoxDialogs::ask(const QString& title, const QString& question) {
    return QMessageBox::question(parent_, title, question, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

void MessageBoxDialogs::inform(const QString& title, const QString& text) {
    QMessageBox::information(parent_, title, text);
}

}  // namespace kelmaz
