#include "audit/search_result_view.h"

#include "audit/search_snippet.h"

namespace lumora::audit {
namespace {

std::string number(size_t n) {
    return std::to_string(n);
}

std::string lengthText(const char* what, const TagText& tag, size_t min, size_t max) {
    if (!tag.present)
        return std::string(what) + ": none";
    return std::string(what) + ": " + number(tag.length) +
           (tag.length == 1 ? " character" : " characters") + " (" + number(min) + " to " +
           number(max) + " read well)";
}

std::string shownText(const TagText& tag, size_t room, const char* absent) {
    if (!tag.present || tag.text.empty())
        return absent;
    return searchSnippet(tag.text, room).shown;
}

// The tag test's first message on one line.
std::string firstLine(const std::string& message) {
    std::string line = message.substr(0, message.find_first_of("\r\n"));
    return line.empty() ? message : line;
}

} // namespace

std::string pageFindingText(Finding finding, const PageAudit& page, const LengthLimits& limits) {
    std::string text;
    switch (finding) {
    case Finding::MissingTitle:
        text = "The page has no title";
        break;
    case Finding::MissingDescription:
        text = "The page has no description";
        break;
    case Finding::MissingKeywords:
        text = "The page has no keywords";
        break;
    case Finding::DuplicateTitle:
        text = "Another page has the same title";
        break;
    case Finding::DuplicateDescription:
        text = "Another page has the same description";
        break;
    case Finding::TitleTooLong:
        text = "The title is longer than " + number(limits.titleMax) + " characters";
        break;
    case Finding::TitleTooShort:
        text = "The title is shorter than " + number(limits.titleMin) + " characters";
        break;
    case Finding::DescriptionTooLong:
        text = "The description is longer than " + number(limits.descriptionMax) + " characters";
        break;
    case Finding::DescriptionTooShort:
        text = "The description is shorter than " + number(limits.descriptionMin) + " characters";
        break;
    case Finding::CharsetMismatch:
        text = "The page declares " + page.declaredCharset + " but its bytes are " +
               std::string(byteCharsetName(page.byteCharset));
        break;
    case Finding::TagTestFailed:
        text = "The tag test fails: " + firstLine(page.tagTestMessage);
        break;
    }
    return text + " (" + std::string(findingId(finding)) + ")";
}

SearchResultView searchResultView(const PageAudit& page, const LengthLimits& limits,
                                  std::string_view address) {
    SearchResultView view;
    view.address = std::string(address);
    view.title = shownText(page.title, kResultTitleRoom, "(no title)");
    view.description = shownText(page.description, kResultDescriptionRoom,
                                 "(no description: a search engine shows words of its own "
                                 "choosing from the page)");
    view.titleLength = lengthText("Title", page.title, limits.titleMin, limits.titleMax);
    view.descriptionLength =
        lengthText("Description", page.description, limits.descriptionMin, limits.descriptionMax);
    for (const Finding finding : pageFindings(page, limits))
        view.findings.push_back(pageFindingText(finding, page, limits));
    if (view.findings.empty())
        view.findings.emplace_back(kNoFindingsText);
    return view;
}

} // namespace lumora::audit
