#include "shell/ui/AppResources.h"

#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

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

bool installQtTranslations() {
    static QTranslator* installed = nullptr;
    if (installed) return true;
    // Owned by the application, which outlives every window that shows these texts.
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                          QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    installed = translator;
    return true;
}

void applyDesktopIdentity() {
    QGuiApplication::setWindowIcon(appIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("kelmaz"));
}

}  // namespace kelmaz
