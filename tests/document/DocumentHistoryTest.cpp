// The document's history against its saved bytes: every kind of edit is taken back to exactly
// what was saved and done again to exactly what it made; a run of typing is one step; the
// modified mark follows the saved point through undo, redo and edits.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "document/DocumentFile.h"
#include "document/RecordDocument.h"

namespace kelmaz {
namespace {

// A game with a variation, comments, markup, setup and game information: every edit kind has
// something to change.
constexpr std::string_view kGame =
    "(;GM[1]FF[4]SZ[9]PB[黒]AB[cc]C[intro];B[ee]TR[ee](;W[ge]C[main];B[gg])(;W[eg]))";

struct EditKind {
    const char* name;
    std::function<bool(GameTree&)> change;
};

bool placeStone(GameTree& game) {
    const int node = game.addChild(game.lineEnd(0));
    game.nodes[node].setText("W", "cg");
    return true;
}

const EditKind kEditKinds[] = {
    {"stone", placeStone},
    {"take-back", [](GameTree& game) { return game.removeSubtree(game.lineEnd(0)); }},
    {"line cut after a move", [](GameTree& game) { return game.removeSubtree(2); }},
    {"variation added",
     [](GameTree& game) {
         game.nodes[game.addChild(1)].setText("W", "ce");
         return true;
     }},
    {"variation deleted", [](GameTree& game) { return game.removeSubtree(4); }},
    {"comment",
     [](GameTree& game) {
         game.nodes[1].setText("C", "a comment ] with a bracket");
         return true;
     }},
    {"game information",
     [](GameTree& game) {
         game.nodes[0].setText("PW", "白");
         game.nodes[0].remove("PB");
         return true;
     }},
    {"markup",
     [](GameTree& game) {
         game.nodes[1].setText("LB", "ff:A");
         game.nodes[1].remove("TR");
         return true;
     }},
    {"setup stones",
     [](GameTree& game) {
         game.nodes[0].find("AB")->values.push_back("gc");
         game.nodes[0].setText("AE", "cc");
         return true;
     }},
    {"handicap",
     [](GameTree& game) {
         game.nodes[0].setText("HA", "2");
         game.nodes[0].setText("PL", "W");
         return true;
     }},
};

TEST(DocumentHistory, EveryEditKindIsUndoneToTheSavedBytesAndRedoneToTheEditedOnes) {
    for (const EditKind& kind : kEditKinds) {
        SCOPED_TRACE(kind.name);
        RecordDocument document;
        document.read(kGame);
        const std::string saved = documentFileBytes(document);
        ASSERT_TRUE(document.edit(0, kind.change, {0, 1}));
        const std::string edited = documentFileBytes(document);
        EXPECT_NE(edited, saved);
        document.undo();
        EXPECT_EQ(documentFileBytes(document), saved);
        document.redo();
        EXPECT_EQ(documentFileBytes(document), edited);
    }
}

// Each step keeps a whole game: a very large tree would fill memory within a few dozen edits.
TEST(DocumentHistory, TheOldestStepsGoPastTheNodeBudgetAndTheRecordStaysModified) {
    RecordDocument document(12);  // the game has 5 nodes, then 6, then 7: two steps fit
    document.read(kGame);
    const std::string saved = documentFileBytes(document);
    for (int k = 0; k < 3; ++k) document.edit(0, placeStone, {0, 1});
    document.undo();
    EXPECT_FALSE(document.canUndo()) << "the two oldest steps went";
    EXPECT_NE(documentFileBytes(document), saved);
    EXPECT_TRUE(document.modified()) << "the saved content is out of reach";
}

bool typeInto(RecordDocument& document, int node, const std::string& text) {
    return document.edit(
        0,
        [&](GameTree& game) {
            game.nodes[node].setText("C", text);
            return true;
        },
        {0, node}, "comment:" + std::to_string(node));
}

TEST(DocumentHistory, ARunOfTypingIsOneStepAndTheModifiedMarkFollowsTheSavedPoint) {
    RecordDocument document;
    document.read(kGame);
    const std::string saved = documentFileBytes(document);
    const auto comment = [&](int node) { return document.game(0).nodes[node].text("C"); };
    // What an observer reads when it is told (the menu's state, the recovery file's).
    bool toldModified = false;
    document.observe([&] { toldModified = document.modified(); });
    for (const char* text : {"a", "ab", "abc"}) typeInto(document, 1, text);
    EXPECT_TRUE(toldModified);
    document.undo();
    EXPECT_EQ(documentFileBytes(document), saved) << "one undo takes the whole run back";
    EXPECT_FALSE(document.canUndo());
    EXPECT_FALSE(toldModified) << "back at the record as read";
    document.redo();

    // Typing in another node's box, showing another node, or saving each end the run.
    typeInto(document, 2, "x");
    typeInto(document, 1, "abcd");
    document.choose({0, 2});
    typeInto(document, 1, "abcde");
    document.markSaved();
    typeInto(document, 1, "abcdef");
    for (const char* text : {"abcde", "abcd", "abc"}) {
        document.undo();
        EXPECT_EQ(comment(1), text);
        EXPECT_EQ(document.modified(), text != std::string("abcde")) << text;
    }
    document.undo();
    EXPECT_EQ(comment(2), "main");
    EXPECT_EQ(comment(1), "abc") << "the other box's typing was a step of its own";
    for (int i = 0; i < 3; ++i) document.redo();
    EXPECT_FALSE(document.modified()) << "redone up to the saved record";

    // An edit made after undoing past the save drops the saved content from the history: no
    // way back reaches it, so the record stays modified whatever is undone or redone.
    document.undo();
    document.edit(0, placeStone, {0, 1});
    while (document.canUndo()) document.undo();
    EXPECT_TRUE(document.modified());
    while (document.canRedo()) document.redo();
    EXPECT_TRUE(document.modified());
    document.markSaved();
    document.markModified();
    EXPECT_TRUE(document.modified()) << "a restored record is saved nowhere";
    document.undo();
    EXPECT_TRUE(document.modified());
}

}  // namespace
}  // namespace kelmaz
