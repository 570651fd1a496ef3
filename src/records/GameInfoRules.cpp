#include "records/GameInfoRules.h"

#include <array>
#include <cmath>

#include "base/NumberText.h"

namespace kelmaz {

namespace {

std::string upperAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

bool isContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

std::size_t characterCount(std::string_view text) {
    std::size_t count = 0;
    for (char c : text) count += isContinuationByte(c) ? 0 : 1;
    return count;
}

// The text after the first `n` characters.
std::string_view dropCharacters(std::string_view text, std::size_t n) {
    std::size_t p = 0;
    for (std::size_t seen = 0; p < text.size(); ++p) {
        if (!isContinuationByte(text[p]) && seen++ == n) break;
    }
    return text.substr(p);
}

// A result written in Japanese, as in "257手完, 黒中押し勝ち" or "白3目半勝ち": the colour
// before "勝" wins, by what stands between them ("中押し", "3目半"); "持碁" is a draw.
DecodedResult japaneseResult(std::string_view text) {
    if (text.find("持碁") != std::string_view::npos) return {"持碁", ""};
    const std::size_t win = text.find("勝");
    if (win == std::string_view::npos) return {};
    const std::string_view before = text.substr(0, win);
    const std::size_t black = before.rfind("黒"), white = before.rfind("白");
    if (black == std::string_view::npos && white == std::string_view::npos) return {};
    const bool blackWins =
        white == std::string_view::npos || (black != std::string_view::npos && black > white);
    const std::size_t colour = blackWins ? black : white;
    std::string detail(trimBlanks(before.substr(colour + std::string_view("黒").size())));
    if (detail.find("中押") != std::string::npos) detail = "中押し";
    return {blackWins ? "黒" : "白", detail};
}

struct ResultRow {
    std::string_view re;
    std::string_view winner;
    std::string_view detail;
};

constexpr std::array<ResultRow, 12> kResultTable = {{
    {"B+R", "黒", "中押し"},
    {"B+RESIGN", "黒", "中押し"},
    {"W+R", "白", "中押し"},
    {"W+RESIGN", "白", "中押し"},
    {"O", "両負", ""},
    {"W+F", "黒反則負", ""},
    {"B+F", "白反則負", ""},
    {"W+T", "黒時間切れ", ""},
    {"B+T", "白時間切れ", ""},
    {"V", "無勝負", ""},
    {"0", "持碁", ""},
    {"D", "持碁", ""},
}};

}  // namespace

DecodedResult DecodeResult(std::string_view re) {
    // Blanks around the sign ("W+ 9.5", as server records write it) say nothing.
    std::string text = upperAscii(trimBlanks(re));
    for (std::size_t plus = text.find('+'); plus != std::string::npos;
         plus = text.find('+', plus + 1)) {
        std::size_t after = plus + 1;
        while (after < text.size() && (text[after] == ' ' || text[after] == '\t')) ++after;
        text.erase(plus + 1, after - plus - 1);
        std::size_t before = plus;
        while (before > 0 && (text[before - 1] == ' ' || text[before - 1] == '\t')) --before;
        text.erase(before, plus - before);
        plus = before;
    }
    for (const ResultRow& row : kResultTable) {
        if (row.re == text) {
            return {std::string(row.winner), std::string(row.detail)};
        }
    }
    if (DecodedResult japanese = japaneseResult(text); !japanese.winner.empty()) return japanese;
    if (characterCount(text) >= 6) return {};
    DecodedResult result;
    if (!text.empty() && text[0] == 'B') result.winner = "黒";
    if (!text.empty() && text[0] == 'W') result.winner = "白";
    result.detail = std::string(dropCharacters(text, 2));
    return result;
}

DecodedTime DecodeTime(std::string_view tm) {
    long long seconds = 0;
    if (const auto value = parseNumber(tm); value && std::fabs(*value) < 1e15) {
        seconds = static_cast<long long>(std::nearbyint(*value));
    }
    const long long hours = seconds / 3600;
    const long long minutes = (seconds - hours * 3600) / 60;
    return {std::to_string(hours), std::to_string(minutes)};
}

namespace {

void updateResultLabels(GameInfo& info) {
    DecodedResult result = DecodeResult(info[InfoField::RE]);
    info.WinnerLabel = std::move(result.winner);
    info.DetailLabel = std::move(result.detail);
}

void updateTimeLabels(GameInfo& info) {
    DecodedTime time = DecodeTime(info[InfoField::TM]);
    info.HoursLabel = std::move(time.hours);
    info.MinutesLabel = std::move(time.minutes);
}

}  // namespace

void refreshInfoLabels(GameInfo& info) {
    updateResultLabels(info);
    updateTimeLabels(info);
}

void setInfoField(GameInfo& info, int index, std::string text) {
    if (index < 0 || index >= kGameInfoFields) return;
    info.Fields[index] = std::move(text);
    if (index == static_cast<int>(InfoField::RE)) updateResultLabels(info);
    if (index == static_cast<int>(InfoField::TM)) updateTimeLabels(info);
}

void setInfoField(GameInfo& info, InfoField field, std::string text) {
    setInfoField(info, static_cast<int>(field), std::move(text));
}

std::string alternativeInfoText(const AlternativeInfo& alternative, std::string_view value) {
    if (alternative.field != InfoField::KM) return std::string(value);
    const std::string_view text = trimBlanks(value);
    if (parseNumber(text)) return std::string(text);
    // Whole points in digits, "半" for a half: "黒6目半", "6目", "半目".
    std::string points;
    for (char c : text)
        if (c >= '0' && c <= '9') points += c;
    const bool half = text.find("半") != std::string_view::npos;
    if (points.empty() && !half) return text.find("なし") != std::string_view::npos ? "0" : "";
    if (points.empty()) points = "0";
    return half ? points + ".5" : points;
}

}  // namespace kelmaz
