#pragma once
// The test side of the interaction door: records every text shown and answers
// questions and file dialogs from a queue. A question nobody scripted throws
// UnscriptedInteraction, and an answer still queued when the script is dropped is
// reported (platform/unused_script.h), so a test cannot pass by accident.

#include "editor/logic/interaction.h"
#include "editor/logic/message_pump.h"

#include <deque>
#include <functional>
#include <stdexcept>
#include <variant>
#include <vector>

namespace lumora::editor {

class UnscriptedInteraction : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

class ScriptedInteraction : public Interaction {
public:
    ScriptedInteraction() = default;
    ScriptedInteraction(const ScriptedInteraction&) = delete;
    ScriptedInteraction& operator=(const ScriptedInteraction&) = delete;
    ~ScriptedInteraction() override;

    enum class Kind { Message, Error, Question, OpenFile, SaveFile, Font, Dialog };
    struct Record {
        Kind kind;
        // The message, the proposed name of a file dialog, the family a font dialog
        // opened with, or a dialog's caption.
        std::string text;
        bool operator==(const Record&) const = default;
    };

    void queueAnswer(Answer answer) { queue_.emplace_back(answer); }
    // A file dialog's result; nothing means Cancel.
    void queueFile(std::optional<std::string> path) { queue_.emplace_back(std::move(path)); }
    // A font dialog's result (nothing means Cancel); `applied` is pressed with Apply
    // first, when the dialog has that button.
    void queueFont(std::optional<FontDescription> chosen,
                   std::optional<FontDescription> applied = std::nullopt) {
        queue_.emplace_back(FontAnswer{std::move(chosen), std::move(applied)});
    }

    const std::vector<Record>& records() const { return records_; }
    // Texts of messages, errors and questions, in order.
    std::vector<std::string> texts() const;
    std::vector<FileDialogRequest> fileRequests() const { return fileRequests_; }
    // The fonts the font dialogs opened with, in order.
    const std::vector<FontDescription>& fontRequests() const { return fontRequests_; }
    bool allAnswersUsed() const { return queue_.empty(); }
    // The answers, files and fonts still queued, described one per item.
    std::vector<std::string> unusedItems() const;
    void clearRecords() { records_.clear(); }

    void showMessage(const std::string& text) override;
    void showError(const std::string& text) override;
    Answer ask(const std::string& text, QuestionButtons buttons) override;
    std::optional<std::string> chooseOpenFile(const FileDialogRequest& request) override;
    std::optional<std::string> chooseSaveFile(const FileDialogRequest& request) override;
    std::optional<FontDescription> chooseFont(const FontDialogRequest& request) override;
    // Records the dialog's caption; the dialog is not run.
    void showModal(ModalDialog& dialog) override;

private:
    struct FontAnswer {
        std::optional<FontDescription> chosen;
        std::optional<FontDescription> applied;
    };
    std::optional<std::string> nextFile(Kind kind, const FileDialogRequest& request);

    std::deque<std::variant<Answer, std::optional<std::string>, FontAnswer>> queue_;
    std::vector<Record> records_;
    std::vector<FileDialogRequest> fileRequests_;
    std::vector<FontDescription> fontRequests_;
};

// A pump for tests: always due, counts its calls, and can run a scripted action
// (an edit, a second click) at a chosen call.
class ScriptedPump : public MessagePump {
public:
    ScriptedPump() = default;
    ScriptedPump(const ScriptedPump&) = delete;
    ScriptedPump& operator=(const ScriptedPump&) = delete;
    // Reports the actions whose call was never reached.
    ~ScriptedPump() override;

    bool due() override { return true; }
    void processEvents() override;
    void at(int call, std::function<void()> action) {
        actions_.push_back({call, std::move(action)});
    }
    int calls() const { return calls_; }
    std::vector<std::string> unusedItems() const;

private:
    struct Action {
        int call;
        std::function<void()> run;
    };
    std::vector<Action> actions_;
    int calls_ = 0;
};

} // namespace lumora::editor
