#pragma once
// The location text each trapped procedure names in its "Application Error" report.

namespace TrapLocations {
inline constexpr const char* formLoad = "in Marrowby2021/08/31.Form1.Form_Load ";
inline constexpr const char* help = "in Marrowby2021/08/31.Form1.PushButton8_Click ";
inline constexpr const char* addEntry = "in Marrowby2021/08/31.Form1.PushButton6_Click ";
inline constexpr const char* clearList = "in Marrowby2021/08/31.Form1.PushButton1_Click ";
inline constexpr const char* loadSample = "in Marrowby2021/08/31.Form1.PushButton7_Click ";
inline constexpr const char* loadFromFile = "in Marrowby2021/08/31.Form1.PushButton3_Click ";
inline constexpr const char* dropFiles = "in Marrowby2021/08/31.Form1.Form_OLEDragDrop ";
inline constexpr const char* readListFile = "in Marrowby2021/08/31.SortBy.FileToListview ";
inline constexpr const char* startConverting = "in Marrowby2021/08/31.Form1.PushButton17_Click ";
inline constexpr const char* clearResults = "in Marrowby2021/08/31.Form1.PushButton2_Click ";
inline constexpr const char* saveAsText = "in Marrowby2021/08/31.Form1.PushButton4_Click ";
inline constexpr const char* writeAlignedText =
    "in Marrowby2021/08/31.Main.SaveListviewProperlySpaced ";
inline constexpr const char* saveAsExcel = "in Marrowby2021/08/31.Form1.PushButton13_Click ";
inline constexpr const char* copyToClipboard = "in Marrowby2021/08/31.Form1.PushButton5_Click ";
} // namespace TrapLocations
