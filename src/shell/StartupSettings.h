#pragma once
// What start-up takes from the settings table: the stored board options and the main and tree
// windows' geometry, each checked so that a hand-edited or damaged file falls back to the defaults
// for whatever it cannot use. Also the text rules of the replay speed.
#include <optional>
#include <string>
#include <string_view>

#include "shell/SettingsStore.h"

namespace kelmaz {

struct BoardOptions;

// A stored number: blanks around it are allowed, anything else that is not a finite number
// gives nothing.
std::optional<double> settingNumber(std::string_view text);

// A stored option index: the index when it names one of `count` options, else `fallback`.
int settingIndex(std::string_view text, int count, int fallback);

// The board options as the settings file keeps them (the keys are in shell/SettingKeys.h).
struct StoredOptions {
    int whiteTintIndex = 0;        // key::kWhiteTint
    int numbersIndex = 1;          // key::kNumbers: 0 shows the numbers
    int boardTintIndex = 0;        // key::kBoardTint
    int sizeIndex = 0;             // key::kBoardSize
    int speedMs = 1000;            // key::kSpeed, stored as seconds; the scroll bar's range
    bool digitLabels = true;       // key::kLabels
    bool lowerLeftOrigin = false;  // key::kUgfOrigin
    bool showCommentary = true;    // key::kCommentary
    int openAtIndex = 0;           // key::kOpenAt: 0 opens a record at its last move, 1 at move 0
    int marksIndex = 0;            // key::kMarks: 0 shows a record's labels and marks

    bool operator==(const StoredOptions&) const = default;
};
StoredOptions readStoredOptions(const SettingsStore& store);
// Writes every stored option, each in the text readStoredOptions reads back.
void storeOptions(SettingsStore& store, const StoredOptions& options);
// The stored form of the options the settings window edits.
StoredOptions storedOptions(const BoardOptions& options);

// The main window's stored place and size in twips and whether its control panel shows.
struct StoredGeometry {
    int top = 200;
    int left = 200;
    int width = 4000;
    int height = 4000;
    bool panelShown = true;  // "dispCont"
};
inline constexpr int kMinWindowWidth = 3000;
inline constexpr int kMaxWindowWidth = 60000;  // also the largest height of a stored window
StoredGeometry readStoredGeometry(const SettingsStore& store);

// The tree window's stored size and top in twips ("nWidth", "nHeight", "nTop"); its left edge
// always follows the main window. A size is at least 1500 twips so the window can be found and
// at most the main window's largest width; a top outside 0..10000 is 0, as the main window's.
struct StoredTreeGeometry {
    int top = 200;
    int width = 5000;
    int height = 5000;
};
inline constexpr int kMinTreeWindowSide = 1500;
StoredTreeGeometry readTreeWindowGeometry(const SettingsStore& store);

// The replay speed in seconds for a scroll-bar value in milliseconds, rounded to two decimals
// and written as the shortest decimal text: 1000 -> "1", 500 -> "0.5", 1234 -> "1.23".
std::string speedCaption(int milliseconds);

}  // namespace kelmaz
