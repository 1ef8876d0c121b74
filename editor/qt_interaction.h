#pragma once
// The program's interaction door: real Qt message boxes, file and font dialogs.

#include "editor/logic/interaction.h"

class QWidget;

namespace lumora::editor {

class QtInteraction : public Interaction {
public:
    explicit QtInteraction(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    void showMessage(const std::string& text) override;
    void showError(const std::string& text) override;
    Answer ask(const std::string& text, QuestionButtons buttons) override;
    std::optional<std::string> chooseOpenFile(const FileDialogRequest& request) override;
    std::optional<std::string> chooseSaveFile(const FileDialogRequest& request) override;
    std::optional<FontDescription> chooseFont(const FontDialogRequest& request) override;
    void showModal(ModalDialog& dialog) override;

private:
    QWidget* parent_;
};

} // namespace lumora::editor
