#pragma once
// Lumora's help file: a text file whose first line is the signature "LUMORA HELP 1",
// followed by topics. A topic starts with a line "#topic <context> <title>"; the lines
// after it, up to the next topic, are its body in simple HTML. Lines before the first
// topic that start with ";" are comments.

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace lumora::editor {

inline constexpr std::string_view kHelpFileName = "Lumora.hlp";
inline constexpr std::string_view kHelpFileSignature = "LUMORA HELP 1";

struct HelpTopic {
    std::string title;
    std::string body; // HTML, lines joined by line feeds
    bool operator==(const HelpTopic&) const = default;
};

struct HelpFile {
    std::map<int, HelpTopic> topics;
};

// Nothing when the text does not begin with the signature. A topic line without a
// valid context number is taken as body text; a later topic with the same number
// replaces an earlier one.
std::optional<HelpFile> parseHelpFile(std::string_view text);

// The help file in the start-up directory.
std::string helpFilePath(const std::string& startDirectory);

} // namespace lumora::editor
