// The help file: its topics, written out as a help file again, parse to the same topics.

#include "editor/logic/help_file.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>

using lumora::fuzz::require;
using namespace lumora::editor;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto parsed = parseHelpFile(lumora::fuzz::asText(data, size));
    if (!parsed)
        return 0;
    std::string text = std::string(kHelpFileSignature) + "\r\n; written again\r\n";
    for (const auto& [context, topic] : parsed->topics) {
        text += "#topic " + std::to_string(context) + " " + topic.title + "\r\n";
        if (!topic.body.empty())
            text += topic.body + "\n";
    }
    const auto reread = parseHelpFile(text);
    require(reread.has_value(), "a written help file lost its signature");
    require(reread->topics == parsed->topics, "a written help file reads back other topics");
    return 0;
}
