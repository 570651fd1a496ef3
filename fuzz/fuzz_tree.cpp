// Feeds arbitrary text to every scan of the tree model: the reader, the reduction, the syntax
// check, the branch table with its rows, paths and marks, the text rebuild and the comment
// write-back.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "document/DocumentRecord.h"
#include "document/TreeSession.h"
#include "engine/GameState.h"
#include "tree/LineMarkup.h"
#include "tree/SgfReader.h"
#include "tree/SgfText.h"
#include "tree/TreeEdit.h"
#include "tree/TreeModel.h"

using namespace kelmaz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    static GameState state;
    state = GameState();
    state.LstRead.clear();
    std::size_t from = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == '\n') {
            state.LstRead.push_back(text.substr(from, i - from));
            from = i + 1;
        }
    }
    TreeLink none;
    sgf(state, none);

    Checkg(text);
    for (const std::string& t : {text, Stripdata(text), state.SgfText}) {
        TreeModel m;
        m.parse(t);
        const std::vector<Markup> marks = nodeMarkup(t);
        for (int b = 1; b <= m.BranchCount && b <= 50; ++b) {
            m.GetDanPath(b);
            m.lineComments(b);
            lineMarkup(m, marks, b);
            m.movesThrough(b, 1);
            m.PointToNode(m.nodeX(b, 1), m.nodeY(b));
            if (b > 1) m.TateLine(b);
        }
        if (auto rebuilt = RebuildSgfText(m)) {
            TreeModel again;
            again.parse(*rebuilt);
        }
        WriteCommentIntoText(t, 2, "x]y\\", NodeCounting::StoneNodes);
        WriteCommentIntoText(t, 1, "", NodeCounting::AllNodes);
        if (m.BranchCount >= 1) {
            InsertBranch(m, 1, 1, ";B[aa]");
            DeleteBranch(m, m.BranchCount);
            RebuildSgfText(m);
        }
    }
    // The window's operations on the file's tree: clicks, comments, recording, editing.
    RecordDocument document;
    DocumentRecord record(document, state);
    record.takeSgf(text);
    TreeSession session(state, record);
    session.loadFileTree();
    const int seed = size > 0 ? data[0] : 0;
    session.click(kNodePitch * (2 + seed % 7), kNodePitch * (1 + seed % 3));
    session.writeComment("a ] b \\ c");
    if (session.startBranch()) {
        record.playMove(state.MoveCount + 1, 4, 4, kBlack, true);
        ++state.MoveCount;
        state.BranchComments.back() = "x";
        state.BranchComments.emplace_back();
        session.endBranch("y");
    }
    session.select(session.model().BranchCount, 1);
    session.insertEmptyBranch();
    session.deleteSelected();
    session.reparse();
    session.loadText(text, false);
    session.reparse();
    return 0;
}
