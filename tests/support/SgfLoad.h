#pragma once
// An SGF record read into a fresh state as the file window reads it, through the document.
#include <string>
#include <vector>

#include "base/TextCodec.h"
#include "intake/RecordFormat.h"
#include "records/RecordFile.h"

namespace kelmaz::test {

struct SgfLoaded {
    GameState state;
    FormatResult result;
    std::string shownTree;  // the tree text handed to the tree window
};

inline SgfLoaded loadSgf(std::vector<std::string> lines) {
    struct RecordingTree : TreeLink {
        std::string shown;
        void showFileTree(const std::string& treeText) override { shown = treeText; }
    } tree;
    SgfLoaded l;
    l.state.LstRead = std::move(lines);
    l.result = GetFormat(l.state, BoardOptions{}, tree);
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
