#pragma once
// Between the font dialogs' plain font description and Qt's fonts.

#include "editor/logic/interaction.h"

#include <QFont>

namespace lumora::editor {

QFont toQFont(const FontDescription& description);
FontDescription toFontDescription(const QFont& font);

} // namespace lumora::editor
