#pragma once
// How a clone window's process is started: another copy of the running program's own
// executable, detached, with the clone's comma list as one argument. Tests put their own
// starter in its place to see what would be started, or to start the built program instead.
#include <QString>
#include <QStringList>
#include <functional>

namespace kelmaz {

// Starts `program` with `arguments`; false when it could not be started.
using ProcessStarter = std::function<bool(const QString& program, const QStringList& arguments)>;

// The starter of the running program: QProcess::startDetached.
ProcessStarter detachedProcessStarter();

}  // namespace kelmaz
