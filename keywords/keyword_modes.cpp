#include "keywords/keyword_modes.h"

#include "keywords/quick_info_texts.h"

namespace lumora::keywords {

ModeControls modeControls(KeywordMode mode) {
    if (mode == KeywordMode::Automatic)
        return {.manualStepsEnabled = false,
                .fullAutoEnabled = true,
                .hidesPanel1 = true,
                .groupCaption = kAutomaticGroupCaption,
                .info = kAutomaticModeInfo};
    return {.manualStepsEnabled = true,
            .fullAutoEnabled = false,
            .hidesPanel1 = false,
            .groupCaption = kManualGroupCaption,
            .info = kManualModeInfo};
}

std::string sensitivityCaption(int position) {
    return std::string(kSensitivityPrefix) + std::to_string(position);
}

bool groupBox2VisibleAfterManualScan(std::size_t keywordsFound, bool visibleBefore) {
    if (keywordsFound == 0)
        return true;
    if (keywordsFound > 2)
        return false;
    return visibleBefore;
}

} // namespace lumora::keywords
