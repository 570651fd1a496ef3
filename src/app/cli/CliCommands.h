#pragma once
// The commands of kelmaz-cli. Each takes the arguments after its name and returns the exit
// status: 0 done, 1 the record could not be read, parsed or written (the program's own
// message is on standard error), 2 wrong usage, 3 the engine asked for a score failed.
#include <optional>
#include <string>
#include <vector>

#include "intake/RecordTool.h"

namespace kelmaz::cli {

using Args = std::vector<std::string>;

inline constexpr int kExitOk = 0;
inline constexpr int kExitRecordError = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitEngineError = 3;

int convertCommand(const Args& args);
int showCommand(const Args& args);
int infoCommand(const Args& args);
int treeCommand(const Args& args);
int gamesCommand(const Args& args);
int scoreCommand(const Args& args);
int libraryCommand(const Args& args);
int diagramCommand(const Args& args);

// Takes "--game N" (N from 1) out of args: the game it names, 1 when it is absent, nothing when
// its value is missing or not a whole number from 1.
std::optional<std::size_t> takeGameOption(Args& args);

// Reads game `game` of the file as the file window does; on failure prints the message and
// gives the exit status.
std::optional<int> readOrFail(const std::string& path, ToolRecord& record, std::size_t game = 1);

}  // namespace kelmaz::cli
