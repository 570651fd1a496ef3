#pragma once
// The resources compiled into the program (help pages, the program icon) and the desktop
// identity the window system uses to match windows with the installed .desktop entry.
#include <QIcon>

namespace kelmaz {

// Registers the compiled-in resources; safe to call more than once. The resources live in a
// static library, so the program must register them itself before the first use.
void loadAppResources();

// The program icon drawn for Kelmaz (a corner of a Go board with stones).
QIcon appIcon();

// Installs Qt's own Japanese translations (Debian's qt6-translations-l10n), so that standard
// buttons and the context menus of text boxes read はい, いいえ, コピー... like the rest of
// the program, whatever the system's language. False when they are not installed; the program
// then runs with Qt's English texts. Safe to call more than once.
bool installQtTranslations();

// Gives the application its icon and its desktop-file name; called once by main().
void applyDesktopIdentity();

}  // namespace kelmaz
