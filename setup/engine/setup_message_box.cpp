#include "setup/engine/setup_message_box.h"

#include "setup/engine/message_box_types.h"

#include <algorithm>
#include <array>

namespace setupkit {
namespace {

struct ButtonKind {
    unsigned member;
    int captionText;
    int result;
};

// Placement order: All comes before Ignore.
constexpr std::array<ButtonKind, 9> ButtonKinds = {{
    {mbYes, 15, mrYes},
    {mbNo, 16, mrNo},
    {mbOK, 17, mrOk},
    {mbCancel, 11, mrCancel},
    {mbAbort, 18, mrAbort},
    {mbRetry, 12, mrRetry},
    {mbAll, 14, mrAll},
    {mbIgnore, 13, mrIgnore},
    {mbHelp, 19, mrNone},
}};

const ButtonKind* findButtonKind(unsigned member) {
    for (const ButtonKind& kind : ButtonKinds)
        if (kind.member == member)
            return &kind;
    return nullptr;
}

// 80 % of a non-negative extent, rounded to the nearest pixel.
int eightyPercent(int extent) {
    return (extent * 8 + 5) / 10;
}

} // namespace

std::vector<unsigned> orderedButtonMembers(unsigned buttons) {
    std::vector<unsigned> members;
    for (const ButtonKind& kind : ButtonKinds)
        if (buttons & kind.member)
            members.push_back(kind.member);
    if (members.empty())
        members.push_back(mbOK);
    return members;
}

int resultOfButton(unsigned member) {
    const ButtonKind* kind = findButtonKind(member);
    return kind ? kind->result : mrNone;
}

int captionTextOf(unsigned member) {
    const ButtonKind* kind = findButtonKind(member);
    return kind ? kind->captionText : -1;
}

int titleTextOf(int kind) {
    switch (kind) {
    case mtWarning:
        return 21;
    case mtError:
        return 22;
    case mtInformation:
        return 24;
    case mtConfirmation:
        return 23;
    default:
        return -1;
    }
}

std::vector<std::string> memoLines(std::string_view text) {
    std::vector<std::string> lines(1);
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            lines.emplace_back();
        } else {
            lines.back() += c;
        }
    }
    return lines;
}

MessageBoxMetrics MessageBoxMetrics::fixedPitch() {
    MessageBoxMetrics metrics;
    metrics.screenWidth = 1024;
    metrics.screenHeight = 768;
    metrics.fullScreenClientWidth = 1024;
    metrics.fullScreenClientHeight = 749;
    metrics.borderWidth = 1;
    metrics.borderHeight = 1;
    metrics.captionHeight = 19;
    metrics.textHeight = 15;
    metrics.textWidth = [](std::string_view line) {
        // One step per character: UTF-8 continuation bytes do not count.
        int characters = 0;
        for (const char c : line)
            if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
                ++characters;
        return characters * 7;
    };
    return metrics;
}

MessageBoxGeometry layoutSetupMessageBox(std::string_view memoText, int buttonCount,
                                         const MessageBoxMetrics& metrics) {
    const std::vector<std::string> lines = memoLines(memoText);
    MessageBoxGeometry geometry;

    int w = 0;
    for (const std::string& line : lines)
        w = std::max(w, metrics.textWidth ? metrics.textWidth(line) : 0);
    // Widened for the buttons, never narrowed below the text.
    if (w < buttonCount * MessageBoxButtonPitch + 10)
        w = std::max(w, buttonCount * MessageBoxButtonPitch - 8);
    w = std::min(w, eightyPercent(metrics.fullScreenClientWidth));
    geometry.memoTextWidth = w;
    geometry.clientWidth = w + MessageBoxIconWidth + 10 + metrics.memoMarginWidth;
    geometry.width = 2 * metrics.borderWidth + geometry.clientWidth;

    // Integer division truncates toward zero, also when the buttons are wider than the panel.
    const int start = (geometry.clientWidth - buttonCount * MessageBoxButtonPitch) / 2;
    for (int i = 0; i < buttonCount; ++i)
        geometry.buttonLefts.push_back(start + i * MessageBoxButtonPitch);

    const int h = std::min(static_cast<int>(lines.size()) * metrics.textHeight,
                           eightyPercent(metrics.fullScreenClientHeight));
    geometry.memoTextHeight = h;
    geometry.height = metrics.captionHeight + h + metrics.borderHeight + MessageBoxPanelHeight +
                      10 + metrics.memoMarginHeight;
    geometry.clientHeight = geometry.height - metrics.captionHeight - 2 * metrics.borderHeight;

    geometry.left = (metrics.screenWidth - geometry.width) / 2;
    geometry.top = (metrics.screenHeight - geometry.height) / 2;
    return geometry;
}

} // namespace setupkit
