#include "gtp/GtpClient.h"

#include <algorithm>
#include <cctype>

namespace kelmaz {

namespace {

constexpr std::string_view kColumnLetters = "ABCDEFGHJKLMNOPQRSTUVWXYZ";  // no I

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

bool isBlank(std::string_view line) {
    return std::all_of(line.begin(), line.end(), [](char c) { return c == ' '; });
}

// At most this much of a line the engine should not have written goes into a message.
std::string excerpt(std::string_view line) {
    constexpr std::size_t kShown = 40;
    std::string shown(line.substr(0, kShown));
    if (line.size() > kShown) shown += "...";
    return shown;
}

}  // namespace

std::string vertexText(int col, int row, int boardSize) {
    if (boardSize < 2 || boardSize > static_cast<int>(kColumnLetters.size()) || col < 1 ||
        col > boardSize || row < 1 || row > boardSize)
        return "pass";
    return std::string(1, kColumnLetters[static_cast<std::size_t>(col - 1)]) +
           std::to_string(boardSize + 1 - row);
}

std::optional<GtpVertex> parseVertex(std::string_view text, int boardSize) {
    if (equalsIgnoringCase(text, "pass")) return GtpVertex{VertexKind::Pass, 0, 0};
    if (equalsIgnoringCase(text, "resign")) return GtpVertex{VertexKind::Resign, 0, 0};
    if (text.size() < 2 || text.size() > 3) return std::nullopt;
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    const std::size_t column = kColumnLetters.find(letter);
    if (column == std::string_view::npos) return std::nullopt;
    int number = 0;
    for (char c : text.substr(1)) {
        if (c < '0' || c > '9') return std::nullopt;
        number = number * 10 + (c - '0');
    }
    // "A01" is not a vertex; a leading zero would let two texts name one point.
    if (text[1] == '0') return std::nullopt;
    const int col = static_cast<int>(column) + 1;
    if (col > boardSize || number < 1 || number > boardSize) return std::nullopt;
    return GtpVertex{VertexKind::Point, col, boardSize + 1 - number};
}

GtpClient::GtpClient(std::size_t replyLimit) : limit_(replyLimit) {}

std::string GtpClient::frame(std::string_view command) {
    if (waiting_ || failed()) return {};
    waitingId_ = nextId_++;
    waiting_ = true;
    lastCommand_ = std::string(command);
    return std::to_string(waitingId_) + " " + lastCommand_ + "\n";
}

void GtpClient::fail(std::string reason) {
    if (failure_.empty()) failure_ = std::move(reason);
    waiting_ = false;
    inReply_ = false;
    pending_.clear();
    reply_ = {};
}

std::optional<GtpReply> GtpClient::feed(std::string_view bytes) {
    if (failed()) return std::nullopt;
    pending_.append(bytes);
    std::optional<GtpReply> complete;
    std::size_t newline;
    while (!failed() && (newline = pending_.find('\n')) != std::string::npos) {
        std::string line = pending_.substr(0, newline);
        pending_.erase(0, newline + 1);
        std::optional<GtpReply> reply = takeLine(std::move(line));
        if (!reply) continue;
        // Output after a complete reply, while no further command was sent, is out of turn.
        if (complete) {
            fail("思考エンジンが求めていない応答を返しました");
            return std::nullopt;
        }
        complete = std::move(reply);
    }
    if (!failed() && reply_.text.size() + pending_.size() > limit_)
        fail("思考エンジンの応答が長すぎます (" + lastCommand_ + ")");
    if (failed()) return std::nullopt;
    return complete;
}

std::optional<GtpReply> GtpClient::takeLine(std::string line) {
    // The protocol lets either side end lines with CR LF and write tabs for spaces.
    line.erase(std::remove(line.begin(), line.end(), '\r'), line.end());
    std::replace(line.begin(), line.end(), '\t', ' ');
    if (inReply_) {
        if (!line.empty()) {
            reply_.text += '\n';
            reply_.text += line;
            return std::nullopt;
        }
        inReply_ = false;
        waiting_ = false;
        GtpReply done = std::move(reply_);
        reply_ = {};
        return done;
    }
    if (isBlank(line)) return std::nullopt;
    if (line[0] != '=' && line[0] != '?') {
        fail("思考エンジンの応答が読めません: " + excerpt(line));
        return std::nullopt;
    }
    if (!waiting_) {
        fail("思考エンジンが求めていない応答を返しました");
        return std::nullopt;
    }
    std::size_t pos = 1;
    while (pos < line.size() && line[pos] >= '0' && line[pos] <= '9') ++pos;
    // An engine may leave the id out; one it writes must be the command's.
    if (pos > 1 && (pos - 1 > 9 || std::stoi(line.substr(1, pos - 1)) != waitingId_)) {
        fail("思考エンジンの応答の番号が違います: " + excerpt(line));
        return std::nullopt;
    }
    if (pos < line.size() && line[pos] != ' ') {
        fail("思考エンジンの応答が読めません: " + excerpt(line));
        return std::nullopt;
    }
    reply_.success = line[0] == '=';
    reply_.text = pos < line.size() ? line.substr(pos + 1) : std::string();
    inReply_ = true;
    return std::nullopt;
}

std::vector<std::string> replyWords(std::string_view text) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
        std::size_t start = i;
        while (i < text.size() && !std::isspace(static_cast<unsigned char>(text[i]))) ++i;
        if (i > start) words.emplace_back(text.substr(start, i - start));
    }
    return words;
}

}  // namespace kelmaz
