// library: adding record files to a game library, listing its games by their headers and
// searching them for a position or a pattern.
#include <iostream>
#include <map>
#include <optional>

#include "app/cli/CliCommands.h"
#include "base/NumberText.h"
#include "library/GameLibrary.h"

namespace kelmaz::cli {

namespace {

using namespace kelmaz::library;

std::unique_ptr<GameLibrary> openOrFail(const std::string& path) {
    std::string error;
    auto library = GameLibrary::open(path, error);
    if (!library) std::cerr << "棋譜データベースを開けません: " << path << ": " << error << '\n';
    return library;
}

// Takes the options of `names` (each with a value) out of args; nothing when one lacks its
// value or an unknown option remains.
std::optional<std::map<std::string, std::string>> takeOptions(
    Args& args, std::initializer_list<std::string_view> withValue,
    std::initializer_list<std::string_view> flags) {
    std::map<std::string, std::string> found;
    Args rest;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (std::find(flags.begin(), flags.end(), a) != flags.end()) {
            found[a] = "";
        } else if (std::find(withValue.begin(), withValue.end(), a) != withValue.end()) {
            if (i + 1 == args.size()) return std::nullopt;
            found[a] = args[++i];
        } else if (a.starts_with("--")) {
            return std::nullopt;
        } else {
            rest.push_back(a);
        }
    }
    args = rest;
    return found;
}

int addCommand(const Args& args) {
    if (args.size() < 2) return kExitUsage;
    auto library = openOrFail(args[0]);
    if (!library) return kExitRecordError;
    const AddSummary summary = library->add(Args(args.begin() + 1, args.end()));
    for (const RefusedFile& r : summary.refused)
        std::cout << "refused " << r.path << ' ' << r.game << ' ' << r.reason << '\n';
    std::cout << "added " << summary.added << "\nduplicates " << summary.duplicates
              << "\nunchanged files " << summary.unchangedFiles << "\nrefused "
              << summary.refused.size() << '\n';
    if (!library->indexed()) {
        std::cerr << "索引を書き込めません\n";
        return kExitRecordError;
    }
    return kExitOk;
}

std::string oneLine(std::string s) {
    for (char& c : s)
        if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    return s;
}

int listCommand(const Args& given) {
    Args args = given;
    const auto options =
        takeOptions(args, {"--player", "--from", "--to", "--event", "--result"}, {});
    if (!options || args.size() != 1) return kExitUsage;
    auto library = openOrFail(args[0]);
    if (!library) return kExitRecordError;
    auto value = [&](const char* name) {
        const auto it = options->find(name);
        return it != options->end() ? it->second : std::string();
    };
    const auto rows = library->list(
        {value("--player"), value("--from"), value("--to"), value("--event"), value("--result")});
    for (const GameRow& r : rows) {
        std::cout << r.file << '\t' << r.number << '\t' << oneLine(r.black) << '\t'
                  << oneLine(r.white) << '\t' << oneLine(r.date) << '\t' << oneLine(r.result)
                  << '\t' << oneLine(r.event) << '\t' << r.moves << '\n';
    }
    std::cout << rows.size() << " games\n";
    return kExitOk;
}

// The position after move `move` of a record (its last move when absent), as a pattern.
std::optional<Pattern> recordPosition(const std::string& path, std::optional<int> move,
                                      std::size_t game, int& status) {
    ToolRecord record;
    if (const auto failed = readOrFail(path, record, game)) {
        status = *failed;
        return std::nullopt;
    }
    if (record.state.BoardSize != kLines) {
        std::cerr << "19路の棋譜ではありません\n";
        status = kExitRecordError;
        return std::nullopt;
    }
    rebuildPosition(record, move.value_or(record.state.MoveCount));
    return positionPattern(record.state);
}

int searchCommand(const Args& given) {
    Args args = given;
    const auto options = takeOptions(args, {"--position", "--move", "--game", "--pattern"},
                                     {"--anywhere", "--no-colour-swap", "--no-symmetry"});
    if (!options || args.size() != 1) return kExitUsage;
    const bool byPosition = options->contains("--position");
    if (byPosition == options->contains("--pattern")) return kExitUsage;
    std::optional<int> move;
    if (options->contains("--move")) {
        const auto n = parseNumber(options->at("--move"));
        if (!n || *n < 0 || *n > kMaxMoves || *n != static_cast<int>(*n)) return kExitUsage;
        move = static_cast<int>(*n);
    }
    std::size_t game = 1;
    if (options->contains("--game")) {
        const auto n = parseNumber(options->at("--game"));
        if (!n || *n < 1 || *n > 1e9 || *n != static_cast<int>(*n)) return kExitUsage;
        game = static_cast<std::size_t>(*n);
    }
    std::optional<Pattern> pattern;
    int status = kExitOk;
    if (byPosition) {
        pattern = recordPosition(options->at("--position"), move, game, status);
        if (!pattern) return status;
    } else {
        std::string error;
        pattern = parsePattern(options->at("--pattern"), error);
        if (!pattern) {
            std::cerr << "kelmaz-cli: " << error << '\n';
            return kExitUsage;
        }
    }
    auto library = openOrFail(args[0]);
    if (!library) return kExitRecordError;
    SearchOptions search;
    search.anywhere = options->contains("--anywhere");
    search.colourSwap = !options->contains("--no-colour-swap");
    search.symmetries = !options->contains("--no-symmetry");
    const SearchResult result = library->search(makeQuery(*pattern, search));
    const auto rows = library->games(result.hits);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i])
            std::cout << rows[i]->file << ' ' << rows[i]->number << ' ' << result.hits[i].move
                      << '\n';
    }
    for (const Continuation& c : result.continuations) {
        std::cout << "next " << pointLetters(c.point) << ' ' << c.count << ' ' << c.blackWins << ' '
                  << c.whiteWins << '\n';
    }
    std::cout << result.hits.size() << " games\n";
    return kExitOk;
}

}  // namespace

int libraryCommand(const Args& args) {
    if (args.empty()) return kExitUsage;
    const Args rest(args.begin() + 1, args.end());
    if (args[0] == "add") return addCommand(rest);
    if (args[0] == "list") return listCommand(rest);
    if (args[0] == "search") return searchCommand(rest);
    return kExitUsage;
}

}  // namespace kelmaz::cli
