#include "platform/font_faces.h"

#include "common/ascii_case.h"

#include <array>

namespace lumora::platform {

std::string hostFontFamily(std::string_view family) {
    struct StandIn {
        std::string_view design;
        std::string_view host;
    };
    // The dialog face of the old desktop was drawn with the widths of its sans face.
    static constexpr std::array<StandIn, 9> standIns = {{
        {"MS Sans Serif", "Liberation Sans"},
        {"Microsoft Sans Serif", "Liberation Sans"},
        {"MS Shell Dlg", "Liberation Sans"},
        {"MS Shell Dlg 2", "Liberation Sans"},
        {"Arial", "Liberation Sans"},
        {"Helvetica", "Liberation Sans"},
        {"Times New Roman", "Liberation Serif"},
        {"Courier New", "Liberation Mono"},
        {"Courier", "Liberation Mono"},
    }};
    for (const StandIn& standIn : standIns)
        if (equalsIgnoringCase(family, standIn.design))
            return std::string(standIn.host);
    return std::string(family);
}

} // namespace lumora::platform
