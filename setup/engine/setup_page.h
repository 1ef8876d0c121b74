#pragma once
// TSetupPage, the base of every wizard page, and its page loop: a page shows itself
// on the one wizard dialog, waits for a button, and on Next runs its next page from
// inside its own run, so Previous unwinds one level and Cancel unwinds them all.

#include "setup/engine/setup_component.h"
#include "setup/engine/wizard_dialog.h"

#include <cstdint>
#include <string_view>

namespace setupkit {

// Page states; also the final result of a chain (psDone or psCancelled).
enum TPageState : std::uint8_t {
    psWaiting = 0,
    psDone = 1,
    psCancelled = 2,
    psNext = 3,
    psBack = 4,
};

// Members of the set TSetupButtons.
using TSetupButtons = unsigned;
inline constexpr TSetupButtons btPrev = 1;
inline constexpr TSetupButtons btNext = 2;
inline constexpr TSetupButtons btFinish = 4;
inline constexpr TSetupButtons btCancel = 8;

class TSetupPage : public TSetupComponent {
public:
    explicit TSetupPage(ComponentOwner* owner);
    ~TSetupPage() override;

    std::string_view ClassName() const override { return "TSetupPage"; }
    bool InheritsFrom(std::string_view className) const override;

    TSetupButtons Buttons() const { return buttons_; }
    void SetButtons(TSetupButtons buttons) { buttons_ = buttons; }
    TSetupPage* NextPage() const { return nextPage_; }
    void SetNextPage(TSetupPage* page) { nextPage_ = page; }
    NotifyEvent OnCancel;
    NotifyEvent OnNextPage;
    NotifyEvent OnPrevPage;

    std::uint8_t PageState() const { return pageState_; }
    void SetPageState(std::uint8_t state) { pageState_ = state; }

    // The page loop; returns psDone or psCancelled.
    int Execute() override;
    // After the page is shown; the base does nothing.
    virtual void RunPage() {}
    // Prepares the dialog: captions, buttons, focus. Page kinds call it first.
    virtual void ShowPage();
    virtual void DoNext();
    virtual void DoPrev();
    // The dialog's Browse and Reinstall buttons, by name; the base does nothing.
    virtual void DoBrowse(std::string_view senderName) { (void)senderName; }
    virtual void DoCancel();

    // The page that ran this one: the second-to-last of the controller's page stack.
    TSetupPage* PreviousPage() const;
    // The wizard dialog (made on first need).
    WizardDialog& Dialog() const { return CreateSetupPagesForm(); }

    void Notification(TSetupComponent* component, Operation operation) override;
    bool SetProperty(const form::FormProperty& property, FormLoadContext& context) override;

protected:
    // Catalogue text of the linked controller (English without one).
    std::string Text(int index) const;

private:
    TSetupButtons buttons_ = btPrev | btNext | btCancel;
    TSetupPage* nextPage_ = nullptr;
    std::uint8_t pageState_ = psWaiting;
};

} // namespace setupkit
