#pragma once
// The user lumora-batch stands in for: OK to every message, Yes to every question
// (which accepts the first title and the first description proposal, since a finder
// asks no more once one is taken, and confirms the tag builder), and the page's path
// in File, Open. Every text shown is kept for the report.

#include "editor/logic/interaction.h"

#include <functional>
#include <string>
#include <vector>

namespace lumora::batch {

class BatchInteraction : public editor::Interaction {
public:
    // The path the next File, Open dialog returns.
    void setPageToOpen(std::string path) { pageToOpen_ = std::move(path); }
    // Runs just before each question is answered (the window has written the proposal
    // it asks about into its storage field by then).
    void onQuestion(std::function<void()> hook) { onQuestion_ = std::move(hook); }

    const std::vector<std::string>& texts() const { return texts_; }
    size_t errorCount() const { return errors_; }
    size_t questionCount() const { return questions_; }
    void clear();

    void showMessage(const std::string& text) override;
    void showError(const std::string& text) override;
    editor::Answer ask(const std::string& text, editor::QuestionButtons buttons) override;
    std::optional<std::string> chooseOpenFile(const editor::FileDialogRequest& request) override;
    std::optional<std::string> chooseSaveFile(const editor::FileDialogRequest& request) override;
    // The chain never asks for a font or opens a dialog of its own: nothing is chosen.
    std::optional<editor::FontDescription> chooseFont(const editor::FontDialogRequest&) override {
        return std::nullopt;
    }
    void showModal(editor::ModalDialog&) override {}

private:
    std::string pageToOpen_;
    std::function<void()> onQuestion_;
    std::vector<std::string> texts_;
    size_t errors_ = 0;
    size_t questions_ = 0;
};

} // namespace lumora::batch
