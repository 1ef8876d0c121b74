#pragma once
// Makes the program's wizard dialog the real Qt one for a test's life.

#include "setup/pages/setup_pages_form.h"

namespace setupkit::testing {

class QtWizardScope {
public:
    QtWizardScope() { TSetupPagesForm::installFactory(); }
    ~QtWizardScope() {
        FreeSetupPagesForm();
        SetWizardFactory({});
        SetActivePage(nullptr);
    }
    QtWizardScope(const QtWizardScope&) = delete;
    QtWizardScope& operator=(const QtWizardScope&) = delete;
};

} // namespace setupkit::testing
