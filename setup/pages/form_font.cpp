#include "setup/pages/form_font.h"

#include "platform/font_faces.h"
#include "setup/engine/form_loading.h"
#include "setup/engine/setup_error.h"

#include <algorithm>
#include <map>

namespace setupkit {

QColor formColor(const form::FormProperty& property) {
    if (property.value.kind == form::FormValue::Kind::Integer) {
        const auto value = static_cast<std::uint32_t>(property.value.integer);
        return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
    }
    static const std::map<std::string, QColor, std::less<>> named = {
        {"clBlack", QColor(0, 0, 0)},        {"clMaroon", QColor(128, 0, 0)},
        {"clGreen", QColor(0, 128, 0)},      {"clOlive", QColor(128, 128, 0)},
        {"clNavy", QColor(0, 0, 128)},       {"clPurple", QColor(128, 0, 128)},
        {"clTeal", QColor(0, 128, 128)},     {"clGray", QColor(128, 128, 128)},
        {"clSilver", QColor(192, 192, 192)}, {"clRed", QColor(255, 0, 0)},
        {"clLime", QColor(0, 255, 0)},       {"clYellow", QColor(255, 255, 0)},
        {"clBlue", QColor(0, 0, 255)},       {"clFuchsia", QColor(255, 0, 255)},
        {"clAqua", QColor(0, 255, 255)},     {"clWhite", QColor(255, 255, 255)},
        {"clWindowText", QColor(0, 0, 0)},   {"clBtnFace", QColor(192, 192, 192)},
    };
    const std::string name = formIdentifier(property);
    auto found = named.find(name);
    if (found == named.end())
        throw ESetupError("Invalid property value for " + property.name + ": unknown colour " +
                          name);
    return found->second;
}

bool applyFontProperty(std::string_view prefix, const form::FormProperty& property, QFont& font,
                       QColor& color) {
    const std::string_view name = property.name;
    if (name.size() <= prefix.size() + 1 || name.substr(0, prefix.size()) != prefix ||
        name[prefix.size()] != '.')
        return false;
    const std::string_view field = name.substr(prefix.size() + 1);
    if (field == "Name") {
        font.setFamily(
            QString::fromStdString(lumora::platform::hostFontFamily(formString(property))));
    } else if (field == "Height") {
        const long long height = formInteger(property);
        if (height < 0)
            font.setPixelSize(static_cast<int>(-height));
        else if (height > 0)
            font.setPixelSize(static_cast<int>(height));
    } else if (field == "Size") {
        font.setPointSize(static_cast<int>(formInteger(property)));
    } else if (field == "Style") {
        const auto members = formSet(property);
        auto has = [&](const char* member) {
            return std::find(members.begin(), members.end(), member) != members.end();
        };
        font.setBold(has("fsBold"));
        font.setItalic(has("fsItalic"));
        font.setUnderline(has("fsUnderline"));
        font.setStrikeOut(has("fsStrikeOut"));
    } else if (field == "Color") {
        color = formColor(property);
    } else if (field != "Charset") {
        return false;
    }
    return true;
}

} // namespace setupkit
