#include "font_conversion.h"

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

} // namespace lumora::editor
