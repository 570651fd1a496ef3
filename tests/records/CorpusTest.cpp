// Every file of the public record corpus through the command-line tool's reading path: nothing
// crashes or hangs, and every SGF game loads its main line (setup stones first, one per node,
// then moves and passes, in text order) into the move record.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "base/TextCodec.h"
#include "intake/RecordTool.h"
#include "records/RecordMoves.h"
#include "support/TestSupport.h"

namespace kelmaz {
namespace {

struct Stone {
    int col, row, colour;
    bool operator==(const Stone&) const = default;
};

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
int coordinate(char c) { return (c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c) - 64; }

// The stones a property value adds to the main line.
void addStones(const std::string& name, const std::string& value, std::vector<Stone>& out) {
    const int colour = name.back() == 'W' ? kWhite : kBlack;
    const bool point = value.size() == 2 && isLetter(value[0]) && isLetter(value[1]);
    if (name == "B" || name == "W") {
        if (point) {
            out.push_back({coordinate(value[0]), coordinate(value[1]), colour});
        } else {
            out.push_back({kPassCoord, kPassCoord, colour});
        }
        return;
    }
    if (point) {
        out.push_back({coordinate(value[0]), coordinate(value[1]), colour});
        return;
    }
    if (value.size() == 5 && value[2] == ':' && isLetter(value[0]) && isLetter(value[1]) &&
        isLetter(value[3]) && isLetter(value[4])) {
        const auto [c1, c2] = std::minmax({coordinate(value[0]), coordinate(value[3])});
        const auto [r1, r2] = std::minmax({coordinate(value[1]), coordinate(value[4])});
        for (int r = r1; r <= r2; ++r) {
            for (int c = c1; c <= c2; ++c) out.push_back({c, r, colour});
        }
    }
}

// An SGF reading of its own: from the first "(;" up to the first ")" outside a value, the
// stones of every B, W, AB and AW property (long FF[3] names count by their capitals).
std::vector<Stone> referenceMainLine(std::string_view text) {
    std::vector<Stone> stones;
    std::size_t p = text.find("(;");
    if (p == std::string_view::npos) return stones;
    std::string ident, name;
    for (; p < text.size(); ++p) {
        const char c = text[p];
        if (c == ')') break;
        if (isLetter(c)) {
            ident += c;
            continue;
        }
        if (c != '[') {
            if (c != ' ' && c != '\t' && c != '\r' && c != '\n') name.clear();
            if (!ident.empty()) ident.clear();
            continue;
        }
        if (!ident.empty()) {
            std::string capitals;
            for (char k : ident) {
                if (k >= 'A' && k <= 'Z') capitals += k;
            }
            name = capitals.empty() ? ident : capitals;
            ident.clear();
        }
        std::string value;
        for (++p; p < text.size() && text[p] != ']'; ++p) {
            if (text[p] == '\\' && p + 1 < text.size()) ++p;
            value += text[p];
        }
        if (name == "B" || name == "W" || name == "AB" || name == "AW") {
            addStones(name, value, stones);
        }
    }
    return stones;
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
        if (read.format.DetectedFormat != "SGF") continue;
        ++games;
        // The file's lines with a split opening "(" / ";" joined, as every reader sees them.
        std::vector<std::string> lines = splitLines(decodeRecordBytes(test::readBytes(path)).text);
        joinSplitOpenings(lines);
        std::string text;
        for (const std::string& line : lines) text += line + "\n";
        std::vector<Stone> expected = referenceMainLine(text);
        if (expected.size() > static_cast<std::size_t>(kMaxMoves)) {
            // Longer than the record: the first 500 are kept and the reader says so.
            EXPECT_EQ(read.status, RecordReadResult::Status::FormatError);
            expected.resize(kMaxMoves);
        } else {
            EXPECT_EQ(read.status, RecordReadResult::Status::Ok) << read.message;
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
