#pragma once
// TSetupLanguage, the wizard page on which the user picks the language of the
// installer's texts from the available languages the page is set to show; the
// page itself appears in the proposed language.

#include "setup/engine/setup_page.h"
#include "setup/pages/language_rules.h"

#include <string>
#include <vector>

namespace setupkit {

class TSetupLanguage : public TSetupPage {
public:
    explicit TSetupLanguage(ComponentOwner* owner);

    std::string_view ClassName() const override { return "TSetupLanguage"; }
    bool InheritsFrom(std::string_view className) const override;

    const std::string& DefaultLanguage() const { return defaultLanguage_; }
    // With a controller: an available language is taken, "(compiled)" is taken as the
    // compiled language, any other name is refused with an information box. Without
    // a controller the assignment is ignored.
    void SetDefaultLanguage(const std::string& name);
    TLanguageTypes ShowLanguages() const { return showLanguages_; }
    void SetShowLanguages(TLanguageTypes languages) { showLanguages_ = languages; }

    // Switches the controller to the proposed language and lists the shown ones in
    // the radio group rdgLSLanguage, the proposal selected.
    void ShowPage() override;
    // An empty list passes the page over, as an empty choice page does.
    void RunPage() override;
    // The controller takes the selected language (its current one when the list is
    // empty), then the next page runs.
    void DoNext() override;

    // The languages of the current showing, as the radio group lists them.
    const std::vector<std::string>& Items() const { return items_; }
    // The selected item, -1 for none.
    int ItemIndex() const;

    void TakeDefaultLanguage(const std::string& language) override;
    bool SetProperty(const form::FormProperty& property, FormLoadContext& context) override;

private:
    std::string defaultLanguage_;
    TLanguageTypes showLanguages_ = DefaultShowLanguages;
    std::vector<std::string> items_;
    // The selection when there is no radio group to ask (a dialog without controls).
    int itemIndex_ = -1;
};

} // namespace setupkit
