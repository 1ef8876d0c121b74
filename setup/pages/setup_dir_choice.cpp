#include "setup/pages/setup_dir_choice.h"

#include "setup/engine/form_loading.h"
#include "setup/engine/setup_error.h"
#include "setup/engine/setup_info.h"
#include "setup/engine/setup_message_pump.h"
#include "setup/engine/setup_paths.h"
#include "setup/pages/catalogue_format.h"
#include "setup/pages/dir_browse_view.h"
#include "setup/pages/dir_choice_rules.h"
#include "setup/pages/setup_pages_form.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace setupkit {

namespace {

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

// Catalogue texts hold "\r\n"; the memo wants plain line breaks.
QString memoText(const std::vector<std::string>& lines) {
    QStringList joined;
    for (const std::string& line : lines)
        joined << qt(line);
    return joined.join(QLatin1Char('\n')).replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

} // namespace

TSetupDirChoice::TSetupDirChoice(ComponentOwner* owner) : TSetupPage(owner) {}

bool TSetupDirChoice::InheritsFrom(std::string_view className) const {
    return className == "TSetupDirChoice" || TSetupPage::InheritsFrom(className);
}

TSetupDir* TSetupDirChoice::installDirectory() const {
    const TSetupData* script = Script();
    if (!script || installDir_.empty() || installDir_ == "(none)")
        return nullptr;
    return script->FindDir(installDir_);
}

std::string TSetupDirChoice::TargetDir() const {
    const TSetupDir* dir = installDirectory();
    return dir ? dir->Dir() : std::string();
}

void TSetupDirChoice::SetTargetDir(const std::string& value) {
    if (!SetupInfo() || installDir_.empty())
        return;
    const auto accepted = acceptedTargetDir(value);
    TSetupDir* dir = installDirectory();
    if (accepted && dir)
        dir->SetDir(*accepted);
}

int TSetupDirChoice::Execute() {
    if (!Script()) {
        SetPageState(psCancelled);
        return psCancelled;
    }
    if (doInvisible_) {
        SetupInfo()->SelectDir(installDirectory(), false);
        DoNext();
        return psDone;
    }
    return TSetupPage::Execute();
}

void TSetupDirChoice::ShowPage() {
    TSetupPage::ShowPage();
    WizardDialog& wizard = Dialog();
    shownTarget_ = TargetDir();
    wizard.setCaption(TSetupPage::Text(25));
    wizard.showNotebookPage(npDirChoice);
    TSetupPagesForm* dialog = TSetupPagesForm::instance();
    if (!dialog)
        return;

    QPlainTextEdit* memo = dialog->meCDLIntent;
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setFrameShape(QFrame::NoFrame);
    memo->setReadOnly(true);
    memo->setEnabled(true);
    memo->clear();
    std::vector<std::string> lines = text_;
    if (lines.empty())
        lines.push_back(formatCatalogueText(TSetupPage::Text(28), {AppName()}));
    std::string closing = "\r\n";
    if (allowDirChange_)
        closing += TSetupPage::Text(29) + "  ";
    closing += TSetupPage::Text(30) + "\r\n\r\n" + TSetupPage::Text(31);
    lines.push_back(closing);
    memo->setPlainText(memoText(lines));
    const int needed = memo->document()->blockCount() * QFontMetrics(memo->font()).height();
    if (memo->height() < needed) {
        memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        memo->setFrameShape(QFrame::Box);
    }

    dialog->btnCDLBrowse->setEnabled(allowDirChange_);
    dialog->btnCDLBrowse->setText(qt(TSetupPage::Text(26)));
    dialog->gbCDLDestination->setTitle(qt(TSetupPage::Text(27)));
    QLabel* label = dialog->laCDLDirectory;
    const QFontMetrics metrics(label->font());
    shownTarget_ = ShortenPath(shownTarget_, label->width(), [&metrics](std::string_view text) {
        return metrics.horizontalAdvance(qt(std::string(text)));
    });
    label->setText(qt(shownTarget_));
}

std::string TSetupDirChoice::pathForListDirectory(const std::string& directory) const {
    return browsedPath(directory, TargetDir(), preserveTrailing_);
}

void TSetupDirChoice::DoBrowse(std::string_view senderName) {
    TSetupPagesForm* dialog = TSetupPagesForm::instance();
    TSetupInfo* info = SetupInfo();
    if (senderName != "btnCDLBrowse" || !dialog || !info)
        return;
    SetupMessagePump* pump = info->Services().pump;
    if (!pump)
        throw ESetupError(Name() + " cannot wait for a button: no message pump.");

    const std::string pageCaption = dialog->caption();
    dialog->setCaption(TSetupPage::Text(34));
    dialog->lblSDPathLabel->setText(qt(TSetupPage::Text(35)));
    QPlainTextEdit* memo = dialog->memSDIntent;
    memo->setReadOnly(true);
    memo->setEnabled(true);
    memo->clear();
    memo->setPlainText(selectText_.empty()
                           ? qt(formatCatalogueText(TSetupPage::Text(36), {AppName()}))
                           : memoText(selectText_));

    DirBrowseView view(*dialog, info->Services().drives, [this, dialog](const std::string& dir) {
        dialog->edtSDPath->setText(qt(pathForListDirectory(dir)));
    });
    view.start(TargetDir());
    dialog->edtSDPath->setText(qt(TargetDir()));

    const WizardButton buttons[] = {WizardButton::Prev, WizardButton::Next, WizardButton::Cancel};
    bool wasEnabled[3];
    for (int i = 0; i < 3; ++i) {
        wasEnabled[i] = dialog->buttonEnabled(buttons[i]);
        dialog->setButtonEnabled(buttons[i], true);
    }
    // The directory page comes back however the wait ends, also by an error.
    struct Restore {
        TSetupPagesForm* dialog;
        const WizardButton* buttons;
        const bool* enabled;
        std::string caption;
        ~Restore() {
            for (int i = 0; i < 3; ++i)
                dialog->setButtonEnabled(buttons[i], enabled[i]);
            dialog->setCaption(caption);
            dialog->showNotebookPage(npDirChoice);
        }
    } restore{dialog, buttons, wasEnabled, pageCaption};
    dialog->showNotebookPage(npSelectDirectory);

    while (PageState() == psWaiting)
        pump->waitForMessages();

    if (PageState() == psNext) {
        SetTargetDir(dialog->edtSDPath->text().toStdString());
        shownTarget_ = TargetDir();
        dialog->laCDLDirectory->setText(qt(shownTarget_));
    } else if (PageState() == psBack) {
        SetPageState(psWaiting);
    }
}

void TSetupDirChoice::DoNext() {
    TSetupInfo* info = SetupInfo();
    if (!info || !Script())
        return;
    if (isFloppyTarget(shownTarget_)) {
        info->MessageDlg(TSetupPage::Text(32), mtWarning, mbOK);
        SetPageState(psWaiting);
        return;
    }
    const std::string target = TargetDir();
    const bool exists =
        !target.empty() && windowsDirectoryExists(info->Services().drives, FixDriveRoot(target));
    if (exists || doInvisible_) {
        info->SelectDir(installDirectory(), false);
    } else {
        switch (info->MessageDlg(formatCatalogueText(TSetupPage::Text(33), {target}),
                                 mtConfirmation, mbYes | mbNo)) {
        case mrYes:
            info->SelectDir(installDirectory(), false);
            break;
        case mrNo:
            SetPageState(psBack);
            return;
        default:
            break;
        }
    }
    SetPageState(psDone);
    TSetupPage::DoNext();
}

void TSetupDirChoice::DoPrev() {
    if (TSetupInfo* info = SetupInfo())
        info->DeselectDir(installDirectory());
    TSetupPage::DoPrev();
}

bool TSetupDirChoice::SetProperty(const form::FormProperty& property, FormLoadContext& context) {
    const std::string& name = property.name;
    if (name == "InstallDir")
        installDir_ = formString(property);
    else if (name == "TargetDir")
        SetTargetDir(formString(property));
    else if (name == "AllowDirChange")
        allowDirChange_ = formBoolean(property);
    else if (name == "DoInvisible")
        doInvisible_ = formBoolean(property);
    else if (name == "PreserveTrailing")
        preserveTrailing_ = static_cast<int>(formInteger(property));
    else if (name == "Text.Strings" || name == "Text")
        text_ = formStrings(property);
    else if (name == "SelectText.Strings" || name == "SelectText")
        selectText_ = formStrings(property);
    else
        return TSetupPage::SetProperty(property, context);
    return true;
}

} // namespace setupkit
