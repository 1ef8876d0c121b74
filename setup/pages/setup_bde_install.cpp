#include "setup/pages/setup_bde_install.h"

#include "platform/registry.h"
#include "setup/engine/form_loading.h"
#include "setup/engine/message_box_types.h"
#include "setup/engine/program_launcher.h"
#include "setup/engine/setup_error.h"
#include "setup/engine/setup_info.h"
#include "setup/engine/setup_interaction.h"
#include "setup/engine/setup_paths.h"
#include "setup/pages/catalogue_format.h"
#include "setup/pages/setup_pages_form.h"

#include <QPlainTextEdit>
#include <QPushButton>

namespace setupkit {

namespace fs = std::filesystem;

TSetupBDEInstall::TSetupBDEInstall(ComponentOwner* owner) : TSetupPage(owner) {
    for (const TSetupComponent* component : owner->Components())
        if (component->InheritsFrom("TSetupBDEInstall"))
            throw ESetupError("Only allowed one TSetupBDEInstall per application.");
}

bool TSetupBDEInstall::InheritsFrom(std::string_view className) const {
    return className == "TSetupBDEInstall" || TSetupPage::InheritsFrom(className);
}

void TSetupBDEInstall::SetDefaultDir(const std::string& dir) {
    const std::string withSlash = AddBackslash(dir);
    const size_t slash = dir.find_last_of("\\:");
    const std::string directoryPart =
        AddBackslash(slash == std::string::npos ? std::string() : dir.substr(0, slash + 1));
    if (withSlash.empty() || withSlash != directoryPart) {
        if (const TSetupInfo* info = SetupInfo())
            info->Services().interaction->showStandardMessage(
                "This is not a valid directory string.", mtWarning, mbOK);
        return;
    }
    defaultDir_ = withSlash;
}

fs::path TSetupBDEInstall::winIni() const {
    const TSetupInfo* info = SetupInfo();
    if (!info)
        return {};
    return info->HostPath(AddBackslash(info->Services().windowsDirectory) + "WIN.INI")
        .value_or(fs::path());
}

lumora::platform::Registry TSetupBDEInstall::registry() const {
    const TSetupInfo* info = SetupInfo();
    if (info && info->Services().registry)
        return *info->Services().registry;
    return lumora::platform::Registry::forCurrentUser();
}

bool TSetupBDEInstall::Present() const {
    if (bdeType_ == bdeNone)
        return false;
    return bdePresent(bdeType_, winIni(), registry());
}

int TSetupBDEInstall::Execute() {
    if (bdeType_ == bdeNone)
        return psDone;
    return TSetupPage::Execute();
}

void TSetupBDEInstall::ShowPage() {
    TSetupPage::ShowPage();
    std::vector<std::string> lines = text_;
    if (lines.empty())
        lines = {TSetupPage::Text(75), "", TSetupPage::Text(76) + "  " + TSetupPage::Text(77), "",
                 TSetupPage::Text(78) + "  " + TSetupPage::Text(79)};
    Dialog().setCaption(TSetupPage::Text(73));
    const bool present = Present();
    if (present)
        installed_ = true;
    if (TSetupPagesForm* dialog = TSetupPagesForm::instance()) {
        QStringList shown;
        for (const std::string& line : lines)
            shown << QString::fromStdString(line);
        dialog->meBDEIntent->clear();
        dialog->meBDEIntent->setPlainText(shown.join(QLatin1Char('\n')));
        QString caption = QString::fromStdString(TSetupPage::Text(74));
        dialog->btnBDEReinstall->setText(caption);
        dialog->btnBDEReinstall->setEnabled(present);
    }
    Dialog().showNotebookPage(npBDEInstall);
}

void TSetupBDEInstall::DoNext() {
    if (!Present())
        install();
    SetPageState(installed_ ? psDone : psCancelled);
    TSetupPage::DoNext();
}

void TSetupBDEInstall::DoBrowse(std::string_view senderName) {
    if (senderName != "btnBDEReinstall")
        return;
    install();
    if (installed_) {
        SetPageState(psDone);
        DoNext();
    } else {
        SetPageState(psCancelled);
        DoCancel();
    }
}

void TSetupBDEInstall::install() {
    switch (bdeType_) {
    case bde16Borland:
        runSetupProgram();
        break;
    case bde16Integrated:
    case bde32Integrated:
        installIntegrated();
        break;
    case bdeNone:
        break;
    }
}

void TSetupBDEInstall::runSetupProgram() {
    TSetupInfo* info = SetupInfo();
    installed_ = false;
    if (!info)
        return;
    const std::string path = ResolveDir(info, bdeDir_) + installProgram_;
    const char drive = lumora::platform::driveLetterOf(path);
    if (drive == 'A' || drive == 'B') {
        const std::string diskFile = std::string(1, drive) + ":\\DISK1.DSK";
        do {
            if (info->MessageDlg(info->GetText(83), mtConfirmation, mbOK | mbCancel) != mrOk)
                return;
        } while (!info->HostPath(diskFile) || !fs::exists(*info->HostPath(diskFile)));
    }
    const auto host = info->HostPath(path);
    std::error_code error;
    if (host && fs::is_regular_file(*host, error)) {
        const size_t slash = path.find_last_of("\\:");
        LaunchRequest request;
        request.commandLine = "\"" + path + "\"";
        request.workingDirectory =
            FixDriveRoot(slash == std::string::npos ? std::string() : path.substr(0, slash + 1));
        // Waited for, so that the check below sees what the program did.
        request.wait = true;
        ProgramLauncher* launcher = info->Services().launcher;
        const LaunchResult result = launcher ? launcher->launch(request) : LaunchResult{};
        if (result.started)
            installed_ = true;
        else
            info->MessageDlg(formatCatalogueText(info->GetText(81), {decimal(result.errorCode)}),
                             mtWarning, mbOK);
    } else {
        info->MessageDlg(info->GetText(82), mtWarning, mbOK);
    }
    if (!installed_ || !bdePresent(bde16Borland, winIni(), registry())) {
        info->MessageDlg(info->GetText(80), mtWarning, mbOK);
        installed_ = false;
    }
}

void TSetupBDEInstall::installIntegrated() {
    TSetupInfo* info = SetupInfo();
    if (!info)
        return;
    TSetupData& script = info->SetupData();
    const std::string engineDir = integratedEngineDir(ResolveDir(info, bdeDir_), defaultDir_);
    TSetupDir* engine = script.AddDir("$$$BDE$$$", engineDir, nullptr);
    info->SelectDir(engine, true);
    for (TSetupFile* file : script.BDEFiles().Files())
        info->SelectFile(file, engine);
    TSetupDir* drivers = script.AddDir("$$$BDELD$$$", "LANGDRV\\", engine);
    info->SelectDir(drivers, true);
    for (TSetupFile* file : script.BDELDFiles().Files())
        info->SelectFile(file, drivers);
    if (TSetupDir* system = script.FindDir("Windows System"))
        for (TSetupFile* file : script.BDEWSFiles().Files())
            info->SelectFile(file, system);
    if (bdeType_ == bde16Integrated) {
        writeIntegratedWinIni(winIni(), engineDir);
    } else {
        auto store = registry();
        writeExtraData(store, extraData_, engineDir);
    }
    info->SetInstalledBDEType(bdeType_);
    installed_ = true;
}

void TSetupBDEInstall::RemoveBDE(std::uint8_t type) {
    TSetupInfo* info = SetupInfo();
    if (!allowUnInstall_ || !info)
        return;
    auto store = registry();
    removeBDE(static_cast<TSetupBDEInstallTypes>(type & 0x7F), info->Services().drives, winIni(),
              store, [info](const std::string& path) {
                  info->MessageDlg(formatCatalogueText(info->GetText(92), {path}), mtWarning, mbOK);
              });
}

void TSetupBDEInstall::Notification(TSetupComponent* component, Operation operation) {
    TSetupPage::Notification(component, operation);
    if (operation == Operation::opRemove && component->InheritsFrom("TSetupInfo"))
        bdeType_ = bdeNone;
}

bool TSetupBDEInstall::SetProperty(const form::FormProperty& property, FormLoadContext& context) {
    const std::string& name = property.name;
    if (name == "BDEType") {
        const std::string value = formIdentifier(property);
        if (value == "bdeNone")
            bdeType_ = bdeNone;
        else if (value == "bde16Borland")
            bdeType_ = bde16Borland;
        else if (value == "bde16Integrated")
            bdeType_ = bde16Integrated;
        else if (value == "bde32Integrated")
            bdeType_ = bde32Integrated;
        else
            throw ESetupError("Invalid property value for BDEType: " + value);
    } else if (name == "BDEDir") {
        bdeDir_ = formString(property);
    } else if (name == "DefaultDir") {
        defaultDir_ = AddBackslash(formString(property));
    } else if (name == "InstallProgram") {
        installProgram_ = formString(property);
    } else if (name == "AllowUnInstall") {
        allowUnInstall_ = formBoolean(property);
    } else if (name == "Text.Strings" || name == "Text") {
        text_ = formStrings(property);
    } else if (name == "ExtraData.Strings" || name == "ExtraData") {
        extraData_ = formStrings(property);
    } else {
        return TSetupPage::SetProperty(property, context);
    }
    return true;
}

} // namespace setupkit
