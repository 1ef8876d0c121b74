#pragma once
// The test side of the interaction door: records every text shown and answers
// questions and file dialogs from a queue. A question nobody scripted throws
// UnscriptedInteraction, so a test cannot pass by accident.

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
    enum class Kind { Message, Error, Question, OpenFile, SaveFile };
    struct Record {
        Kind kind;
        std::string text; // the message, or the proposed name of a file dialog
        bool operator==(const Record&) const = default;
    };

    void queueAnswer(Answer answer) { queue_.emplace_back(answer); }
    // A file dialog's result; nothing means Cancel.
    void queueFile(std::optional<std::string> path) { queue_.emplace_back(std::move(path)); }

    const std::vector<Record>& records() const { return records_; }
    // Texts of messages, errors and questions, in order.
    std::vector<std::string> texts() const;
    std::vector<FileDialogRequest> fileRequests() const { return fileRequests_; }
    bool allAnswersUsed() const { return queue_.empty(); }
    void clearRecords() { records_.clear(); }

    void showMessage(const std::string& text) override;
    void showError(const std::string& text) override;
    Answer ask(const std::string& text, QuestionButtons buttons) override;
    std::optional<std::string> chooseOpenFile(const FileDialogRequest& request) override;
    std::optional<std::string> chooseSaveFile(const FileDialogRequest& request) override;

private:
    std::optional<std::string> nextFile(Kind kind, const FileDialogRequest& request);

    std::deque<std::variant<Answer, std::optional<std::string>>> queue_;
    std::vector<Record> records_;
    std::vector<FileDialogRequest> fileRequests_;
};

// A pump for tests: always due, counts its calls, and can run a scripted action
// (an edit, a second click) at a chosen call.
class ScriptedPump : public MessagePump {
public:
    bool due() override { return true; }
    void processEvents() override;
    void at(int call, std::function<void()> action) {
        actions_.push_back({call, std::move(action)});
    }
    int calls() const { return calls_; }

private:
    struct Action {
        int call;
        std::function<void()> run;
    };
    std::vector<Action> actions_;
    int calls_ = 0;
};

} // namespace lumora::editor
