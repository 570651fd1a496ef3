#include <gtest/gtest.h>

#include "base/TextCodec.h"
#include "support/TestSupport.h"

namespace kelmaz {
namespace {

// 表 in CP932 is 95 5C, ソ is 83 5C, 能 is 94 5C, ゾ is 83 5D.
const std::string kSjisHyou = "\x95\x5C";
const std::string kSjisSo = "\x83\x5C";
const std::string kSjisZo = "\x83\x5D";

TEST(TextCodec, DecidesByByteOrderMarkFirst) {
    const std::string utf16le("\xFF\xFE(\0;\0C\0A\0[\0x\0]\0)\0", 18);
    const DecodedText le = decodeRecordBytes(utf16le);
    EXPECT_EQ(le.text, "(;CA[x])");
    EXPECT_EQ(le.charset, "UTF-16LE");

    const std::string utf16be("\xFE\xFF\0(\0;\x30\x42\0)", 10);
    EXPECT_EQ(decodeRecordBytes(utf16be).text, "(;あ)");

    // A UTF-8 mark wins over a CA property that names another charset.
    const DecodedText bom = decodeRecordBytes("\xEF\xBB\xBF(;CA[Shift_JIS]C[あ])");
    EXPECT_EQ(bom.text, "(;CA[Shift_JIS]C[あ])");
}

TEST(TextCodec, CharsetPropertyDecidesWithShiftJisAliasesAsCp932) {
    for (const char* alias : {"Shift_JIS", "SJIS", "MS_Kanji", "windows-31j", "cp932"}) {
        const std::string bytes = std::string("(;CA[") + alias + "]C[" + kSjisHyou + "])";
        const DecodedText decoded = decodeRecordBytes(bytes);
        EXPECT_EQ(decoded.charset, "CP932") << alias;
        EXPECT_EQ(decoded.text, std::string("(;CA[") + alias + "]C[表])") << alias;
    }
    // Latin-1 declared: é is one byte E9.
    EXPECT_EQ(decodeRecordBytes("(;CA[ISO-8859-1]C[caf\xE9])").text, "(;CA[ISO-8859-1]C[café])");
    // A CA inside a longer property name does not count; an unknown charset falls through.
    EXPECT_EQ(findCharsetProperty("(;XCA[latin1]CA[UTF-8])"), "UTF-8");
    EXPECT_EQ(decodeRecordBytes("(;CA[no-such-charset]C[ü])").charset, "UTF-8");
}

TEST(TextCodec, UndeclaredBytesAreUtf8WhenValidElseCp932) {
    EXPECT_EQ(decodeRecordBytes("(;C[日本])").charset, "UTF-8");
    const DecodedText sjis = decodeRecordBytes("(;C[" + kSjisSo + kSjisZo + "])");
    EXPECT_EQ(sjis.charset, "CP932");
    EXPECT_EQ(sjis.text, "(;C[ソゾ])");
    // NEC and IBM extensions map as Windows maps them; 0x5C alone stays a backslash.
    EXPECT_EQ(decodeRecordBytes("\x87\x40\\\xFA\x40").text, "①\\ⅰ");
}

// Neither UTF-8 nor clean CP932: read in the charset the detector finds, not as CP932 garbage
// ("créé" became "cr鳬").
TEST(TextCodec, UndeclaredFilesInOtherCharsetsAreDetectedNotReadAsCp932) {
    const struct {
        const char* file;
        const char* holds;
    } rows[] = {{"gbk", "PB[黑棋选手]"},
                {"big5", "PB[黑棋選手]"},
                {"euc-jp", "PB[山田太郎]"},
                {"euc-kr", "PB[김철수]"},
                {"latin-1", "C[Partie créée pour l'essai."}};
    for (const auto& row : rows) {
        const std::string file = std::string("handmade/sgf-") + row.file + "-without-ca.sgf";
        const DecodedText decoded = decodeRecordBytes(test::readBytes(test::dataFile(file)));
        EXPECT_NE(decoded.text.find(row.holds), std::string::npos) << file << decoded.charset;
        EXPECT_FALSE(holdsReplacementCharacter(decoded.text)) << file;
    }
}

TEST(TextCodec, UndecodableBytesBecomeReplacementCharactersNeverDropped) {
    // A truncated lead byte at the end, and a lone invalid byte in the middle.
    const DecodedText cut = decodeRecordBytes(
        "A\x95\x5C"
        "B\x81");
    EXPECT_EQ(cut.text, "A表B\xEF\xBF\xBD");
    EXPECT_EQ(decodeWithCharset("a\xFF"
                                "b",
                                "CP932"),
              "a\xEF\xBF\xBD"
              "b");
    // Declared UTF-8 with a stray Latin-1 byte keeps every other character.
    EXPECT_EQ(decodeRecordBytes("(;CA[UTF-8]C[caf\xE9!])").text, "(;CA[UTF-8]C[caf\xEF\xBF\xBD!])");
    EXPECT_EQ(sanitizeUtf8("\xED\xA0\x80"), "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(TextCodec, SplitsLinesAtEveryKindOfLineEnd) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(splitLines("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(splitLines("a\r\n\r\nb\r\n"), (Lines{"a", "", "b"}));
    EXPECT_EQ(splitLines("\r\r"), (Lines{"", ""}));
    EXPECT_EQ(splitLines("a\n\rb\n\r\n\rc"), (Lines{"a", "b", "", "c"}));
    EXPECT_EQ(splitLines("\n\n\r"), (Lines{"", ""}));
    EXPECT_EQ(splitLines(""), Lines{});
}

TEST(TextCodec, EncodesOnlyWhenEveryCharacterFits) {
    EXPECT_EQ(encodeForCharset("表ソ\\]", "Shift_JIS"), kSjisHyou + kSjisSo + "\\]");
    EXPECT_EQ(encodeForCharset("①", "SJIS"), std::string("\x87\x40"));
    EXPECT_FALSE(encodeForCharset("한국", "CP932"));
    EXPECT_FALSE(encodeForCharset("x", "no-such-charset"));
    EXPECT_FALSE(encodeForCharset("x", ""));
    EXPECT_EQ(encodeForCharset("é", "UTF-8"), std::string("é"));
}

TEST(TextCodec, WritesInTheDeclaredCharsetOnlyWhenAReaderCanFindItAgain) {
    EXPECT_EQ(encodeForDeclaredCharset("CA[SJIS]C[表]", "SJIS"), "CA[SJIS]C[" + kSjisHyou + "]");
    EXPECT_FALSE(encodeForDeclaredCharset("CA[SJIS]C[한]", "SJIS"));
    EXPECT_FALSE(encodeForDeclaredCharset("CA[]", ""));
    // UTF-16 hides "CA[" from a byte scan, so it is never used for writing.
    EXPECT_FALSE(encodeForDeclaredCharset("CA[UTF-16]", "UTF-16"));
}

}  // namespace
}  // namespace kelmaz
