#include "setup/pages/setup_groups.h"

#include "platform/progman_shell.h"
#include "setup/engine/form_loading.h"
#include "setup/engine/message_box_types.h"
#include "setup/engine/setup_info.h"
#include "setup/pages/program_groups.h"
#include "setup/pages/setup_pages_form.h"

#include <QComboBox>
#include <QPlainTextEdit>

namespace setupkit {

TSetupGroups::TSetupGroups(ComponentOwner* owner) : TSetupPage(owner) {}

bool TSetupGroups::InheritsFrom(std::string_view className) const {
    return className == "TSetupGroups" || TSetupPage::InheritsFrom(className);
}

TSetupWinGroups* TSetupGroups::WinGroup() const {
    TSetupData* script = Script();
    return script ? script->FindWinGroup(Name()) : nullptr;
}

void TSetupGroups::SetName(std::string name) {
    if (TSetupData* script = Script(); script && name != Name()) {
        if (TSetupWinGroups* entry = script->FindWinGroup(Name())) {
            if (script->FindWinGroup(name))
                script->RemoveWinGroup(entry);
            else
                entry->SetName(name);
        }
    }
    TSetupPage::SetName(std::move(name));
}

void TSetupGroups::ShowPage() {
    TSetupPage::ShowPage();
    std::string explanation;
    if (!text_.empty()) {
        for (const std::string& line : text_)
            explanation += line + "\r\n";
    } else {
        explanation = TSetupPage::Text(59) + "\r\n\r\n" + TSetupPage::Text(60) + "\r\n\r\n" +
                      TSetupPage::Text(61);
    }
    Dialog().setCaption(TSetupPage::Text(58));
    Dialog().showNotebookPage(npGroups);
    if (TSetupPagesForm* dialog = TSetupPagesForm::instance()) {
        QString shown = QString::fromStdString(explanation);
        shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        dialog->meCWGActions->clear();
        dialog->meCWGActions->setPlainText(shown);
    }
    // A page with nothing to put in a group passes by itself and never asks the
    // Program Manager anything.
    const TSetupInfo* info = SetupInfo();
    const TSetupWinGroups* entry = WinGroup();
    if (info && entry && countPresentItems(*info, *entry) > 0)
        fillGroupList();
}

void TSetupGroups::fillGroupList() {
    TSetupInfo* info = SetupInfo();
    existingGroups_ = fetchGroupList(info ? shell() : nullptr);
    TSetupPagesForm* dialog = TSetupPagesForm::instance();
    if (!dialog)
        return;
    QComboBox* combo = dialog->cbCWGGroups;
    combo->clear();
    for (const std::string& group : existingGroups_)
        combo->addItem(QString::fromStdString(group));
    const TSetupWinGroups* entry = WinGroup();
    const QString title = QString::fromStdString(entry ? entry->Title() : std::string());
    if (combo->findText(title, Qt::MatchFixedString | Qt::MatchCaseSensitive) < 0)
        combo->addItem(title);
    combo->model()->sort(0);
    combo->setEditText(title);
    combo->setCurrentIndex(combo->findText(title, Qt::MatchFixedString | Qt::MatchCaseSensitive));
}

std::string TSetupGroups::groupName() const {
    TSetupPagesForm* dialog = TSetupPagesForm::instance();
    return dialog ? dialog->cbCWGGroups->currentText().toStdString() : std::string();
}

lumora::platform::ProgmanShell* TSetupGroups::shell() {
    return progmanShellFor(SetupInfo()->Services(), fallbackShell_);
}

void TSetupGroups::RunPage() {
    const TSetupInfo* info = SetupInfo();
    const TSetupWinGroups* entry = WinGroup();
    if (!info || !entry || !makesEntries_ || countPresentItems(*info, *entry) == 0)
        DoNext();
}

void TSetupGroups::DoNext() {
    TSetupInfo* info = SetupInfo();
    const TSetupWinGroups* entry = WinGroup();
    if (!info || !entry || !makesEntries_ || countPresentItems(*info, *entry) == 0) {
        SetPageState(psDone);
        TSetupPage::DoNext();
        return;
    }
    const std::string group = groupName();
    if (group.empty()) {
        info->MessageDlg(TSetupPage::Text(62), mtWarning, mbOK);
        SetPageState(psBack);
        return;
    }
    // The Program Manager's window and the timer that kept it minimised have no
    // counterpart on a desktop menu: MinimizeProgMan is kept and nothing more.
    createProgramGroup(*info, shell(), *entry, group, existingGroups_);
    TSetupPage::DoNext();
}

bool TSetupGroups::SetProperty(const form::FormProperty& property, FormLoadContext& context) {
    const std::string& name = property.name;
    if (name == "MinimizeProgMan")
        minimizeProgMan_ = formBoolean(property);
    else if (name == "Text.Strings" || name == "Text")
        text_ = formStrings(property);
    else
        return TSetupPage::SetProperty(property, context);
    return true;
}

} // namespace setupkit
