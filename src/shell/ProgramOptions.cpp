#include "shell/ProgramOptions.h"

#include <algorithm>

namespace kelmaz {
namespace {

bool isOption(const std::string& arg) {
    return arg.size() > 1 && arg.front() == '-' && arg.find(',') == std::string::npos;
}

}  // namespace

std::vector<std::string> argumentsAfterName(int argc, const char* const* argv) {
    if (argc < 2) return {};
    return {argv + 1, argv + argc};
}

ProgramOptions parseProgramOptions(const std::vector<std::string>& args,
                                   std::span<const PassedOption> passed,
                                   OptionPlacement placement) {
    ProgramOptions result;
    auto stop = [&result](OptionsAction action, const std::string& option) {
        result.action = action;
        result.offending = option;
        return result;
    };
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || !isOption(arg)) {
            result.operands.push_back(arg);
            optionsEnded = optionsEnded || placement == OptionPlacement::BeforeFirstOperand;
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            return stop(OptionsAction::Help, {});
        } else if (arg == "--version") {
            return stop(OptionsAction::Version, {});
        } else if (const auto known = std::find_if(
                       passed.begin(), passed.end(),
                       [&arg](const PassedOption& option) { return option.name == arg; });
                   known != passed.end()) {
            result.passedOn.push_back(arg);
            if (known->takesValue) {
                if (++i == args.size()) return stop(OptionsAction::MissingValue, arg);
                result.passedOn.push_back(args[i]);
            }
        } else {
            return stop(OptionsAction::UnknownOption, arg);
        }
    }
    return result;
}

}  // namespace kelmaz
