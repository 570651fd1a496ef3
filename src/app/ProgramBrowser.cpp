#include "app/ProgramBrowser.h"

#include <QCoreApplication>

#include "app/Program.h"
#include "browser/ui/fomBrowser.h"

namespace kelmaz {

std::unique_ptr<QWidget> makeProgramBrowser(Program& program) {
    BrowserSetup setup;
    setup.addressFileFolders = {program.iniPath().parent_path(),
                                QCoreApplication::applicationDirPath().toStdString()};
    setup.startingAddress = fomBrowser::defaultStartingAddress();
    return std::make_unique<fomBrowser>(
        [&program](std::vector<std::string> lines) {
            return program.takeRecordLines(std::move(lines));
        },
        std::move(setup));
}

}  // namespace kelmaz
