#pragma once
// The program's icon for its windows: the PNG images the build makes of Lumora.ico,
// found beside the program (Lumora.png, which setup installs, and the desktop sizes
// under icons/hicolor in the build tree), else the icon theme's "lumora", which the
// package installs.

#include <QIcon>

namespace lumora::editor {

// A null icon when no image lies beside the program and the theme has none.
QIcon programIcon();

} // namespace lumora::editor
