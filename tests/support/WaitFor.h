#pragma once
// Waiting for what another process or a socket does: the events are processed until the
// predicate holds, bounded so that a fault fails the case instead of hanging it.
#include <QTest>

namespace kelmaz::test {

template <typename Predicate>
bool waitFor(Predicate predicate, int timeoutMs = 10000) {
    return QTest::qWaitFor(predicate, timeoutMs);
}

}  // namespace kelmaz::test
