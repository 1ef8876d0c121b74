#pragma once
// Automatic and manual mode as control states, the sensitivity label, and when the
// set-up group covers the keyword lists. Plain data: the window applies the result.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace lumora::keywords {

enum class KeywordMode { Automatic, Manual };

// TrackBar1's range and starting position.
inline constexpr int kSensitivityMin = 0;
inline constexpr int kSensitivityMax = 25;
inline constexpr int kSensitivityAtStart = 5;

// What choosing a mode sets. Choosing either mode also empties ListBox3 and ListBox4
// and shows GroupBox2.
struct ModeControls {
    bool manualStepsEnabled;       // Button5, SpeedButton1, Button6
    bool fullAutoEnabled;          // BitBtn1FullAuto
    bool hidesPanel1;              // manual mode leaves Panel1 as it is
    std::string_view groupCaption; // GroupBox2
    std::string_view info;         // Label3_InfoBox
};

ModeControls modeControls(KeywordMode mode);

// Label2's text for a slider position.
std::string sensitivityCaption(int position);

// While GroupBox2 is visible it covers these controls, so the keyword lists and their
// buttons cannot be used.
inline constexpr std::array<std::string_view, 6> kCoveredByGroupBox2 = {
    "ListBox4", "Panel1", "ListBox3", "Button4", "Button3", "SpeedButt_delete"};

// Whether GroupBox2 shows after a manual-mode scan found `keywordsFound` keywords:
// nothing found covers the lists, more than 2 uncover them, 1 or 2 leave it as it was.
bool groupBox2VisibleAfterManualScan(std::size_t keywordsFound, bool visibleBefore);

} // namespace lumora::keywords
