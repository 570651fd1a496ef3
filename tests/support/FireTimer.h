#pragma once
// Timers driven from the test: the tick happens when the test says, not when the clock does.
#include <QMetaObject>
#include <QTimer>

namespace kelmaz::test {

// Fires a running timer at once, as its interval's end would (a single-shot timer stops first);
// false when the timer is not running.
inline bool fire(QTimer& timer) {
    if (!timer.isActive()) return false;
    if (timer.isSingleShot()) timer.stop();
    QMetaObject::invokeMethod(&timer, "timeout", Qt::DirectConnection);
    return true;
}

}  // namespace kelmaz::test
