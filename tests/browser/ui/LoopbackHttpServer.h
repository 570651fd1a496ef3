#pragma once
// A tiny HTTP server on 127.0.0.1 for the browser tests: answers GET requests for the paths it
// was given, 404 for any other. A body is sent whole with its length, without a length (the
// closed connection ends it), cut short (the connection closes halfway through), or trickled:
// one byte every 50 ms, as long as the client listens.
#include <QByteArray>
#include <QHash>
#include <QTcpServer>
#include <QUrl>

class QTcpSocket;

namespace kelmaz::test {

class LoopbackHttpServer : public QObject {
  public:
    enum class Delivery { Whole, WithoutLength, CutShort, Trickle };

    LoopbackHttpServer();
    void serve(const QString& path, const QByteArray& contentType, const QByteArray& body,
               Delivery delivery = Delivery::Whole);
    QUrl url(const QString& path) const;

  private:
    struct Page {
        QByteArray contentType;
        QByteArray body;
        Delivery delivery;
    };
    void answer(QTcpSocket* socket);

    QTcpServer server_;
    QHash<QString, Page> pages_;
};

}  // namespace kelmaz::test
