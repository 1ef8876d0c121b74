#pragma once
// The interaction seam for tests and unattended runs: records every box exactly as it
// would be shown (texts, kind, buttons, geometry) and answers from a queue. A box that
// was not scripted, or an answer that is not one of the box's buttons, throws
// UnscriptedInteraction so the run stops where it went wrong; answers still queued when
// it is dropped are reported (platform/unused_script.h).

#include "setup/engine/setup_interaction.h"

#include <deque>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace setupkit {

class UnscriptedInteraction : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

struct RecordedMessage {
    // Viewer: a text shown read-only; answered with mrOk when it is closed.
    enum class Box { Setup, Standard, Viewer };
    Box box = Box::Setup;
    int kind = 0;
    std::string title; // the kit's box and the viewer
    std::string text;
    unsigned buttons = 0;                       // the set as asked
    std::vector<std::string> buttonCaptions;    // the kit's box: in placement order
    std::vector<int> buttonResults;             // likewise
    std::optional<MessageBoxGeometry> geometry; // the kit's box only
    int answer = 0;                             // mrNone while unanswered
};

class ScriptedSetupInteraction : public SetupInteraction {
public:
    explicit ScriptedSetupInteraction(MessageBoxMetrics metrics = MessageBoxMetrics::fixedPitch());
    ScriptedSetupInteraction(const ScriptedSetupInteraction&) = delete;
    ScriptedSetupInteraction& operator=(const ScriptedSetupInteraction&) = delete;
    ~ScriptedSetupInteraction() override;

    // The next box, whatever it says, is answered with `result`.
    void answer(int result);
    // The next box must show exactly `text`; it is answered with `result`.
    void answer(std::string text, int result);

    const std::vector<RecordedMessage>& messages() const { return messages_; }
    // Told of every box once it is answered (an unattended run writes them to its log).
    std::function<void(const RecordedMessage&)> onAnswered;
    size_t pendingAnswers() const { return answers_.size(); }
    // The answers still queued, described one per item.
    std::vector<std::string> unusedItems() const;

    int showSetupMessage(const SetupMessageBox& box) override;
    int showStandardMessage(std::string_view text, int kind, unsigned buttons) override;
    // Recorded like a box with an OK button: the script answers mrOk to close it.
    void showTextViewer(std::string_view title, std::string_view text) override;

private:
    struct Answer {
        std::optional<std::string> expectedText;
        int result;
    };
    int takeAnswer(const RecordedMessage& message);

    MessageBoxMetrics metrics_;
    std::deque<Answer> answers_;
    std::vector<RecordedMessage> messages_;
};

} // namespace setupkit
