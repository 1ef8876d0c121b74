#include "setup/engine/setup_page.h"

#include "setup/engine/english_catalogue.h"
#include "setup/engine/form_loading.h"
#include "setup/engine/setup_error.h"
#include "setup/engine/setup_info.h"
#include "setup/engine/setup_message_pump.h"

namespace setupkit {

TSetupPage::TSetupPage(ComponentOwner* owner) : TSetupComponent(owner) {}

TSetupPage::~TSetupPage() {
    if (ActivePage() == this)
        SetActivePage(nullptr);
    if (WizardDialog* dialog = SetupPagesForm(); dialog && dialog->CurrentPage == this)
        dialog->CurrentPage = nullptr;
}

bool TSetupPage::InheritsFrom(std::string_view className) const {
    return className == "TSetupPage" || TSetupComponent::InheritsFrom(className);
}

std::string TSetupPage::Text(int index) const {
    if (const TSetupInfo* info = SetupInfo())
        return info->GetText(index);
    return std::string(EnglishCatalogue.at(static_cast<size_t>(index)));
}

TSetupPage* TSetupPage::PreviousPage() const {
    const TSetupInfo* info = SetupInfo();
    if (!info)
        return nullptr;
    const auto& stack = const_cast<TSetupInfo*>(info)->PageStack();
    return stack.size() < 2 ? nullptr : stack[stack.size() - 2];
}

int TSetupPage::Execute() {
    pageState_ = psWaiting;
    if (!SetupPagesForm()) {
        WizardDialog& dialog = CreateSetupPagesForm();
        if (const TSetupInfo* info = SetupInfo(); info && !info->Picture().empty())
            dialog.setPicture(info->Picture());
        SetActivePage(this);
        // The kick-off runs this page again, now that the dialog exists, and closes
        // the dialog when the whole chain has returned.
        dialog.showModal();
        if (pageState_ != psWaiting)
            return pageState_;
    }

    TSetupInfo* info = SetupInfo();
    struct StackEntry {
        TSetupInfo* info;
        explicit StackEntry(TSetupInfo* owner, TSetupPage* page) : info(owner) {
            if (info)
                info->PageStack().push_back(page);
        }
        ~StackEntry() {
            if (info && !info->PageStack().empty())
                info->PageStack().pop_back();
        }
        StackEntry(const StackEntry&) = delete;
        StackEntry& operator=(const StackEntry&) = delete;
    } entry(info, this);

    do {
        pageState_ = psWaiting;
        ShowPage();
        if (pageState_ == psWaiting)
            TSetupComponent::Execute();
        if (pageState_ == psWaiting)
            RunPage();
        while (pageState_ == psWaiting) {
            SetupMessagePump* pump = SetupInfo() ? SetupInfo()->Services().pump : nullptr;
            if (!pump)
                throw ESetupError(Name() + " cannot wait for a button: no message pump.");
            pump->waitForMessages();
        }
        if (pageState_ == psBack) {
            pageState_ = psDone;
            DoPrev();
        }
        if (pageState_ == psNext) {
            pageState_ = psDone;
            DoNext();
        }
        if (pageState_ == psCancelled)
            DoCancel();
    } while (pageState_ != psDone && pageState_ != psCancelled);
    return pageState_;
}

void TSetupPage::ShowPage() {
    WizardDialog& dialog = Dialog();
    dialog.CurrentPage = this;
    dialog.setCaption("");
    const struct {
        WizardButton button;
        int text;
    } captions[] = {{WizardButton::Next, 9}, {WizardButton::Prev, 8}, {WizardButton::Cancel, 11}};
    for (const auto& caption : captions) {
        dialog.setButtonVisible(caption.button, true);
        dialog.setButtonCaption(caption.button, Text(caption.text));
    }
    dialog.CancelQuestion = Text(20);

    TSetupPage* previous = PreviousPage();
    dialog.setButtonEnabled(WizardButton::Prev, (buttons_ & btPrev) && previous);
    dialog.setButtonEnabled(WizardButton::Next, buttons_ & btNext);
    dialog.setButtonEnabled(WizardButton::Cancel, buttons_ & btCancel);
    if (buttons_ & btFinish) {
        dialog.setButtonEnabled(WizardButton::Next, true);
        dialog.setButtonCaption(WizardButton::Next, Text(10));
    }
    dialog.MessageController = SetupInfo();
    // The wizard never goes back over work already done.
    if (previous &&
        (previous->InheritsFrom("TSetupFileCopy") || previous->InheritsFrom("TSetupGroups") ||
         previous->InheritsFrom("TSetupBDEInstall")))
        dialog.setButtonEnabled(WizardButton::Prev, false);

    for (WizardButton button : {WizardButton::Next, WizardButton::Prev, WizardButton::Cancel}) {
        if (dialog.buttonEnabled(button)) {
            dialog.focusButton(button);
            break;
        }
    }
}

void TSetupPage::DoNext() {
    if (!Dialog().buttonEnabled(WizardButton::Next) || pageState_ == psCancelled)
        return;
    if (OnNextPage)
        OnNextPage(this);
    if (nextPage_ && pageState_ == psDone)
        nextPage_->Execute();
}

void TSetupPage::DoPrev() {
    if (!Dialog().buttonEnabled(WizardButton::Prev) || pageState_ == psCancelled)
        return;
    if (OnPrevPage)
        OnPrevPage(this);
    if (pageState_ != psCancelled)
        if (TSetupPage* previous = PreviousPage())
            previous->SetPageState(psBack);
}

void TSetupPage::DoCancel() {
    if (!Dialog().buttonEnabled(WizardButton::Cancel))
        return;
    if (OnCancel)
        OnCancel(this);
    if (pageState_ == psCancelled)
        if (TSetupPage* previous = PreviousPage())
            previous->SetPageState(psCancelled);
}

void TSetupPage::Notification(TSetupComponent* component, Operation operation) {
    TSetupComponent::Notification(component, operation);
    if (operation == Operation::opRemove && component == nextPage_)
        nextPage_ = nullptr;
}

bool TSetupPage::SetProperty(const form::FormProperty& property, FormLoadContext& context) {
    const std::string& name = property.name;
    if (name == "Buttons") {
        TSetupButtons buttons = 0;
        for (const std::string& member : formSet(property)) {
            if (member == "btPrev")
                buttons |= btPrev;
            else if (member == "btNext")
                buttons |= btNext;
            else if (member == "btFinish")
                buttons |= btFinish;
            else if (member == "btCancel")
                buttons |= btCancel;
            else
                throw ESetupError("Invalid property value for Buttons: " + member);
        }
        buttons_ = buttons;
    } else if (name == "NextPage") {
        context.reference(formIdentifier(property), [this](TSetupComponent* target) {
            if (target && !target->InheritsFrom("TSetupPage"))
                throw ESetupError("Invalid property value for " + Name() +
                                  ".NextPage: " + target->Name() + " is not a page");
            nextPage_ = static_cast<TSetupPage*>(target);
        });
    } else if (name == "OnNextPage" || name == "OnPrevPage" || name == "OnCancel") {
        NotifyEvent* event = name == "OnNextPage"   ? &OnNextPage
                             : name == "OnPrevPage" ? &OnPrevPage
                                                    : &OnCancel;
        context.event(formIdentifier(property),
                      [event](NotifyEvent handler) { *event = std::move(handler); });
    } else {
        return TSetupComponent::SetProperty(property, context);
    }
    return true;
}

} // namespace setupkit
