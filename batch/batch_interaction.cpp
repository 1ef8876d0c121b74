#include "batch_interaction.h"

#include <utility>

namespace lumora::batch {

void BatchInteraction::clear() {
    texts_.clear();
    errors_ = 0;
    questions_ = 0;
}

void BatchInteraction::showMessage(const std::string& text) {
    texts_.push_back(text);
}

void BatchInteraction::showError(const std::string& text) {
    texts_.push_back(text);
    ++errors_;
}

editor::Answer BatchInteraction::ask(const std::string& text, editor::QuestionButtons) {
    texts_.push_back(text);
    ++questions_;
    if (onQuestion_)
        onQuestion_();
    return editor::Answer::Yes;
}

std::optional<std::string> BatchInteraction::chooseOpenFile(const editor::FileDialogRequest&) {
    if (pageToOpen_.empty())
        return std::nullopt;
    return std::exchange(pageToOpen_, std::string());
}

// The batch writes its results itself; a save dialog is never wanted.
std::optional<std::string> BatchInteraction::chooseSaveFile(const editor::FileDialogRequest&) {
    return std::nullopt;
}

} // namespace lumora::batch
