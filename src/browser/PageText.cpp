#include "browser/PageText.h"

#include <fstream>
#include <iterator>

#include "base/TextCodec.h"
#include "browser/PageCharset.h"

namespace kelmaz {
namespace {

// An address file larger than this is not a list of addresses; only its start is read.
constexpr std::streamsize kMaxAddressFileBytes = 1 << 20;

bool startsWithByteOrderMark(std::string_view bytes) {
    return bytes.starts_with("\xEF\xBB\xBF") || bytes.starts_with("\xFF\xFE") ||
           bytes.starts_with("\xFE\xFF");
}

}  // namespace

std::vector<std::string> pageRecordLines(std::string_view bytes, std::string_view contentType) {
    if (!startsWithByteOrderMark(bytes)) {
        const std::string declared = declaredPageCharset(contentType, bytes);
        if (!declared.empty() && charsetKnown(declared)) {
            return splitLines(decodeWithCharset(bytes, declared));
        }
    }
    return splitLines(decodeRecordBytes(bytes).text);
}

std::vector<std::string> readAddressFile(const std::vector<std::filesystem::path>& folders) {
    for (const std::filesystem::path& folder : folders) {
        std::ifstream in(folder / kAddressFileName, std::ios::binary);
        if (!in) continue;
        std::string bytes(kMaxAddressFileBytes, '\0');
        in.read(bytes.data(), kMaxAddressFileBytes);
        if (in.bad()) continue;  // a folder of that name, a read error
        bytes.resize(static_cast<std::size_t>(in.gcount()));
        return splitLines(decodeLineByLine(bytes));
    }
    return {};
}

}  // namespace kelmaz
