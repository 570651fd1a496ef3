#pragma once
// The text messages of a network match: building them, splitting them into fields and
// reading their numbers. Messages are UTF-8 here; the window converts them to the wire's
// CP932 bytes when it writes and back when it reads.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelmaz {

// Every keyword a peer may send ("Connent" is spelled so on the wire).
enum class MatchKeyword {
    ConnectOk,
    Tejun,
    Okiisi,
    Matta,
    MattaOk,
    MattaKyohi,
    Touryou,
    Connent,
    CLS,
    CLSYes,
    CLSNo,
    Disconnect
};

// The keyword named exactly (case-sensitive) by `word`, if it is one.
std::optional<MatchKeyword> keywordFromText(std::string_view word);

// Splits a message (without its "#") at every ","; fields are not trimmed.
std::vector<std::string> splitFields(std::string_view message);
// The text of a message that carries one (the fields after the keyword, joined again by ","
// as a peer that sends its commas unchanged typed them); nothing when there is no text field.
std::optional<std::string> messageText(const std::vector<std::string>& fields);

// Builders of the messages as sent, "#" included.
std::string connectOkMessage();
// The board size travels as a fifth field, which a peer that reads four ignores.
std::string tejunMessage(int moveNumber, int col, int row, int colour, int boardSize);
std::string okiisiMessage(int handicapIndex);
// "#Keyword," + text, every "#" and "," of the text written as the full-width "＃" and "，".
std::string textMessage(MatchKeyword keyword, std::string_view text);
std::string bareMessage(MatchKeyword keyword);  // "#Keyword"

}  // namespace kelmaz
