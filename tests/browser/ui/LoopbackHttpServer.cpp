#include "browser/ui/LoopbackHttpServer.h"

#include <QTcpSocket>
#include <QTimer>

namespace kelmaz::test {

LoopbackHttpServer::LoopbackHttpServer() {
    server_.listen(QHostAddress::LocalHost, 0);
    connect(&server_, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = server_.nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { answer(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

void LoopbackHttpServer::serve(const QString& path, const QByteArray& contentType,
                               const QByteArray& body, Delivery delivery) {
    pages_.insert(path, {contentType, body, delivery});
}

QUrl LoopbackHttpServer::url(const QString& path) const {
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(server_.serverPort()).arg(path));
}

void LoopbackHttpServer::answer(QTcpSocket* socket) {
    const QByteArray head = socket->peek(socket->bytesAvailable());
    if (!head.contains("\r\n\r\n")) return;  // the request is not complete yet
    socket->readAll();
    const QList<QByteArray> requestLine = head.left(head.indexOf("\r\n")).split(' ');
    const QString path = requestLine.size() > 1 ? QString::fromLatin1(requestLine[1]) : QString();
    const auto page = pages_.constFind(path);
    QByteArray response;
    if (page == pages_.constEnd()) {
        response =
            "HTTP/1.1 404 Not Found\r\nContent-Type: text/plain\r\nContent-Length: 9\r\n"
            "Connection: close\r\n\r\nnot found";
    } else {
        response = "HTTP/1.1 200 OK\r\nContent-Type: " + page->contentType + "\r\n";
        if (page->delivery != Delivery::WithoutLength) {
            response += "Content-Length: " + QByteArray::number(page->body.size()) + "\r\n";
        }
        response += "Connection: close\r\n\r\n";
        if (page->delivery == Delivery::Trickle) {
            socket->write(response);
            auto* tick = new QTimer(socket);
            connect(tick, &QTimer::timeout, socket,
                    [socket, body = page->body, sent = 0]() mutable {
                        if (sent < body.size()) socket->write(body.mid(sent++, 1));
                    });
            tick->start(50);
            return;
        }
        response += page->delivery == Delivery::CutShort ? page->body.left(page->body.size() / 2)
                                                         : page->body;
    }
    socket->write(response);
    socket->disconnectFromHost();
}

}  // namespace kelmaz::test
