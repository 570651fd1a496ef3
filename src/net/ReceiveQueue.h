#pragma once
// The queue of received match messages. Each read from the socket goes in as raw bytes;
// the messages come out one at a time, in arrival order, as UTF-8 text without their "#".
// The queue is bounded so that a peer sending without pause cannot exhaust memory: what
// does not fit is dropped.
#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelmaz {

// Splits the text of one read into messages: it must begin with "#"; it is cut again at
// every later "#" that begins a known keyword (a keyword followed by ",", "#" or the end),
// so that messages merged into one read are recovered. Each message is trimmed of spaces
// at both ends and returned without its "#". A text not beginning with "#" gives nothing.
std::vector<std::string> splitReceivedText(std::string_view text);

class ReceiveQueue {
  public:
    static constexpr std::size_t kMaxMessages = 256;
    static constexpr std::size_t kMaxMessageBytes = 16 * 1024;  // as UTF-8 text
    static constexpr std::size_t kMaxReadBytes = 1024 * 1024;   // one read; longer reads are cut

    // Takes the bytes of one read (CP932).
    void receive(std::string_view wireBytes);
    std::optional<std::string> next();
    bool empty() const { return messages_.empty(); }
    std::size_t size() const { return messages_.size(); }
    void clear() { messages_.clear(); }

  private:
    std::deque<std::string> messages_;
};

}  // namespace kelmaz
