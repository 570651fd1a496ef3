#include "engine/GameInfo.h"

namespace kelmaz {

void clearGameInfo(GameInfo& info) {
    for (int i = 0; i <= static_cast<int>(InfoField::KM); ++i) info.Fields[i].clear();
    info.WinnerLabel.clear();
    info.DetailLabel.clear();
    info.HoursLabel.clear();
    info.MinutesLabel.clear();
}

}  // namespace kelmaz
