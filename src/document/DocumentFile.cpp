#include "document/DocumentFile.h"

#include "base/NumberText.h"
#include "base/TextCodec.h"
#include "engine/GameInfo.h"

namespace kelmaz {

namespace {

constexpr std::string_view kUtf8 = "UTF-8";

bool namesOtherCharset(const GameTree& game) {
    if (game.nodes.empty()) return false;
    const std::string declared(trimBlanks(game.nodes.front().text("CA")));
    return !declared.empty() && declared != kUtf8;
}

// A game written in UTF-8 says so where it names another charset, and, written in the
// program's layout, where it names none, so that other readers need not guess.
void declareUtf8(GameTree& game) {
    if (game.nodes.empty()) return;
    const bool undeclared = game.edited && game.nodes.front().find("CA") == nullptr;
    if (!namesOtherCharset(game) && !undeclared) return;
    setRootInfo(game.nodes.front(), int(InfoField::CA), kUtf8);
    game.edited = true;
}

std::string encoded(SgfGames games) {
    if (games.games.empty()) return sgfCollectionText(games);
    const GameTree& first = games.games.front();
    const std::string declared =
        first.nodes.empty() ? std::string() : first.nodes.front().text("CA");
    const std::string text = sgfCollectionText(games);
    if (!trimBlanks(declared).empty()) {
        if (auto bytes = encodeForDeclaredCharset(text, declared)) return std::move(*bytes);
    }
    for (GameTree& game : games.games) declareUtf8(game);
    return sgfCollectionText(games);
}

}  // namespace

std::string documentFileBytes(const RecordDocument& document) { return encoded(document.games()); }

std::string gameFileBytes(const RecordDocument& document, int game) {
    SgfGames alone;
    alone.games.push_back(document.game(game));
    alone.games.front().before.clear();
    return encoded(std::move(alone));
}

}  // namespace kelmaz

namespace kelmaz {

std::string gameUtf8Text(const RecordDocument& document, int game) {
    GameTree alone = document.game(game);
    declareUtf8(alone);
    return sgfGameText(alone);
}

}  // namespace kelmaz
