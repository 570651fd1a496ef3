#pragma once
// The command and reply framing of the Go Text Protocol (version 2), and the text of a vertex.
// Nothing here does I/O: commands come out as lines to write, the engine's output goes in as
// bytes, and every reply is checked before anything believes it.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelmaz {

// A vertex as GTP writes it: a column letter A..T without I, then the row counted from the
// bottom ("A1" is the lower left corner). The board's own points count rows from the top.
enum class VertexKind { Point, Pass, Resign };
struct GtpVertex {
    VertexKind kind = VertexKind::Pass;
    int col = 0;  // 1..size, left to right
    int row = 0;  // 1..size, top to bottom
    bool operator==(const GtpVertex&) const = default;
};

// "pass" for a point off the board (the record's passes), else e.g. "D4". Sizes 2..25.
std::string vertexText(int col, int row, int boardSize);
// Reads a vertex (any letter case; "pass" and "resign" included); nothing for text that is no
// vertex or a point off a board of `boardSize` lines.
std::optional<GtpVertex> parseVertex(std::string_view text, int boardSize);

struct GtpReply {
    bool success = false;  // "=" (else "?")
    std::string text;      // the reply without its "=", id and blank-line end; lines joined by \n
};

// Frames commands with increasing ids and takes replies out of the engine's output. One
// command is outstanding at a time; output that is not the reply to it (another id, text
// outside a reply, a reply longer than the limit) puts the client into a failed state.
class GtpClient {
  public:
    static constexpr std::size_t kDefaultReplyLimit = 64 * 1024;
    explicit GtpClient(std::size_t replyLimit = kDefaultReplyLimit);

    // The line to write for `command` (its id in front, a newline at the end). Only one
    // command may wait for its reply; a second one before it is answered is a caller fault
    // and gives an empty line.
    std::string frame(std::string_view command);
    bool waiting() const { return waiting_; }
    // The last command framed, without its id (for messages).
    const std::string& lastCommand() const { return lastCommand_; }

    // Bytes the engine wrote. Returns the reply once it is complete.
    std::optional<GtpReply> feed(std::string_view bytes);
    bool failed() const { return !failure_.empty(); }
    // The reason in Japanese, for the log ("" while nothing failed).
    const std::string& failure() const { return failure_; }

  private:
    std::optional<GtpReply> takeLine(std::string line);
    void fail(std::string reason);

    std::size_t limit_;
    int nextId_ = 1;
    int waitingId_ = 0;
    bool waiting_ = false;
    std::string lastCommand_;
    std::string pending_;  // bytes after the last complete line
    bool inReply_ = false;
    GtpReply reply_;
    std::string failure_;
};

// A reply's words, split at any whitespace (the dead stones of final_status_list come several
// to a line and on several lines).
std::vector<std::string> replyWords(std::string_view text);

}  // namespace kelmaz
