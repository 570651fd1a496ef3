#pragma once
// The browser window as the running program uses it: address file from the settings folder,
// then the program's folder, and every record taken handed to the program's format detection.
#include <memory>

class QWidget;

namespace kelmaz {

class Program;

std::unique_ptr<QWidget> makeProgramBrowser(Program& program);

}  // namespace kelmaz
