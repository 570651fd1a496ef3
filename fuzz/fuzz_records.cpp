// libFuzzer harness over reading a record file: decoding, format detection with every reader
// (SGF through the tree model, UGF, Tki, the applet page), the replay of what was read, and
// writing it back as SGF; the games of a collection and the record's own board size as every
// intake finds them. The first byte picks the UGF origin and the board size.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/TextCodec.h"
#include "intake/RecordCollection.h"
#include "intake/RecordFormat.h"
#include "intake/RecordSize.h"
#include "intake/RecordTool.h"
#include "records/RecordFile.h"
#include "records/SgfWriter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    kelmaz::ToolRecord record;
    record.options.ugfLowerLeftOrigin = (data[0] & 1) != 0;
    record.options.sizeIndex = (data[0] >> 1) % 3;
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);

    const kelmaz::RecordCollection collection = kelmaz::recordCollection(bytes);
    for (std::size_t n = 1; n <= collection.games.size() && n <= 3; ++n)
        kelmaz::recordSizeField(kelmaz::collectionGameLines(collection, n).lines);

    record.state.LstRead = kelmaz::splitLines(kelmaz::decodeRecordBytes(bytes).text);
    kelmaz::applyBoardSize(
        kelmaz::chooseBoardSize(kelmaz::recordSizeField(record.state.LstRead), record.options),
        record.options);
    kelmaz::TreeLink noTreeWindow;
    kelmaz::GetFormat(record.state, record.options, noTreeWindow);
    kelmaz::positionText(record, record.state.MoveCount);

    // Whatever was read must write and read again.
    record.state.SgfText.clear();
    const std::string written = kelmaz::sgfRecordBytes(record.state);
    kelmaz::ToolRecord again;
    again.state.LstRead = kelmaz::splitLines(kelmaz::decodeRecordBytes(written).text);
    kelmaz::GetFormat(again.state, again.options, noTreeWindow);
    kelmaz::sgfRecordText(record.state);  // what the tree view takes when it is turned on
    return 0;
}
