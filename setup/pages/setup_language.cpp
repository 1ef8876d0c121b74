#include "setup/pages/setup_language.h"

#include "setup/engine/english_catalogue.h"
#include "setup/engine/form_loading.h"
#include "setup/engine/setup_error.h"
#include "setup/engine/setup_info.h"
#include "setup/pages/setup_pages_form.h"

#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace setupkit {

namespace {

// The name "(compiled)" stands for the second language built into the program.
constexpr std::string_view CompiledName = "(compiled)";

QList<QRadioButton*> radioItems(const QGroupBox* group) {
    return group->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
}

// The radio group's items become `names`, item `index` selected (none for -1).
void setRadioItems(QGroupBox* group, const std::vector<std::string>& names, int index) {
    qDeleteAll(radioItems(group));
    auto* layout = qobject_cast<QVBoxLayout*>(group->layout());
    if (!layout) {
        layout = new QVBoxLayout(group);
        layout->setAlignment(Qt::AlignTop);
    }
    for (size_t i = 0; i < names.size(); ++i) {
        auto* item = new QRadioButton(QString::fromStdString(names[i]), group);
        item->setChecked(static_cast<int>(i) == index);
        layout->addWidget(item);
    }
}

} // namespace

TSetupLanguage::TSetupLanguage(ComponentOwner* owner) : TSetupPage(owner) {}

bool TSetupLanguage::InheritsFrom(std::string_view className) const {
    return className == "TSetupLanguage" || TSetupPage::InheritsFrom(className);
}

void TSetupLanguage::SetDefaultLanguage(const std::string& name) {
    const TSetupInfo* info = SetupInfo();
    if (!info)
        return;
    const MessageCatalogue& catalogue = info->Catalogue();
    if (catalogue.hasLanguage(name))
        defaultLanguage_ = name;
    else if (name == CompiledName)
        defaultLanguage_ = catalogue.CompiledLanguage();
    else
        info->Services().interaction->showStandardMessage(
            "The language " + name + " is not in the list of available languages.", mtInformation,
            mbOK);
}

void TSetupLanguage::TakeDefaultLanguage(const std::string& language) {
    defaultLanguage_ = language;
}

void TSetupLanguage::ShowPage() {
    TSetupInfo* info = SetupInfo();
    if (!info)
        return;
    const MessageCatalogue& catalogue = info->Catalogue();
    const std::string remembered = info->Language();
    const std::string compiled = catalogue.CompiledLanguage();
    items_ = shownLanguages(catalogue.Languages(), showLanguages_, compiled);
    const std::string proposal =
        proposedLanguage(defaultLanguage_, showLanguages_, compiled, items_, [&] {
            // Without a compiled second language the switch would land on English
            // and warn that the language could not be loaded: say English at once.
            if (!catalogue.hasLanguage(compiled))
                return std::string(EnglishCatalogue[0]);
            info->SetLanguage(compiled);
            std::string ownName = info->GetText(0);
            info->SetLanguage(remembered);
            return ownName;
        });
    // The page shows itself in the proposed language.
    info->SetLanguage(proposal);

    TSetupPage::ShowPage();
    itemIndex_ = languageIndex(items_, proposal);
    if (itemIndex_ < 0 && !items_.empty())
        itemIndex_ = 0;
    if (TSetupPagesForm* dialog = TSetupPagesForm::instance())
        setRadioItems(dialog->rdgLSLanguage, items_, itemIndex_);
    Dialog().showNotebookPage(npSelectLanguage);
}

int TSetupLanguage::ItemIndex() const {
    if (const TSetupPagesForm* dialog = TSetupPagesForm::instance()) {
        const QList<QRadioButton*> items = radioItems(dialog->rdgLSLanguage);
        for (qsizetype i = 0; i < items.size(); ++i)
            if (items[i]->isChecked())
                return static_cast<int>(i);
        return -1;
    }
    return itemIndex_;
}

void TSetupLanguage::RunPage() {
    // Nothing to pick from: the page passes itself over, as an empty choice page does.
    if (items_.empty()) {
        SetPageState(psNext);
        return;
    }
    TSetupPage::RunPage();
}

void TSetupLanguage::DoNext() {
    if (TSetupInfo* info = SetupInfo()) {
        const int index = ItemIndex();
        const std::string chosen = index >= 0 && static_cast<size_t>(index) < items_.size()
                                       ? items_[static_cast<size_t>(index)]
                                       : info->Language();
        info->SetLanguage(chosen);
    }
    TSetupPage::DoNext();
}

bool TSetupLanguage::SetProperty(const form::FormProperty& property, FormLoadContext& context) {
    const std::string& name = property.name;
    if (name == "DefaultLanguage") {
        SetDefaultLanguage(formString(property));
    } else if (name == "ShowLanguages") {
        TLanguageTypes languages = 0;
        for (const std::string& member : formSet(property)) {
            const std::optional<TLanguageType> type = languageTypeFromIdentifier(member);
            if (!type)
                throw ESetupError("Invalid property value for ShowLanguages: " + member);
            languages |= languageBit(*type);
        }
        showLanguages_ = languages;
    } else {
        return TSetupPage::SetProperty(property, context);
    }
    return true;
}

} // namespace setupkit
