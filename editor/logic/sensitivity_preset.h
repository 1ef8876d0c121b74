#pragma once
// The sensitivity preset from the page's length after a page is opened: the track
// bar's position and its selection band. File, Open and recent entries 2 to 9 divide
// the length by 750, 1000 and 500; recent entry 1 has divisors of its own.

#include <cstddef>
#include <string>

namespace lumora::editor {

inline constexpr int kSensitivityMinimum = 0;
inline constexpr int kSensitivityMaximum = 25;

struct SensitivityPreset {
    int position = 0;       // already kept within the track bar's range
    int selectionStart = 0; // start of the selection band
    int selectionEnd = 0;   // end of the selection band
    bool operator==(const SensitivityPreset&) const = default;
};

// `pageLength` counts characters, each line break two (see pageTextLength).
SensitivityPreset sensitivityAfterOpen(size_t pageLength);
SensitivityPreset sensitivityAfterReopen(int entryNumber, size_t pageLength);

// The caption of Label2 for a track bar position.
std::string sensitivityCaption(int position);

// The report window's text after a page is loaded.
inline constexpr const char* kReadyForNewJob = "Ready for new job.";   // File, Open
inline constexpr const char* kReadyForNextJob = "Ready for next job."; // recent entry

} // namespace lumora::editor
