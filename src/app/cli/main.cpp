// kelmaz-cli: converts and inspects game records in batches, on the same code as the program.
#include <array>
#include <iostream>
#include <string_view>

#include "app/cli/CliCommands.h"

namespace {

struct Command {
    std::string_view name;
    std::string_view usage;
    int (*run)(const kelmaz::cli::Args&);
};

constexpr std::array<Command, 4> kCommands = {{
    {"convert",
     "convert IN OUT       read IN (SGF, UGF, applet page, Tki) and write OUT as SGF (- for "
     "standard output)",
     kelmaz::cli::convertCommand},
    {"show", "show IN [--move N]   the position after move N (default: the last move read)",
     kelmaz::cli::showCommand},
    {"info", "info IN              the 25 game-information fields, NAME=value",
     kelmaz::cli::infoCommand},
    {"tree", "tree IN [--as-sample] the branch table of IN's tree and its rebuilt text",
     kelmaz::cli::treeCommand},
}};

int usage() {
    std::cerr << "usage: kelmaz-cli COMMAND ...\n";
    for (const Command& c : kCommands) std::cerr << "  kelmaz-cli " << c.usage << '\n';
    std::cerr << "The board size of show follows the record's SZ (9, 13 or 19; else 19).\n";
    return kelmaz::cli::kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    const std::string_view name = argv[1];
    const kelmaz::cli::Args args(argv + 2, argv + argc);
    for (const Command& c : kCommands) {
        if (c.name != name) continue;
        const int status = c.run(args);
        return status == kelmaz::cli::kExitUsage ? usage() : status;
    }
    return usage();
}
