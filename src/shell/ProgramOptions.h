#pragma once
// The options on the command lines of kelmaz and kelmaz-cli. They are read before anything else
// happens, so --help and --version answer without a window or a display.
//
// An argument that starts with "-" and holds no comma is an option. "-" alone, an argument with
// a comma (a clone's list, or a piece of one split at its blanks) and everything after "--" are
// operands: they reach the program exactly as given.
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kelmaz {

// An option meant for another reader of the command line (the window toolkit's -platform,
// -display, ...): handed on with the value that follows it when it takes one.
struct PassedOption {
    std::string_view name;
    bool takesValue = false;
};

enum class OptionsAction { Run, Help, Version, UnknownOption, MissingValue };

// Where options may stand: anywhere before "--" (the board program), or only before the first
// operand, so that the arguments after a command are the command's own (kelmaz-cli).
enum class OptionPlacement { Anywhere, BeforeFirstOperand };

struct ProgramOptions {
    OptionsAction action = OptionsAction::Run;
    std::vector<std::string> operands;  // in their order on the command line
    std::vector<std::string> passedOn;  // each passed option followed by its value, in order
    std::string offending;              // the option of UnknownOption or MissingValue
};

// The arguments after the program's name; none when the program was started without even a
// name (argc 0 is possible with execve).
std::vector<std::string> argumentsAfterName(int argc, const char* const* argv);

// Reads the arguments after the program's name. The first of --help (-h), --version, an unknown
// option or a passed option without its value decides and ends the reading.
ProgramOptions parseProgramOptions(const std::vector<std::string>& args,
                                   std::span<const PassedOption> passed, OptionPlacement placement);

}  // namespace kelmaz
