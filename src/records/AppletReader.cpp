#include "records/AppletReader.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "base/NumberText.h"
#include "records/GameInfoRules.h"
#include "records/RecordMoves.h"

namespace kelmaz {

namespace {

struct Param {
    std::string_view prefix;
    std::optional<InfoField> field;  // none: the move text
};

constexpr std::array<Param, 7> kParams = {{
    {"PARAM name=Title value=", InfoField::EV},
    {"PARAM name=Info value=", InfoField::PC},
    {"PARAM name=Size value=", InfoField::SZ},
    {"PARAM name=Result value=", InfoField::RE},
    {"PARAM name=Black value=", InfoField::PB},
    {"PARAM name=White value=", InfoField::PW},
    {"PARAM name=Kifu value=", std::nullopt},
}};

std::string cleanLine(std::string_view line) {
    std::string out;
    for (char c : trimBlanks(line)) {
        if (c != '"' && c != '<' && c != '>') out += c;
    }
    return out;
}

// The next character of UTF-8 text as a code point (a stray byte counts as itself).
char32_t nextCharacter(std::string_view text, std::size_t& p) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char b0 = byte(p++);
    int extra = b0 >= 0xF0 ? 3 : b0 >= 0xE0 ? 2 : b0 >= 0xC0 ? 1 : 0;
    char32_t cp = extra == 3   ? (b0 & 0x07)
                  : extra == 2 ? (b0 & 0x0F)
                  : extra == 1 ? (b0 & 0x1F)
                               : b0;
    for (; extra > 0 && p < text.size() && (byte(p) & 0xC0) == 0x80; --extra) {
        cp = (cp << 6) | (byte(p++) & 0x3F);
    }
    return cp;
}

long long letterValue(char32_t c) {
    if (c >= U'A' && c <= U'Z') c = c - U'A' + U'a';
    return static_cast<long long>(c) - 'a' + 1;
}

}  // namespace

bool ReadAppletHtml(std::vector<std::string>& lines, ReadMoves& read) {
    std::string moves;
    for (std::string& line : lines) {
        line = cleanLine(line);
        const std::string_view text = trimBlanks(line);
        for (const Param& param : kParams) {
            if (text.substr(0, param.prefix.size()) != param.prefix) continue;
            const std::string value(text.substr(param.prefix.size()));
            if (param.field) {
                setInfoField(read.info, *param.field, value);
            } else {
                moves = value;
            }
            break;
        }
    }

    std::optional<long long> pending;
    for (std::size_t p = 0; p < moves.size();) {
        const long long v = letterValue(nextCharacter(moves, p));
        if (!pending) {
            pending = v;
            continue;
        }
        if (read.shown == kMaxMoves) return false;
        ++read.shown;
        read.store(read.shown, *pending, v, read.shown % 2 == 1 ? kBlack : kWhite);
        pending.reset();
    }
    return true;
}

}  // namespace kelmaz
