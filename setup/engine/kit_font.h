#pragma once
// The kit's screens name the faces they were laid out for; they are drawn with the
// installed face of the same widths, at the kit's 8 points unless a size is stated.

#include "platform/font_faces.h"

#include <QFont>
#include <QString>

#include <string_view>

namespace setupkit {

// Glyph widths are whole pixels, as the layouts were measured.
inline QFont kitFont(std::string_view family, int pointSize = 8) {
    QFont font(QString::fromStdString(lumora::platform::hostFontFamily(family)), pointSize);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

} // namespace setupkit
