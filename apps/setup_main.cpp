// The installer: builds the real services, loads the installer's form (which runs
// the controller's start sequence) and runs until the background ends it.

#include "setup/engine/program_launcher.h"
#include "setup/engine/qt_setup_interaction.h"
#include "setup/engine/qt_setup_message_pump.h"
#include "setup/engine/setup_error.h"
#include "setup/engine/setup_info.h"
#include "setup/engine/setup_pages_form.h"
#include "setup/engine/setup_services.h"
#include "setup/form/form_resource.h"
#include "setup/form/form_stream_reader.h"
#include "setup/pages/setup_form.h"

#include <QApplication>

#include <memory>

int main(int argc, char** argv) {
    using namespace setupkit;
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Lumora"));

    QtSetupInteraction interaction;
    QtSetupMessagePump pump;
    int exitCode = 0;
    try {
        SetupServices services = systemSetupServices({argv + 1, argv + argc});
        PlatformProgramLauncher launcher(services.drives);
        services.interaction = &interaction;
        services.pump = &pump;
        services.launcher = &launcher;
        services.quit = [](int code) { QCoreApplication::exit(code); };
        TSetupPagesForm::installFactory();

        const auto resource = form::findResource(form::kSetupFormResource);
        if (!resource)
            throw ESetupError("This program holds no installer form (resource " +
                              std::string(form::kSetupFormResource) + ").");
        auto form = std::make_unique<TSetupForm>(services, form::readFormStream(*resource));
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
        interaction.showStandardMessage(error.what(), mtError, mbOK);
        exitCode = 1;
    }
    FreeSetupPagesForm();
    return exitCode;
}
