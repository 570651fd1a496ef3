#pragma once
// The controls of a window that a screen reader would announce without a name: every button,
// text box, list, choice, spin box and user-driven slider or scroll bar whose accessible name
// is empty, and every one that Tab never reaches. Parts of another control (a combo box's line
// edit, a scroll area's own scroll bars, a spin box's buttons) are named and reached through
// that control, and Qt's own helper widgets need neither: none of them is listed.
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

inline QString describe(const QWidget& window, const QWidget& w) {
    return QLatin1String(window.metaObject()->className()) + QLatin1Char('/') + w.objectName() +
           QStringLiteral(" (") + QLatin1String(w.metaObject()->className()) + QLatin1Char(')');
}

// The controls of window and its child windows, pop-ups of a control (a combo box's list)
// left out.
inline QList<QWidget*> controlsOf(QWidget& window) {
    QList<QWidget*> controls;
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (!isControl(w) || isPartOfAControl(w, &window)) continue;
        if (w->window() != &window && w->window()->windowType() == Qt::Popup) continue;
        controls << w;
    }
    return controls;
}

// "Window/objectName (class)" of every unnamed control of window.
inline QStringList unnamedControls(QWidget& window) {
    QStringList unnamed;
    for (QWidget* w : controlsOf(window))
        if (accessibleNameOf(w).isEmpty()) unnamed << describe(window, *w);
    return unnamed;
}

// "Window/objectName (class)" of every control of window that Tab passes by.
inline QStringList controlsTabSkips(QWidget& window) {
    QStringList skipped;
    for (QWidget* w : controlsOf(window))
        if (!(w->focusPolicy() & Qt::TabFocus)) skipped << describe(window, *w);
    return skipped;
}

}  // namespace kelmaz::test
