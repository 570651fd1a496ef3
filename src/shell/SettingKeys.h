#pragma once
// The names under which the settings file keeps each value, and the texts of the values that
// are not plain numbers. Every reader and writer of the settings table uses these names.
#include <string_view>

namespace kelmaz::key {

// Board options (the settings window).
inline constexpr std::string_view kBoardSize = "Ban";       // option index: 19, 13, 9 lines
inline constexpr std::string_view kBoardTint = "Baniro";    // option index
inline constexpr std::string_view kWhiteTint = "Shiro";     // option index
inline constexpr std::string_view kNumbers = "Bangou";      // 0 shows the move numbers
inline constexpr std::string_view kSpeed = "Speed";         // replay seconds, decimal text
inline constexpr std::string_view kLabels = "OS";           // kDigitLabels or kLetterLabels
inline constexpr std::string_view kUgfOrigin = "Pnada";     // 1: lower left corner
inline constexpr std::string_view kCommentary = "Kaisetu";  // kShown or kHidden
inline constexpr std::string_view kOpenAt = "Hiraki";       // 0 last move, 1 move 0
inline constexpr std::string_view kMarks = "Kigou";         // 0 shows labels and marks
inline constexpr std::string_view kDigitLabels = "98";
inline constexpr std::string_view kLetterLabels = "NT";
inline constexpr std::string_view kShown = "表示";
inline constexpr std::string_view kHidden = "非表示";

// The main window: place and size in twips, and whether its control panel shows ("1"/"0").
inline constexpr std::string_view kTop = "Top";
inline constexpr std::string_view kLeft = "Left";
inline constexpr std::string_view kWidth = "Width";
inline constexpr std::string_view kHeight = "Height";
inline constexpr std::string_view kPanelShown = "dispCont";

// The tree window: place and size in twips.
inline constexpr std::string_view kTreeTop = "nTop";
inline constexpr std::string_view kTreeLeft = "nLeft";
inline constexpr std::string_view kTreeWidth = "nWidth";
inline constexpr std::string_view kTreeHeight = "nHeight";

// The file window: the folder, file name and file pattern last used.
inline constexpr std::string_view kFileDrive = "Drive";
inline constexpr std::string_view kFileFolder = "Dir";
inline constexpr std::string_view kFileName = "File";
inline constexpr std::string_view kFilePattern = "FileP";

// The match window: the peer's address last typed and the port to listen on.
inline constexpr std::string_view kMatchAddress = "Tcpip";
inline constexpr std::string_view kMatchPort = "Port";

}  // namespace kelmaz::key
