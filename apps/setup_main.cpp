// The installer: builds the real services, loads the installer's form (which runs
// the controller's start sequence) and runs until the background ends it. With an
// answer file named in the environment the run is unattended: the wizard's buttons and
// the message boxes are answered from the file and logged to standard error.

#include "setup/engine/answer_file.h"
#include "setup/engine/answer_file_pump.h"
#include "setup/engine/program_launcher.h"
#include "setup/engine/qt_setup_interaction.h"
#include "setup/engine/qt_setup_message_pump.h"
#include "setup/engine/scripted_setup_interaction.h"
#include "setup/engine/setup_error.h"
#include "setup/engine/setup_info.h"
#include "setup/engine/setup_pages_form.h"
#include "setup/engine/setup_services.h"
#include "setup/form/form_resource.h"
#include "setup/form/form_stream_reader.h"
#include "setup/pages/setup_form.h"

#include <QApplication>

#include <cstdlib>
#include <iostream>
#include <memory>
#include <optional>

namespace {

using namespace setupkit;

constexpr int kUnattendedFailure = 3;

// An unattended run that meets a question its answer file does not cover stops at once,
// as a killed run would (the install journal keeps what was done), and says why.
[[noreturn]] void stopUnattended(const std::string& why) {
    std::cerr << "setup: " << why << std::endl;
    std::_Exit(kUnattendedFailure);
}

// The scripted boxes of an unattended run, each logged; an unscripted one stops the run.
class UnattendedInteraction : public SetupInteraction {
public:
    explicit UnattendedInteraction(const AnswerFile& answers) {
        for (const ScriptedAnswer& answer : answers.answers) {
            if (answer.expectedText)
                scripted_.answer(*answer.expectedText, answer.result);
            else
                scripted_.answer(answer.result);
        }
        scripted_.onAnswered = [](const RecordedMessage& message) {
            std::cerr << "setup: message \"" << message.text << "\" answered " << message.answer
                      << "\n";
        };
    }
    int showSetupMessage(const SetupMessageBox& box) override {
        return guarded([&] { return scripted_.showSetupMessage(box); });
    }
    int showStandardMessage(std::string_view text, int kind, unsigned buttons) override {
        return guarded([&] { return scripted_.showStandardMessage(text, kind, buttons); });
    }

private:
    template <class Show> int guarded(Show&& show) {
        try {
            return show();
        } catch (const UnscriptedInteraction& error) {
            stopUnattended(std::string("the answer file does not cover this: ") + error.what());
        }
    }
    ScriptedSetupInteraction scripted_;
};

struct Seams {
    std::unique_ptr<SetupInteraction> interaction;
    std::unique_ptr<SetupMessagePump> pump;
    bool unattended = false;
};

Seams makeSeams(const std::optional<AnswerFile>& answers) {
    Seams seams;
    if (!answers) {
        seams.interaction = std::make_unique<QtSetupInteraction>();
        seams.pump = std::make_unique<QtSetupMessagePump>();
        return seams;
    }
    seams.unattended = true;
    auto pump = std::make_unique<AnswerFilePump>(answers->presses);
    pump->onPress = [](WizardButton button, const std::string& caption) {
        std::cerr << "setup: page \"" << caption << "\": " << wizardButtonName(button) << "\n";
    };
    pump->onExhausted = [](const std::string& caption) {
        stopUnattended("the answer file has no button press left for the page \"" + caption + "\"");
    };
    seams.interaction = std::make_unique<UnattendedInteraction>(*answers);
    seams.pump = std::move(pump);
    return seams;
}

form::FormComponent installerForm() {
    const auto resource = form::findResource(form::kSetupFormResource);
    if (!resource)
        throw ESetupError("This program holds no installer form (resource " +
                          std::string(form::kSetupFormResource) + ").");
    return form::readFormStream(*resource);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Lumora"));

    Seams seams;
    try {
        seams = makeSeams(answerFileFromEnvironment());
    } catch (const std::exception& error) {
        std::cerr << "setup: " << error.what() << "\n";
        return kUnattendedFailure;
    }
    int exitCode = 0;
    try {
        SetupServices services = systemSetupServices({argv + 1, argv + argc});
        PlatformProgramLauncher launcher(services.drives);
        services.interaction = seams.interaction.get();
        services.pump = seams.pump.get();
        services.launcher = &launcher;
        services.quit = [](int code) { QCoreApplication::exit(code); };
        TSetupPagesForm::installFactory();

        auto form = std::make_unique<TSetupForm>(services, installerForm());
        TSetupInfo* info = form->SetupInfo();
        if (info && info->QuitRequested()) {
            exitCode = info->QuitExitCode();
        } else {
            form->showMaximized();
            exitCode = QApplication::exec();
        }
        if (info)
            info->Shutdown();
        form.reset();
    } catch (const std::exception& error) {
        if (seams.unattended) {
            // No one is there to read a box: the error goes to the log and the exit code.
            std::cerr << "setup: " << error.what() << "\n";
            exitCode = kUnattendedFailure;
        } else {
            seams.interaction->showStandardMessage(error.what(), mtError, mbOK);
            exitCode = 1;
        }
    }
    FreeSetupPagesForm();
    return exitCode;
}
