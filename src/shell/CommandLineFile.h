#pragma once
// A record file named as the program's only command-line argument. A clone's position always
// comes as a comma list, so a path that exists and holds no comma can never be mistaken for one.
#include <filesystem>
#include <optional>
#include <string>

namespace kelmaz {

// The file to read at start-up, when the command-line text (trimmed of blanks) is the path of
// an existing regular file without a comma; nothing otherwise.
std::optional<std::filesystem::path> recordFileArgument(const std::string& commandLine);

}  // namespace kelmaz
