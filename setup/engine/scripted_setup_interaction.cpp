#include "setup/engine/scripted_setup_interaction.h"

#include "platform/unused_script.h"

#include <algorithm>

namespace setupkit {
namespace {

std::string describe(const RecordedMessage& message) {
    std::string description = message.box == RecordedMessage::Box::Setup ? "setup message box"
                              : message.box == RecordedMessage::Box::Viewer
                                  ? "text viewer"
                                  : "standard message box";
    description += " (kind " + std::to_string(message.kind) + ", buttons " +
                   std::to_string(message.buttons) + "): \"" + message.text + "\"";
    return description;
}

} // namespace

ScriptedSetupInteraction::ScriptedSetupInteraction(MessageBoxMetrics metrics)
    : metrics_(std::move(metrics)) {}

ScriptedSetupInteraction::~ScriptedSetupInteraction() {
    lumora::platform::reportUnusedScript("the scripted setup interaction", unusedItems());
}

std::vector<std::string> ScriptedSetupInteraction::unusedItems() const {
    std::vector<std::string> items;
    for (const Answer& pending : answers_)
        items.push_back("answer " + std::to_string(pending.result) +
                        (pending.expectedText ? " to \"" + *pending.expectedText + "\"" : ""));
    return items;
}

void ScriptedSetupInteraction::answer(int result) {
    answers_.push_back({std::nullopt, result});
}

void ScriptedSetupInteraction::answer(std::string text, int result) {
    answers_.push_back({std::move(text), result});
}

int ScriptedSetupInteraction::showSetupMessage(const SetupMessageBox& box) {
    RecordedMessage message;
    message.box = RecordedMessage::Box::Setup;
    message.kind = box.kind;
    message.title = box.title;
    message.text = box.text;
    for (const MessageBoxButton& button : box.buttons) {
        message.buttons |= button.member;
        message.buttonCaptions.push_back(button.caption);
        message.buttonResults.push_back(button.result);
    }
    message.geometry =
        layoutSetupMessageBox(box.memoText(), static_cast<int>(box.buttons.size()), metrics_);
    return takeAnswer(message);
}

int ScriptedSetupInteraction::showStandardMessage(std::string_view text, int kind,
                                                  unsigned buttons) {
    RecordedMessage message;
    message.box = RecordedMessage::Box::Standard;
    message.kind = kind;
    message.text = std::string(text);
    message.buttons = buttons;
    for (const unsigned member : orderedButtonMembers(buttons))
        message.buttonResults.push_back(resultOfButton(member));
    return takeAnswer(message);
}

void ScriptedSetupInteraction::showTextViewer(std::string_view title, std::string_view text) {
    RecordedMessage message;
    message.box = RecordedMessage::Box::Viewer;
    message.kind = mtInformation;
    message.title = std::string(title);
    message.text = std::string(text);
    message.buttons = mbOK;
    message.buttonResults.push_back(mrOk);
    takeAnswer(message);
}

int ScriptedSetupInteraction::takeAnswer(const RecordedMessage& message) {
    // Even a box that fails the script is recorded, so a test can show what came instead.
    messages_.push_back(message);
    if (answers_.empty())
        throw UnscriptedInteraction("unscripted " + describe(message));
    const Answer next = answers_.front();
    answers_.pop_front();
    if (next.expectedText && *next.expectedText != message.text)
        throw UnscriptedInteraction("expected a box saying \"" + *next.expectedText + "\", got " +
                                    describe(message));
    const std::vector<int>& results = message.buttonResults;
    if (next.result == mrNone ||
        std::find(results.begin(), results.end(), next.result) == results.end())
        throw UnscriptedInteraction("scripted answer " + std::to_string(next.result) +
                                    " is no button of " + describe(message));
    messages_.back().answer = next.result;
    if (onAnswered)
        onAnswered(messages_.back());
    return next.result;
}

} // namespace setupkit
