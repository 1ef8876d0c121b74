#include "sensitivity_adjustment.h"

#include <algorithm>
#include <array>

namespace lumora::keywords {

std::string tooManyKeywordsText(size_t found, int sensitivity) {
    return "TO MANY KEYWORDS! Found " + std::to_string(found) + " keywords." + "\r\r" +
           "I will RASIE the Sensitivity to " + std::to_string(sensitivity + 1) +
           " and try again to find LESS Keywords.";
}

std::string tooFewKeywordsText(size_t found, int sensitivity) {
    return "LOW ON KEYWORDS! Found " + std::to_string(found) + " keywords." + "\r\r" +
           "I will LOWER the Sensitivity to " + std::to_string(sensitivity - 2) +
           " and try again to find MORE Keywords.";
}

std::optional<ScanRound> adjustSensitivity(const SensitivitySteps& steps) {
    // Every position this press has scanned at: an adjustment that returns to one of
    // them ends the adjusting instead of alternating for ever.
    std::array<bool, kMaxSensitivity + 1> scanned{};
    for (;;) {
        const std::optional<ScanRound> round = steps.scan();
        if (!round)
            return std::nullopt;
        const int sensitivity = std::clamp(round->sensitivity, 0, kMaxSensitivity);
        scanned[static_cast<size_t>(sensitivity)] = true;
        if (round->keywords > 11) {
            steps.message(tooManyKeywordsText(round->keywords, round->sensitivity));
            const int raised = std::min(sensitivity + 1, kMaxSensitivity);
            steps.setSensitivity(raised);
            if (sensitivity < kMaxSensitivity && !scanned[static_cast<size_t>(raised)])
                continue;
        }
        if (round->keywords < 4) {
            steps.message(tooFewKeywordsText(round->keywords, round->sensitivity));
            const int lowered = std::max(sensitivity - 2, 0);
            steps.setSensitivity(lowered);
            if (lowered > 0 && !scanned[static_cast<size_t>(lowered)])
                continue;
        }
        return round;
    }
}

} // namespace lumora::keywords
