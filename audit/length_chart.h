#pragma once
// A small histogram of tag lengths across a site as inline SVG: pages per band of
// characters, the part of each bar that lies outside the limits in another colour and
// the two limits marked by dashed lines. Numbers only, so nothing in it needs escaping.
// Viewers that draw no SVG show its labels as text: they get them in transparent ink,
// which the chart's own fill colours override where SVG is drawn.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lumora::audit {

struct LengthBands {
    size_t width = 1;            // characters per band
    std::vector<size_t> counts;  // pages per band; the last one holds every longer length
    std::vector<size_t> outside; // of those, the pages outside [min, max]
};

// Bands of a round width reaching half as far again as `max`.
LengthBands lengthBands(const std::vector<size_t>& lengths, size_t min, size_t max);

// `id` names the <svg> element; `what` ("title lengths") goes into its label.
std::string lengthChartSvg(std::string_view id, std::string_view what,
                           const std::vector<size_t>& lengths, size_t min, size_t max);

} // namespace lumora::audit
