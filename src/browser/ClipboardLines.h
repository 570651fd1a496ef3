#pragma once
// Turning text from the clipboard into the lines of a record for the format detection.
#include <string>
#include <string_view>
#include <vector>

namespace kelmaz {

// Splits the text into lines (CR LF, LF and CR alike; a last line without a line end is kept)
// and leaves out the file list of a UGF text: the lines from "[Files]" up to, not including,
// "[Data]". "[Files]" itself is dropped; "[Data]" and everything after it is kept.
std::vector<std::string> ReadClipboardLines(std::string_view text);

}  // namespace kelmaz
