#include "records/RecordFile.h"

#include "base/AtomicFile.h"
#include "base/NumberText.h"
#include "base/TextCodec.h"

namespace kelmaz {

std::vector<std::string> recordFileLines(std::string_view bytes) {
    return splitLines(decodeRecordBytes(bytes).text);
}

bool loadRecordFile(const std::string& path, GameState& state) {
    std::string bytes;
    if (!readWholeFile(path, bytes)) return false;
    state.LstRead = recordFileLines(bytes);
    return true;
}

namespace {

// Text that starts with a property: upper-case letters, then "[" (blanks between allowed).
bool startsWithProperty(std::string_view text) {
    std::size_t letters = 0;
    while (letters < text.size() && text[letters] >= 'A' && text[letters] <= 'Z') ++letters;
    return letters > 0 && trimBlanks(text.substr(letters)).starts_with("[");
}

}  // namespace

void joinSplitOpenings(std::vector<std::string>& lines) {
    // A node without its ";" is taken only for the first node of a tree, before any "(;":
    // later, a line that starts with "(" may be inside a comment.
    bool treeOpened = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view current = trimBlanks(lines[i]);
        const std::string_view next =
            i + 1 < lines.size() ? trimBlanks(lines[i + 1]) : std::string_view();
        if (!treeOpened && current.starts_with("(") && startsWithProperty(current.substr(1))) {
            lines[i] = "(;" + std::string(current.substr(1));
        } else if (current.ends_with("(") && next.starts_with(";")) {
            std::string rest(next.substr(1));
            lines[i] = std::string(current) + ";";
            lines[i + 1] = std::move(rest);
        } else if (!treeOpened && current.ends_with("(") && startsWithProperty(next)) {
            lines[i] = std::string(current) + ";";
        }
        treeOpened = treeOpened || lines[i].find("(;") != std::string::npos;
    }
}

}  // namespace kelmaz
