#pragma once
// The title and description finder as a walk that stops at each proposal for the user's
// answer. The window reads its controls into FinderInput, applies every FinderStep it gets
// back (messages, keyword list, storage field, title display), asks the step's question and
// hands the answer back, until a step without a question says what the chain does next.

#include "tags/proposal_text.h"
#include "tags/user_answer.h"
#include "text/page_lines.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumora::tags {

// What runs after a finder: nothing, the description finder, or the meta tag builder.
enum class ChainNext { Stop, RunDescriptionFinder, RunBuilder };

struct FinderInput {
    bool automaticMode = true;               // RadioB_Automatic
    bool includeTitle = true;                // CheckBxDOtitle
    bool includeDescription = true;          // CheckBxDOdisription
    std::vector<std::string> foundKeywords;  // ListBox3: walked (and shown) in automatic mode
    std::vector<std::string> chosenKeywords; // ListBox4: the keywords walked in manual mode
    std::string storage; // Edit1TileStorage for the title, Edit1DescrptStorage for the description
};

// Everything the window shows or writes at one stop of the walk, in this order: the messages
// (one OK box each), then the controls, then the question if there is one.
struct FinderStep {
    std::vector<std::string> messages;
    std::optional<std::vector<std::string>> chosenKeywords; // new ListBox4 items, if they change
    std::string storage;                                    // the storage field's text from now on
    bool titleDisplayVisible = false;                       // Panel1 and Label3TileKW
    std::optional<std::string> titleDisplayCaption;         // Label3TileKW, if it changes
    std::optional<std::string> question; // Yes / No / Cancel; absent once the walk is over
    ChainNext next = ChainNext::Stop;    // meaningful once the walk is over
};

class ProposalFinder {
public:
    ProposalFinder(FinderKind kind, FinderInput input);

    // Opens the command on `page` (read here only) and walks to the first proposal or the end.
    FinderStep start(const text::Lines& page);

    // Takes the answer to the last step's question and goes on.
    FinderStep answer(Answer reply);

    bool finished() const { return finished_; }

private:
    FinderStep walkOn(std::vector<std::string> messages);
    FinderStep finish(std::vector<std::string> messages, ChainNext next, bool hideDisplay);
    const std::string& keywordAt(size_t position) const;
    std::vector<std::string> turnedKeywords() const;
    bool holdsTurnedKeywords(std::string_view candidate) const;

    FinderKind kind_;
    FinderInput input_;
    std::vector<std::string> keywords_; // the list in its first order
    text::Lines lowered_;
    size_t pass_ = 0;
    size_t line_ = 0;
    size_t turns_ = 0; // how far the list has turned, modulo its length
    bool visitedLine_ = false;
    bool awaitingAnswer_ = false;
    bool finished_ = false;
};

} // namespace lumora::tags
