#include "setup/engine/answer_file_pump.h"

#include "platform/unused_script.h"
#include "setup/engine/answer_file.h"

namespace setupkit {

AnswerFilePump::~AnswerFilePump() {
    std::vector<std::string> unused;
    for (const WizardButton button : presses_)
        unused.push_back("press " + std::string(wizardButtonName(button)));
    lumora::platform::reportUnusedScript("the answer file's pump", unused);
}

void AnswerFilePump::waitForMessages() {
    // Whatever is pending runs first, so the page is on screen as a user would see it.
    processMessages();
    WizardDialog* dialog = SetupPagesForm();
    if (!dialog) {
        QtSetupMessagePump::waitForMessages();
        return;
    }
    if (presses_.empty() && fromDefaults_) {
        const std::string caption = dialog->caption();
        defaultPressesInRow_ = caption == lastDefaultCaption_ ? defaultPressesInRow_ + 1 : 1;
        lastDefaultCaption_ = caption;
        if (defaultPressesInRow_ <= kDefaultPressesPerPage)
            presses_.push_back(WizardButton::Next);
    }
    if (presses_.empty() && onExhausted)
        onExhausted(dialog->caption());
    if (presses_.empty())
        throw EAnswerFileError("the answer file has no button press left for the page \"" +
                               dialog->caption() + "\"");
    const WizardButton button = presses_.front();
    presses_.pop_front();
    if (onPress)
        onPress(button, dialog->caption());
    dialog->press(button);
}

} // namespace setupkit
