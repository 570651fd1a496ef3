#pragma once
// Text encodings of record files, pages and the clipboard. Every file is decoded whole into
// UTF-8 before anything scans it, so that a trail byte of a two-byte character (0x5C, 0x5D in
// CP932) can never be mistaken for a backslash or a closing bracket. Nothing is dropped: a
// byte that cannot be decoded becomes U+FFFD.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelmaz {

struct DecodedText {
    std::string text;     // UTF-8, without a byte-order mark
    std::string charset;  // the charset that decided ("UTF-8", "UTF-16LE", "CP932", a CA name)
};

// Decodes a whole file: a byte-order mark decides; else a CA[...] property naming a charset
// iconv knows; else bytes that are valid UTF-8; else CP932 when it decodes every byte; else
// the charset a detector (uchardet) finds, or CP932 when it finds none.
DecodedText decodeRecordBytes(std::string_view bytes);

// True when decoding replaced some bytes with U+FFFD.
bool holdsReplacementCharacter(std::string_view utf8);

// Decodes bytes in a named charset; undecodable bytes become U+FFFD. An unknown charset is
// treated as UTF-8.
std::string decodeWithCharset(std::string_view bytes, std::string_view charset);

// Converts UTF-8 text into a charset; nothing when iconv does not know the charset or some
// character has no form in it.
std::optional<std::string> encodeForCharset(std::string_view utf8, std::string_view charset);

// Converts a record's UTF-8 text for writing into the charset its CA property declares:
// nothing when the declaration is empty or unknown, when the charset does not write ASCII as
// ASCII (a reader could not find the CA property again), or when some character does not fit.
// The caller then writes UTF-8 and declares CA[UTF-8].
std::optional<std::string> encodeForDeclaredCharset(std::string_view utf8,
                                                    std::string_view declared);

// Decodes a file of short independent lines, as the settings and address files are, which the
// program writes in UTF-8: a UTF-16 byte-order mark decides for the whole file; otherwise each
// line is decoded on its own, UTF-8 where it is valid UTF-8, else CP932 (a file written in the
// Japanese Windows code page), so one damaged byte never changes how the other lines read.
// Lines end at CR LF, LF or CR and come back ended by LF.
std::string decodeLineByLine(std::string_view bytes);

// True when a line break (CR, LF, CR LF or LF CR) starts at text[i]. On a pair, i is moved
// onto its second character, so that the caller's next step passes the whole break: a file
// whose lines end in LF CR has no empty line between each two, and an SGF soft line break
// written as "\" + LF CR stays one break.
bool takeLineBreak(std::string_view text, std::size_t& i);

// Appends text to out with every line break in it written as CR LF.
void appendWithCrLfBreaks(std::string& out, std::string_view text);

// Splits text into lines at CR LF, LF or CR; the line ends are not kept. A final line end does
// not open an empty last line.
std::vector<std::string> splitLines(std::string_view text);

// The name to hand to iconv for a charset as records spell it: every Shift_JIS alias means
// CP932; other names are trimmed and kept. Empty when the name is empty.
std::string iconvCharsetName(std::string_view name);
bool charsetKnown(std::string_view name);

bool isValidUtf8(std::string_view bytes);
// Replaces every byte that is not part of a well-formed UTF-8 sequence with U+FFFD.
std::string sanitizeUtf8(std::string_view bytes);

// The value of the first CA[...] property in raw bytes (trimmed), or empty.
std::string findCharsetProperty(std::string_view bytes);

}  // namespace kelmaz
