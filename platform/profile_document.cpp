#include "profile_document.h"

#include "common/ascii_case.h"

#include <algorithm>
#include <unordered_set>

namespace lumora::platform {

namespace {

std::string_view trimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// The section name of a header line, or nothing for any other line.
std::optional<std::string> headerName(std::string_view line) {
    const std::string_view trimmed = trimBlanks(line);
    if (trimmed.empty() || trimmed.front() != '[')
        return std::nullopt;
    const auto close = trimmed.find(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return std::string(trimBlanks(trimmed.substr(1, close - 1)));
}

std::string singleLine(std::string_view text) {
    std::string out(trimBlanks(text));
    std::replace(out.begin(), out.end(), '\r', ' ');
    std::replace(out.begin(), out.end(), '\n', ' ');
    return out;
}

} // namespace

ProfileDocument::Line ProfileDocument::makeLine(std::string text) {
    Line line;
    const std::string_view trimmed = trimBlanks(text);
    const auto equals = trimmed.find('=');
    if (!trimmed.empty() && trimmed.front() != ';' && equals != std::string_view::npos) {
        line.isEntry = true;
        line.key = std::string(trimBlanks(trimmed.substr(0, equals)));
        line.value = std::string(trimBlanks(trimmed.substr(equals + 1)));
    }
    line.text = std::move(text);
    return line;
}

ProfileDocument ProfileDocument::parse(std::string_view bytes) {
    ProfileDocument document;
    document.sections_.push_back(Section{});
    size_t position = 0;
    while (position < bytes.size()) {
        const auto end = bytes.find_first_of("\r\n", position);
        std::string_view line =
            bytes.substr(position, end == std::string_view::npos ? end : end - position);
        if (end == std::string_view::npos)
            position = bytes.size();
        else
            position =
                end +
                ((bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') ? 2 : 1);
        if (auto name = headerName(line)) {
            Section section;
            section.name = std::move(*name);
            section.headed = true;
            section.header = std::string(line);
            document.sections_.push_back(std::move(section));
        } else {
            document.sections_.back().lines.push_back(makeLine(std::string(line)));
        }
    }
    return document;
}

std::string ProfileDocument::serialize() const {
    std::string out;
    for (const auto& section : sections_) {
        if (section.headed)
            out += section.header + "\r\n";
        for (const auto& line : section.lines)
            out += line.text + "\r\n";
    }
    return out;
}

ProfileDocument::Section* ProfileDocument::findSection(std::string_view name) {
    for (auto& section : sections_)
        if (section.headed && equalsIgnoringCase(section.name, trimBlanks(name)))
            return &section;
    return nullptr;
}

const ProfileDocument::Section* ProfileDocument::findSection(std::string_view name) const {
    return const_cast<ProfileDocument*>(this)->findSection(name);
}

std::optional<std::string> ProfileDocument::value(std::string_view section,
                                                  std::string_view key) const {
    const Section* found = findSection(section);
    if (!found)
        return std::nullopt;
    const std::string_view wanted = trimBlanks(key);
    for (const auto& line : found->lines)
        if (line.isEntry && equalsIgnoringCase(line.key, wanted))
            return line.value;
    return std::nullopt;
}

std::string ProfileDocument::readString(std::string_view section, std::string_view key,
                                        std::string_view defaultValue) const {
    auto found = value(section, key);
    return found ? *found : std::string(defaultValue);
}

ProfileDocument::Section& ProfileDocument::appendSection(std::string_view name) {
    if (sections_.empty())
        sections_.push_back(Section{});
    // A blank line between sections, as Windows writes them.
    auto& previous = sections_.back();
    if ((previous.headed || !previous.lines.empty()) &&
        (previous.lines.empty() || !trimBlanks(previous.lines.back().text).empty()))
        previous.lines.push_back(makeLine(""));
    Section added;
    added.name = singleLine(name);
    added.headed = true;
    added.header = "[" + added.name + "]";
    sections_.push_back(std::move(added));
    return sections_.back();
}

void ProfileDocument::writeString(std::string_view section, std::string_view key,
                                  std::string_view value) {
    const std::string cleanKey = singleLine(key);
    const std::string entry = cleanKey + "=" + singleLine(value);
    Section* found = findSection(section);
    if (!found)
        found = &appendSection(section);
    for (auto& line : found->lines) {
        if (line.isEntry && equalsIgnoringCase(line.key, cleanKey)) {
            line = makeLine(line.key + "=" + singleLine(value));
            return;
        }
    }
    // After the last non-blank line, so the blank line before the next section stays.
    auto insertAt = found->lines.end();
    while (insertAt != found->lines.begin() && trimBlanks(std::prev(insertAt)->text).empty())
        --insertAt;
    found->lines.insert(insertAt, makeLine(entry));
}

void ProfileDocument::writeSection(
    std::string_view section, const std::vector<std::pair<std::string, std::string>>& entries) {
    Section* found = findSection(section);
    if (!found) {
        found = &appendSection(section);
    } else {
        // Keep the blank lines that end the section, so the next header stays apart.
        size_t trailingBlanks = 0;
        while (trailingBlanks < found->lines.size() &&
               trimBlanks(found->lines[found->lines.size() - 1 - trailingBlanks].text).empty())
            ++trailingBlanks;
        found->lines.erase(found->lines.begin(),
                           found->lines.end() - static_cast<std::ptrdiff_t>(trailingBlanks));
    }
    std::vector<Line> lines;
    lines.reserve(entries.size());
    for (const auto& [key, value] : entries)
        lines.push_back(makeLine(singleLine(key) + "=" + singleLine(value)));
    found->lines.insert(found->lines.begin(), std::make_move_iterator(lines.begin()),
                        std::make_move_iterator(lines.end()));
}

std::vector<std::pair<std::string, std::string>>
ProfileDocument::entries(std::string_view section) const {
    std::vector<std::pair<std::string, std::string>> result;
    const Section* found = findSection(section);
    if (!found)
        return result;
    std::unordered_set<std::string> seen;
    for (const auto& line : found->lines)
        if (line.isEntry && !line.key.empty() && seen.insert(asciiUppered(line.key)).second)
            result.emplace_back(line.key, line.value);
    return result;
}

std::vector<std::string> ProfileDocument::keys(std::string_view section) const {
    std::vector<std::string> result;
    for (auto& entry : entries(section))
        result.push_back(std::move(entry.first));
    return result;
}

std::vector<std::string> ProfileDocument::bareKeys(std::string_view section) const {
    std::vector<std::string> result;
    const Section* found = findSection(section);
    if (!found)
        return result;
    std::unordered_set<std::string> seen;
    for (const auto& line : found->lines) {
        if (!line.isEntry || line.key.empty())
            continue;
        std::string_view whole = trimBlanks(line.text);
        if (!whole.empty() && whole.back() == '=')
            whole.remove_suffix(1);
        std::string key(trimBlanks(whole));
        if (seen.insert(asciiUppered(key)).second)
            result.push_back(std::move(key));
    }
    return result;
}

std::vector<std::string> ProfileDocument::sections() const {
    std::vector<std::string> result;
    std::unordered_set<std::string> seen;
    for (const auto& section : sections_)
        if (section.headed && seen.insert(asciiUppered(section.name)).second)
            result.push_back(section.name);
    return result;
}

bool ProfileDocument::hasSection(std::string_view section) const {
    return findSection(section) != nullptr;
}

bool ProfileDocument::eraseSection(std::string_view section) {
    const std::string_view wanted = trimBlanks(section);
    const auto before = sections_.size();
    std::erase_if(sections_, [&](const Section& candidate) {
        return candidate.headed && equalsIgnoringCase(candidate.name, wanted);
    });
    return sections_.size() != before;
}

bool ProfileDocument::deleteKey(std::string_view section, std::string_view key) {
    Section* found = findSection(section);
    if (!found)
        return false;
    const std::string_view wanted = trimBlanks(key);
    const auto before = found->lines.size();
    std::erase_if(found->lines, [&](const Line& line) {
        return line.isEntry && equalsIgnoringCase(line.key, wanted);
    });
    return found->lines.size() != before;
}

} // namespace lumora::platform
