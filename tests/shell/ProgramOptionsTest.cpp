// The command-line options of both programs: what answers at once, what is an operand, and what
// is handed on to the window toolkit.
#include <gtest/gtest.h>

#include <array>

#include "shell/ProgramOptions.h"

namespace kelmaz {
namespace {

using Args = std::vector<std::string>;

constexpr std::array<PassedOption, 2> kToolkit = {{{"-platform", true}, {"-reverse", false}}};

ProgramOptions board(const Args& args) {
    return parseProgramOptions(args, kToolkit, OptionPlacement::Anywhere);
}
ProgramOptions tool(const Args& args) {
    return parseProgramOptions(args, {}, OptionPlacement::BeforeFirstOperand);
}

TEST(ProgramOptions, HelpAndVersionAnswerWhereverTheyStandAndTheFirstDecides) {
    EXPECT_EQ(board({"--help"}).action, OptionsAction::Help);
    EXPECT_EQ(board({"-h"}).action, OptionsAction::Help);
    EXPECT_EQ(board({"--version"}).action, OptionsAction::Version);
    EXPECT_EQ(board({"game.sgf", "--version"}).action, OptionsAction::Version);
    EXPECT_EQ(board({"--version", "--help"}).action, OptionsAction::Version);
    EXPECT_EQ(board({"--help", "--bogus"}).action, OptionsAction::Help);
    EXPECT_EQ(board({"--bogus", "--help"}).action, OptionsAction::UnknownOption);
    EXPECT_EQ(tool({"--version", "show"}).action, OptionsAction::Version);
}

TEST(ProgramOptions, AnythingElseThatLooksLikeAnOptionIsNamedAsUnknown) {
    for (const char* arg : {"-x", "--helpme", "--help=yes", "-help", "--Version", "-V", "---"}) {
        const ProgramOptions o = board({"game.sgf", arg});
        EXPECT_EQ(o.action, OptionsAction::UnknownOption) << arg;
        EXPECT_EQ(o.offending, arg);
    }
    // The toolkit's options are known only to the program that hands them on.
    EXPECT_EQ(tool({"-platform", "offscreen"}).action, OptionsAction::UnknownOption);
}

TEST(ProgramOptions, FileNamesAndCloneListsReachTheProgramUnchanged) {
    const Args clone = {"0, 1, 0, 200, -300, 4000, 4000, 4, 4, 0"};
    EXPECT_EQ(board(clone).action, OptionsAction::Run);
    EXPECT_EQ(board(clone).operands, clone);
    // The same list split at its blanks by a shell: a piece with a comma is never an option.
    const Args pieces = {"0,", "1,", "0,", "-300,", "-300,4000"};
    EXPECT_EQ(board(pieces).operands, pieces);
    const Args names = {" 対局 棋譜.sgf ", "-", ""};
    EXPECT_EQ(board(names).operands, names);
    EXPECT_TRUE(board({}).operands.empty());
}

TEST(ProgramOptions, DoubleDashEndsTheOptions) {
    const ProgramOptions o = board({"--", "-x.sgf", "--help", "--"});
    EXPECT_EQ(o.action, OptionsAction::Run);
    EXPECT_EQ(o.operands, (Args{"-x.sgf", "--help", "--"}));
    EXPECT_EQ(tool({"--", "--version"}).operands, Args{"--version"});
}

TEST(ProgramOptions, ToolkitOptionsAreHandedOnWithTheirValuesAndTheRestStaysOperands) {
    const ProgramOptions o =
        board({"-platform", "offscreen", "game.sgf", "-reverse", "-platform", "-x"});
    EXPECT_EQ(o.action, OptionsAction::Run);
    EXPECT_EQ(o.operands, Args{"game.sgf"});
    EXPECT_EQ(o.passedOn, (Args{"-platform", "offscreen", "-reverse", "-platform", "-x"}))
        << "a value is taken as it stands, even when it starts with a dash";

    const ProgramOptions missing = board({"game.sgf", "-platform"});
    EXPECT_EQ(missing.action, OptionsAction::MissingValue);
    EXPECT_EQ(missing.offending, "-platform");
    EXPECT_EQ(board({"-platform=offscreen"}).action, OptionsAction::UnknownOption);
}

TEST(ProgramOptions, AfterTheToolsCommandEveryArgumentIsTheCommandsOwn) {
    const ProgramOptions o = tool({"show", "game.sgf", "--move", "3", "--help"});
    EXPECT_EQ(o.action, OptionsAction::Run);
    EXPECT_EQ(o.operands, (Args{"show", "game.sgf", "--move", "3", "--help"}));
    EXPECT_EQ(tool({"show", "-"}).operands, (Args{"show", "-"}));
    EXPECT_EQ(tool({"-q", "show"}).action, OptionsAction::UnknownOption);
}

TEST(ProgramOptions, TheArgumentsAfterTheNameAreNoneWhenNotEvenANameWasGiven) {
    const char* const started[] = {"kelmaz", "-h", "対局.sgf", nullptr};
    EXPECT_EQ(argumentsAfterName(3, started), (Args{"-h", "対局.sgf"}));
    EXPECT_TRUE(argumentsAfterName(1, started).empty());
    const char* const nameless[] = {nullptr};
    EXPECT_TRUE(argumentsAfterName(0, nameless).empty());
}

}  // namespace
}  // namespace kelmaz
