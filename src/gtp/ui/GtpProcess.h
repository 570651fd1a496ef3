#pragma once
// An engine process spoken to over its standard input and output. Nothing here waits: output
// arrives through a signal, a reply that takes longer than the time limit is reported, and
// ending the engine asks it to quit and kills it if it has not gone after a short wait.
#include <QObject>
#include <QProcess>
#include <QString>
#include <QTimer>
#include <string>

namespace kelmaz {

class GtpProcess : public QObject {
    Q_OBJECT
  public:
    static constexpr int kDefaultReplyLimitMs = 120'000;
    static constexpr int kQuitWaitMs = 1000;

    explicit GtpProcess(QObject* parent = nullptr);
    ~GtpProcess() override;

    // Starts the command line (a program and its arguments, quoted as in a shell). False, with
    // the message already emitted through failed(), when it names no program.
    bool start(const QString& commandLine);
    bool running() const { return process_ != nullptr; }
    const QString& commandLine() const { return command_; }
    // Writes a command line; the reply must begin to end within the time limit.
    void send(const std::string& line);
    // A reply is complete: the time limit stops.
    void replied() { limit_.stop(); }
    void setReplyLimitMs(int ms) { limitMs_ = ms; }
    // Writes `quitLine`, then kills the engine unless it has ended within kQuitWaitMs. Nothing
    // more is reported from it.
    void end(const std::string& quitLine);

  signals:
    void output(const QByteArray& bytes);
    // The engine could not start, crashed, ended by itself or missed the time limit; the
    // message names the command.
    void failed(const QString& message);

  private:
    void processError(QProcess::ProcessError error);
    void processFinished(int exitCode, QProcess::ExitStatus status);
    void release();

    QProcess* process_ = nullptr;
    QString command_;
    QTimer limit_;
    int limitMs_ = kDefaultReplyLimitMs;
};

}  // namespace kelmaz
