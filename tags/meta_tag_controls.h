#pragma once
// What the meta tag builder reads from the main window, as plain data.

#include <string>
#include <vector>

namespace lumora::tags {

struct MetaTagControls {
    bool automaticMode = true;               // RadioB_Automatic (else RadioB_NOauto)
    std::vector<std::string> scanKeywords;   // Memo6 lines: the keywords in automatic mode
    std::vector<std::string> foundKeywords;  // ListBox3 items: must not be empty in manual mode
    std::vector<std::string> chosenKeywords; // ListBox4 items: the keywords in manual mode
    std::string titleStorage;                // Edit1TileStorage
    std::string descriptionStorage;          // Edit1DescrptStorage
    bool includeTitle = true;                // CheckBxDOtitle
    bool includeDescription = true;          // CheckBxDOdisription
    bool includeKeywords = true;             // CheckBxDOkeywrds
    bool keywordBooster = true;              // CheckBxKwBoost
    bool addHiddenWords = true;              // CheckBxDOhidenTags
};

} // namespace lumora::tags
