#include "gtp/ui/GtpProcess.h"

#include <signal.h>
#include <unistd.h>

#include <QVariant>

namespace kelmaz {

namespace {

constexpr char kGroupProperty[] = "kelmazEngineGroup";

// Kills what is left of the engine's process group: the engine and whatever it started (the
// engine behind a wrapper script, helper processes it forked), which would otherwise keep
// running after the game.
void killGroup(QProcess* process) {
    const qint64 group = process->property(kGroupProperty).toLongLong();
    if (group > 0) ::kill(static_cast<pid_t>(-group), SIGKILL);
}

}  // namespace

GtpProcess::GtpProcess(QObject* parent) : QObject(parent) {
    limit_.setSingleShot(true);
    connect(&limit_, &QTimer::timeout, this, [this] {
        const QString message =
            QStringLiteral("思考エンジンが時間内に応答しません: %1").arg(command_);
        end("");
        emit failed(message);
    });
}

GtpProcess::~GtpProcess() {
    // The engine of the game and any that is still ending go with this object: killed, so
    // that none outlives the program.
    for (QProcess* process : findChildren<QProcess*>()) {
        process->disconnect();
        killGroup(process);
        process->kill();
        process->waitForFinished(kQuitWaitMs);
    }
}

bool GtpProcess::start(const QString& commandLine) {
    end("");
    command_ = commandLine.trimmed();
    QStringList words = QProcess::splitCommand(command_);
    if (words.isEmpty()) {
        emit failed(QStringLiteral("思考エンジンのコマンドを入力してください"));
        return false;
    }
    process_ = new QProcess(this);
    // The engine leads a process group of its own, which is ended with it.
    process_->setChildProcessModifier([] { ::setpgid(0, 0); });
    connect(process_, &QProcess::started, process_,
            [process = process_] { process->setProperty(kGroupProperty, process->processId()); });
    // The engine's chatter on standard error is not part of the protocol.
    process_->setStandardErrorFile(QProcess::nullDevice());
    connect(process_, &QProcess::readyReadStandardOutput, this,
            [this] { emit output(process_->readAllStandardOutput()); });
    connect(process_, &QProcess::errorOccurred, this, &GtpProcess::processError);
    connect(process_, &QProcess::finished, this, &GtpProcess::processFinished);
    const QString program = words.takeFirst();
    process_->start(program, words);
    return true;
}

void GtpProcess::send(const std::string& line) {
    if (!process_ || line.empty()) return;
    process_->write(line.data(), static_cast<qint64>(line.size()));
    limit_.start(limitMs_);
}

void GtpProcess::end(const std::string& quitLine) {
    limit_.stop();
    if (!process_) return;
    QProcess* ending = process_;
    process_ = nullptr;
    ending->disconnect(this);
    if (ending->state() == QProcess::NotRunning) {
        killGroup(ending);
        ending->deleteLater();
        return;
    }
    if (!quitLine.empty() && ending->state() == QProcess::Running) {
        ending->write(quitLine.data(), static_cast<qint64>(quitLine.size()));
        ending->closeWriteChannel();
    } else {
        killGroup(ending);
        ending->kill();
    }
    // The process object goes once the engine has ended, by itself or killed after the wait,
    // and with it what the engine left running.
    connect(ending, &QProcess::finished, ending, [ending] {
        killGroup(ending);
        ending->deleteLater();
    });
    QTimer::singleShot(kQuitWaitMs, ending, [ending] {
        if (ending->state() == QProcess::NotRunning) return;
        killGroup(ending);
        ending->kill();
    });
}

void GtpProcess::processError(QProcess::ProcessError error) {
    if (error == QProcess::FailedToStart) {
        const QString message = QStringLiteral("思考エンジンを起動できません: %1").arg(command_);
        end("");
        emit failed(message);
    }
    // A crash or a broken pipe also ends the process; processFinished() reports it.
}

void GtpProcess::processFinished(int exitCode, QProcess::ExitStatus status) {
    const QString message = status == QProcess::CrashExit
                                ? QStringLiteral("思考エンジンが異常終了しました: %1").arg(command_)
                                : QStringLiteral("思考エンジンが終了しました (終了コード %1): %2")
                                      .arg(exitCode)
                                      .arg(command_);
    end("");
    emit failed(message);
}

}  // namespace kelmaz
