#pragma once
// The installer's interaction seam: every modal exchange with the user goes through
// one object of this interface. The Qt implementation shows real dialogs; the scripted
// one records what would be shown and answers from a queue.

#include "setup/engine/message_box_types.h"
#include "setup/engine/setup_message_box.h"

#include <string_view>

namespace setupkit {

class SetupInteraction {
public:
    virtual ~SetupInteraction() = default;

    // Shows the kit's own message box modally; returns the result of the button
    // pressed (mrNone when it was closed another way).
    virtual int showSetupMessage(const SetupMessageBox& box) = 0;

    // Shows a standard system message box of `kind` with the button set `buttons`
    // (empty: OK alone); returns the result of the button pressed.
    virtual int showStandardMessage(std::string_view text, int kind, unsigned buttons) = 0;

    // Shows a text file read-only (what the installer offers instead of a system
    // text editor) and returns when the user has closed it. `text` is the file's
    // bytes. Without a viewer of its own, an interaction shows the text in a
    // standard information box.
    virtual void showTextViewer(std::string_view title, std::string_view text) {
        (void)title;
        showStandardMessage(text, mtInformation, mbOK);
    }
};

} // namespace setupkit
