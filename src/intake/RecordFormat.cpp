#include "intake/RecordFormat.h"

#include "base/NumberText.h"
#include "base/TextCodec.h"
#include "intake/RecordSize.h"
#include "records/AppletReader.h"
#include "records/RecordMoves.h"
#include "records/TkiReader.h"
#include "records/UgfReader.h"

namespace kelmaz {

namespace {

bool isUgfVersionLine(std::string_view trimmed) {
    constexpr std::string_view marker = "VER=UGF";
    if (trimmed.size() < marker.size()) return false;
    for (std::size_t i = 0; i < marker.size(); ++i) {
        char c = trimmed[i];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c != marker[i]) return false;
    }
    return true;
}

FormatResult formatError(FormatResult result) {
    result.ok = false;
    result.message = std::string(kFormatErrorMessage);
    return result;
}

// UGF and Tki files, and every file without a marker: the header keys over all lines, then
// the move lines after "[Data]".
bool readLineRecord(const std::vector<std::string>& lines, const BoardOptions& options, bool tki,
                    ReadMoves& read) {
    ReadUgfHeader(lines, read.info);
    // Rows counted from the lower edge are turned on a board of the record's own size.
    BoardOptions sized = options;
    applyBoardSize(chooseBoardSize(read.info[InfoField::SZ], options), sized);
    bool inData = false;
    bool ok = true;
    for (const std::string& line : lines) {
        if (trimBlanks(line).starts_with("[Data]")) {
            inData = true;
            continue;
        }
        if (!inData) continue;
        ok = tki ? ReadTkiMoveLine(read, line) : ReadUgfMoveLine(read, line, sized);
        if (!ok) break;
    }
    // What was read stays, also before a faulty line: without gaps, or the moves after the
    // first gap would be lost where the record ends.
    if (!tki) closeUgfMoveGaps(read);
    return ok;
}

// A caller that keeps no document reads through one that lives for the call; the state keeps
// what it shows, and the tree window is given the file's tree.
template <class Read>
auto readThroughOwnDocument(GameState& state, TreeLink& tree, const Read& read) {
    RecordDocument document;
    DocumentRecord record(document, state);
    auto result = read(record);
    if (record.holdsTree()) tree.showFileTree(state.SgfText);
    return result;
}

}  // namespace

FormatResult detectFormat(const std::vector<std::string>& lines) {
    FormatResult result;
    for (const std::string& line : lines) {
        if (line == "fmt=Tki") result.tki = true;
        const std::string_view trimmed = trimBlanks(line);
        if (isUgfVersionLine(trimmed)) {
            result.DetectedFormat = "USG";
        } else if (trimmed.starts_with("(;") || trimmed.ends_with("(;")) {
            result.DetectedFormat = "SGF";
        } else if (trimmed == "<TITLE>WtGobanApplet</TITLE>") {
            result.DetectedFormat = "Wt";
        }
    }
    return result;
}

FormatResult GetFormat(GameState& state, const BoardOptions& options, DocumentRecord& record) {
    joinSplitOpenings(state.LstRead);
    FormatResult result = detectFormat(state.LstRead);

    if (result.DetectedFormat == "SGF") {
        std::string text;
        for (const std::string& line : state.LstRead) (text += line) += '\n';
        record.takeSgf(text);
        // Moves count moves only: setup stones are no moves of their own.
        state.MoveCount = state.lastMoveInRecord();
        // A main line longer than the record is shown up to its 500th move, with a note that
        // the rest is kept whole and saved.
        result.message = record.line().message;
        return result;
    }
    ReadMoves read;
    const bool ok = result.DetectedFormat == "Wt"
                        ? ReadAppletHtml(state.LstRead, read)
                        : readLineRecord(state.LstRead, options, result.tki, read);
    record.takeMoveRecord(read);
    return ok ? result : formatError(result);
}

FormatResult GetFormat(GameState& state, const BoardOptions& options, TreeLink& tree) {
    return readThroughOwnDocument(
        state, tree, [&](DocumentRecord& record) { return GetFormat(state, options, record); });
}

RecordReadResult readRecordFile(const std::string& path, GameState& state,
                                const BoardOptions& options, DocumentRecord& record) {
    RecordReadResult result;
    if (!loadRecordFile(path, state)) {
        result.status = RecordReadResult::Status::FileError;
        result.message = std::string(kReadErrorMessage);
        return result;
    }
    result.format = GetFormat(state, options, record);
    if (!result.format.ok) {
        result.status = RecordReadResult::Status::FormatError;
        result.message = result.format.message;
    }
    return result;
}

RecordReadResult readRecordFile(const std::string& path, GameState& state,
                                const BoardOptions& options, TreeLink& tree) {
    return readThroughOwnDocument(state, tree, [&](DocumentRecord& record) {
        return readRecordFile(path, state, options, record);
    });
}

}  // namespace kelmaz
