#include "sensitivity_preset.h"

#include <algorithm>
#include <limits>

namespace lumora::editor {

namespace {

int quotient(size_t length, size_t divisor) {
    return static_cast<int>(
        std::min<size_t>(length / divisor, static_cast<size_t>(std::numeric_limits<int>::max())));
}

SensitivityPreset preset(size_t length, size_t positionDivisor, size_t startDivisor,
                         size_t endDivisor) {
    return {std::clamp(quotient(length, positionDivisor), kSensitivityMinimum, kSensitivityMaximum),
            quotient(length, startDivisor), quotient(length, endDivisor)};
}

} // namespace

SensitivityPreset sensitivityAfterOpen(size_t pageLength) {
    return preset(pageLength, 750, 1000, 500);
}

SensitivityPreset sensitivityAfterReopen(int entryNumber, size_t pageLength) {
    return entryNumber == 1 ? preset(pageLength, 600, 850, 350) : sensitivityAfterOpen(pageLength);
}

std::string sensitivityCaption(int position) {
    return "Sensitivity " + std::to_string(position);
}

} // namespace lumora::editor
