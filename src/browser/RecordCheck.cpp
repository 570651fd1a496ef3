#include "browser/RecordCheck.h"

#include <algorithm>

#include "records/NumberText.h"
#include "records/RecordFile.h"

namespace kelmaz {

bool holdsRecord(std::vector<std::string> lines) {
    joinSplitOpenings(lines);
    if (!detectFormat(lines).DetectedFormat.empty()) return true;
    return std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
        return trimBlanks(line).starts_with("[Data]");
    });
}

}  // namespace kelmaz
