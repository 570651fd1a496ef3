#include "records/UgfReader.h"

#include <array>
#include <cmath>
#include <optional>
#include <string>

#include "base/NumberText.h"
#include "records/GameInfoRules.h"
#include "records/RecordMoves.h"

namespace kelmaz {

namespace {

enum class HeaderAction { Field, Player, Winner, Komi };

struct HeaderKey {
    std::string_view key;
    HeaderAction action;
    InfoField field;        // the field set (Player: the name's field)
    InfoField rankField{};  // Player: the rank's field
};

// In the order they are tested. Real files spell the handicap key "Hdcp="; "Hdcap=" is read
// too.
constexpr std::array<HeaderKey, 13> kHeaderKeys = {{
    {"Ver=", HeaderAction::Field, InfoField::FF},
    {"Title=", HeaderAction::Field, InfoField::EV},
    {"Place=", HeaderAction::Field, InfoField::PC},
    {"PlayerB=", HeaderAction::Player, InfoField::PB, InfoField::BR},
    {"PlayerW=", HeaderAction::Player, InfoField::PW, InfoField::WR},
    {"Winner=", HeaderAction::Winner, InfoField::RE},
    {"Writer=", HeaderAction::Field, InfoField::US},
    {"Lang=", HeaderAction::Field, InfoField::CA},
    {"Rule=", HeaderAction::Field, InfoField::RU},
    {"Hdcap=", HeaderAction::Komi, InfoField::KM},
    {"Hdcp=", HeaderAction::Komi, InfoField::KM},
    {"Size=", HeaderAction::Field, InfoField::SZ},
    {"Date=", HeaderAction::Field, InfoField::DT},
}};

struct TwoParts {
    std::string first;
    std::string second;
};

// The text before the first comma and the text between the first and the second comma;
// nothing when the value has no comma.
std::optional<TwoParts> splitTwo(std::string_view value) {
    const std::size_t comma = value.find(',');
    if (comma == std::string_view::npos) return std::nullopt;
    std::string_view rest = value.substr(comma + 1);
    rest = rest.substr(0, rest.find(','));
    return TwoParts{std::string(value.substr(0, comma)), std::string(rest)};
}

void applyHeaderLine(GameInfo& info, std::string_view line) {
    for (const HeaderKey& key : kHeaderKeys) {
        if (line.substr(0, key.key.size()) != key.key) continue;
        const std::string_view value = line.substr(key.key.size());
        if (key.action == HeaderAction::Field) {
            setInfoField(info, key.field, std::string(value));
            return;
        }
        if (key.action == HeaderAction::Winner) setInfoField(info, key.field, std::string(value));
        const auto parts = splitTwo(value);
        if (!parts) return;
        switch (key.action) {
            case HeaderAction::Player:
                setInfoField(info, key.field, parts->first);
                setInfoField(info, key.rankField, parts->second);
                break;
            case HeaderAction::Winner:
                // The UGF spelling of the result wins over the decoding of RE.
                if (parts->first == "B") info.WinnerLabel = "黒";
                if (parts->first == "W") info.WinnerLabel = "白";
                info.DetailLabel = parts->second == "C" ? "中押" : parts->second;
                break;
            case HeaderAction::Komi:
                setInfoField(info, key.field, parts->second);
                break;
            case HeaderAction::Field:
                break;
        }
        return;
    }
}

char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

void ReadUgfHeader(const std::vector<std::string>& lines, GameInfo& info) {
    for (const std::string& line : lines) {
        applyHeaderLine(info, trimBlanks(line));
        setInfoField(info, InfoField::GM, "1");
    }
}

bool ReadUgfMoveLine(ReadMoves& read, std::string_view line, const BoardOptions& options) {
    std::array<std::string, 5> slot;  // slots 1..4
    int next = 1;
    std::string field;
    for (char c : line) {
        if (c != ',') {
            field += c;
            continue;
        }
        if (next > 4) return false;  // a fifth comma
        slot[next++] = std::move(field);
        field.clear();
    }
    slot[4] = std::move(field);
    if (slot[2] != "B1" && slot[2] != "W1") return true;

    long long number = 0;
    if (!trimBlanks(slot[3]).empty()) {
        const auto value = parseNumber(slot[3]);
        if (!value || *value < -0.5 || *value > kMaxMoves + 0.5) return false;
        number = static_cast<long long>(std::nearbyint(*value));
    }
    if (number < 0 || number > kMaxMoves) return false;
    read.shown = static_cast<int>(number);
    if (number == 0) return true;

    const int colour = slot[2] == "B1" ? kBlack : kWhite;
    const std::string& point = slot[1];
    if (point.empty()) {
        read.store(read.shown, kPassCoord, kPassCoord, colour);
        return true;
    }
    // Coordinates are letters, "A" = 1; lower-case letters mean the same.
    const long long col = static_cast<unsigned char>(upper(point.front())) - 64;
    long long row = static_cast<unsigned char>(upper(point.back())) - 64;
    if (options.ugfLowerLeftOrigin) row = (options.boardSize() + 1) - row;
    read.store(read.shown, col, row, colour);
    return true;
}

void closeUgfMoveGaps(ReadMoves& read) {
    std::vector<ReadMove> numbered;
    int shown = 0;
    for (std::size_t k = 0; k < read.moves.size(); ++k) {
        if (read.moves[k].col == 0) continue;
        numbered.push_back(std::move(read.moves[k]));
        if (static_cast<int>(k) + 1 == read.shown) shown = static_cast<int>(numbered.size());
    }
    read.moves = std::move(numbered);
    if (read.shown > 0) read.shown = shown;
}

}  // namespace kelmaz
