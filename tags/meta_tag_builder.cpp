#include "meta_tag_builder.h"

#include "common/ascii_case.h"
#include "tags/keyword_tag_forms.h"
#include "tags/meta_tag_page_steps.h"
#include "tags/meta_tag_texts.h"
#include "tags/tag_line_split.h"
#include "text/ascii_case.h"

#include <algorithm>

namespace lumora::tags {

namespace {

constexpr std::string_view kHeadTag = "<head>";

// What the page held before the run; the messages of the partial writing depend on it.
struct PageFacts {
    bool hasHead = false;
    bool hasKeywordsTag = false;    // "meta name=\"keywords" somewhere
    bool hasDescriptionTag = false; // "meta name=\"description" somewhere
};

PageFacts scanPage(const text::Lines& page) {
    PageFacts facts;
    for (const std::string& line : page) {
        facts.hasHead = facts.hasHead || text::containsFolded(line, kHeadTag);
        facts.hasKeywordsTag =
            facts.hasKeywordsTag || text::containsFolded(line, "meta name=\"keywords");
        facts.hasDescriptionTag =
            facts.hasDescriptionTag || text::containsFolded(line, "meta name=\"description");
    }
    return facts;
}

std::optional<std::string> stopMessage(const text::Lines& page, const PageFacts& facts,
                                       const MetaTagControls& controls) {
    if (page.empty())
        return "You need to load a document first!";
    if (!facts.hasHead)
        return "This document is missing the <head> tag.\rLumora may not work without the this "
               "tage.\rPlease check your document.";
    if (!controls.automaticMode && controls.foundKeywords.empty())
        return "You need add keywords LOWER left edit box first.\rClick Get Keywords button. Then "
               "double click on the LOWER left bottom box.";
    if (!controls.automaticMode && controls.chosenKeywords.empty())
        return "You need add keywords to lower left UPPER edit box first.\rDouble click on the "
               "keywords in the LOWER left botton box.";
    if (controls.automaticMode && controls.scanKeywords.empty())
        return "You need to extract your keywords first! Click Get Keywords button.";
    for (const std::string& line : page)
        if (text::containsFolded(line, "<title>") && !text::containsFolded(line, "</title>"))
            return "You need to put your title tags on one line only!\rMissing Title Tag = " +
                   asciiLowered(line) + "   ...Please fix.";
    return std::nullopt;
}

// The same search as the keyword-tag check's, from the page's first character.
bool hasKeywordsTagForm(const text::Lines& page) {
    for (const std::string& line : page)
        for (std::string_view form : kKeywordTagForms)
            if (text::containsFolded(line, form))
                return true;
    return false;
}

size_t firstLineWith(const text::Lines& page, std::initializer_list<std::string_view> patterns) {
    for (size_t i = 0; i < page.size(); ++i)
        for (std::string_view pattern : patterns)
            if (text::containsFolded(page[i], pattern))
                return i;
    return page.size();
}

class TagWriter {
public:
    TagWriter(text::Lines& page, size_t head) : page_(page), head_(head) {}

    void insertAfterHead(std::string line) { insertAfter(head_, std::move(line)); }

    // Keeps the head line's index right when a line goes in above it.
    void insertAfter(size_t index, std::string line) {
        page_.insert(page_.begin() + static_cast<std::ptrdiff_t>(index + 1), std::move(line));
        if (index < head_)
            ++head_;
    }

private:
    text::Lines& page_;
    size_t head_;
};

void writeTags(text::Lines& page, const MetaTagControls& c, const PageFacts& facts, bool titleCut,
               MetaTagOutcome& outcome) {
    const size_t head = firstLineWith(page, {kHeadTag});
    if (head == page.size())
        return;

    const MetaTagTexts texts = makeMetaTagTexts(c);
    outcome.descriptionStorage = texts.description;
    TagWriter writer(page, head);

    if (c.includeTitle && c.includeKeywords && c.includeDescription) {
        if (c.addHiddenWords)
            writer.insertAfterHead(hiddenWordsLine(texts, c.titleStorage));
        writer.insertAfterHead(keywordsTagLine(texts));
        writer.insertAfterHead(descriptionTagLine(texts));
        writer.insertAfterHead(titleTagLine(texts));
        return;
    }

    if (c.addHiddenWords) {
        const size_t keywords = firstLineWith(page, {"<meta name=\"keywords"});
        if (keywords < page.size())
            writer.insertAfter(keywords, hiddenWordsLine(texts, c.titleStorage));
        if (!facts.hasKeywordsTag)
            outcome.messages.emplace_back("Hidden text will not be added with out a Keyword Tag.");
    }
    if (c.includeKeywords) {
        const size_t description =
            firstLineWith(page, {"<meta name=\"description", "-clear description line-"});
        if (description < page.size())
            writer.insertAfter(description, keywordsTagLine(texts));
        if (!facts.hasDescriptionTag)
            outcome.messages.emplace_back(
                "Description tag must be present before you add Keywords Tag.");
    }
    if (c.includeDescription) {
        const size_t title = titleCut
                                 ? firstLineWith(page, {"<title>", "-clear title line-", kHeadTag})
                                 : firstLineWith(page, {"<title>", "-clear title line-"});
        if (title < page.size())
            writer.insertAfter(title, descriptionTagLine(texts));
    }
    if (c.includeTitle)
        writer.insertAfterHead(titleTagLine(texts));
}

} // namespace

MetaTagCheck checkMetaTagBuild(const text::Lines& page, const MetaTagControls& controls) {
    MetaTagCheck check;
    check.stopMessage = stopMessage(page, scanPage(page), controls);
    if (!check.stopMessage)
        check.question = hasKeywordsTagForm(page) ? "You already have Meta Tags on this web page. "
                                                    "\r\rDo you want to replace them now?"
                                                  : "Are you ready to add Meta Tags to this web "
                                                    "page? \r\rDo you want to add them now?";
    return check;
}

MetaTagOutcome buildMetaTags(text::Lines page, const MetaTagControls& controls, Answer answer) {
    MetaTagOutcome outcome;
    outcome.descriptionStorage = controls.descriptionStorage;
    const PageFacts facts = scanPage(page);
    if (auto stop = stopMessage(page, facts, controls)) {
        outcome.messages.push_back(std::move(*stop));
        outcome.page = std::move(page);
        return outcome;
    }
    if (answer == Answer::Cancel) {
        outcome.messages.emplace_back("Meta Tags not added.");
        outcome.page = std::move(page);
        return outcome;
    }

    if (answer == Answer::Yes) {
        const ReplacedTags replaced{.title = controls.includeTitle,
                                    .description = controls.includeDescription,
                                    .keywords = controls.includeKeywords,
                                    .hiddenWords = controls.addHiddenWords};
        page = splitReplacedTags(std::move(page), replaced);
        const bool titleCut = markReplacedLines(page, replaced);
        writeTags(page, controls, facts, titleCut, outcome);
    }
    removeMarkedLines(page);
    dropShortLinesAfterTitles(page);
    addFooter(page);
    page.emplace_back(" ");

    outcome.completed = true;
    outcome.page = std::move(page);
    outcome.clearScanKeywords = true;
    outcome.clearTagsPassed = true;
    outcome.caretToStart = true;
    return outcome;
}

} // namespace lumora::tags
