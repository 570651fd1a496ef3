// The document's history against its saved bytes: every kind of edit is taken back to exactly
// what was saved and done again to exactly what it made; the modified mark follows the saved
// point through undo, redo and edits; a run of typing is one step.
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
        EXPECT_TRUE(document.modified());
        document.undo();
        EXPECT_EQ(documentFileBytes(document), saved);
        EXPECT_FALSE(document.modified());
        document.redo();
        EXPECT_EQ(documentFileBytes(document), edited);
        EXPECT_TRUE(document.modified());
    }
}

TEST(DocumentHistory, TheModifiedMarkFollowsTheSavedPointNotTheEditCount) {
    RecordDocument document;
    document.read(kGame);
    EXPECT_FALSE(document.modified()) << "a record just read is saved";
    // What an observer reads when it is told (the menu's state, the recovery file's).
    bool toldModified = false;
    document.observe([&] { toldModified = document.modified(); });
    document.edit(0, placeStone, {0, 1});
    document.edit(0, placeStone, {0, 1});
    document.markSaved();
    EXPECT_FALSE(document.modified());
    document.undo();
    EXPECT_TRUE(document.modified()) << "undo past the save differs from the file";
    EXPECT_TRUE(toldModified);
    document.redo();
    EXPECT_FALSE(document.modified());
    EXPECT_FALSE(toldModified);
    // An edit made after undoing past the save drops the saved content from the history: no
    // way back reaches it, so the record stays modified whatever is undone.
    document.undo();
    document.edit(0, placeStone, {0, 1});
    document.undo();
    document.undo();
    document.redo();
    document.redo();
    EXPECT_TRUE(document.modified());
    document.markModified();
    document.undo();
    document.undo();
    EXPECT_TRUE(document.modified()) << "a restored record is saved nowhere";
}

bool typeInto(RecordDocument& document, const std::string& text, int node) {
    return document.edit(
        0,
        [&](GameTree& game) {
            game.nodes[node].setText("C", text);
            return true;
        },
        {0, node}, "comment:" + std::to_string(node));
}

TEST(DocumentHistory, ARunOfTypingIsOneStepUntilSomethingElseHappens) {
    RecordDocument document;
    document.read(kGame);
    const std::string saved = documentFileBytes(document);
    for (const char* text : {"a", "ab", "abc"}) typeInto(document, text, 1);
    document.undo();
    EXPECT_EQ(documentFileBytes(document), saved) << "one undo takes the whole run back";
    EXPECT_FALSE(document.canUndo());
    document.redo();
    EXPECT_EQ(document.game(0).nodes[1].text("C"), "abc");

    // Typing in another node's box, showing another node, or saving each end the run.
    typeInto(document, "x", 2);
    typeInto(document, "abcd", 1);
    document.choose({0, 2});
    typeInto(document, "abcde", 1);
    document.markSaved();
    typeInto(document, "abcdef", 1);
    document.undo();
    EXPECT_EQ(document.game(0).nodes[1].text("C"), "abcde");
    EXPECT_FALSE(document.modified());
    document.undo();
    EXPECT_EQ(document.game(0).nodes[1].text("C"), "abcd");
    document.undo();
    document.undo();
    EXPECT_EQ(document.game(0).nodes[2].text("C"), "main");
    EXPECT_EQ(document.game(0).nodes[1].text("C"), "abc");
}

}  // namespace
}  // namespace kelmaz
