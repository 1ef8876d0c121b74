#pragma once
// The message pump of an unattended run: runs Qt events like the program's own pump,
// and each time a wizard page waits for a button, presses the next one the answer file
// lists. A page that waits with no press left ends the run with an error naming it,
// unless the pump answers from the defaults: then every page gets Next, as a user
// taking each page's defaults would press, and a page that Next does not get past
// ends the run instead. Presses never made are reported when the pump is dropped
// (platform/unused_script.h).

#include "setup/engine/qt_setup_message_pump.h"
#include "setup/engine/wizard_dialog.h"

#include <deque>
#include <functional>
#include <string>

namespace setupkit {

class AnswerFilePump : public QtSetupMessagePump {
public:
    explicit AnswerFilePump(std::deque<WizardButton> presses) : presses_(std::move(presses)) {}
    AnswerFilePump(const AnswerFilePump&) = delete;
    AnswerFilePump& operator=(const AnswerFilePump&) = delete;
    ~AnswerFilePump() override;

    void waitForMessages() override;

    std::size_t pendingPresses() const { return presses_.size(); }
    // Presses Next once the listed presses are used up.
    void answerFromDefaults() { fromDefaults_ = true; }
    // How often in a row the defaults press Next on one page before giving up.
    static constexpr int kDefaultPressesPerPage = 3;
    // Told of every press before it is made, with the caption of the page it answers.
    std::function<void(WizardButton, const std::string& pageCaption)> onPress;
    // Called when a page waits with no press left; without it the wait throws
    // EAnswerFileError naming the page.
    std::function<void(const std::string& pageCaption)> onExhausted;

private:
    std::deque<WizardButton> presses_;
    bool fromDefaults_ = false;
    std::string lastDefaultCaption_;
    int defaultPressesInRow_ = 0;
};

} // namespace setupkit
