// Desktop entries: values escaped and unescaped, the value of a key found in a file's
// text, and file IDs made from names.

#include "fuzz_check.h"
#include "platform/desktop_entry_format.h"

#include <cstddef>
#include <cstdint>

using lumora::fuzz::require;
using namespace lumora::platform;

namespace {

std::string upper(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = lumora::fuzz::asText(data, size);

    // Read as a desktop file.
    (void)desktopEntryValue(bytes, "Name");
    (void)desktopEntryValue(bytes, "Exec");
    (void)unescapeDesktopValue(bytes);

    // Taken as a value: it survives escaping, also inside a file.
    const std::string escaped = escapeDesktopValue(bytes);
    require(unescapeDesktopValue(escaped) == bytes, "an escaped value does not come back");
    require(escaped.find('\n') == std::string::npos, "an escaped value holds a line break");
    const std::string file = "[Desktop Entry]\nType=Application\nName=" + escaped + "\n";
    require(desktopEntryValue(file, "Name") == bytes, "a written entry value does not come back");

    // Taken as arguments separated by NULs.
    std::vector<std::string> arguments;
    for (std::string_view rest = bytes;;) {
        const auto nul = rest.find('\0');
        arguments.emplace_back(rest.substr(0, nul));
        if (nul == std::string_view::npos)
            break;
        rest.remove_prefix(nul + 1);
    }
    const std::string exec = desktopExecValue(arguments);
    require(exec.find('\n') == std::string::npos, "an Exec value holds a line break");

    // Taken as a name.
    const std::string id = desktopIdPart(bytes);
    require(id.size() <= 49, "a file ID part is too long");
    for (char c : id)
        require((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-',
                "a file ID part holds a character it may not");
    require(desktopIdPart(upper(bytes)) == id, "names differing in case get other file IDs");
    return 0;
}
