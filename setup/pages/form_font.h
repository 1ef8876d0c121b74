#pragma once
// Stored font and colour properties of the kit's visual components ("Font.Name",
// "AppFont.Style", "StartColor" = clBlue or a number in blue-green-red order).

#include "setup/form/form_component.h"

#include <QColor>
#include <QFont>
#include <string_view>

namespace setupkit {

// A colour identifier (clBlack, clBlue, ...) or an integer $00BBGGRR. Throws
// ESetupError for anything else.
QColor formColor(const form::FormProperty& property);

// Applies "<prefix>.Name", ".Height" (negative: pixels), ".Size" (points), ".Style",
// ".Color" and ".Charset" (ignored); false for another property name.
bool applyFontProperty(std::string_view prefix, const form::FormProperty& property, QFont& font,
                       QColor& color);

} // namespace setupkit
