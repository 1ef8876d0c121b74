#include "scripted_interaction.h"

#include "platform/unused_script.h"

namespace lumora::editor {

namespace {

std::string describe(Answer answer) {
    switch (answer) {
    case Answer::Ok:
        return "answer Ok";
    case Answer::Yes:
        return "answer Yes";
    case Answer::No:
        return "answer No";
    case Answer::Cancel:
        return "answer Cancel";
    }
    return "answer";
}

std::string describe(const std::optional<FontDescription>& font) {
    return font ? "\"" + font->family + "\" " + std::to_string(font->pointSize) + " pt" : "Cancel";
}

} // namespace

ScriptedInteraction::~ScriptedInteraction() {
    platform::reportUnusedScript("the scripted interaction", unusedItems());
}

std::vector<std::string> ScriptedInteraction::unusedItems() const {
    struct Describe {
        std::string operator()(Answer answer) const { return describe(answer); }
        std::string operator()(const std::optional<std::string>& path) const {
            return "file dialog: " + (path ? "\"" + *path + "\"" : std::string("Cancel"));
        }
        std::string operator()(const FontAnswer& font) const {
            std::string text = "font dialog: " + describe(font.chosen);
            if (font.applied)
                text += " (Apply " + describe(font.applied) + ")";
            return text;
        }
    };
    std::vector<std::string> items;
    for (const auto& item : queue_)
        items.push_back(std::visit(Describe{}, item));
    return items;
}

std::vector<std::string> ScriptedInteraction::texts() const {
    std::vector<std::string> out;
    for (const auto& record : records_)
        if (record.kind == Kind::Message || record.kind == Kind::Error ||
            record.kind == Kind::Question)
            out.push_back(record.text);
    return out;
}

void ScriptedInteraction::showMessage(const std::string& text) {
    records_.push_back({Kind::Message, text});
}

void ScriptedInteraction::showError(const std::string& text) {
    records_.push_back({Kind::Error, text});
}

Answer ScriptedInteraction::ask(const std::string& text, QuestionButtons buttons) {
    records_.push_back({Kind::Question, text});
    if (queue_.empty() || !std::holds_alternative<Answer>(queue_.front()))
        throw UnscriptedInteraction("unscripted question: " + text);
    Answer answer = std::get<Answer>(queue_.front());
    queue_.pop_front();
    if (buttons == QuestionButtons::YesNo && answer == Answer::Cancel)
        answer = Answer::No;
    return answer;
}

std::optional<std::string> ScriptedInteraction::nextFile(Kind kind,
                                                         const FileDialogRequest& request) {
    records_.push_back({kind, request.proposedName});
    fileRequests_.push_back(request);
    if (queue_.empty() || !std::holds_alternative<std::optional<std::string>>(queue_.front()))
        throw UnscriptedInteraction("unscripted file dialog");
    auto path = std::get<std::optional<std::string>>(queue_.front());
    queue_.pop_front();
    return path;
}

std::optional<std::string> ScriptedInteraction::chooseOpenFile(const FileDialogRequest& request) {
    return nextFile(Kind::OpenFile, request);
}

std::optional<std::string> ScriptedInteraction::chooseSaveFile(const FileDialogRequest& request) {
    return nextFile(Kind::SaveFile, request);
}

std::optional<FontDescription> ScriptedInteraction::chooseFont(const FontDialogRequest& request) {
    records_.push_back({Kind::Font, request.initial.family});
    fontRequests_.push_back(request.initial);
    if (queue_.empty() || !std::holds_alternative<FontAnswer>(queue_.front()))
        throw UnscriptedInteraction("unscripted font dialog");
    FontAnswer answer = std::get<FontAnswer>(queue_.front());
    queue_.pop_front();
    if (answer.applied) {
        if (!request.apply)
            throw UnscriptedInteraction("Apply pressed on a font dialog without Apply");
        request.apply(*answer.applied);
    }
    return answer.chosen;
}

void ScriptedInteraction::showModal(ModalDialog& dialog) {
    records_.push_back({Kind::Dialog, dialog.caption()});
}

ScriptedPump::~ScriptedPump() {
    platform::reportUnusedScript("the scripted pump", unusedItems());
}

std::vector<std::string> ScriptedPump::unusedItems() const {
    std::vector<std::string> items;
    for (const auto& action : actions_)
        if (action.call > calls_)
            items.push_back("action at call " + std::to_string(action.call) + " (the pump ran " +
                            std::to_string(calls_) + " times)");
    return items;
}

void ScriptedPump::processEvents() {
    ++calls_;
    for (auto& action : actions_)
        if (action.call == calls_ && action.run)
            action.run();
}

} // namespace lumora::editor
