#pragma once
// Finds texts that the user cannot read whole: every visible widget that shows text
// is measured with the font it really uses and the style's own contents rectangle,
// clipped by its parents. A scroll bar shown on a one-line text counts as well.

#include <QString>

#include <string>
#include <vector>

class QWidget;

namespace lumora::testing {

struct ClippedText {
    QString widget; // object name, or the class name when it has none
    QString text;
    QString reason; // e.g. "needs 120x13, has 112x13"
};

// Checks `root` and its visible descendants. `root` must be shown.
std::vector<ClippedText> clippedTexts(QWidget* root);

// One line per clipped text, for a test's failure message.
std::string describe(const std::vector<ClippedText>& clipped);

// Shows `window` offscreen, lets its layout settle and checks it; the findings are
// also added to the process's running count.
std::vector<ClippedText> checkShownLayout(QWidget* window);
int clippedTextCount();

} // namespace lumora::testing
