#include "setup/engine/wizard_dialog.h"

#include "setup/engine/setup_error.h"
#include "setup/engine/setup_info.h"
#include "setup/engine/setup_message_dlg.h"
#include "setup/engine/setup_page.h"

namespace setupkit {

namespace {

struct WizardGlobals {
    WizardFactory factory;
    std::unique_ptr<WizardDialog> dialog;
    TSetupPage* activePage = nullptr;
};

WizardGlobals& globals() {
    static WizardGlobals state;
    return state;
}

} // namespace

void WizardDialog::nextClicked() {
    if (CurrentPage)
        CurrentPage->SetPageState(psNext);
}

void WizardDialog::prevClicked() {
    if (CurrentPage)
        CurrentPage->SetPageState(psBack);
}

void WizardDialog::cancelClicked() {
    if (MessageController && SetupMessageDlg(MessageController->Catalogue(), CancelQuestion,
                                             mtConfirmation, mbYes | mbNo) == mrNo)
        return;
    if (MessageController)
        MessageController->NoteCancelledByUser();
    if (CurrentPage)
        CurrentPage->SetPageState(psCancelled);
}

void WizardDialog::browseClicked(std::string_view buttonName) {
    if (CurrentPage)
        CurrentPage->DoBrowse(buttonName);
}

void WizardDialog::kickOff() {
    if (kickedOff_)
        return;
    kickedOff_ = true;
    try {
        if (TSetupPage* page = ActivePage())
            page->Execute();
    } catch (...) {
        error_ = std::current_exception();
    }
    closeDialog();
}

void WizardDialog::rethrowKeptError() {
    if (!error_)
        return;
    std::exception_ptr error = std::move(error_);
    error_ = nullptr;
    std::rethrow_exception(error);
}

void SetWizardFactory(WizardFactory factory) {
    globals().factory = std::move(factory);
}

WizardDialog* SetupPagesForm() {
    return globals().dialog.get();
}

WizardDialog& CreateSetupPagesForm() {
    WizardGlobals& state = globals();
    if (!state.dialog) {
        if (!state.factory)
            throw ESetupError("No wizard dialog can be made: no factory is installed.");
        state.dialog = state.factory();
    }
    return *state.dialog;
}

void FreeSetupPagesForm() {
    // Moved out first: freeing the dialog may run code that asks for it.
    std::unique_ptr<WizardDialog> dialog = std::move(globals().dialog);
    dialog.reset();
}

TSetupPage* ActivePage() {
    return globals().activePage;
}

void SetActivePage(TSetupPage* page) {
    globals().activePage = page;
}

} // namespace setupkit
