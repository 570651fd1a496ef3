#pragma once
// A port on 127.0.0.1 held by a listening socket until the window that is to listen on it
// takes it over: nothing else on the machine can take the port between the test choosing it
// and the window listening.
#include <QTcpServer>

namespace kelmaz::test {

class LoopbackPort {
  public:
    LoopbackPort() {
        if (holder_.listen(QHostAddress::LocalHost, 0)) number_ = holder_.serverPort();
    }
    int number() const { return number_; }
    // Gives the port up, just before the window listens on it.
    void release() { holder_.close(); }

  private:
    QTcpServer holder_;
    int number_ = 0;
};

}  // namespace kelmaz::test
