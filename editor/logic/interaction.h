#pragma once
// Lumora's one door to the user for modal exchanges: messages, questions, the
// framework's error box, the file and font dialogs and the about box. The window never opens a
// dialog itself, so tests can script every answer and check every exact text.

#include <functional>
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

// A font as the font dialogs show and return it, free of any toolkit.
struct FontDescription {
    std::string family;
    int pointSize = 8;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    bool operator==(const FontDescription&) const = default;
};

// A font dialog: the font it opens with, and for the dialogs that carry an Apply
// button, what Apply does with the font chosen at that moment.
struct FontDialogRequest {
    FontDescription initial;
    std::function<void(const FontDescription&)> apply; // empty: no Apply button
};

// A modal dialog of the program's own (the about box); the window owns it.
class ModalDialog {
public:
    virtual ~ModalDialog() = default;
    virtual std::string caption() const = 0;
    // Shows the dialog and returns when the user closed it.
    virtual void runModal() = 0;
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

    // The chosen font, or nothing when the dialog was cancelled.
    virtual std::optional<FontDescription> chooseFont(const FontDialogRequest& request) = 0;
    virtual void showModal(ModalDialog& dialog) = 0;
};

} // namespace lumora::editor
