#pragma once
// Stand-in for a page kind this build does not contain yet: it takes the kind's
// stored properties so the form loads, and when its turn comes it says that it is
// missing and cancels the chain instead of pretending the work was done.

#include "setup/engine/setup_page.h"

#include <set>
#include <string>

namespace setupkit {

class TSetupPendingPage : public TSetupPage {
public:
    TSetupPendingPage(ComponentOwner* owner, std::string className,
                      std::set<std::string> properties);

    std::string_view ClassName() const override { return className_; }
    bool InheritsFrom(std::string_view className) const override;
    int Execute() override;
    bool SetProperty(const form::FormProperty& property, FormLoadContext& context) override;

private:
    std::string className_;
    std::set<std::string> properties_;
};

} // namespace setupkit
