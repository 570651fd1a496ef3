#include "shell/StartupSettings.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace kelmaz {

namespace {

// A stored window position far off any screen (or negative) starts the window at 0 instead.
int keptOrZero(int twips) { return twips > 10000 || twips < 0 ? 0 : twips; }

int storedInt(const SettingsStore& store, std::string_view key, int fallback) {
    const auto number = settingNumber(store.read(key, std::to_string(fallback)));
    if (!number || std::abs(*number) > 1e9) return fallback;
    return static_cast<int>(std::nearbyint(*number));
}

}  // namespace

std::optional<double> settingNumber(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() ||
        !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

int settingIndex(std::string_view text, int count, int fallback) {
    const auto number = settingNumber(text);
    if (!number || *number != std::floor(*number) || *number < 0 || *number >= count) {
        return fallback;
    }
    return static_cast<int>(*number);
}

StoredOptions readStoredOptions(const SettingsStore& store) {
    StoredOptions o;
    o.whiteTintIndex = settingIndex(store.read("Shiro", "0"), 2, 0);
    o.numbersIndex = settingIndex(store.read("Bangou", "1"), 2, 1);
    o.boardTintIndex = settingIndex(store.read("Baniro", "0"), 3, 0);
    o.sizeIndex = settingIndex(store.read("Ban", "0"), 3, 0);

    // A speed of 0 means one second; anything else is held to the scroll bar's range.
    const std::string speed = store.read("Speed", "1");
    const auto seconds = settingNumber(speed);
    if (seconds && *seconds != 0) {
        o.speedText = speed;
        o.speedMs = static_cast<int>(std::clamp(std::nearbyint(*seconds * 1000), 100.0, 20000.0));
    }
    o.digitLabels = store.read("OS", "98") == "98";
    o.lowerLeftOrigin = settingNumber(store.read("Pnada", "0")) == 1.0;
    o.showCommentary = store.read("Kaisetu", "表示") != "非表示";
    o.openAtIndex = settingIndex(store.read("Hiraki", "0"), 2, 0);
    o.marksIndex = settingIndex(store.read("Kigou", "0"), 2, 0);
    return o;
}

StoredGeometry readStoredGeometry(const SettingsStore& store) {
    StoredGeometry g;
    g.top = storedInt(store, "Top", 200);
    g.width = std::clamp(storedInt(store, "Width", 4000), kMinWindowWidth, kMaxWindowWidth);
    g.height = std::clamp(storedInt(store, "Height", 4000), 0, kMaxWindowWidth);
    g.left = storedInt(store, "Left", 200);
    g.top = keptOrZero(g.top);
    g.left = keptOrZero(g.left);
    g.panelShown = settingNumber(store.read("dispCont", "1")) == 1.0;
    return g;
}

StoredTreeGeometry readTreeWindowGeometry(const SettingsStore& store) {
    StoredTreeGeometry g;
    g.top = keptOrZero(storedInt(store, "nTop", g.top));
    g.width = std::clamp(storedInt(store, "nWidth", g.width), kMinTreeWindowSide, kMaxWindowWidth);
    g.height =
        std::clamp(storedInt(store, "nHeight", g.height), kMinTreeWindowSide, kMaxWindowWidth);
    return g;
}

std::string speedCaption(int milliseconds) {
    const long hundredths = std::lround(milliseconds / 10.0);
    char text[32];
    std::snprintf(text, sizeof text, "%ld.%02ld", hundredths / 100, std::labs(hundredths % 100));
    std::string caption = text;
    while (caption.back() == '0') caption.pop_back();
    if (caption.back() == '.') caption.pop_back();
    return caption;
}

}  // namespace kelmaz
