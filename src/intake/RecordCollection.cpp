#include "intake/RecordCollection.h"

#include <algorithm>

#include "base/AtomicFile.h"
#include "base/TextCodec.h"
#include "intake/RecordFormat.h"
#include "records/RecordFile.h"

namespace kelmaz {

namespace {

// Where each game's opening "(" stands in the file's bytes. No byte of a character of two or
// more bytes is a "(" in any charset that keeps ASCII as ASCII, so the n-th "(" of the decoded
// text is the n-th "(" byte. Nothing when the counts disagree (a charset such as UTF-16).
std::optional<std::vector<std::size_t>> openingBytes(std::string_view text, std::string_view bytes,
                                                     const std::vector<GameTreeRange>& games) {
    if (std::count(text.begin(), text.end(), '(') != std::count(bytes.begin(), bytes.end(), '('))
        return std::nullopt;
    std::vector<std::size_t> offsets;
    std::size_t t = 0, b = 0;  // the next "(" to pass in the text and in the bytes
    for (const GameTreeRange& game : games) {
        for (t = text.find('(', t); t < game.begin; t = text.find('(', t + 1))
            b = bytes.find('(', b) + 1;
        b = bytes.find('(', b);
        offsets.push_back(b++);
        ++t;
    }
    return offsets;
}

// Whether a game's bytes, read as a file of their own, decode as the whole file did. A game
// cut from a file that was valid UTF-8 throughout is valid UTF-8 itself.
bool decodesAsTheWhole(std::string_view game, const std::string& wholeCharset, bool wholeValid) {
    const std::string own = iconvCharsetName(findCharsetProperty(game));
    if (!own.empty() && own == wholeCharset) return true;
    if (charsetKnown(own)) return false;
    return wholeCharset == "UTF-8" && (wholeValid || isValidUtf8(game));
}

// Each game decoded by its own CA property, or as a file without one, when that differs from
// the charset the whole file was decoded in: games gathered from several sources keep their
// names and moves. The text is built anew only when some game needs it (a file of one charset,
// the common case, costs one look at each game).
void decodeEachGameAlone(RecordCollection& collection, std::string_view bytes,
                         const std::string& wholeCharset) {
    const auto offsets = openingBytes(collection.text, bytes, collection.games);
    if (!offsets) return;
    const std::size_t count = offsets->size();
    const auto gameBytes = [&](std::size_t i) {
        return bytes.substr((*offsets)[i],
                            i + 1 == count ? bytes.npos : (*offsets)[i + 1] - (*offsets)[i]);
    };
    // Decoding changed nothing: the bytes were valid UTF-8 throughout.
    const bool wholeValid = collection.text == bytes;
    std::vector<bool> alone(count);
    bool any = false;
    for (std::size_t i = 0; i < count; ++i)
        any |= alone[i] = !decodesAsTheWhole(gameBytes(i), wholeCharset, wholeValid);
    if (!any) return;
    const std::string_view whole = collection.text;
    std::string text(whole.substr(0, collection.games.front().begin));
    text.reserve(whole.size());
    for (std::size_t i = 0; i < count; ++i) {
        if (alone[i]) {
            text += decodeRecordBytes(gameBytes(i)).text;
            continue;
        }
        const std::size_t from = collection.games[i].begin;
        text +=
            whole.substr(from, i + 1 == count ? whole.npos : collection.games[i + 1].begin - from);
    }
    collection.text = std::move(text);
    collection.games = indexGameTrees(collection.text);
}

}  // namespace

RecordCollection recordCollection(std::string_view bytes) {
    RecordCollection collection;
    DecodedText decoded = decodeRecordBytes(bytes);
    collection.text = std::move(decoded.text);
    std::vector<std::string> lines = splitLines(collection.text);
    joinSplitOpenings(lines);
    if (detectFormat(lines).DetectedFormat == "SGF")
        collection.games = indexGameTrees(collection.text);
    if (collection.holdsSeveralGames() && !decoded.charset.starts_with("UTF-16"))
        decodeEachGameAlone(collection, bytes, decoded.charset);
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
