#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "base/PadField.h"
#include "shell/SettingsStore.h"
#include "support/TestSupport.h"

namespace kelmaz {
namespace {

using Pairs = std::vector<std::pair<std::string, std::string>>;

TEST(SettingsStore, LookupAndUpdate) {
    SettingsStore store;
    EXPECT_EQ(store.ReadSetting("Kelmaz", "Startup", "Top", "200"), "200");
    store.WriteSetting("Kelmaz", "Startup", "Top", "350");
    store.WriteSetting("Other", "Section", "Left", "10");
    store.WriteSetting("Kelmaz", "Startup", "Top", "400");
    EXPECT_EQ(store.ReadSetting("Kelmaz", "Startup", "Top", "200"), "400");
    EXPECT_EQ(store.read("top", "x"), "x") << "keys compare case-sensitively";
    EXPECT_EQ(store.pairs(), (Pairs{{"Top", "400"}, {"Left", "10"}}));
}

TEST(SettingsStore, KeysBeyondTheThirtyFirstAreKeptAndWritten) {
    SettingsStore store;
    for (int i = 0; i < 40; ++i) store.write("K" + std::to_string(i), std::to_string(i));
    EXPECT_EQ(store.read("K31", "none"), "31");
    EXPECT_EQ(store.read("K39", "none"), "39");
    EXPECT_EQ(store.read("Absent", "dflt"), "dflt") << "a full table still gives the default";

    SettingsStore reread;
    reread.parse(store.serialise());
    EXPECT_EQ(reread.pairs().size(), 40u);
    EXPECT_EQ(reread.read("K39", "none"), "39");
}

TEST(SettingsStore, ParsesTheSequentialTextRules) {
    SettingsStore store;
    store.parse("Top, 1200\r\n  \"Path\" , \"/home/a b,c\"\nSpeed,0.5\rOS,98 \n");
    EXPECT_EQ(store.pairs(),
              (Pairs{{"Top", "1200"}, {"Path", "/home/a b,c"}, {"Speed", "0.5"}, {"OS", "98"}}));
}

TEST(SettingsStore, DamagedLinesArePassedOverAndTheRestKept) {
    SettingsStore store;
    const std::string huge(3 << 20, 'x');
    store.parse("Top,300\nno comma here\n,orphan value\n\nWidth," + huge + "\n" + huge +
                ",1\nLeft,\"unterminated\nBan,2,extra\nHeight");
    EXPECT_EQ(store.pairs(), (Pairs{{"Top", "300"}, {"Left", "unterminated"}, {"Ban", "2"}}));
}

TEST(SettingsStore, ValuesThatNeedQuotingSurviveARoundTrip) {
    SettingsStore store;
    store.write("Path", "/a,b/c");
    store.write("Pad", "  lead");
    store.write("Lines", "one\ntwo");
    store.write("Quote", "\"x");
    SettingsStore reread;
    reread.parse(store.serialise());
    EXPECT_EQ(reread.read("Path", ""), "/a,b/c");
    EXPECT_EQ(reread.read("Pad", ""), "  lead");
    EXPECT_EQ(reread.read("Lines", ""), "one two");
    EXPECT_EQ(reread.read("Quote", ""), "x");
    EXPECT_EQ(reread.pairs().size(), 4u);
}

TEST(SettingsStore, EmptyKeyIsNeverStored) {
    SettingsStore store;
    store.write("", "v");
    store.write("A", "1");
    EXPECT_EQ(store.read("A", ""), "1");
}

TEST(SettingsStore, SaveReplacesTheFileAndLoadReadsItBack) {
    test::TempDir dir;
    const auto file = dir.file("sub/kelmaz.ini");
    SettingsStore store;
    store.write("Top", "200");
    store.write("Kaisetu", "非表示");
    ASSERT_TRUE(store.save(file));
    EXPECT_EQ(test::readBytes(file), "Top,200\nKaisetu,非表示\n");
    store.write("Top", "300");
    ASSERT_TRUE(store.save(file));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(file.parent_path()), {}), 1)
        << "no temporary file is left behind";

    SettingsStore reread;
    ASSERT_TRUE(reread.load(file));
    EXPECT_EQ(reread.read("Top", ""), "300");
    EXPECT_EQ(reread.read("Kaisetu", ""), "非表示");
}

TEST(SettingsStore, UnwritableOrMissingFilesFailQuietly) {
    test::TempDir dir;
    SettingsStore store;
    store.write("A", "1");
    EXPECT_FALSE(store.load(dir.file("missing.ini")));
    EXPECT_EQ(store.read("A", "gone"), "gone") << "a failed load leaves the defaults";
    test::writeBytes(dir.file("blocker"), "file, not a folder");
    EXPECT_FALSE(store.save(dir.file("blocker") / "kelmaz.ini"));
}

