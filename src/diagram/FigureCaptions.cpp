#include "diagram/FigureCaptions.h"

#include "base/NumberText.h"
#include "records/GameInfoRules.h"

namespace kelmaz {

namespace {

std::string trimmed(const std::string& text) {
    std::string out(trimBlanks(text));
    for (char& c : out)
        if (c == '\n' || c == '\r') c = ' ';
    return out;
}

void addLine(std::vector<std::string>& lines, const char* label, const std::string& value) {
    if (!value.empty()) lines.push_back(std::string(label) + "　" + value);
}

std::string player(const GameInfo& info, InfoField name, InfoField rank) {
    const std::string who = trimmed(info[name]), level = trimmed(info[rank]);
    if (who.empty() || level.empty()) return who;
    return who + " " + level;
}

// "黒中押し勝ち", "白3.5目勝ち", "持碁", or the field as it stands when it says something else.
std::string resultText(const std::string& re) {
    const std::string raw = trimmed(re);
    const DecodedResult result = DecodeResult(raw);
    if (result.winner == "黒" || result.winner == "白") {
        if (result.detail == "中押し") return result.winner + "中押し勝ち";
        if (const auto points = parseNumber(result.detail); points && *points > 0)
            return result.winner + result.detail + "目勝ち";
        if (result.detail.empty()) return result.winner + "勝ち";
        return raw;
    }
    return result.winner.empty() ? raw : result.winner;
}

}  // namespace

std::string figureTitle(const Figure& figure, std::size_t index) {
    std::string title = "第" + std::to_string(index + 1) + "譜";
    if (figure.lastMove < figure.firstMove) return title;
    title += "（" + std::to_string(figure.firstMove);
    if (figure.lastMove > figure.firstMove) title += "〜" + std::to_string(figure.lastMove);
    return title + "）";
}

std::string noteText(const FigureNote& note, NoteStyle style) {
    const bool plain = style == NoteStyle::Plain;
    const std::string at = std::to_string(note.number) + (plain ? "=" : "＝");
    switch (note.kind) {
        case NoteKind::OnNumber:
            return at + std::to_string(note.shownNumber);
        case NoteKind::OnMarkedStone:
            return at + note.mark;
        case NoteKind::Pass:
            break;
    }
    return std::to_string(note.number) + (plain ? "=pass" : " パス");
}

std::vector<std::string> gameHeaderLines(const GameInfo& info) {
    std::vector<std::string> lines;
    addLine(lines, "黒", player(info, InfoField::PB, InfoField::BR));
    addLine(lines, "白", player(info, InfoField::PW, InfoField::WR));
    addLine(lines, "日付", trimmed(info[InfoField::DT]));
    addLine(lines, "結果", resultText(info[InfoField::RE]));
    addLine(lines, "棋戦", trimmed(info[InfoField::EV]));
    addLine(lines, "コミ", trimmed(info[InfoField::KM]));
    addLine(lines, "置石", trimmed(info[InfoField::HA]));
    return lines;
}

}  // namespace kelmaz
