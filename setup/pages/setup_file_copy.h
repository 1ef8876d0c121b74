#pragma once
// TSetupFileCopy, the wizard page that does the installing: once shown it copies (or
// expands) every selected file into its directory with two progress bars, and moves
// on to its next page by itself. The run itself lives in FileCopyRun.

#include "setup/engine/setup_page.h"
#include "setup/pages/file_copy_run.h"
#include "setup/pages/overwrite_rule.h"

namespace setupkit {

class TSetupFileCopy : public TSetupPage {
public:
    // Shows Cancel only.
    explicit TSetupFileCopy(ComponentOwner* owner);

    std::string_view ClassName() const override { return "TSetupFileCopy"; }
    bool InheritsFrom(std::string_view className) const override;

    TSetupOverWriteOptions OverWrite() const { return overWrite_; }
    void SetOverWrite(TSetupOverWriteOptions overWrite) { overWrite_ = overWrite; }
    bool CreateEmptyDirs() const { return createEmptyDirs_; }
    void SetCreateEmptyDirs(bool create) { createEmptyDirs_ = create; }
    // Replaces the built-in low-space warning. A handler named in the form resource
    // is a plain notify event and receives the sender only.
    DriveTooSmallEvent OnDriveTooSmall;

    // Set by Cancel and by the answers that abort the copy.
    bool Aborted() const { return abort_; }

    // Base rules, then the copy notebook page with Cancel alone and its bars laid out
    // beside their labels.
    void ShowPage() override;
    // The copy run; it ends by running the next page or cancelling the chain, or
    // waits for Cancel when a drive lacks room.
    void RunPage() override;
    // Neither looks at the buttons: the copy page has none but Cancel.
    void DoNext() override;
    void DoCancel() override;

    bool SetProperty(const form::FormProperty& property, FormLoadContext& context) override;

private:
    TSetupOverWriteOptions overWrite_ = swAsk;
    bool createEmptyDirs_ = false;
    bool abort_ = false;
};

} // namespace setupkit
