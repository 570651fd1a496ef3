// convert, show and info: reading and writing exactly as the file window does.
#include <algorithm>
#include <iostream>
#include <optional>

#include "app/cli/CliCommands.h"
#include "base/AtomicFile.h"
#include "base/NumberText.h"
#include "intake/RecordCheck.h"
#include "intake/RecordCollection.h"
#include "intake/RecordTool.h"
#include "records/RecordMoves.h"
#include "records/SgfWriter.h"

namespace kelmaz::cli {

std::optional<std::size_t> takeGameOption(Args& args) {
    const auto option = std::find(args.begin(), args.end(), "--game");
    if (option == args.end()) return 1;
    if (option + 1 == args.end()) return std::nullopt;
    const std::string& value = *(option + 1);
    if (value.empty() || value.size() > 9 ||
        !std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const std::size_t game = std::stoul(value);
    if (game == 0) return std::nullopt;
    args.erase(option, option + 2);
    return game;
}

std::optional<int> readOrFail(const std::string& path, ToolRecord& record, std::size_t game) {
    const RecordReadResult read = readRecordForTool(path, record, game);
    if (read.status == RecordReadResult::Status::Ok) return std::nullopt;
    std::cerr << read.message << '\n';
    return kExitRecordError;
}

int convertCommand(const Args& given) {
    Args args = given;
    const bool oneGame = std::find(args.begin(), args.end(), "--game") != args.end();
    const std::optional<std::size_t> game = takeGameOption(args);
    if (!game || args.size() != 2) return kExitUsage;
    const std::optional<RecordCollection> file = loadRecordCollection(args[0]);
    if (!file) {
        std::cerr << kReadErrorMessage << '\n';
        return kExitRecordError;
    }
    const ConvertedRecord converted =
        convertedRecord(*file, oneGame ? game : std::optional<std::size_t>());
    if (!converted.bytes) {
        std::cerr << converted.message << '\n';
        return kExitRecordError;
    }
    // "-" names standard output, so that the tool can feed a pipe.
    const bool written = args[1] == "-"
                             ? static_cast<bool>(std::cout << *converted.bytes << std::flush)
                             : writeFileAtomically(args[1], *converted.bytes);
    if (written) return kExitOk;
    std::cerr << kWriteErrorMessage << '\n';
    return kExitRecordError;
}

int showCommand(const Args& given) {
    Args args = given;
    const std::optional<std::size_t> game = takeGameOption(args);
    if (!game) return kExitUsage;
    std::optional<int> move;
    if (args.size() == 3 && args[1] == "--move") {
        const auto n = parseNumber(args[2]);
        if (!n || *n < 0 || *n > kMaxMoves || *n != static_cast<int>(*n)) return kExitUsage;
        move = static_cast<int>(*n);
    } else if (args.size() != 1) {
        return kExitUsage;
    }
    ToolRecord record;
    if (const auto failed = readOrFail(args[0], record, *game)) return *failed;
    std::cout << positionText(record, move.value_or(record.state.MoveCount));
    return kExitOk;
}

int infoCommand(const Args& given) {
    Args args = given;
    const std::optional<std::size_t> game = takeGameOption(args);
    if (!game || args.size() != 1) return kExitUsage;
    ToolRecord record;
    if (const auto failed = readOrFail(args[0], record, *game)) return *failed;
    std::cout << infoText(record.state.Info);
    return kExitOk;
}

int gamesCommand(const Args& args) {
    if (args.size() != 1) return kExitUsage;
    const std::optional<RecordCollection> file = loadRecordCollection(args[0]);
    if (!file) {
        std::cerr << kReadErrorMessage << '\n';
        return kExitRecordError;
    }
    if (!holdsRecord(allRecordLines(*file))) {
        std::cerr << kFormatErrorMessage << '\n';
        return kExitRecordError;
    }
    std::cout << gamesText(*file);
    return kExitOk;
}

}  // namespace kelmaz::cli
