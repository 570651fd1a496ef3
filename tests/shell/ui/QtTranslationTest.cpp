// Qt's own texts (the standard buttons of message boxes, the context menus of text boxes)
// speak Japanese like the rest of the program.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>
#include <memory>

#include "shell/ui/AppResources.h"

namespace kelmaz {
namespace {

// A button's text without its keyboard mnemonic: "はい(&Y)" -> "はい".
QString withoutMnemonic(QString text) {
    const qsizetype paren = text.indexOf(QStringLiteral("(&"));
    if (paren >= 0) text.truncate(paren);
    return text.remove(QLatin1Char('&'));
}

TEST(QtTranslations, QuestionBoxButtonsAndTextMenusAreJapanese) {
    ASSERT_TRUE(installQtTranslations());
    EXPECT_TRUE(installQtTranslations()) << "a second call changes nothing";

    QStringList buttons;
    QTimer::singleShot(0, [&buttons] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        for (QAbstractButton* button : box->buttons()) buttons << withoutMnemonic(button->text());
        box->reject();
    });
    QMessageBox::question(nullptr, QStringLiteral("確認"), QStringLiteral("上書きしますか?"),
                          QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    buttons.sort();
    EXPECT_EQ(buttons.join('|').toStdString(), "いいえ|はい|キャンセル");

    QLineEdit edit;
    const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    QStringList items;
    for (QAction* action : menu->actions())
        if (!action->isSeparator()) items << withoutMnemonic(action->text()).section('\t', 0, 0);
    EXPECT_TRUE(items.contains(QStringLiteral("コピー"))) << items.join('|').toStdString();
    EXPECT_TRUE(items.contains(QStringLiteral("貼り付け"))) << items.join('|').toStdString();
}

}  // namespace
}  // namespace kelmaz
