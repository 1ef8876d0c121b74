// The installer: builds the real services, loads the installer's form (which runs
// the controller's start sequence) and runs until the background ends it. With an
// answer file named in the environment, or --unattended, no one answers: the wizard's
// buttons and the message boxes are answered from the file or from the defaults and
// logged. The exit status says how the run ended (setup/engine/exit_status.h).

#include "setup_command_line.h"

#include "common/ascii_case.h"
#include "setup/engine/answer_file.h"
#include "setup/engine/answer_file_pump.h"
#include "setup/engine/distribution_check.h"
#include "setup/engine/exit_status.h"
#include "setup/engine/program_launcher.h"
#include "setup/engine/qt_setup_interaction.h"
#include "setup/engine/qt_setup_message_pump.h"
#include "setup/engine/setup_error.h"
#include "setup/engine/setup_info.h"
#include "setup/engine/setup_paths.h"
#include "setup/engine/setup_services.h"
#include "setup/engine/unattended_interaction.h"
#include "setup/form/form_resource.h"
#include "setup/form/form_stream_reader.h"
#include "setup/form/setup_data_property.h"
#include "setup/pages/setup_dir_choice.h"
#include "setup/pages/setup_file_copy.h"
#include "setup/pages/setup_form.h"
#include "setup/pages/setup_groups.h"
#include "setup/pages/setup_pages_form.h"
#include "setup/script/value_reader.h"

#include <QApplication>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>

