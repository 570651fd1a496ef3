#pragma once
// The game information of the record: 25 text fields bound by index to SGF root properties,
// plus the labels derived from the result (RE) and the time allowance (TM).
#include <array>
#include <string>
#include <string_view>

namespace kelmaz {

inline constexpr int kGameInfoFields = 25;

// FF GM SZ CA AP US EV GN RO PB BR WR PW RE RU PC DT TM PL HA KM BT WT SO CP
inline constexpr std::array<std::string_view, kGameInfoFields> GameInfoNames = {
    "FF", "GM", "SZ", "CA", "AP", "US", "EV", "GN", "RO", "PB", "BR", "WR", "PW",
    "RE", "RU", "PC", "DT", "TM", "PL", "HA", "KM", "BT", "WT", "SO", "CP"};

enum class InfoField {
    FF,
    GM,
    SZ,
    CA,
    AP,
    US,
    EV,
    GN,
    RO,
    PB,
    BR,
    WR,
    PW,
    RE,
    RU,
    PC,
    DT,
    TM,
    PL,
    HA,
    KM,
    BT,
    WT,
    SO,
    CP
};

struct GameInfo {
    std::array<std::string, kGameInfoFields> Fields{};
    std::string WinnerLabel;   // label 23: winner decoded from RE
    std::string DetailLabel;   // label 25: how, or by how much, decoded from RE
    std::string HoursLabel;    // label 28: whole hours of TM
    std::string MinutesLabel;  // label 29: remaining minutes of TM

    std::string& operator[](InfoField f) { return Fields[static_cast<int>(f)]; }
    const std::string& operator[](InfoField f) const { return Fields[static_cast<int>(f)]; }
};

// Empties fields FF..KM and the four labels; BT, WT, SO and CP keep their texts.
void clearGameInfo(GameInfo& info);

}  // namespace kelmaz
