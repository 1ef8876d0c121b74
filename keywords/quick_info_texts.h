#pragma once
// The settings panel's fixed texts: what the quick-info box says for each control,
// the captions of the set-up group, and the noise filter's and Combine's messages.

#include <string_view>

namespace lumora::keywords {

// Label3_InfoBox after a mode is chosen.
inline constexpr std::string_view kAutomaticModeInfo =
    "This will automatically find your key words then create title and all meta tags.";
inline constexpr std::string_view kManualModeInfo =
    "Sort and combine Keywords for the custom results. Click Find Keywords to use.";

// Label3_InfoBox after the sensitivity label is clicked.
inline constexpr std::string_view kSensitivityInfo =
    "How many times a word needs to repeat to become a Key Word.";

// Label3_InfoBox after the noise filter is switched on or off.
inline constexpr std::string_view kFilterOnInfo =
    "Filter out noise words: A, AND, THE, IT, and html like: HFRF, CENTER, IMG, BR...";
inline constexpr std::string_view kFilterOffInfo =
    "Filters noise words like: A, AND, THE, IT, and html like: HFRF, IMG, AMP.";

// GroupBox2's caption in each mode.
inline constexpr std::string_view kAutomaticGroupCaption = "Automatic Set Up";
inline constexpr std::string_view kManualGroupCaption = "Manual Set Up";

// Label2 reads this followed by the slider position.
inline constexpr std::string_view kSensitivityPrefix = "Sensitivity ";

// Combine pressed while the top item of the found list is not selected.
inline constexpr std::string_view kCombineNeedsTopSelected =
    "To combine words, the top items must be selected. Ues Move Up button.";

// The noise-word list beside the program, and what start-up says when it is missing.
inline constexpr std::string_view kFilterFileName = "html_filter.txt";
inline constexpr std::string_view kFilterMissingAtStartup =
    "Cant find html_filter.txt! Please put in current directory.";

} // namespace lumora::keywords
