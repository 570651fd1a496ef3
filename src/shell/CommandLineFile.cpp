#include "shell/CommandLineFile.h"

namespace kelmaz {

std::optional<std::filesystem::path> recordFileArgument(const std::string& commandLine) {
    if (commandLine.find_first_not_of(" \t\r\n") == std::string::npos) return std::nullopt;
    if (commandLine.find(',') != std::string::npos) return std::nullopt;
    return std::filesystem::path(commandLine);
}

}  // namespace kelmaz
