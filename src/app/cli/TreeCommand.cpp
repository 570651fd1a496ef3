// tree: the branch table the tree window builds from a record.
#include <iostream>

#include "app/cli/CliCommands.h"
#include "intake/RecordCheck.h"
#include "intake/RecordCollection.h"
#include "records/RecordFile.h"
#include "records/RecordMoves.h"
#include "tree/SgfText.h"
#include "tree/TreeListing.h"

namespace kelmaz::cli {

int treeCommand(const Args& given) {
    Args args = given;
    const std::optional<std::size_t> game = takeGameOption(args);
    if (!game) return kExitUsage;
    const bool asSample = args.size() == 2 && args[1] == "--as-sample";
    if (args.size() != 1 && !asSample) return kExitUsage;
    TreeModel model;
    if (asSample) {
        // The game's text as it stands, like an entry of the sample list: not reduced.
        const std::optional<RecordCollection> file = loadRecordCollection(args[0]);
        if (!file) {
            std::cerr << kReadErrorMessage << '\n';
            return kExitRecordError;
        }
        const GameLines chosen = collectionGameLines(*file, *game);
        if (!chosen.message.empty()) {
            std::cerr << chosen.message << '\n';
            return kExitRecordError;
        }
        if (!holdsRecord(chosen.lines)) {
            std::cerr << kFormatErrorMessage << '\n';
            return kExitRecordError;
        }
        std::string text;
        for (const std::string& line : chosen.lines) text += line;
        if (const std::string fault = Checkg(text); !fault.empty()) std::cerr << fault << '\n';
        model.parse(text);
    } else {
        ToolRecord record;
        if (const auto failed = readOrFail(args[0], record, *game)) return *failed;
        model.parse(Stripdata(record.state.SgfText));
    }
    std::cout << treeListing(model);
    return kExitOk;
}

}  // namespace kelmaz::cli
