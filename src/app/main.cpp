// The board program `kelmaz`.
#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel placeholder(QStringLiteral("Kelmaz"));
    placeholder.show();
    return app.exec();
}
