#include "language_noise.h"

namespace lumora::keywords {

namespace {

std::string languageCode(std::string_view text) {
    if (text.size() < 2 || text.size() > 8)
        return {};
    std::string code;
    for (const char c : text) {
        if (c >= 'A' && c <= 'Z')
            code += static_cast<char>(c + 32);
        else if (c >= 'a' && c <= 'z')
            code += c;
        else
            return {};
    }
    return code;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= 32)
        text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= 32)
        text.remove_suffix(1);
    return text;
}

} // namespace

std::string readingLanguage(std::string_view pageLanguage, std::string_view chosen) {
    if (std::string code = languageCode(chosen); !code.empty())
        return code;
    if (std::string code = languageCode(pageLanguage); !code.empty())
        return code;
    return "en";
}

std::string noiseListPath(std::string_view language) {
    return "noise/" + std::string(language) + ".txt";
}

std::vector<std::string> noiseListWords(std::string_view fileText) {
    std::vector<std::string> words;
    while (!fileText.empty()) {
        const size_t end = fileText.find_first_of("\r\n");
        const std::string_view line = trimmed(fileText.substr(0, end));
        fileText.remove_prefix(end == std::string_view::npos ? fileText.size() : end + 1);
        if (!line.empty() && line.front() != '#')
            words.emplace_back(line);
    }
    return words;
}

} // namespace lumora::keywords
