#include "intake/RecordCollection.h"

#include <algorithm>

#include "base/AtomicFile.h"
#include "base/TextCodec.h"
#include "intake/RecordFormat.h"
#include "records/RecordFile.h"

namespace kelmaz {

RecordCollection recordCollection(std::string_view bytes) {
    RecordCollection collection;
    collection.text = decodeRecordBytes(bytes).text;
    std::vector<std::string> lines = splitLines(collection.text);
    joinSplitOpenings(lines);
    if (detectFormat(lines).DetectedFormat == "SGF")
        collection.games = indexGameTrees(collection.text);
    return collection;
}

std::optional<RecordCollection> loadRecordCollection(const std::string& path) {
    std::string bytes;
    if (!readWholeFile(path, bytes)) return std::nullopt;
    return recordCollection(bytes);
}

std::vector<std::string> allRecordLines(const RecordCollection& collection) {
    return splitLines(collection.text);
}

GameLines collectionGameLines(const RecordCollection& collection, std::size_t number) {
    GameLines game;
    const std::string which = std::to_string(number) + "局目";
    // A file that is not SGF holds one record, the whole file.
    const std::size_t count = std::max<std::size_t>(collection.games.size(), 1);
    if (number < 1 || number > count) {
        game.message =
            which + "の棋譜はありません。このファイルの棋譜は" + std::to_string(count) + "局です。";
        return game;
    }
    if (collection.games.empty()) {
        game.lines = allRecordLines(collection);
        return game;
    }
    const GameTreeRange& range = collection.games[number - 1];
    if (!range.complete) {
        game.message = which + "の棋譜は途中で切れているため読み込めません。";
        return game;
    }
    game.lines =
        splitLines(std::string_view(collection.text).substr(range.begin, range.end - range.begin));
    return game;
}

}  // namespace kelmaz
