#pragma once
// A board engine on its own state and options, with a fake board window that records what the
// engine shows instead of showing it.
#include <string>

#include "document/DocumentFile.h"
#include "document/DocumentRecord.h"
#include "engine/Engine.h"
#include "support/FakeBoardHost.h"

namespace kelmaz::test {

struct EngineOnFakeHost {
    GameState state;
    BoardOptions options;
    FakeBoardHost host;
    RecordDocument document;
    DocumentRecord record{document, state};
    Engine engine{state, options, host, record};

    // The board size as the settings window chooses it (19, 13 or 9 lines).
    void useSize(int lines) {
        options.sizeIndex = lines == 13 ? 1 : lines == 9 ? 2 : 0;
        state.BoardSize = lines;
    }
    // A click at (col, row) with the stone choice fixed to `colour`; the user's choice is kept.
    void put(int colour, int col, int row) {
        const StoneChoice before = options.stones;
        options.stones = colour == kBlack ? StoneChoice::Black : StoneChoice::White;
        engine.IshiUtu(col, row);
        options.stones = before;
    }
    // The bytes the file window writes for the game shown: the commentary box is taken into
    // the record first.
    std::string savedBytes() {
        record.prepareForSave(host.commentary);
        return gameFileBytes(document, document.position().game);
    }
};

}  // namespace kelmaz::test
