#include "audit/length_chart.h"

#include <algorithm>

namespace lumora::audit {
namespace {

constexpr int kWidth = 560;
constexpr int kHeight = 170;
constexpr int kLeft = 36;
constexpr int kRight = 14;
constexpr int kTop = 16;
constexpr int kBottom = 24;

size_t roundWidth(size_t rough) {
    for (size_t scale = 1;; scale *= 10)
        for (const size_t step : {1, 2, 5})
            if (step * scale >= rough)
                return step * scale;
}

std::string num(double value) {
    // One decimal is plenty at this size and keeps the markup short.
    const long tenths = static_cast<long>(value * 10 + 0.5);
    std::string text = std::to_string(tenths / 10);
    if (tenths % 10)
        text += "." + std::to_string(tenths % 10);
    return text;
}

} // namespace

LengthBands lengthBands(const std::vector<size_t>& lengths, size_t min, size_t max) {
    LengthBands bands;
    bands.width = roundWidth(std::max<size_t>(1, (max + 11) / 12));
    const size_t end = std::max<size_t>(1, (max * 3 / 2 + bands.width - 1) / bands.width);
    bands.counts.assign(end + 1, 0);
    bands.outside.assign(end + 1, 0);
    for (const size_t length : lengths) {
        const size_t band = std::min(length / bands.width, end);
        ++bands.counts[band];
        if (length < min || length > max)
            ++bands.outside[band];
    }
    return bands;
}

std::string lengthChartSvg(std::string_view id, std::string_view what,
                           const std::vector<size_t>& lengths, size_t min, size_t max) {
    const LengthBands bands = lengthBands(lengths, min, max);
    const size_t most =
        std::max<size_t>(1, *std::max_element(bands.counts.begin(), bands.counts.end()));
    const double plotWidth = kWidth - kLeft - kRight;
    const double plotHeight = kHeight - kTop - kBottom;
    const double bandWidth = plotWidth / static_cast<double>(bands.counts.size());
    const double perChar = bandWidth / static_cast<double>(bands.width);
    const double base = kTop + plotHeight;
    const size_t endChars = (bands.counts.size() - 1) * bands.width;

    std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" class=\"chart\" id=\"" +
                      std::string(id) + "\" width=\"" + num(kWidth) + "\" height=\"" +
                      num(kHeight) + "\" viewBox=\"0 0 " + num(kWidth) + " " + num(kHeight) +
                      "\" role=\"img\" style=\"color:transparent\" aria-label=\"" +
                      std::string(what) + ": pages per band of " + std::to_string(bands.width) +
                      " characters, limits " + std::to_string(min) + " and " + std::to_string(max) +
                      "\">\n";
    svg += "<line x1=\"" + num(kLeft) + "\" y1=\"" + num(base) + "\" x2=\"" + num(kWidth - kRight) +
           "\" y2=\"" + num(base) + "\" stroke=\"#444\"/>\n";
    const auto bar = [&](size_t band, size_t from, size_t count, const char* colour) {
        const double bottom =
            base - plotHeight * static_cast<double>(from) / static_cast<double>(most);
        const double height = plotHeight * static_cast<double>(count) / static_cast<double>(most);
        svg += "<rect class=\"bar\" x=\"" + num(kLeft + bandWidth * static_cast<double>(band) + 1) +
               "\" y=\"" + num(bottom - height) + "\" width=\"" +
               num(std::max(1.0, bandWidth - 2)) + "\" height=\"" + num(height) + "\" fill=\"" +
               colour + "\"/>\n";
    };
    // Pages within the limits at the foot of each bar, those outside stacked on top.
    for (size_t i = 0; i < bands.counts.size(); ++i) {
        const size_t inside = bands.counts[i] - bands.outside[i];
        if (inside > 0)
            bar(i, 0, inside, "#3c78b4");
        if (bands.outside[i] > 0)
            bar(i, inside, bands.outside[i], "#d9822b");
    }
    // A limit sits between lengths: `min` is the first length that reads well, `max` the last.
    for (const auto& [label, at] : {std::pair{min, min}, std::pair{max, max + 1}}) {
        const double x = kLeft + perChar * static_cast<double>(std::min(at, endChars));
        svg += "<line class=\"limit\" x1=\"" + num(x) + "\" y1=\"" + num(kTop - 4) + "\" x2=\"" +
               num(x) + "\" y2=\"" + num(base + 4) +
               "\" stroke=\"#c00\" stroke-width=\"1.5\" stroke-dasharray=\"5 3\"/>\n";
        svg += "<text class=\"limit\" x=\"" + num(x) + "\" y=\"" + num(kTop - 6) +
               "\" font-size=\"11\" text-anchor=\"middle\" fill=\"#c00\">" + std::to_string(label) +
               " </text>\n";
    }
    const auto axisLabel = [&](double x, const std::string& text, const char* anchor) {
        svg += "<text x=\"" + num(x) + "\" y=\"" + num(kHeight - 8) +
               "\" font-size=\"11\" text-anchor=\"" + anchor + "\" fill=\"#444\">" + text +
               " </text>\n";
    };
    axisLabel(kLeft, "0", "start");
    axisLabel(kWidth - kRight, std::to_string(endChars) + "+ characters", "end");
    svg += "<text x=\"" + num(kLeft - 4) + "\" y=\"" + num(kTop + 10) +
           "\" font-size=\"11\" text-anchor=\"end\" fill=\"#444\">" + std::to_string(most) +
           " </text>\n";
    svg += "</svg>\n";
    return svg;
}

} // namespace lumora::audit