// The settings file goes through the program's one safe write, which leaves a file the user
// made read-only alone even where a plain write would be allowed (as the superuser).
TEST(SettingsStore, SaveLeavesAReadOnlyFileAsItWas) {
    test::TempDir dir;
    const auto file = dir.file("kelmaz.ini");
    test::writeBytes(file, "Top,2\n");
    ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
    SettingsStore store;
    store.write("Top", "3");
    EXPECT_FALSE(store.save(file));
    EXPECT_EQ(test::readBytes(file), "Top,2\n");
}

// Each line is decoded on its own: UTF-8 where it is valid UTF-8, else as CP932 (a file in the
// Japanese Windows code page), so one damaged byte never changes how the other lines read.
TEST(SettingsStore, OneBadByteChangesOnlyItsOwnLine) {
    test::TempDir dir;
    test::writeBytes(dir.file("k.ini"),
                     "UserName,山田太郎\nBroken,ab\xFF\nKaisetu,非表示\r\nOld,\x95\x5C\x8E\xA6\n");
    SettingsStore store;
    ASSERT_TRUE(store.load(dir.file("k.ini")));
    EXPECT_EQ(store.read("UserName", ""), "山田太郎");
    EXPECT_EQ(store.read("Kaisetu", ""), "非表示");
    EXPECT_EQ(store.read("Old", ""), "表示");
    EXPECT_EQ(store.read("Broken", "").substr(0, 2), "ab") << "the damaged line is still read";
    // A byte-order mark is not part of the first key.
    test::writeBytes(dir.file("bom.ini"), "\xEF\xBB\xBFTop,5\nName,\xFF\n");
    ASSERT_TRUE(store.load(dir.file("bom.ini")));
    EXPECT_EQ(store.read("Top", ""), "5");
}

TEST(SettingsStore, ReadsFilesInOtherEncodings) {
    test::TempDir dir;
    // "Kaisetu,表示" as CP932, as UTF-16LE with a byte-order mark, and as binary garbage.
    test::writeBytes(dir.file("sjis.ini"), "Kaisetu,\x95\x5C\x8E\xA6\nTop,5\n");
    test::writeBytes(dir.file("utf16.ini"), std::string("\xFF\xFEK\0,\0"
                                                        "1\0\n\0",
                                                        10));
    test::writeBytes(dir.file("binary.ini"), std::string("\x00\xFF\xFE\x81,\x80\nTop,7\n", 13));
    SettingsStore store;
    ASSERT_TRUE(store.load(dir.file("sjis.ini")));
    EXPECT_EQ(store.read("Kaisetu", ""), "表示");
    EXPECT_EQ(store.read("Top", ""), "5");
    ASSERT_TRUE(store.load(dir.file("utf16.ini")));
    EXPECT_EQ(store.read("K", ""), "1");
    ASSERT_TRUE(store.load(dir.file("binary.ini")));
    EXPECT_EQ(store.read("Top", ""), "7");
}

TEST(SettingsLocation, EnvironmentOverridesAndFallbacks) {
    test::TempDir dir;
    const auto restore = [](const char* name, const char* old) {
        if (old)
            setenv(name, old, 1);
        else
            unsetenv(name);
    };
    const char* oldConfig = std::getenv("KELMAZ_CONFIG_DIR");
    const char* oldXdg = std::getenv("XDG_CONFIG_HOME");
    const std::string savedConfig = oldConfig ? oldConfig : "";
    const std::string savedXdg = oldXdg ? oldXdg : "";

    setenv("KELMAZ_CONFIG_DIR", dir.path().c_str(), 1);
    EXPECT_EQ(settingsFilePath("/usr/bin"), dir.path() / "kelmaz.ini");

    unsetenv("KELMAZ_CONFIG_DIR");
    EXPECT_EQ(settingsFolder(dir.path()), dir.path()) << "a writable program folder is used";
    setenv("XDG_CONFIG_HOME", "/xdg", 1);
    EXPECT_EQ(settingsFolder("/nonexistent/folder"), std::filesystem::path("/xdg/kelmaz"));
    setenv("XDG_CONFIG_HOME", "relative", 1);
    EXPECT_EQ(settingsFolder("/nonexistent/folder").filename(), "kelmaz");
    EXPECT_EQ(settingsFolder("/nonexistent/folder").parent_path().filename(), ".config");

    restore("KELMAZ_CONFIG_DIR", oldConfig ? savedConfig.c_str() : nullptr);
    restore("XDG_CONFIG_HOME", oldXdg ? savedXdg.c_str() : nullptr);
}

TEST(PadField, RightAlignsOrCuts) {
    EXPECT_EQ(PadField(7, 2), " 7");
    EXPECT_EQ(PadField(19, 2), "19");
    EXPECT_EQ(PadField(123, 2), "12");
    EXPECT_EQ(PadField("a", 2), " a");
    EXPECT_EQ(PadField(-5, 3), " -5");
}

}  // namespace
}  // namespace kelmaz
