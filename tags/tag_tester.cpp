#include "tag_tester.h"

#include "text/ascii_case.h"

namespace lumora::tags {

namespace {

std::string lineReport(std::string_view lead, size_t index, std::string_view line) {
    return std::string(lead) + "\rSee line " + std::to_string(index) + " The Tag is " +
           text::asciiLowered(line) + "   ...Please fix.";
}

bool closedOnItsLine(std::string_view lower) {
    return lower.find("\">") != std::string_view::npos ||
           lower.find("\" >") != std::string_view::npos;
}

} // namespace

TagTestReport testMetaTags(const std::vector<std::string>& lines, std::string_view apostrophe) {
    TagTestReport report;
    std::vector<std::string> lower;
    lower.reserve(lines.size());
    for (const auto& line : lines)
        lower.push_back(text::asciiLowered(line));
    auto problem = [&](std::string text) { report.messages.push_back({std::move(text), true}); };

    for (const auto& line : lower) {
        if (line.find("<script") != std::string::npos) {
            report.messages.push_back(
                {"Your document has JAVASCRIPT.\rIf you have large scripts Lumora may not produce "
                 "good meta tags.\rJavascript will not affect the next version of Lumora.",
                 false});
            break;
        }
    }

    bool quotesOk = true;
    bool titleOk = true;
    bool keywordsOk = true;
    bool descriptionOk = true;
    const std::string quoteTest = "<meta name=" + std::string(apostrophe);
    for (size_t i = 0; i < lower.size(); ++i) {
        if (lower[i].find(quoteTest) != std::string::npos) {
            quotesOk = false;
            problem(lineReport("You need to put a  \"  instead of  '  in your Meta tags!", i,
                               lines[i]));
        }
    }
    for (size_t i = 0; i < lower.size(); ++i) {
        if (lower[i].find("<title>") != std::string::npos &&
            lower[i].find("</title>") == std::string::npos) {
            titleOk = false;
            problem(lineReport("You need to put your TITLE tags on one line only!", i, lines[i]));
        }
    }
    for (size_t i = 0; i < lower.size(); ++i) {
        if (lower[i].find("<meta name=\"keywords") != std::string::npos &&
            !closedOnItsLine(lower[i])) {
            keywordsOk = false;
            problem(lineReport("You need to put your KEYWORD tag on one line only!", i, lines[i]));
        }
    }
    for (size_t i = 0; i < lower.size(); ++i) {
        if (lower[i].find("<meta name=\"description") != std::string::npos &&
            !closedOnItsLine(lower[i])) {
            descriptionOk = false;
            problem(
                lineReport("You need to put your DESCRIPTION tag on one line only!", i, lines[i]));
        }
    }
    if (quotesOk && titleOk && keywordsOk && descriptionOk) {
        report.passed = true;
        report.messages.push_back(
            {"YOU DOCUMENT PASSED!\rYour Title Tag, Description and Key Meta Tags appear OK.\rYou "
             "should not have any problems inserting Title and Meta Tags.",
             false});
    }
    return report;
}

} // namespace lumora::tags
