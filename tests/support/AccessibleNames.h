#pragma once
// The controls of a window that a screen reader would announce without a name: every button,
// text box, list, choice, spin box and user-driven slider or scroll bar whose accessible name
// is empty. Parts of another control (a combo box's line edit, a scroll area's own scroll
// bars, a spin box's buttons) and Qt's own helper buttons are named by that
// control and are not listed.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStringList>
#include <QTabBar>
#include <QTextEdit>
#include <QWidget>

namespace kelmaz::test {

inline bool isControl(const QWidget* w) {
    return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLineEdit*>(w) ||
           qobject_cast<const QTextEdit*>(w) || qobject_cast<const QPlainTextEdit*>(w) ||
           qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractSpinBox*>(w) ||
           qobject_cast<const QAbstractSlider*>(w) || qobject_cast<const QAbstractItemView*>(w);
}

// Whether w is a part of another control of window (or of a tab bar, or a scroll area's
// frame), or one of Qt's own helper widgets, which carry names beginning with "qt_".
inline bool isPartOfAControl(const QWidget* w, const QWidget* window) {
    if (w->objectName().startsWith(QLatin1String("qt_"))) return true;
    for (const QWidget* p = w->parentWidget(); p && p != window; p = p->parentWidget()) {
        if (isControl(p) || qobject_cast<const QTabBar*>(p)) return true;
        // A scroll area keeps its scroll bars in containers of its own.
        if (qobject_cast<const QAbstractScrollArea*>(p) && qobject_cast<const QAbstractSlider*>(w))
            return true;
    }
    return false;
}

inline QString accessibleNameOf(QWidget* w) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
    return a ? a->text(QAccessible::Name).trimmed() : QString();
}

// "window/objectName (class)" of every unnamed control of window, its child windows included.
inline QStringList unnamedControls(QWidget& window) {
    QStringList unnamed;
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (!isControl(w) || isPartOfAControl(w, &window)) continue;
        if (w->window() != &window && w->window()->isWindow() &&
            w->window()->windowType() == Qt::Popup)
            continue;  // a combo box's list and other pop-ups of a control
        if (!accessibleNameOf(w).isEmpty()) continue;
        unnamed << QLatin1String(window.metaObject()->className()) + QLatin1Char('/') +
                       w->objectName() + QStringLiteral(" (") +
                       QLatin1String(w->metaObject()->className()) + QLatin1Char(')');
    }
    return unnamed;
}

}  // namespace kelmaz::test
