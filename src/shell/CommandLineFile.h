#pragma once
// A record file named on the program's command line. A clone's position always comes as a
// comma list, so a command line without a comma names a file.
#include <filesystem>
#include <optional>
#include <string>

namespace kelmaz {

// The file to read at start-up: the command-line text exactly as given (blanks included, they
// may belong to the name) when it holds no comma and is not blank; nothing otherwise. Whether
// the file is there is left to the reading, which reports a file it cannot read.
std::optional<std::filesystem::path> recordFileArgument(const std::string& commandLine);

}  // namespace kelmaz
