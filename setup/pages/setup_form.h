#pragma once
// TSetupForm, the installer's main form: it builds its components from a form
// resource's component tree (which runs the controller's start sequence) and holds
// the form's own event handlers.

#include "setup/engine/form_loading.h"
#include "setup/engine/setup_services.h"
#include "setup/form/form_component.h"

#include <QWidget>

class QVBoxLayout;

namespace setupkit {

// The question the groups page asks before offering the read-me in a viewer.
inline constexpr const char* kReadMeQuestion = "Would you like to read the README.TXT file?";

class TSetupBackground;
class TSetupInfo;

class TSetupForm : public QWidget {
    Q_OBJECT
public:
    // Creates and loads every component of `tree`; the controller's start sequence
    // runs here. Unknown classes, properties, components and handlers raise
    // ESetupError naming them.
    TSetupForm(SetupServices& services, const form::FormComponent& tree);
    ~TSetupForm() override;

    ComponentOwner& Components() { return components_; }
    // The form's controller and background, when it has them.
    TSetupInfo* SetupInfo() const;
    TSetupBackground* Background() const;

    // The class names the form can build, with their creators.
    ComponentFactory& Factory() { return factory_; }

    // Handlers named in the form resource.
    void FormCreate();
    void suGroupsNextPage(TSetupComponent* sender);
    void suInstallTypeNextPage(TSetupComponent* sender);
    void suUnInstallCleanup(TSetupComponent* sender);

private:
    void registerClasses();
    EventHandlers handlers();
    bool setFormProperty(const form::FormProperty& property);

    SetupServices& services_;
    ComponentOwner components_;
    ComponentFactory factory_;
    QVBoxLayout* layout_;
    bool runFormCreate_ = false;
};

} // namespace setupkit
