#pragma once
// The message boxes of an unattended run. Boxes are answered from the answer file
// in its order; a run without one (setup --unattended) answers every box the way its
// defaults would instead. Each answer is logged; a box neither covers stops the run.

#include "setup/engine/answer_file.h"
#include "setup/engine/scripted_setup_interaction.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace setupkit {

// The answer the defaults give a box with these button results (in placement order),
// or mrNone when they give none. An error that offers Abort is aborted, so the run
// fails rather than going on past a fault; a question is answered Yes, unless it only
// offers something to look at (`declinedOffers`: texts answered No); a notice gets OK.
int defaultAnswer(std::string_view text, const std::vector<int>& results,
                  const std::vector<std::string>& declinedOffers);

class UnattendedInteraction : public SetupInteraction {
public:
    // `answers` may be empty; with `fromDefaults` the boxes it does not cover are
    // answered by defaultAnswer.
    UnattendedInteraction(const AnswerFile& answers, bool fromDefaults,
                          std::vector<std::string> declinedOffers = {});

    // Told of every answered box as a log line.
    std::function<void(const std::string& line)> log;
    // Told of a box nothing covers, with why; it must not return (the run ends). Without
    // it, UnscriptedInteraction is thrown.
    std::function<void(const std::string& why)> onUncovered;

    int showSetupMessage(const SetupMessageBox& box) override;
    int showStandardMessage(std::string_view text, int kind, unsigned buttons) override;
    void showTextViewer(std::string_view title, std::string_view text) override;

    std::size_t pendingAnswers() const { return scripted_.pendingAnswers(); }

private:
    int answerByDefault(const RecordedMessage& message);
    template <class Show> int guarded(Show&& show);

    ScriptedSetupInteraction scripted_;
    bool fromDefaults_;
    std::vector<std::string> declinedOffers_;
};

} // namespace setupkit
