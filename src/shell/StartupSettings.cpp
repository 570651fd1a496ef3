#include "shell/StartupSettings.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "engine/BoardOptions.h"
#include "shell/SettingKeys.h"

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
    o.whiteTintIndex = settingIndex(store.read(key::kWhiteTint, "0"), 2, 0);
    o.numbersIndex = settingIndex(store.read(key::kNumbers, "1"), 2, 1);
    o.boardTintIndex = settingIndex(store.read(key::kBoardTint, "0"), 3, 0);
    o.sizeIndex = settingIndex(store.read(key::kBoardSize, "0"), 3, 0);

    // A speed of 0 means one second; anything else is held to the scroll bar's range.
    const auto seconds = settingNumber(store.read(key::kSpeed, "1"));
    if (seconds && *seconds != 0)
        o.speedMs = static_cast<int>(std::clamp(std::nearbyint(*seconds * 1000), 100.0, 20000.0));
    o.digitLabels = store.read(key::kLabels, key::kDigitLabels) == key::kDigitLabels;
    o.lowerLeftOrigin = settingNumber(store.read(key::kUgfOrigin, "0")) == 1.0;
    o.showCommentary = store.read(key::kCommentary, key::kShown) != key::kHidden;
    o.openAtIndex = settingIndex(store.read(key::kOpenAt, "0"), 2, 0);
    o.marksIndex = settingIndex(store.read(key::kMarks, "0"), 2, 0);
    return o;
}

void storeOptions(SettingsStore& store, const StoredOptions& o) {
    store.write(key::kBoardSize, std::to_string(o.sizeIndex));
    store.write(key::kBoardTint, std::to_string(o.boardTintIndex));
    store.write(key::kWhiteTint, std::to_string(o.whiteTintIndex));
    store.write(key::kCommentary, o.showCommentary ? key::kShown : key::kHidden);
    store.write(key::kOpenAt, std::to_string(o.openAtIndex));
    store.write(key::kMarks, std::to_string(o.marksIndex));
    store.write(key::kNumbers, std::to_string(o.numbersIndex));
    store.write(key::kLabels, o.digitLabels ? key::kDigitLabels : key::kLetterLabels);
    store.write(key::kUgfOrigin, o.lowerLeftOrigin ? "1" : "0");
    store.write(key::kSpeed, speedCaption(o.speedMs));
}

StoredOptions storedOptions(const BoardOptions& options) {
    StoredOptions o;
    o.whiteTintIndex = options.whiteTintIndex;
    o.numbersIndex = options.showNumbers ? 0 : 1;
    o.boardTintIndex = options.boardTintIndex;
    o.sizeIndex = options.sizeIndex;
    o.speedMs = options.speedMs;
    o.digitLabels = options.digitLabels;
    o.lowerLeftOrigin = options.ugfLowerLeftOrigin;
    o.showCommentary = options.showCommentary;
    o.openAtIndex = options.openRecordsAtStart ? 1 : 0;
    o.marksIndex = options.showMarkup ? 0 : 1;
    return o;
}

StoredGeometry readStoredGeometry(const SettingsStore& store) {
    StoredGeometry g;
    g.top = storedInt(store, key::kTop, 200);
    g.width = std::clamp(storedInt(store, key::kWidth, 4000), kMinWindowWidth, kMaxWindowWidth);
    g.height = std::clamp(storedInt(store, key::kHeight, 4000), 0, kMaxWindowWidth);
    g.left = storedInt(store, key::kLeft, 200);
    g.top = keptOrZero(g.top);
    g.left = keptOrZero(g.left);
    g.panelShown = settingNumber(store.read(key::kPanelShown, "1")) == 1.0;
    return g;
}

StoredTreeGeometry readTreeWindowGeometry(const SettingsStore& store) {
    StoredTreeGeometry g;
    g.top = keptOrZero(storedInt(store, key::kTreeTop, g.top));
    g.width =
        std::clamp(storedInt(store, key::kTreeWidth, g.width), kMinTreeWindowSide, kMaxWindowWidth);
    g.height = std::clamp(storedInt(store, key::kTreeHeight, g.height), kMinTreeWindowSide,
                          kMaxWindowWidth);
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
