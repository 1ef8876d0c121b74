#include "font_conversion.h"

#include "platform/font_faces.h"

namespace lumora::editor {

QFont toQFont(const FontDescription& description) {
    QFont font(QString::fromStdString(description.family));
    if (description.pointSize > 0)
        font.setPointSize(description.pointSize);
    font.setBold(description.bold);
    font.setItalic(description.italic);
    font.setUnderline(description.underline);
    font.setStrikeOut(description.strikeOut);
    return font;
}

FontDescription toFontDescription(const QFont& font) {
    FontDescription description;
    description.family = font.family().toStdString();
    description.pointSize = font.pointSize();
    description.bold = font.bold();
    description.italic = font.italic();
    description.underline = font.underline();
    description.strikeOut = font.strikeOut();
    return description;
}

QFont designFont(std::string_view family, int pointSize) {
    QFont font = toQFont({platform::hostFontFamily(family), pointSize});
    // Glyph widths are whole pixels, as the window's layout was measured.
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

} // namespace lumora::editor
