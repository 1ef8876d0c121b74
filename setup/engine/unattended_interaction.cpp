#include "setup/engine/unattended_interaction.h"

#include <algorithm>

namespace setupkit {

namespace {

bool offers(const std::vector<int>& results, int result) {
    return std::find(results.begin(), results.end(), result) != results.end();
}

std::string answerName(int result) {
    switch (result) {
    case mrOk:
        return "OK";
    case mrCancel:
        return "Cancel";
    case mrAbort:
        return "Abort";
    case mrRetry:
        return "Retry";
    case mrIgnore:
        return "Ignore";
    case mrYes:
        return "Yes";
    case mrNo:
        return "No";
    case mrAll:
        return "All";
    default:
        return std::to_string(result);
    }
}

} // namespace

int defaultAnswer(std::string_view text, const std::vector<int>& results,
                  const std::vector<std::string>& declinedOffers) {
    if (offers(results, mrNo) &&
        std::find(declinedOffers.begin(), declinedOffers.end(), text) != declinedOffers.end())
        return mrNo;
    for (const int result : {mrAbort, mrYes, mrOk})
        if (offers(results, result))
            return result;
    return mrNone;
}

UnattendedInteraction::UnattendedInteraction(const AnswerFile& answers, bool fromDefaults,
                                             std::vector<std::string> declinedOffers)
    : fromDefaults_(fromDefaults), declinedOffers_(std::move(declinedOffers)) {
    for (const ScriptedAnswer& answer : answers.answers) {
        if (answer.expectedText)
            scripted_.answer(*answer.expectedText, answer.result);
        else
            scripted_.answer(answer.result);
    }
    scripted_.onAnswered = [this](const RecordedMessage& message) {
        if (log)
            log("message \"" + message.text + "\" answered " + answerName(message.answer));
    };
}

template <class Show> int UnattendedInteraction::guarded(Show&& show) {
    try {
        return show();
    } catch (const UnscriptedInteraction& error) {
        // The box was recorded before it failed the script.
        const RecordedMessage& message = scripted_.messages().back();
        if (fromDefaults_ && scripted_.pendingAnswers() == 0)
            if (const int answer = answerByDefault(message); answer != mrNone)
                return answer;
        const std::string why = (fromDefaults_ ? "the defaults do not answer this: "
                                               : "the answer file does not cover this: ") +
                                std::string(error.what());
        if (onUncovered)
            onUncovered(why);
        throw UnscriptedInteraction(why);
    }
}

int UnattendedInteraction::answerByDefault(const RecordedMessage& message) {
    const int answer = defaultAnswer(message.text, message.buttonResults, declinedOffers_);
    if (answer != mrNone && log)
        log("message \"" + message.text + "\" answered " + answerName(answer) + " (default)");
    return answer;
}

int UnattendedInteraction::showSetupMessage(const SetupMessageBox& box) {
    return guarded([&] { return scripted_.showSetupMessage(box); });
}

int UnattendedInteraction::showStandardMessage(std::string_view text, int kind, unsigned buttons) {
    return guarded([&] { return scripted_.showStandardMessage(text, kind, buttons); });
}

void UnattendedInteraction::showTextViewer(std::string_view title, std::string_view text) {
    guarded([&] {
        scripted_.showTextViewer(title, text);
        return mrOk;
    });
}

} // namespace setupkit
