#pragma once
// An SGF record read into a fresh state as the file window reads it.
#include <string>
#include <vector>

#include "base/TextCodec.h"
#include "records/RecordFile.h"
#include "tree/SgfReader.h"

namespace kelmaz::test {

struct SgfLoaded {
    GameState state;
    SgfReadResult result;
    std::string shownTree;  // the tree text the reader handed to the tree window
};

inline SgfLoaded loadSgf(std::vector<std::string> lines) {
    struct RecordingTree : TreeLink {
        std::string shown;
        void showFileTree(const std::string& treeText) override { shown = treeText; }
    } tree;
    SgfLoaded l;
    l.state.LstRead = std::move(lines);
    l.result = sgf(l.state, tree);
    l.shownTree = tree.shown;
    return l;
}

// From the file's bytes: decoded, split into lines and a split opening "(" / ";" joined.
inline SgfLoaded loadSgfBytes(const std::string& bytes) {
    std::vector<std::string> lines = splitLines(decodeRecordBytes(bytes).text);
    joinSplitOpenings(lines);
    return loadSgf(std::move(lines));
}

}  // namespace kelmaz::test
