#pragma once
// The wizard dialog as the page framework sees it: the one dialog of the program
// that every page shows itself on (notebook pages, caption, the three buttons), its
// button handlers and the kick-off that starts the page chain once it is on screen.
// The Qt dialog TSetupPagesForm implements the controls; the rules live here.

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace setupkit {

class TSetupInfo;
class TSetupPage;

enum class WizardButton { Prev, Next, Cancel };

// Notebook pages of the dialog, by index.
enum WizardNotebookPage {
    npDirChoice = 0,
    npFileCopy = 1,
    npGroups = 2,
    npChoices = 3,
    npBDEInstall = 4,
    npUnInstall = 5,
    npMessage = 6,
    npMultiDisk = 7,
    npSelectDirectory = 8,
    npSelectLanguage = 9,
};

class WizardDialog {
public:
    virtual ~WizardDialog() = default;

    virtual void setCaption(std::string_view caption) = 0;
    virtual std::string caption() const = 0;
    virtual void setButtonVisible(WizardButton button, bool visible) = 0;
    virtual bool buttonVisible(WizardButton button) const = 0;
    virtual void setButtonEnabled(WizardButton button, bool enabled) = 0;
    virtual bool buttonEnabled(WizardButton button) const = 0;
    virtual void setButtonCaption(WizardButton button, std::string_view caption) = 0;
    virtual std::string buttonCaption(WizardButton button) const = 0;
    virtual void focusButton(WizardButton button) = 0;
    virtual void showNotebookPage(int index) = 0;
    virtual int notebookPage() const = 0;
    // An encoded graphic for the left image (the controller's Picture).
    virtual void setPicture(const std::string& encoded) = 0;
    // The label of the "MultiDisk" notebook page.
    virtual void setMultiDiskIntent(std::string_view text) = 0;

    // Shown without waiting (the relaunch's progress).
    virtual void showModeless() = 0;
    // Shown modally: once on screen the kick-off runs, and the dialog closes when it
    // is done. What the page run threw is thrown again here.
    virtual void showModal() = 0;
    // Hidden (the dialog stays for the rest of the program).
    virtual void closeDialog() = 0;
    // Clicks a button as the user would; a disabled or hidden button does nothing.
    virtual void press(WizardButton button) = 0;
    // The file copy's progress message (1027): may be sent from any thread.
    virtual void postCopyProgress(int amount) = 0;

    // The page the dialog shows.
    TSetupPage* CurrentPage = nullptr;
    // Asked when Cancel is pressed.
    std::string CancelQuestion = "Cancel Setup?";
    // Whose catalogue and message box the dialog's own questions use; it is also told
    // when the user confirms a cancel.
    TSetupInfo* MessageController = nullptr;

    // Button handlers.
    void nextClicked();
    void prevClicked();
    // Asks the cancel question (Yes and No); Yes cancels the current page.
    void cancelClicked();
    // Browse and Reinstall: the current page's DoBrowse with the button's name.
    void browseClicked(std::string_view buttonName);
    // The kick-off timer: once per dialog, runs ActivePage's Execute and then closes
    // the dialog. An error is kept for showModal to throw.
    void kickOff();
    bool keptError() const { return static_cast<bool>(error_); }
    // An error raised in a handler that runs inside the toolkit's event loop, where
    // it cannot travel; the pump or showModal throws it once the loop has returned.
    void keepError(std::exception_ptr error) {
        if (!error_)
            error_ = std::move(error);
    }
    // Throws the kept error, if any, once.
    void rethrowKeptError();

private:
    bool kickedOff_ = false;
    std::exception_ptr error_;
};

// The program's one wizard dialog, made on first need by the installed factory and
// never replaced (freed only by the relaunch paths and at the end).
using WizardFactory = std::function<std::unique_ptr<WizardDialog>()>;
void SetWizardFactory(WizardFactory factory);
// The existing dialog, or none.
WizardDialog* SetupPagesForm();
// The dialog, made first when there is none. Throws ESetupError without a factory.
WizardDialog& CreateSetupPagesForm();
void FreeSetupPagesForm();

// The page whose Execute made the dialog; the kick-off runs it.
TSetupPage* ActivePage();
void SetActivePage(TSetupPage* page);

} // namespace setupkit
