#pragma once
// Lumora's one door to the user for modal exchanges: messages, questions, the
// framework's error box and the file dialogs. The window never opens a dialog
// itself, so tests can script every answer and check every exact text.

#include <optional>
#include <string>

namespace lumora::editor {

enum class Answer { Ok, Yes, No, Cancel };
enum class QuestionButtons { YesNo, YesNoCancel };

struct FileDialogRequest {
    std::string filter;       // "Name (*.x)|*.x|..." pairs, as the window states them
    std::string proposedName; // may be empty
    bool confirmOverwrite = false;
};

class Interaction {
public:
    virtual ~Interaction() = default;

    // A plain message box titled "Lumora" with an OK button.
    virtual void showMessage(const std::string& text) = 0;
    // The framework's error box ("Cannot open file ...").
    virtual void showError(const std::string& text) = 0;
    // A question box titled "Confirm"; closing the box answers Cancel (or No).
    virtual Answer ask(const std::string& text, QuestionButtons buttons) = 0;
    // The chosen path, or nothing when the dialog was cancelled.
    virtual std::optional<std::string> chooseOpenFile(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> chooseSaveFile(const FileDialogRequest& request) = 0;
};

} // namespace lumora::editor
