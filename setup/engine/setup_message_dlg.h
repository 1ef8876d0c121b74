#pragma once
// SetupMessageDlg: the kit's own message box, titled and captioned from the message
// catalogue of the current language and shown through the interaction seam.

#include "setup/engine/message_box_types.h"
#include "setup/engine/setup_message_box.h"

#include <string_view>

namespace setupkit {

class MessageCatalogue;

// The box for `text` of `kind` with the button set `buttons`, as it will be shown.
SetupMessageBox makeSetupMessageBox(const MessageCatalogue& catalogue, std::string_view text,
                                    int kind, unsigned buttons);

// Shows the box modally and returns the result of the button pressed. The help
// context is accepted for callers that pass one; the box offers no help of its own.
int SetupMessageDlg(const MessageCatalogue& catalogue, std::string_view text, int kind,
                    unsigned buttons, int helpContext = 0);

} // namespace setupkit
