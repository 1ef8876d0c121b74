#pragma once
// The scan's own steering of the sensitivity: a scan that finds too many keywords
// (12 or more) raises it by one, too few (3 or fewer) lowers it by two, and the page
// is scanned again, until the count fits, the end of the range is reached or the
// press comes back to a sensitivity it has already scanned at.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace lumora::keywords {

inline constexpr int kMaxSensitivity = 25;

struct ScanRound {
    int sensitivity = 0; // the position the round scanned at
    size_t keywords = 0; // how many it found
};

struct SensitivitySteps {
    // One scan at the current position; nothing when the scan stopped, which ends
    // the adjusting with it.
    std::function<std::optional<ScanRound>()> scan;
    std::function<void(const std::string& text)> message;
    std::function<void(int position)> setSensitivity;
};

// The messages, with numbers from the position before it moves (so 26 or -1 can
// show).
std::string tooManyKeywordsText(size_t found, int sensitivity);
std::string tooFewKeywordsText(size_t found, int sensitivity);

// Runs scans until one settles; returns that last round, or nothing when a scan
// stopped.
std::optional<ScanRound> adjustSensitivity(const SensitivitySteps& steps);

} // namespace lumora::keywords
