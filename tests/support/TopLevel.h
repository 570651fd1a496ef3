#pragma once
// Windows of the running program found as a user sees them: among the top-level windows.
#include <QApplication>
#include <QWidget>

namespace kelmaz::test {

// The top-level window of type T (the visible one when `visibleOnly`), null when there is none.
template <typename T>
T* topLevel(bool visibleOnly = false) {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* found = qobject_cast<T*>(w); found && (!visibleOnly || found->isVisible()))
            return found;
    }
    return nullptr;
}

}  // namespace kelmaz::test
