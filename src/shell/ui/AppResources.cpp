#include "shell/ui/AppResources.h"

#include <QGuiApplication>

// Q_INIT_RESOURCE must be expanded outside any namespace.
static void registerKelmazResources() { Q_INIT_RESOURCE(kelmaz); }

namespace kelmaz {

void loadAppResources() {
    static const bool loaded = [] {
        registerKelmazResources();
        return true;
    }();
    (void)loaded;
}

QIcon appIcon() {
    loadAppResources();
    return QIcon(QStringLiteral(":/kelmaz.svg"));
}

void applyDesktopIdentity() {
    QGuiApplication::setWindowIcon(appIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("kelmaz"));
}

}  // namespace kelmaz
