#include "net/ReceiveQueue.h"

#include "net/MatchMessage.h"
#include "net/WireText.h"

namespace kelmaz {
namespace {

std::string_view trimSpaces(std::string_view text) {
    std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    std::size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

// True when the "#" at `hash` is followed by a known keyword that ends there.
bool beginsKeyword(std::string_view text, std::size_t hash) {
    std::size_t start = hash + 1;
    std::size_t end = text.find_first_of(",#", start);
    if (end == std::string_view::npos) end = text.size();
    return keywordFromText(text.substr(start, end - start)).has_value();
}

}  // namespace

std::vector<std::string> splitReceivedText(std::string_view text) {
    std::vector<std::string> messages;
    text = trimSpaces(text);
    if (text.empty() || text.front() != '#') return messages;
    std::size_t begin = 0;
    for (std::size_t hash = text.find('#', 1);; hash = text.find('#', hash + 1)) {
        if (hash != std::string_view::npos && !beginsKeyword(text, hash)) continue;
        std::string_view piece = trimSpaces(text.substr(begin, hash - begin));
        messages.emplace_back(piece.substr(1));
        if (hash == std::string_view::npos) return messages;
        begin = hash;
    }
}

void ReceiveQueue::receive(std::string_view wireBytes) {
    // "#", "," and the keywords are ASCII, and no CP932 trail byte is a "#", so a read may be
    // cut to size on the wire bytes before it is decoded.
    if (wireBytes.size() > kMaxReadBytes) wireBytes = wireBytes.substr(0, kMaxReadBytes);
    for (std::string& message : splitReceivedText(fromWire(wireBytes))) {
        if (messages_.size() >= kMaxMessages) return;
        if (message.size() > kMaxMessageBytes) continue;
        messages_.push_back(std::move(message));
    }
}

std::optional<std::string> ReceiveQueue::next() {
    if (messages_.empty()) return std::nullopt;
    std::string message = std::move(messages_.front());
    messages_.pop_front();
    return message;
}

}  // namespace kelmaz
