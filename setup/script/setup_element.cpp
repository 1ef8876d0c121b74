#include "setup/script/setup_element.h"

#include "setup/script/setup_data.h"

namespace setupkit {

TSetupElement::~TSetupElement() {
    leaveScript();
}

void TSetupElement::SetScript(TSetupData* script) {
    if (script == script_)
        return;
    if (script_)
        script_->elementDetached(this);
    script_ = script;
    if (script_)
        script_->elementAttached(this);
}

void TSetupElement::leaveScript() {
    if (script_)
        script_->forgetElement(*this);
}

void TSetupElement::reportError(const std::string& message) const {
    if (script_ && script_->ErrorReporter())
        script_->ErrorReporter()(message);
}

} // namespace setupkit
