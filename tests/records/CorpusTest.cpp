// Every file of the public record corpus through the command-line tool's reading path: nothing
// crashes or hangs, and every SGF game loads its main line (its moves and passes in text order;
// setup stones are no moves) into the move record.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <set>

#include "base/TextCodec.h"
#include "intake/RecordCheck.h"
#include "intake/RecordCollection.h"
#include "intake/RecordSize.h"
#include "intake/RecordTool.h"
#include "records/RecordMoves.h"
#include "support/EngineOnFakeHost.h"
#include "support/ReferenceBoard.h"
#include "support/SgfPropertyReader.h"
#include "support/TestSupport.h"

namespace kelmaz {
namespace {

struct Stone {
    int col, row, colour;
    bool operator==(const Stone&) const = default;
};

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
int coordinate(char c) { return (c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c) - 64; }

// The stone (or pass) a move property adds to the main line.
void addMove(const std::string& name, const std::string& value, std::vector<Stone>& out) {
    const int colour = name == "W" ? kWhite : kBlack;
    if (value.size() == 2 && isLetter(value[0]) && isLetter(value[1])) {
        out.push_back({coordinate(value[0]), coordinate(value[1]), colour});
    } else {
        out.push_back({kPassCoord, kPassCoord, colour});
    }
}

// The stones of a setup value: one point, or the rectangle "aa:cc" of points.
void addSetup(const std::string& name, const std::string& value, std::vector<Stone>& out) {
    const int colour = name == "AW" ? kWhite : kBlack;
    const bool rectangle = value.size() == 5 && value[2] == ':';
    if (value.size() != 2 && !rectangle) return;
    const auto [c1, c2] = std::minmax({coordinate(value[0]), coordinate(value[rectangle ? 3 : 0])});
    const auto [r1, r2] = std::minmax({coordinate(value[1]), coordinate(value[rectangle ? 4 : 1])});
    for (int r = r1; r <= r2; ++r)
        for (int c = c1; c <= c2; ++c) out.push_back({c, r, colour});
}

// The first game's main line as the independent reader reads it from the first "(;" (the text
// before it may hold brackets of its own): each node down to the end of the first line plays
// its first move (B or W; long FF[3] names count by their capitals); setup stones (AB, AW) are
// no moves, and are left out unless `withSetup` asks for them in their place.
std::vector<Stone> referenceMainLine(std::string_view text, bool withSetup) {
    std::vector<Stone> stones;
    const std::size_t start = text.find("(;");
    if (start == std::string_view::npos) return stones;
    const std::vector<test::SgfGameProperties> games = test::readSgfProperties(text.substr(start));
    int depth = 0;
    for (const test::SgfNodeProperties& node : games.front()) {
        if (node.depth != ++depth) break;  // the first variation's end
        bool moved = false;                // a node plays one move at most: its first
        for (const auto& [name, values] : node.properties) {
            if ((name == "B" || name == "W") && !moved) {
                addMove(name, values.front(), stones);
                moved = true;
            }
            if (withSetup && (name == "AB" || name == "AW"))
                for (const std::string& value : values) addSetup(name, value, stones);
        }
    }
    return stones;
}

// The first size property read on its own (0 when the record names none): an identifier
// whose capitals are "SZ" ("SZ", or "SiZe" in the long names of old files) before a "[".
int referenceSize(std::string_view bytes) {
    std::string capitals;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (isLetter(c)) {
            if (c >= 'A' && c <= 'Z') capitals += c;
            continue;
        }
        if (c == '[' && capitals == "SZ") {
            int n = 0;
            for (std::size_t j = i + 1; j < bytes.size() && bytes[j] >= '0' && bytes[j] <= '9'; ++j)
                n = n * 10 + (bytes[j] - '0');
            return n;
        }
        capitals.clear();
        if (c == '[') {
            while (i < bytes.size() && bytes[i] != ']') i += bytes[i] == '\\' ? 2 : 1;
        }
    }
    return 0;
}

// The reference reading of a file's first main line, from its lines as every reader sees them:
// decoded, with a split opening "(" / ";" joined.
std::vector<Stone> referenceMainLineOf(const std::string& bytes, bool withSetup = false) {
    std::vector<std::string> lines = splitLines(decodeRecordBytes(bytes).text);
    joinSplitOpenings(lines);
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return referenceMainLine(text, withSetup);
}

std::vector<std::filesystem::path> corpusFiles() {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(test::recordsDir())) {
        if (entry.is_regular_file()) files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

TEST(Corpus, EveryFileLoadsItsMainLine) {
    const auto files = corpusFiles();
    ASSERT_GT(files.size(), 100u) << test::recordsDir();
    int games = 0;
    for (const auto& path : files) {
        SCOPED_TRACE(path.string());
        ToolRecord record;
        const RecordReadResult read = readRecordForTool(path.string(), record);
        ASSERT_NE(read.status, RecordReadResult::Status::FileError);
        if (referenceSize(test::readBytes(path)) > kMaxBoardSize) {
            // A board larger than any the program shows: refused with a message naming it.
            EXPECT_EQ(read.status, RecordReadResult::Status::FormatError);
            EXPECT_NE(read.message.find("路盤"), std::string::npos) << read.message;
            continue;
        }
        if (read.format.DetectedFormat != "SGF") continue;
        ++games;
        std::vector<Stone> expected = referenceMainLineOf(test::readBytes(path));
        EXPECT_EQ(read.status, RecordReadResult::Status::Ok) << read.message;
        if (expected.size() > static_cast<std::size_t>(kMaxMoves)) {
            // Longer than the record: the first 500 are shown, with a note that all are kept.
            EXPECT_EQ(read.format.message, kLineTooLongMessage);
            expected.resize(kMaxMoves);
        }
        std::vector<Stone> loaded;
        for (int k = 1; k <= record.state.MoveCount; ++k) {
            loaded.push_back(
                {record.state.MoveCol[k], record.state.MoveRow[k], record.state.MoveColour[k]});
        }
        EXPECT_EQ(loaded, expected);
        if (expected.size() < static_cast<std::size_t>(kMaxMoves)) {
            EXPECT_EQ(record.state.MoveCol[expected.size() + 1], 0);
        }
    }
    EXPECT_GT(games, 100);
}

// Every SGF record of the corpus, taken into the board as the program takes a file (its first
// game, the board taking the record's own size), stands at its last move exactly as the
// reference board has it after replaying the same stones on a board of the record's size.
TEST(Corpus, EveryRecordStandsAtItsLastMoveOnABoardOfItsOwnSize) {
    std::set<int> sizes;
    for (const auto& path : corpusFiles()) {
        SCOPED_TRACE(path.string());
        const std::string bytes = test::readBytes(path);
        const std::optional<RecordCollection> file = loadRecordCollection(path.string());
        ASSERT_TRUE(file);
        // Records that erase stones (AE) describe positions no move list can: left out.
        if (file->games.empty() || bytes.find("AE[") != std::string::npos) continue;
        // A record that names no size is shown on the board as it is (19 lines here); any
        // other starts on a board of another size.
        const int named = referenceSize(bytes);
        const int size = named == 0 ? 19 : named;
        test::EngineOnFakeHost board;
        GameState& state = board.state;
        BoardOptions& options = board.options;
        options.sizeIndex = named == 19 ? 2 : 0;
        TreeLink tree;
        board.engine.gCls();
        board.engine.ResetPosition();
        const IntakeResult taken = takeRecordLines(
            state, board.engine, board.record, options, tree, collectionGameLines(*file, 1).lines,
            [&options](const BoardSizeChoice& choice) { applyBoardSize(choice, options); });
        if (size > kMaxBoardSize) {
            // Refused before the board was touched.
            EXPECT_FALSE(taken.taken);
            EXPECT_EQ(options.boardSize(), 19);
            EXPECT_EQ(state.BoardSize, 19);
            continue;
        }
        ASSERT_TRUE(taken.taken) << taken.message;
        sizes.insert(size);
        EXPECT_EQ(state.BoardSize, size);

        const std::vector<Stone> stones = referenceMainLineOf(bytes, true);
        if (!taken.message.empty()) {
            // Only a record longer than the move record fails to read; it is not replayed.
            EXPECT_GT(stones.size(), static_cast<std::size_t>(kMaxMoves)) << taken.message;
            continue;
        }
        test::ReferenceBoard reference(size);
        for (const Stone& stone : stones) reference.play(stone.col, stone.row, stone.colour);
        EXPECT_EQ(test::diagramOf(state), reference.diagram());
    }
    EXPECT_EQ(sizes, (std::set<int>{2, 4, 6, 7, 9, 11, 13, 19}));
}

TEST(Corpus, ShiftJisRecordKeepsItsTrailBytesInsideTheirCharacters) {
    ToolRecord record;
    const auto path = test::dataFile("handmade/sgf-cp932-trail-bytes.sgf");
    ASSERT_EQ(readRecordForTool(path.string(), record).status, RecordReadResult::Status::Ok);
    EXPECT_EQ(record.state.Info[InfoField::PB], "能勢");
    EXPECT_EQ(record.state.Info[InfoField::PW], "十河ソ");
    EXPECT_EQ(record.state.Info[InfoField::EV], "表彰式");
    EXPECT_EQ(record.state.MoveCount, 4);
    EXPECT_EQ(record.state.MoveComment[1], "表示ソ能十ゾ");
    EXPECT_EQ(record.state.MoveComment[2], "括弧 ] と \\ を含む");
    EXPECT_EQ(record.state.MoveComment[4], "最後");
}

}  // namespace
}  // namespace kelmaz
