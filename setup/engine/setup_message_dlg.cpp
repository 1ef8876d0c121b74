#include "setup/engine/setup_message_dlg.h"

#include "setup/engine/message_catalogue.h"

namespace setupkit {

SetupMessageBox makeSetupMessageBox(const MessageCatalogue& catalogue, std::string_view text,
                                    int kind, unsigned buttons) {
    SetupMessageBox box;
    box.kind = kind;
    if (const int title = titleTextOf(kind); title >= 0)
        box.title = catalogue.GetText(title);
    box.text = std::string(text);
    int number = 0;
    for (const unsigned member : orderedButtonMembers(buttons)) {
        MessageBoxButton button;
        button.name = "B" + std::to_string(++number);
        button.member = member;
        button.caption = catalogue.GetText(captionTextOf(member));
        button.result = resultOfButton(member);
        box.buttons.push_back(std::move(button));
    }
    return box;
}

int SetupMessageDlg(const MessageCatalogue& catalogue, std::string_view text, int kind,
                    unsigned buttons, int /*helpContext*/) {
    return catalogue.interaction().showSetupMessage(
        makeSetupMessageBox(catalogue, text, kind, buttons));
}

} // namespace setupkit
