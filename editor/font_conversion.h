#pragma once
// Between the font dialogs' plain font description and Qt's fonts.

#include "editor/logic/interaction.h"

#include <QFont>

namespace lumora::editor {

// The font a user chose, as chosen.
QFont toQFont(const FontDescription& description);
FontDescription toFontDescription(const QFont& font);
// A font the window was designed with, drawn with the installed face of its widths.
QFont designFont(std::string_view family, int pointSize);

} // namespace lumora::editor
