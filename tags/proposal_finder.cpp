#include "proposal_finder.h"

#include "common/ascii_case.h"

namespace lumora::tags {

namespace {

struct FinderTexts {
    const char* opening;
    const char* question;
    const char* cancelled;
    const char* refused;
    const char* notFound;
};

constexpr FinderTexts kTitleTexts = {
    "Now we will pick a TITLE for your web page",
    "Do you like this TITLE below ? \r\r",
    "Title was not saved and will not be used.",
    "Checking for more titles...",
    "A Title was not found!\r\rYou did not like any of the suggested titles \rOR\rThe keywords "
    "found do not go well with any suggested \rTitle and will score LOW with the Search "
    "Engines.\r\rSuggestion - Try some differnt key words for your title by using \rthe manual "
    "mode. Try combining and rearanging keywords in manual mode.",
};

constexpr FinderTexts kDescriptionTexts = {
    "Now we will pick a DESCRIPTION for your web page",
    "Do you like this DESCRIPTION below ? \r\r",
    "Description was not saved and will not be used.",
    "Checking for more Descriptions...",
    "A Description was not found!\r\rYou did not like any of the suggested Descriptions \rOR\rThe "
    "keywords found do not go well with any suggested \rTitle and will score LOW with the Search "
    "Engines.\r\rSuggestion - Try some differnt key words for your title by using \rthe manual "
    "mode. Try combining and rearanging keywords in manual mode.",
};

// Both finders say "title" here: the description finder shares the title finder's text.
constexpr const char* kTooFewKeywords = "You need at least 3 key words before I can find a "
                                        "title.\rPlease Lower sensetivity and run Keyword finder "
                                        "again...";

const std::string kClearedCaption = " ";
const std::string kCheckingCaption = "Checking..." + std::string(17, ' ');
const std::string kMatchingCaption = "Matching..." + std::string(18, ' ');

const FinderTexts& textsFor(FinderKind kind) {
    return kind == FinderKind::Title ? kTitleTexts : kDescriptionTexts;
}

} // namespace

ProposalFinder::ProposalFinder(FinderKind kind, FinderInput input)
    : kind_(kind), input_(std::move(input)) {}

FinderStep ProposalFinder::start(const text::Lines& page) {
    std::vector<std::string> messages{textsFor(kind_).opening};
    if (!input_.includeTitle)
        return finish(std::move(messages), ChainNext::RunBuilder, true);

    FinderStep tooFew;
    if (input_.automaticMode) {
        keywords_ = input_.foundKeywords;
        tooFew.chosenKeywords = keywords_;
    } else {
        keywords_ = input_.chosenKeywords;
        tooFew.titleDisplayCaption = kClearedCaption;
    }
    if (keywords_.size() < 3) {
        messages.emplace_back(kTooFewKeywords);
        tooFew.messages = std::move(messages);
        tooFew.storage = input_.storage;
        finished_ = true;
        return tooFew;
    }

    lowered_.reserve(page.size());
    for (const auto& line : page)
        lowered_.push_back(asciiLowered(line));
    return walkOn(std::move(messages));
}

FinderStep ProposalFinder::answer(Answer reply) {
    if (!awaitingAnswer_)
        return finish({}, ChainNext::Stop, false);
    awaitingAnswer_ = false;
    switch (reply) {
    case Answer::Yes: {
        const bool describeNext = kind_ == FinderKind::Title && input_.includeDescription;
        return finish({}, describeNext ? ChainNext::RunDescriptionFinder : ChainNext::RunBuilder,
                      true);
    }
    case Answer::Cancel:
        input_.storage.clear();
        return finish({textsFor(kind_).cancelled}, ChainNext::Stop, true);
    case Answer::No:
        break;
    }
    input_.storage.clear();
    return walkOn({textsFor(kind_).refused});
}

FinderStep ProposalFinder::walkOn(std::vector<std::string> messages) {
    const size_t count = keywords_.size();
    while (pass_ < count) {
        while (line_ < lowered_.size()) {
            const size_t line = line_++;
            turns_ = (turns_ + 1) % count;
            visitedLine_ = true;
            const std::string candidate = candidateText(lowered_, line);
            if (!holdsTurnedKeywords(candidate))
                continue;

            const std::string& k0 = keywordAt(0);
            const std::string& k1 = keywordAt(1);
            std::string proposal =
                shapeProposal(kind_, cleanCandidate(candidate), k0, k1, keywordAt(2));
            FinderStep step;
            step.messages = std::move(messages);
            step.chosenKeywords = turnedKeywords();
            step.titleDisplayVisible = !input_.automaticMode;
            step.titleDisplayCaption = kMatchingCaption + k0 + " and " + k1;
            step.question = textsFor(kind_).question + asciiUppered(proposal);
            input_.storage = std::move(proposal);
            step.storage = input_.storage;
            awaitingAnswer_ = true;
            return step;
        }
        line_ = 0;
        ++pass_;
    }
    messages.emplace_back(textsFor(kind_).notFound);
    FinderStep step = finish(std::move(messages), ChainNext::Stop, !input_.automaticMode);
    step.chosenKeywords = turnedKeywords();
    if (input_.automaticMode && visitedLine_)
        step.titleDisplayCaption = kCheckingCaption;
    return step;
}

FinderStep ProposalFinder::finish(std::vector<std::string> messages, ChainNext next,
                                  bool hideDisplay) {
    finished_ = true;
    FinderStep step;
    step.messages = std::move(messages);
    step.storage = input_.storage;
    step.next = next;
    if (hideDisplay)
        step.titleDisplayCaption = kClearedCaption;
    return step;
}

// The list turns by one place per visited line (last item to the front); instead of moving
// items, the position of the first item is worked out from the number of turns.
const std::string& ProposalFinder::keywordAt(size_t position) const {
    const size_t count = keywords_.size();
    return keywords_[(position + count - turns_) % count];
}

std::vector<std::string> ProposalFinder::turnedKeywords() const {
    std::vector<std::string> turned;
    turned.reserve(keywords_.size());
    for (size_t position = 0; position < keywords_.size(); ++position)
        turned.push_back(keywordAt(position));
    return turned;
}

// A line's candidate is built again on each pass rather than kept with a mark per line and
// keyword: the walk then needs memory for the page alone, however long the keyword list.
bool ProposalFinder::holdsTurnedKeywords(std::string_view candidate) const {
    if (!holdsKeyword(candidate, keywordAt(0)))
        return false;
    return kind_ == FinderKind::Description || holdsKeyword(candidate, keywordAt(1));
}

} // namespace lumora::tags
