#include "intake/RecordFormat.h"

#include "base/NumberText.h"
#include "base/TextCodec.h"
#include "document/LineProjection.h"
#include "intake/RecordSize.h"
#include "records/AppletReader.h"
#include "records/GameInfoRules.h"
#include "records/RecordMoves.h"
#include "records/TkiReader.h"
#include "records/UgfReader.h"
#include "tree/SgfReader.h"

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
bool readLineRecord(GameState& state, const BoardOptions& options, bool tki) {
    ReadUgfHeader(state);
    // Rows counted from the lower edge are turned on a board of the record's own size.
    BoardOptions sized = options;
    applyBoardSize(chooseBoardSize(state.Info[InfoField::SZ], options), sized);
    bool inData = false;
    bool ok = true;
    ReadMoves read;
    for (const std::string& line : state.LstRead) {
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
    showReadMoves(read, state);
    return ok;
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

FormatResult GetFormat(GameState& state, const BoardOptions& options, TreeLink& tree) {
    joinSplitOpenings(state.LstRead);
    FormatResult result = detectFormat(state.LstRead);

    if (result.DetectedFormat == "SGF") {
        const SgfReadResult read = sgf(state, tree);
        refreshInfoLabels(state.Info);
        if (!read.ok) {
            result.ok = false;
            result.message = read.message;
        }
        return result;
    }
    // The tree of an earlier SGF file does not belong to this record: writing must not save
    // it in this record's place, nor may the sequence viewer offer its branches.
    state.SgfText.clear();
    state.List3.clear();
    if (result.DetectedFormat == "Wt") {
        ReadMoves read;
        const bool ok = ReadAppletHtml(state, read);
        showReadMoves(read, state);
        return ok ? result : formatError(result);
    }
    return readLineRecord(state, options, result.tki) ? result : formatError(result);
}

RecordReadResult readRecordFile(const std::string& path, GameState& state,
                                const BoardOptions& options, TreeLink& tree) {
    RecordReadResult result;
    if (!loadRecordFile(path, state)) {
        result.status = RecordReadResult::Status::FileError;
        result.message = std::string(kReadErrorMessage);
        return result;
    }
    result.format = GetFormat(state, options, tree);
    if (!result.format.ok) {
        result.status = RecordReadResult::Status::FormatError;
        result.message = result.format.message;
    }
    return result;
}

}  // namespace kelmaz
