#pragma once
// What the game-information fields do beyond holding text: the result (RE) and the time
// allowance (TM) are spelt out in labels whenever the field changes, and clearing the board
// empties the fields of the game while keeping team names, source and copyright.
#include <array>
#include <string>
#include <string_view>

#include "engine/GameInfo.h"

namespace kelmaz {

struct DecodedResult {
    std::string winner;  // "黒", "白", "持碁", ... or empty
    std::string detail;  // how, or by how much
};

DecodedResult DecodeResult(std::string_view re);

struct DecodedTime {
    std::string hours;
    std::string minutes;
};

// TM in seconds as whole hours and remaining whole minutes; a text that is not a number
// counts as 0.
DecodedTime DecodeTime(std::string_view tm);

// Sets field `index` (0..24) and runs what a change of that field does to the labels.
void setInfoField(GameInfo& info, int index, std::string text);
void setInfoField(GameInfo& info, InfoField field, std::string text);

// Recomputes the result and time labels from the RE and TM fields.
void refreshInfoLabels(GameInfo& info);

// Root properties that some Japanese publishers write in place of EV, DT and KM: the title
// (TE), the date (RD) and the komi in words (KO, "黒6目半"). They fill a field the record
// leaves empty; the file keeps them as they are.
struct AlternativeInfo {
    std::string_view name;
    InfoField field;
};
inline constexpr std::array<AlternativeInfo, 3> kAlternativeInfo = {{
    {"TE", InfoField::EV},
    {"RD", InfoField::DT},
    {"KO", InfoField::KM},
}};

// The text the field takes from the property's value: KO's komi as a number ("黒6目半" gives
// 6.5, "コミなし" 0; empty when it names none), any other value as it is.
std::string alternativeInfoText(const AlternativeInfo& alternative, std::string_view value);

}  // namespace kelmaz
