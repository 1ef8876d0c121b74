#include "setup/pages/pending_page.h"

#include "setup/engine/form_loading.h"
#include "setup/engine/setup_info.h"

namespace setupkit {

TSetupPendingPage::TSetupPendingPage(ComponentOwner* owner, std::string className,
                                     std::set<std::string> properties)
    : TSetupPage(owner), className_(std::move(className)), properties_(std::move(properties)) {}

bool TSetupPendingPage::InheritsFrom(std::string_view className) const {
    return className == className_ || TSetupPage::InheritsFrom(className);
}

int TSetupPendingPage::Execute() {
    if (TSetupInfo* info = SetupInfo())
        info->MessageDlg(Name() + ": " + className_ + " is not available in this build.", mtError,
                         mbOK);
    SetPageState(psCancelled);
    return psCancelled;
}

bool TSetupPendingPage::SetProperty(const form::FormProperty& property, FormLoadContext& context) {
    if (TSetupPage::SetProperty(property, context))
        return true;
    // Events of the kind resolve like any other, so a misspelt handler still fails.
    if (property.name.rfind("On", 0) == 0 && properties_.count(property.name)) {
        context.event(formIdentifier(property), [](NotifyEvent) {});
        return true;
    }
    return properties_.count(property.name) > 0;
}

} // namespace setupkit
