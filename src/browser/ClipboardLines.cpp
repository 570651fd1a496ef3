#include "browser/ClipboardLines.h"

#include "base/TextCodec.h"

namespace kelmaz {

std::vector<std::string> ReadClipboardLines(std::string_view text) {
    std::vector<std::string> kept;
    bool inFileList = false;
    for (std::string& line : splitLines(text)) {
        if (line == "[Files]") {
            inFileList = true;
        } else if (!inFileList || line == "[Data]") {
            inFileList = false;
            kept.push_back(std::move(line));
        }
    }
    return kept;
}

}  // namespace kelmaz
