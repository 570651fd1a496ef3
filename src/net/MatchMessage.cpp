#include "net/MatchMessage.h"

#include <array>
#include <utility>

namespace kelmaz {
namespace {

constexpr std::array<std::pair<std::string_view, MatchKeyword>, 12> kKeywords = {{
    {"ConnectOk", MatchKeyword::ConnectOk},
    {"Tejun", MatchKeyword::Tejun},
    {"Okiisi", MatchKeyword::Okiisi},
    {"Matta", MatchKeyword::Matta},
    {"MattaOk", MatchKeyword::MattaOk},
    {"MattaKyohi", MatchKeyword::MattaKyohi},
    {"Touryou", MatchKeyword::Touryou},
    {"Connent", MatchKeyword::Connent},
    {"CLS", MatchKeyword::CLS},
    {"CLSYes", MatchKeyword::CLSYes},
    {"CLSNo", MatchKeyword::CLSNo},
    {"Disconnect", MatchKeyword::Disconnect},
}};

std::string_view keywordText(MatchKeyword keyword) {
    for (const auto& [text, value] : kKeywords)
        if (value == keyword) return text;
    return {};
}

}  // namespace

std::optional<MatchKeyword> keywordFromText(std::string_view word) {
    for (const auto& [text, value] : kKeywords)
        if (text == word) return value;
    return std::nullopt;
}

std::vector<std::string> splitFields(std::string_view message) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (true) {
        std::size_t comma = message.find(',', start);
        fields.emplace_back(message.substr(start, comma - start));
        if (comma == std::string_view::npos) return fields;
        start = comma + 1;
    }
}

std::optional<std::string> messageText(const std::vector<std::string>& fields) {
    if (fields.size() < 2) return std::nullopt;
    std::string text = fields[1];
    for (std::size_t i = 2; i < fields.size(); ++i) text += "," + fields[i];
    return text;
}

std::string connectOkMessage() { return bareMessage(MatchKeyword::ConnectOk); }

std::string tejunMessage(int moveNumber, int col, int row, int colour, int boardSize) {
    return "#Tejun," + std::to_string(moveNumber) + "," + std::to_string(col) + "," +
           std::to_string(row) + "," + std::to_string(colour) + "," + std::to_string(boardSize);
}

std::string okiisiMessage(int handicapIndex) { return "#Okiisi," + std::to_string(handicapIndex); }

std::string textMessage(MatchKeyword keyword, std::string_view text) {
    // The wire has no delimiter but "#": a "#" in the text would begin a second message that
    // the peer obeys. It travels as the full-width sign, which the peer shows as typed. A ","
    // travels full-width too, so that a peer that reads the text up to the next field
    // separator still gets all of it.
    std::string message = bareMessage(keyword) + ",";
    for (char c : text) {
        if (c == '#') {
            message += "＃";
        } else if (c == ',') {
            message += "，";
        } else {
            message += c;
        }
    }
    return message;
}

std::string bareMessage(MatchKeyword keyword) { return "#" + std::string(keywordText(keyword)); }

}  // namespace kelmaz