namespace {

using namespace setupkit;
namespace fs = std::filesystem;

// The run's log: standard error, and the file --log names (appended to, so the copy
// an uninstall starts adds its part).
class RunLog {
public:
    void openFile(const fs::path& path) { file_.open(path, std::ios::app); }
    bool fileOpen() const { return file_.is_open(); }
    void line(const std::string& text) {
        std::cerr << "setup: " << text << std::endl;
        if (file_.is_open())
            file_ << "setup: " << text << std::endl;
    }

private:
    std::ofstream file_;
};

RunLog& runLog() {
    static RunLog log;
    return log;
}

// An unattended run that meets a question nothing answers stops at once, as a killed
// run would (the install journal keeps what was done), and says why.
[[noreturn]] void stopUnattended(const std::string& why) {
    runLog().line(why);
    std::_Exit(kExitUncoveredQuestion);
}

struct Seams {
    std::unique_ptr<SetupInteraction> interaction;
    std::unique_ptr<SetupMessagePump> pump;
    bool unattended = false;
};

Seams makeSeams(const std::optional<AnswerFile>& answers, bool fromDefaults) {
    Seams seams;
    if (!answers && !fromDefaults) {
        seams.interaction = std::make_unique<QtSetupInteraction>();
        seams.pump = std::make_unique<QtSetupMessagePump>();
        return seams;
    }
    seams.unattended = true;
    const AnswerFile none;
    const AnswerFile& file = answers ? *answers : none;
    auto pump = std::make_unique<AnswerFilePump>(file.presses);
    if (fromDefaults)
        pump->answerFromDefaults();
    pump->onPress = [](WizardButton button, const std::string& caption) {
        runLog().line("page \"" + caption + "\": " + std::string(wizardButtonName(button)));
    };
    pump->onExhausted = [fromDefaults](const std::string& caption) {
        stopUnattended(fromDefaults ? "the defaults do not get past the page \"" + caption + "\""
                                    : "the answer file has no button press left for the page \"" +
                                          caption + "\"");
    };
    // Unattended runs start no viewer: the read-me offer is declined.
    auto interaction = std::make_unique<UnattendedInteraction>(
        file, fromDefaults, std::vector<std::string>{kReadMeQuestion});
    interaction->log = [](const std::string& line) { runLog().line(line); };
    interaction->onUncovered = [](const std::string& why) { stopUnattended(why); };
    seams.interaction = std::move(interaction);
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

// The copy an uninstall starts runs from another folder: a relative answer file
// name is made absolute first, so it finds the same file.
void anchorAnswerFile() {
    const char* path = std::getenv(kAnswerFileVariable);
    if (!path || !*path || fs::path(path).is_absolute())
        return;
    std::error_code error;
    const fs::path absolute = fs::absolute(path, error);
    if (!error)
        qputenv(kAnswerFileVariable, QByteArray::fromStdString(absolute.string()));
}

template <class Component> Component* findComponent(TSetupForm& form) {
    for (TSetupComponent* component : form.Components().Components())
        if (auto* found = dynamic_cast<Component*>(component))
            return found;
    return nullptr;
}

// What --target, --no-menu and --overwrite change before the pages run.
void applyUnattendedSettings(TSetupForm& form, const SetupCommandLine& line,
                             const SetupServices& services) {
    if (line.target) {
        auto* page = findComponent<TSetupDirChoice>(form);
        if (!page)
            throw EUsage("--target: this setup has no destination page");
        std::string target = *line.target;
        const bool windowsPath = target.size() >= 2 && target[1] == ':';
        if (!windowsPath) {
            std::error_code error;
            const auto windows =
                services.drives.toWindowsPath(fs::absolute(target, error).lexically_normal());
            if (error || !windows)
                throw EUsage("--target: no drive reaches " + target);
            target = *windows;
        }
        page->SetTargetDir(AddBackslash(target));
        if (!lumora::equalsIgnoringCase(page->TargetDir(), AddBackslash(target)))
            throw EUsage("--target: " + *line.target + " cannot be an install folder");
    }
    if (line.noMenu)
        if (auto* page = findComponent<TSetupGroups>(form))
            page->SetMakesEntries(false);
    // No one is there to be asked about a file in place: older ones are replaced.
    TSetupOverWriteOptions overwrite = swOlder;
    if (line.overwrite == "never")
        overwrite = swNever;
    else if (line.overwrite == "always")
        overwrite = swAlways;
    for (TSetupComponent* component : form.Components().Components())
        if (auto* page = dynamic_cast<TSetupFileCopy*>(component))
            page->SetOverWrite(overwrite);
}

int runCheck() {
    SetupServices services = systemSetupServices({});
    const form::FormComponent tree = installerForm();
    const form::FormProperty* setupData = form::findSetupDataProperty(tree);
    if (!setupData)
        throw ESetupError("This program's form holds no install script.");
    TSetupData script;
    ValueReader reader(setupData->value.encoded);
    script.ReadData(reader);
    const DistributionCheck check =
        checkDistribution(script, services.programFile.parent_path(), [&](const TSetupDir& dir) {
            std::string where = dir.Name() == "Windows"          ? services.windowsDirectory
                                : dir.Name() == "Windows System" ? services.systemDirectory
                                                                 : dir.FullPath();
            if (const auto host = services.drives.toHostPath(where))
                where += " (" + host->string() + ")";
            return where;
        });
    std::cout << script.AppName() << ": " << script.Files().size() << " files from "
              << services.programFile.parent_path().string() << "\n";
    for (const std::string& line : check.plan)
        std::cout << line << "\n";
    for (const std::string& note : check.notes)
        std::cout << "Note: " << note << "\n";
    for (const std::string& problem : check.problems)
        std::cout << "Problem: " << problem << "\n";
    std::cout << (check.sound() ? "The distribution is sound.\n"
                                : "The distribution is not sound.\n");
    return check.sound() ? kExitSuccess : kExitFailed;
}

} // namespace

int main(int argc, char** argv) {
    const SetupCommandLine line = parseSetupCommandLine({argv, argv + argc});
    if (!line.error.empty()) {
        std::cerr << "setup: " << line.error << "\nsetup --help lists what it takes.\n";
        return kExitUsage;
    }
    if (line.action != SetupCommandLine::Action::Wizard) {
        QCoreApplication app(argc, argv);
        if (line.action == SetupCommandLine::Action::Help) {
            std::cout << setupHelpText();
            return kExitSuccess;
        }
        if (line.action == SetupCommandLine::Action::Version) {
            std::cout << setupVersionText();
            return kExitSuccess;
        }
        try {
            return runCheck();
        } catch (const std::exception& error) {
            std::cerr << "setup: " << error.what() << "\n";
            return kExitFailed;
        }
    }
    anchorAnswerFile();
    // Without a display: an unattended run shows nothing anyone would see.
    if (line.unattended)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Lumora"));

    std::optional<fs::path> logFile;
    if (line.logFile) {
        logFile = fs::absolute(*line.logFile);
        runLog().openFile(*logFile);
        if (!runLog().fileOpen()) {
            std::cerr << "setup: cannot write the log file " << logFile->string() << "\n";
            return kExitUsage;
        }
    }
    Seams seams;
    try {
        seams = makeSeams(answerFileFromEnvironment(), line.unattended);
    } catch (const std::exception& error) {
        runLog().line(error.what());
        return kExitUsage;
    }
    int exitCode = kExitSuccess;
    try {
        SetupServices services = systemSetupServices(line.arguments);
        PlatformProgramLauncher launcher(services.drives);
        services.interaction = seams.interaction.get();
        services.pump = seams.pump.get();
        services.launcher = &launcher;
        services.quit = [](int code) { QCoreApplication::exit(code); };
        services.waitForRelaunch = seams.unattended;
        if (line.unattended) {
            services.relaunchArguments = {"--unattended"};
            if (logFile)
                services.relaunchArguments.insert(services.relaunchArguments.end(),
                                                  {"--log", logFile->string()});
        }
        TSetupPagesForm::installFactory();

        auto form = std::make_unique<TSetupForm>(services, installerForm());
        TSetupInfo* info = form->SetupInfo();
        if (info && info->QuitRequested()) {
            exitCode = info->QuitExitCode();
        } else {
            if (line.unattended)
                applyUnattendedSettings(*form, line, services);
            form->showMaximized();
            exitCode = QApplication::exec();
        }
        if (info)
            info->Shutdown();
        form.reset();
    } catch (const EUsage& error) {
        runLog().line(error.what());
        exitCode = kExitUsage;
    } catch (const std::exception& error) {
        if (seams.unattended)
            // No one is there to read a box: the error goes to the log.
            runLog().line(error.what());
        else
            seams.interaction->showStandardMessage(error.what(), mtError, mbOK);
        exitCode = kExitFailed;
    }
    FreeSetupPagesForm();
    return exitCode;
}
