// Feeds arbitrary text to every scan of the tree model: the document's reading, the outline,
// the reduction, the syntax check, the branch table with its rows and paths, the text rebuild
// and the comment write-back.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "document/DocumentRecord.h"
#include "document/TreeSession.h"
#include "engine/GameState.h"
#include "tree/SgfReader.h"
#include "tree/SgfText.h"
#include "tree/TreeEdit.h"
#include "tree/TreeModel.h"

using namespace kelmaz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    // The lines of a file as the tree window and the viewer join and outline them.
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == '\n') {
            lines.push_back(text.substr(from, i - from));
            from = i + 1;
        }
    }
    propertyOutline(joinSgfLines(lines));

    // The document's reading: its line laid into the move record, its tree text and outline.
    static GameState state;
    state = GameState();
    RecordDocument document;
    DocumentRecord record(document, state);
    record.takeSgf(text);
    const std::string treeText = state.SgfText;

    Checkg(text);
    for (const std::string& t : {text, Stripdata(text), treeText}) {
        TreeModel m;
        m.parse(t);
        for (int b = 1; b <= m.BranchCount && b <= 50; ++b) {
            m.GetDanPath(b);
            m.lineComments(b);
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
