#include "gtp/GtpCommand.h"

#include <unistd.h>

#include <vector>

namespace kelmaz {

std::string defaultGtpCommand(std::string_view searchPath) {
    constexpr std::string_view kArguments = " --mode gtp --level 10";
    std::vector<std::string> folders;
    std::size_t start = 0;
    while (start <= searchPath.size()) {
        std::size_t colon = searchPath.find(':', start);
        if (colon == std::string_view::npos) colon = searchPath.size();
        // An empty entry means the current folder, which is no place to pick a program from.
        if (colon > start) folders.emplace_back(searchPath.substr(start, colon - start));
        start = colon + 1;
    }
    folders.emplace_back("/usr/games");
    for (const std::string& folder : folders) {
        const std::string program = folder + "/gnugo";
        if (folder.front() == '/' && ::access(program.c_str(), X_OK) == 0)
            return program + std::string(kArguments);
    }
    return "gnugo" + std::string(kArguments);
}

}  // namespace kelmaz
