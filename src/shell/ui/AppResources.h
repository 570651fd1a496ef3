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

// Gives the application its icon and its desktop-file name; called once by main().
void applyDesktopIdentity();

}  // namespace kelmaz
