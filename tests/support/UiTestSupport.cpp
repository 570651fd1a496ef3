#include "support/UiTestSupport.h"

#include <QDir>
#include <QPixmap>
#include <QWidget>

namespace kelmaz::test {

void saveScreenshot(QWidget& widget, const QString& name) {
    const QString dir = qEnvironmentVariable("KELMAZ_SCREENSHOT_DIR");
    if (dir.isEmpty()) return;
    QDir().mkpath(dir);
    widget.grab().save(QDir(dir).filePath(name + ".png"));
}

}  // namespace kelmaz::test
