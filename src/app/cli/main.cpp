// kelmaz-cli: converts and inspects game records in batches, on the same code as the program.
#include <array>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "app/cli/CliCommands.h"
#include "app/cli/TerminalStream.h"
#include "shell/ProgramOptions.h"

namespace {

struct Command {
    std::string_view name;
    std::string_view usage;
    int (*run)(const kelmaz::cli::Args&);
};

constexpr std::array<Command, 10> kCommands = {{
    {"convert",
     "convert IN OUT [--game G]  read IN (SGF, UGF, applet page, Tki) and write OUT as SGF (- "
     "for standard output): every game of a collection, or game G",
     kelmaz::cli::convertCommand},
    {"show",
     "show IN [--move N] [--game G]  the position after move N (default: the last move read)",
     kelmaz::cli::showCommand},
    {"info", "info IN [--game G]   the 25 game-information fields, NAME=value",
     kelmaz::cli::infoCommand},
    {"tree", "tree IN [--as-sample] [--game G]  the branch table of IN's tree and its rebuilt text",
     kelmaz::cli::treeCommand},
    {"games", "games IN             one line per game: number, PB, PW, DT, RE, EV, moves",
     kelmaz::cli::gamesCommand},
    {"score",
     "score IN [--move N] [--estimate] [--limit S] [--engine CMD]  a GTP engine's score for the "
     "position after move N (default: the last move read): the final result (W+3.5), then the "
     "dead stones; with --estimate the estimate of a game that goes on; each reply within S "
     "seconds (default 120)",
     kelmaz::cli::scoreCommand},
    {"library",
     "library add LIB PATH...  add record files and the .sgf, .ugf and .ugi files of folders to "
     "the game library LIB",
     kelmaz::cli::libraryCommand},
    {"library",
     "library list LIB [--player P] [--from DATE] [--to DATE] [--event E] [--result R]\n"
     "                       the games whose headers match, one line each",
     kelmaz::cli::libraryCommand},
    {"library",
     "library search LIB (--position IN [--move N] [--game G] | --pattern PAT) [--anywhere]\n"
     "                       [--no-colour-swap] [--no-symmetry]  the games showing the "
     "position or\n"
     "                       pattern: FILE GAME MOVE each, then next PT COUNT BLACKWINS "
     "WHITEWINS",
     kelmaz::cli::libraryCommand},
    {"diagram",
     "diagram IN [--game G] [--moves-per-figure N] [--break M1,M2,...] [--restart-numbers]\n"
     "      [--format pdf|svg|png|txt] [--figure K] --out OUT|-\n"
     "                       the record as numbered figures of N moves (default 100), or\n"
     "                       starting at the moves M1, M2, ...: text (each figure as a board,\n"
     "                       then its notes: n=m a move on the point numbered m, n=A one on\n"
     "                       the stone marked A, n=pass), an A4 PDF of every figure, or figure\n"
     "                       K (default 1) as SVG or PNG; the format follows OUT's suffix when\n"
     "                       not given",
     kelmaz::cli::diagramCommand},
}};

void printUsage(std::ostream& out) {
    out << "usage: kelmaz-cli COMMAND ...\n";
    for (const Command& c : kCommands) out << "  kelmaz-cli " << c.usage << '\n';
    out << "G picks a game of a collection, from 1 (default 1). The board size of show is the\n"
           "record's own (2 to 19 lines; 19 when the record names none). Control characters\n"
           "in the texts of a record are printed as \\xHH.\n"
           "PAT is REGION:POINTS: a region aa:gg in SGF letters (two opposite corners) and its\n"
           "points row by row, left to right, top to bottom, each X (black), O (white), . (empty)\n"
           "or * (any); aa:cc:X.O.*.O.. is a 3x3 shape in the upper-left corner. A search finds\n"
           "the shape under the 8 symmetries and with the colours swapped unless switched off;\n"
           "--anywhere lets a pattern stand anywhere on the board. DATE is YYYY[-MM[-DD]].\n";
}

int usage() {
    printUsage(std::cerr);
    return kelmaz::cli::kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
    kelmaz::cli::TerminalStream safeErrors(std::cerr);
    const kelmaz::ProgramOptions options = kelmaz::parseProgramOptions(
        kelmaz::argumentsAfterName(argc, argv), {}, kelmaz::OptionPlacement::BeforeFirstOperand);
    switch (options.action) {
        case kelmaz::OptionsAction::Run:
            break;
        case kelmaz::OptionsAction::Help:
            printUsage(std::cout);
            std::cout << "Options: --help shows this text, --version the version.\n"
                         "Exit status: 0 done, 1 the record could not be read or written, "
                         "2 wrong usage, 3 the engine of score failed.\n";
            return kelmaz::cli::kExitOk;
        case kelmaz::OptionsAction::Version:
            std::cout << "kelmaz-cli " KELMAZ_VERSION "\n";
            return kelmaz::cli::kExitOk;
        case kelmaz::OptionsAction::UnknownOption:
        case kelmaz::OptionsAction::MissingValue:
            std::cerr << "kelmaz-cli: unknown option " << options.offending
                      << " (kelmaz-cli --help shows the usage)\n";
            return kelmaz::cli::kExitUsage;
    }
    if (options.operands.empty()) return usage();
    const std::string& name = options.operands.front();
    const kelmaz::cli::Args args(options.operands.begin() + 1, options.operands.end());
    for (const Command& c : kCommands) {
        if (c.name != name) continue;
        // What convert writes to standard output is the record itself, byte for byte.
        std::optional<kelmaz::cli::TerminalStream> safeOutput;
        if (c.name != "convert") safeOutput.emplace(std::cout);
        const int status = c.run(args);
        return status == kelmaz::cli::kExitUsage ? usage() : status;
    }
    return usage();
}
