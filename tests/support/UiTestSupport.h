#pragma once
// Helpers for the window tests.
#include <QString>

class QWidget;

namespace kelmaz::test {

// Saves a picture of the widget as a PNG into $KELMAZ_SCREENSHOT_DIR when that is set
// (used to produce the pictures under docs/); does nothing otherwise.
void saveScreenshot(QWidget& widget, const QString& name);

}  // namespace kelmaz::test
