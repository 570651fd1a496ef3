#include "shell/CommandLineFile.h"

#include <system_error>

namespace kelmaz {

std::optional<std::filesystem::path> recordFileArgument(const std::string& commandLine) {
    const auto first = commandLine.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return std::nullopt;
    const auto last = commandLine.find_last_not_of(" \t\r\n");
    const std::string text = commandLine.substr(first, last - first + 1);
    if (text.find(',') != std::string::npos) return std::nullopt;
    const std::filesystem::path path(text);
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
    return path;
}

}  // namespace kelmaz
