#include "help_file.h"

#include "text/page_lines.h"

#include <charconv>

namespace lumora::editor {

namespace {

constexpr std::string_view kTopicMark = "#topic ";

std::optional<std::pair<int, std::string>> topicHeading(std::string_view line) {
    if (!line.starts_with(kTopicMark))
        return std::nullopt;
    line.remove_prefix(kTopicMark.size());
    int context = 0;
    const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), context);
    if (error != std::errc() || end == line.data())
        return std::nullopt;
    std::string_view title(end, static_cast<size_t>(line.data() + line.size() - end));
    while (!title.empty() && title.front() == ' ')
        title.remove_prefix(1);
    return std::pair{context, std::string(title)};
}

} // namespace

std::optional<HelpFile> parseHelpFile(std::string_view text) {
    const text::Lines lines = text::splitLines(text);
    if (lines.empty() || lines.front() != kHelpFileSignature)
        return std::nullopt;
    HelpFile file;
    HelpTopic* current = nullptr;
    for (size_t i = 1; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (auto heading = topicHeading(line)) {
            current = &file.topics[heading->first];
            *current = HelpTopic{std::move(heading->second), {}};
            continue;
        }
        if (!current)
            continue; // comments and blank lines before the first topic
        if (!current->body.empty())
            current->body += '\n';
        current->body += line;
    }
    return file;
}

std::string helpFilePath(const std::string& startDirectory) {
    if (startDirectory.empty() || startDirectory.back() == '/')
        return startDirectory + std::string(kHelpFileName);
    return startDirectory + "/" + std::string(kHelpFileName);
}

} // namespace lumora::editor
