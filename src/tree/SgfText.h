#pragma once
// Whole-text operations of the tree model: trimming a file's text to its game tree, reducing
// it to the nodes that place stones, the syntax check, and the move string of a line of play.
#include <string>
#include <string_view>
#include <vector>

namespace kelmaz {

// The text from the first "(;" to the last ")" that closes something; "" when there is none.
std::string CutYobunData(std::string_view s);

// Text-order numbers (1-based, every node counted) of the nodes a reduced view keeps: those
// that hold a B, W, AB or AW property, and the first node when it holds a comment (the
// record's introduction, shown before the first move).
std::vector<int> shownNodeNumbers(std::string_view s);

// Keeps the nodes shownNodeNumbers names; a dropped node loses its ";" and its properties,
// every "(" and ")" stays, and a group left without any node is removed.
std::string Stripdata(std::string_view s);

// The first syntax fault of s (trimmed) as the message to show, or "" when there is none.
std::string Checkg(std::string_view s);

// Appends the 5-character tokens ("B[pd]") of one stone property value to out. A move whose
// value is not a point becomes a pass, "B[tt]"; a setup list entry "aa:cc" stands for every
// point of that rectangle; a setup value that is not a point adds nothing.
void appendStoneTokens(std::string_view name, std::string_view rawValue, std::string& out);

// The move string of the first line of play in s3, up to its first ")": setup stones and moves
// in text order, as 5-character tokens.
std::string GetMainpath(std::string_view s3);

// The move string of every stone property in s (no stop at ")").
std::string MovesOf(std::string_view s);

}  // namespace kelmaz
