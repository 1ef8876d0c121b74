#include "tag_tester.h"

#include "common/ascii_case.h"

namespace lumora::tags {

namespace {

std::string lineReport(std::string_view lead, size_t index, std::string_view line) {
    return std::string(lead) + "\rSee line " + std::to_string(index) + " The Tag is " +
           asciiLowered(line) + "   ...Please fix.";
}

// Every tag the test looks for starts "<s", "<m" or "<t" in some case; a line with
// none of them is passed over before it is copied and lowered.
bool mayHoldTestedTag(std::string_view line) {
    for (size_t at = line.find('<'); at != std::string_view::npos && at + 1 < line.size();
         at = line.find('<', at + 1)) {
        const char next = asciiLower(line[at + 1]);
        if (next == 's' || next == 'm' || next == 't')
            return true;
    }
    return false;
}

bool closedOnItsLine(std::string_view lower) {
    return lower.find("\">") != std::string_view::npos ||
           lower.find("\" >") != std::string_view::npos;
}

} // namespace

TagTestReport testMetaTags(const std::vector<std::string>& lines, std::string_view apostrophe) {
    TagTestReport report;
    auto problem = [&](std::string text) { report.messages.push_back({std::move(text), true}); };

    // One pass lowers each line into a reused buffer and notes which checks it
    // fails; the messages then follow in the order of the checks.
    const std::string quoteTest = "<meta name=" + std::string(apostrophe);
    std::vector<size_t> quoteLines, titleLines, keywordLines, descriptionLines;
    bool script = false;
    std::string lower;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (!mayHoldTestedTag(lines[i]))
            continue;
        lower.assign(lines[i]);
        for (char& c : lower)
            c = asciiLower(c);
        script = script || lower.find("<script") != std::string::npos;
        if (lower.find(quoteTest) != std::string::npos)
            quoteLines.push_back(i);
        if (lower.find("<title>") != std::string::npos &&
            lower.find("</title>") == std::string::npos)
            titleLines.push_back(i);
        if (lower.find("<meta name=\"keywords") != std::string::npos && !closedOnItsLine(lower))
            keywordLines.push_back(i);
        if (lower.find("<meta name=\"description") != std::string::npos && !closedOnItsLine(lower))
            descriptionLines.push_back(i);
    }

    if (script)
        report.messages.push_back(
            {"Your document has JAVASCRIPT.\rIf you have large scripts Lumora may not produce "
             "good meta tags.\rJavascript will not affect the next version of Lumora.",
             false});
    for (size_t i : quoteLines)
        problem(
            lineReport("You need to put a  \"  instead of  '  in your Meta tags!", i, lines[i]));
    for (size_t i : titleLines)
        problem(lineReport("You need to put your TITLE tags on one line only!", i, lines[i]));
    for (size_t i : keywordLines)
        problem(lineReport("You need to put your KEYWORD tag on one line only!", i, lines[i]));
    for (size_t i : descriptionLines)
        problem(lineReport("You need to put your DESCRIPTION tag on one line only!", i, lines[i]));
    if (quoteLines.empty() && titleLines.empty() && keywordLines.empty() &&
        descriptionLines.empty()) {
        report.passed = true;
        report.messages.push_back(
            {"YOU DOCUMENT PASSED!\rYour Title Tag, Description and Key Meta Tags appear OK.\rYou "
             "should not have any problems inserting Title and Meta Tags.",
             false});
    }
    return report;
}

} // namespace lumora::tags
