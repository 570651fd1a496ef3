#pragma once
// The commands of kelmaz-cli. Each takes the arguments after its name and returns the exit
// status: 0 done, 1 the record could not be read, parsed or written (the program's own
// message is on standard error), 2 wrong usage, 3 the engine asked for a score failed.
#include <optional>
#include <string>
#include <vector>

#include "records/RecordTool.h"

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
int scoreCommand(const Args& args);

// Reads the record as the file window does; on failure prints the message and gives the exit
// status.
std::optional<int> readOrFail(const std::string& path, ToolRecord& record);

}  // namespace kelmaz::cli
