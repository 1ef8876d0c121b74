#include "setup/pages/setup_file_copy.h"

#include "setup/engine/form_loading.h"
#include "setup/engine/setup_error.h"
#include "setup/engine/setup_info.h"
#include "setup/engine/setup_paths.h"
#include "setup/pages/setup_pages_form.h"
#include "setup/pages/vel_progress_bar.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <algorithm>
#include <memory>

namespace setupkit {

namespace {

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

// The run's progress on the dialog's copy notebook page.
class DialogCopyDisplay : public FileCopyDisplay {
public:
    explicit DialogCopyDisplay(TSetupPagesForm& dialog) : dialog_(dialog) {}

    void showFilesLeft(std::size_t count) override {
        dialog_.laFCFilesLeft->setText(QString::number(count));
    }
    void showSource(const std::string& path) override { showPath(dialog_.laFCSource, path); }
    void showTarget(const std::string& path) override { showPath(dialog_.laFCTarget, path); }
    void startTotal(std::int64_t maximum) override {
        dialog_.pbrFCProgress->setMaxValue(maximum);
        dialog_.pbrFCProgress->setProgress(0);
    }
    void startFile(std::int64_t maximum) override {
        dialog_.pbrFCFile->setMaxValue(maximum);
        dialog_.pbrFCFile->setProgress(0);
    }
    void addProgress(std::int64_t bytes) override {
        dialog_.pbrFCFile->addProgress(bytes);
        dialog_.pbrFCProgress->addProgress(bytes);
    }

private:
    static void showPath(QLabel* label, const std::string& path) {
        const QFontMetrics metrics(label->font());
        const std::string shown =
            ShortenPath(path, label->width(), [&metrics](std::string_view text) {
                return metrics.horizontalAdvance(qt(std::string(text)));
            });
        label->setText(qt(StripBackslash(shown)));
    }

    TSetupPagesForm& dialog_;
};

// Without the Qt dialog the run shows nothing.
class NoCopyDisplay : public FileCopyDisplay {
public:
    void showFilesLeft(std::size_t) override {}
    void showSource(const std::string&) override {}
    void showTarget(const std::string&) override {}
    void startTotal(std::int64_t) override {}
    void startFile(std::int64_t) override {}
    void addProgress(std::int64_t) override {}
};

// A label as wide as its text, as the copy page's labels size themselves.
int fitToText(QLabel* label) {
    label->resize(QFontMetrics(label->font()).horizontalAdvance(label->text()), label->height());
    return label->width();
}

} // namespace

TSetupFileCopy::TSetupFileCopy(ComponentOwner* owner) : TSetupPage(owner) {
    SetButtons(btCancel);
}

bool TSetupFileCopy::InheritsFrom(std::string_view className) const {
    return className == "TSetupFileCopy" || TSetupPage::InheritsFrom(className);
}

void TSetupFileCopy::ShowPage() {
    TSetupPage::ShowPage();
    WizardDialog& wizard = Dialog();
    wizard.setCaption(Text(37));
    for (WizardButton button : {WizardButton::Prev, WizardButton::Next}) {
        wizard.setButtonVisible(button, false);
        wizard.setButtonEnabled(button, false);
    }
    wizard.showNotebookPage(npFileCopy);
    TSetupPagesForm* dialog = TSetupPagesForm::instance();
    if (!dialog)
        return;
    dialog->meFCActions->clear();
    dialog->meFCActions->setPlainText(qt(Text(38) + "\n\n" + Text(31)));
    dialog->laFCFileInfo->setText(qt(Text(39)));
    dialog->laFC1->setText(qt(Text(40)));
    dialog->laFC2->setText(qt(Text(41)));
    dialog->laFCFile->setText(qt(Text(42)));
    dialog->laFCTotal->setText(qt(Text(43)));

    const int labelWidth = std::max(fitToText(dialog->laFCFile), fitToText(dialog->laFCTotal));
    const int barWidth = dialog->nbPage->width() - labelWidth - dialog->laFCTotal->x() - 30;
    const int barLeft = labelWidth + 20;
    for (auto [bar, label] : {std::pair{dialog->pbrFCProgress, dialog->laFCTotal},
                              std::pair{dialog->pbrFCFile, dialog->laFCFile}})
        bar->setGeometry(barLeft, label->y() - 2, barWidth, label->height() + 4);
}

void TSetupFileCopy::RunPage() {
    TSetupInfo* info = SetupInfo();
    if (!info)
        return;
    // Another setup, of any user, installing into the same folder would mix two copies.
    if (const auto busy = info->LockTargetFolders()) {
        info->MessageDlg("Another setup is installing into " + *busy + ".", mtError, mbOK);
        SetPageState(psCancelled);
        return;
    }
    std::unique_ptr<FileCopyDisplay> display;
    if (TSetupPagesForm* dialog = TSetupPagesForm::instance())
        display = std::make_unique<DialogCopyDisplay>(*dialog);
    else
        display = std::make_unique<NoCopyDisplay>();
    FileCopyRun run(*this, *info, *display, {&overWrite_, createEmptyDirs_, OnDriveTooSmall},
                    abort_);
    switch (run.run()) {
    case FileCopyOutcome::NotEnoughSpace:
        break;
    case FileCopyOutcome::Cancelled:
        // The page loop runs DoCancel for a cancelled page, once.
        SetPageState(psCancelled);
        break;
    case FileCopyOutcome::Finished:
        DoNext();
        break;
    }
}

void TSetupFileCopy::DoNext() {
    if (OnNextPage)
        OnNextPage(this);
    SetPageState(psDone);
    if (TSetupPage* next = NextPage())
        next->Execute();
}

void TSetupFileCopy::DoCancel() {
    if (OnCancel)
        OnCancel(this);
    SetPageState(psCancelled);
    abort_ = true;
    if (TSetupPage* previous = PreviousPage())
        previous->SetPageState(psCancelled);
}

bool TSetupFileCopy::SetProperty(const form::FormProperty& property, FormLoadContext& context) {
    const std::string& name = property.name;
    if (name == "OverWrite") {
        const std::string value = formIdentifier(property);
        if (value == "swNever")
            overWrite_ = swNever;
        else if (value == "swAlways")
            overWrite_ = swAlways;
        else if (value == "swAsk")
            overWrite_ = swAsk;
        else if (value == "swOlder")
            overWrite_ = swOlder;
        else
            throw ESetupError("Invalid property value for OverWrite: " + value);
    } else if (name == "CreateEmptyDirs") {
        createEmptyDirs_ = formBoolean(property);
    } else if (name == "OnDriveTooSmall") {
        context.event(formIdentifier(property), [this](NotifyEvent handler) {
            OnDriveTooSmall = [handler](TSetupComponent* sender, char, std::int64_t, std::int64_t) {
                handler(sender);
            };
        });
    } else {
        return TSetupPage::SetProperty(property, context);
    }
    return true;
}

} // namespace setupkit
