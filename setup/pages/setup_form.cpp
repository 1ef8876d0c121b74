#include "setup/pages/setup_form.h"

#include "common/ascii_case.h"
#include "setup/engine/setup_error.h"
#include "setup/engine/setup_info.h"
#include "setup/engine/setup_interaction.h"
#include "setup/engine/setup_paths.h"
#include "setup/pages/setup_background.h"
#include "setup/pages/setup_bde_install.h"
#include "setup/pages/setup_choice_pages.h"
#include "setup/pages/setup_dir_choice.h"
#include "setup/pages/setup_file_copy.h"
#include "setup/pages/setup_groups.h"
#include "setup/pages/setup_language.h"
#include "setup/pages/setup_message.h"
#include "setup/pages/setup_prog_exec.h"
#include "setup/pages/setup_uninstall.h"

#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>
#include <filesystem>

namespace setupkit {

TSetupForm::TSetupForm(SetupServices& services, const form::FormComponent& tree)
    : services_(services) {
    setObjectName(QString::fromStdString(tree.name));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    layout_ = new QVBoxLayout(this);
    layout_->setContentsMargins(0, 0, 0, 0);
    registerClasses();
    factory_.load(tree, components_, handlers(),
                  [this](const form::FormProperty& property) { return setFormProperty(property); });
    if (runFormCreate_)
        FormCreate();
    // The form fills the screen; a platform without a window manager to maximise it
    // (an offscreen, unattended run) would otherwise leave it empty and never painted,
    // and the background would never start the pages.
    if (QScreen* screen = QGuiApplication::primaryScreen())
        resize(screen->availableGeometry().size());
}

TSetupForm::~TSetupForm() = default;

TSetupInfo* TSetupForm::SetupInfo() const {
    for (TSetupComponent* component : components_.Components())
        if (component->InheritsFrom("TSetupInfo"))
            return static_cast<TSetupInfo*>(component);
    return nullptr;
}

TSetupBackground* TSetupForm::Background() const {
    for (TSetupComponent* component : components_.Components())
        if (component->InheritsFrom("TSetupBackground"))
            return static_cast<TSetupBackground*>(component);
    return nullptr;
}

void TSetupForm::registerClasses() {
    factory_.registerClass("TSetupBackground", [this](ComponentOwner& owner) {
        auto* background = new TSetupBackground(&owner, this);
        layout_->addWidget(background);
        owner.InsertComponent(background);
        return background;
    });
    factory_.registerClass("TSetupInfo", [this](ComponentOwner& owner) {
        return owner.Create<TSetupInfo>(services_);
    });
    factory_.registerClass("TSetupMessage",
                           [](ComponentOwner& owner) { return owner.Create<TSetupMessage>(); });
    factory_.registerClass("TSetupGroups",
                           [](ComponentOwner& owner) { return owner.Create<TSetupGroups>(); });
    factory_.registerClass("TSetupUnInstall",
                           [](ComponentOwner& owner) { return owner.Create<TSetupUnInstall>(); });
    factory_.registerClass("TSetupProgExec",
                           [](ComponentOwner& owner) { return owner.Create<TSetupProgExec>(); });
    factory_.registerClass("TSetupBDEInstall",
                           [](ComponentOwner& owner) { return owner.Create<TSetupBDEInstall>(); });
    factory_.registerClass("TSetupDirChoice",
                           [](ComponentOwner& owner) { return owner.Create<TSetupDirChoice>(); });
    factory_.registerClass("TSetupFileCopy",
                           [](ComponentOwner& owner) { return owner.Create<TSetupFileCopy>(); });
    factory_.registerClass("TSetupRadioChoice",
                           [](ComponentOwner& owner) { return owner.Create<TSetupRadioChoice>(); });
    factory_.registerClass("TSetupCheckBoxChoice", [](ComponentOwner& owner) {
        return owner.Create<TSetupCheckBoxChoice>();
    });
    factory_.registerClass("TSetupLanguage",
                           [](ComponentOwner& owner) { return owner.Create<TSetupLanguage>(); });
}

EventHandlers TSetupForm::handlers() {
    return {
        {"suGroupsNextPage", [this](TSetupComponent* sender) { suGroupsNextPage(sender); }},
        {"suInstallTypeNextPage",
         [this](TSetupComponent* sender) { suInstallTypeNextPage(sender); }},
        {"suUnInstallCleanup", [this](TSetupComponent* sender) { suUnInstallCleanup(sender); }},
    };
}

bool TSetupForm::setFormProperty(const form::FormProperty& property) {
    const std::string& name = property.name;
    if (name == "OnCreate") {
        if (formIdentifier(property) != "FormCreate")
            throw ESetupError("Invalid event handler: the form has no method named " +
                              formIdentifier(property));
        runFormCreate_ = true;
        return true;
    }
    if (name == "Caption") {
        setWindowTitle(QString::fromStdString(formString(property)));
        return true;
    }
    // Placement and look: the form is maximised, centred and without border icons.
    static const char* const placement[] = {
        "BorderIcons",   "BorderStyle", "Position",  "WindowState",  "Left",
        "Top",           "Width",       "Height",    "ClientWidth",  "ClientHeight",
        "PixelsPerInch", "TextHeight",  "Color",     "Font.Charset", "Font.Color",
        "Font.Height",   "Font.Name",   "Font.Style"};
    for (const char* accepted : placement)
        if (name == accepted)
            return true;
    return false;
}

void TSetupForm::FormCreate() {
    const TSetupInfo* info = SetupInfo();
    const QString title = QString::fromStdString(
        (info ? info->SetupData().AppName() : std::string()) + " Setup Program");
    setWindowTitle(title);
    QGuiApplication::setApplicationDisplayName(title);
}

void TSetupForm::suGroupsNextPage(TSetupComponent*) {
    TSetupInfo* info = SetupInfo();
    if (!info)
        return;
    // The directory page leaves its target in the install directory.
    const std::string readme = ResolveDir(info, "Install") + "README.TXT";
    const auto host = info->HostPath(readme);
    if (host && std::filesystem::exists(*host) &&
        services_.interaction->showStandardMessage(kReadMeQuestion, mtConfirmation, mbYes | mbNo) ==
            mrYes) {
        if (auto* viewer = dynamic_cast<TSetupProgExec*>(components_.FindComponent("suProg"))) {
            viewer->SetCommandLine(readme);
            viewer->Execute();
        }
    }
    if (auto* unInstall = dynamic_cast<TSetupUnInstall*>(components_.FindComponent("suUnInstall")))
        unInstall->RegisterUnInstall("Lumora");
}

void TSetupForm::suInstallTypeNextPage(TSetupComponent* sender) {
    // The third install type lets the user pick the options.
    auto* installType = dynamic_cast<TSetupChoice*>(sender);
    if (!installType)
        installType = dynamic_cast<TSetupChoice*>(components_.FindComponent("suInstallType"));
    constexpr int customInstall = 3;
    if (!installType || !installType->IsChosen(customInstall))
        return;
    if (TSetupComponent* options = components_.FindComponent("suOptions"))
        options->Execute();
}

void TSetupForm::suUnInstallCleanup(TSetupComponent*) {
    if (auto* unInstall = dynamic_cast<TSetupUnInstall*>(components_.FindComponent("suUnInstall")))
        unInstall->UnregisterUnInstall("Lumora");
}

} // namespace setupkit
