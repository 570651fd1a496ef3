#include <gtest/gtest.h>

#include <string>

#include "engine/BoardOptions.h"
#include "shell/SettingKeys.h"
#include "shell/StartupSettings.h"

namespace kelmaz {
namespace {

// Options that differ from the defaults in every field, and the defaults themselves: whatever
// is stored comes back as it was.
TEST(StoreOptions, EveryOptionReadsBackAsStored) {
    StoredOptions changed;
    changed.whiteTintIndex = 1;
    changed.numbersIndex = 0;
    changed.boardTintIndex = 2;
    changed.sizeIndex = 2;
    changed.speedMs = 2500;
    changed.digitLabels = false;
    changed.lowerLeftOrigin = true;
    changed.showCommentary = false;
    changed.openAtIndex = 1;
    for (const StoredOptions& options : {changed, StoredOptions{}}) {
        SettingsStore store;
        storeOptions(store, options);
        EXPECT_EQ(readStoredOptions(store), options);
        // The settings file's text carries them as well.
        SettingsStore reread;
        reread.parse(store.serialise());
        EXPECT_EQ(readStoredOptions(reread), options);
    }
}

TEST(StoreOptions, SpeedReadsBackAtEachEndOfTheRangeAndInHundredths) {
    for (const int ms : {100, 110, 990, 1000, 1010, 19990, 20000}) {
        StoredOptions options;
        options.speedMs = ms;
        SettingsStore store;
        storeOptions(store, options);
        EXPECT_EQ(readStoredOptions(store).speedMs, ms) << ms;
    }
}

// The exact texts the settings file holds, one row per key.
TEST(StoreOptions, StoredTextOfEachKey) {
    StoredOptions options;
    options.whiteTintIndex = 1;
    options.numbersIndex = 0;
    options.boardTintIndex = 2;
    options.sizeIndex = 1;
    options.speedMs = 1230;
    options.digitLabels = false;
    options.lowerLeftOrigin = true;
    options.showCommentary = false;
    options.openAtIndex = 1;
    SettingsStore changed;
    storeOptions(changed, options);
    SettingsStore defaults;
    storeOptions(defaults, StoredOptions{});

    struct Row {
        std::string_view key, changedText, defaultText;
    };
    const Row rows[] = {
        {"Ban", "1", "0"},    {"Baniro", "2", "0"},          {"Shiro", "1", "0"},
        {"Bangou", "0", "1"}, {"Speed", "1.23", "1"},        {"OS", "NT", "98"},
        {"Pnada", "1", "0"},  {"Kaisetu", "非表示", "表示"}, {"Hiraki", "1", "0"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(changed.read(row.key, "absent"), row.changedText) << row.key;
        EXPECT_EQ(defaults.read(row.key, "absent"), row.defaultText) << row.key;
    }
    // Nothing else is written: the main window's and other windows' keys stay as they were.
    EXPECT_EQ(changed.read(key::kPanelShown, "absent"), "absent");
    EXPECT_EQ(changed.read(key::kWidth, "absent"), "absent");
}

TEST(StoreOptions, KeepsTheOtherKeysOfTheTable) {
    SettingsStore store;
    store.parse("FileDir,/home/user/kifu\nBan,2\nTop,1200\n");
    storeOptions(store, StoredOptions{});
    EXPECT_EQ(store.read("FileDir", ""), "/home/user/kifu");
    EXPECT_EQ(store.read("Top", ""), "1200");
    EXPECT_EQ(store.read("Ban", ""), "0") << "a stored option is replaced, not added twice";
    EXPECT_EQ(store.serialise().find("Ban,2"), std::string::npos);
}

// Every option the settings window edits reaches the settings file: changed alone, it changes
// the stored form, and that form reads back from the file's text as it was written. The two
// defaults agree, so a fresh settings file holds what the window shows.
TEST(StoredOptionsOf, EveryEditedOptionIsStoredAndReadsBack) {
    EXPECT_EQ(storedOptions(BoardOptions{}), StoredOptions{});
    const std::pair<const char*, void (*)(BoardOptions&)> changes[] = {
        {"size", [](BoardOptions& o) { o.sizeIndex = 2; }},
        {"board tint", [](BoardOptions& o) { o.boardTintIndex = 2; }},
        {"white tint", [](BoardOptions& o) { o.whiteTintIndex = 1; }},
        {"numbers", [](BoardOptions& o) { o.showNumbers = true; }},
        {"labels", [](BoardOptions& o) { o.digitLabels = false; }},
        {"commentary", [](BoardOptions& o) { o.showCommentary = false; }},
        {"marks", [](BoardOptions& o) { o.showMarkup = false; }},
        {"UGF origin", [](BoardOptions& o) { o.ugfLowerLeftOrigin = true; }},
        {"speed", [](BoardOptions& o) { o.speedMs = 300; }},
        {"open at", [](BoardOptions& o) { o.openRecordsAtStart = true; }},
    };
    for (const auto& [name, change] : changes) {
        SCOPED_TRACE(name);
        BoardOptions options;
        change(options);
        const StoredOptions stored = storedOptions(options);
        EXPECT_NE(stored, StoredOptions{});
        SettingsStore store;
        storeOptions(store, stored);
        SettingsStore reread;
        reread.parse(store.serialise());
        EXPECT_EQ(readStoredOptions(reread), stored);
    }
}

}  // namespace
}  // namespace kelmaz
