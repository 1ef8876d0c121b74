#include "setup/pages/setup_choice.h"

#include "setup/engine/setup_info.h"
#include "setup/pages/setup_pages_form.h"
#include "setup/script/setup_choice.h"
#include "setup/script/setup_data.h"

#include <QAbstractButton>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <functional>

namespace setupkit {

namespace {

const char* const TagProperty = "tag";

using ClickHandler = std::function<void(QWidget*)>;

bool releasedInside(const QMouseEvent* event, const QRect& rect) {
    return event->button() == Qt::LeftButton && rect.contains(event->position().toPoint());
}

// A choice's title: a click on it counts as a click on the choice.
class ChoiceLabel : public QLabel {
public:
    ChoiceLabel(QWidget* parent, ClickHandler onClick)
        : QLabel(parent), onClick_(std::move(onClick)) {}

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        QLabel::mouseReleaseEvent(event);
        if (releasedInside(event, rect()))
            onClick_(this);
    }

private:
    ClickHandler onClick_;
};

// A choice's description, read-only and flat: a click on it counts as a click on the
// choice.
class ChoiceMemo : public QPlainTextEdit {
public:
    ChoiceMemo(QWidget* parent, ClickHandler onClick)
        : QPlainTextEdit(parent), onClick_(std::move(onClick)) {}

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        QPlainTextEdit::mouseReleaseEvent(event);
        if (releasedInside(event, viewport()->rect()))
            onClick_(this);
    }

private:
    ClickHandler onClick_;
};

QString joinedLines(const std::vector<std::string>& lines) {
    QStringList joined;
    for (const std::string& line : lines)
        joined << QString::fromStdString(line);
    return joined.join(QLatin1Char('\n'));
}

template <class Widget> void freeAll(std::vector<QPointer<Widget>>& widgets) {
    for (QPointer<Widget>& widget : widgets)
        delete widget.data();
    widgets.clear();
}

template <class Widget> std::vector<Widget*> alive(const std::vector<QPointer<Widget>>& widgets) {
    std::vector<Widget*> result;
    for (const QPointer<Widget>& widget : widgets)
        if (widget)
            result.push_back(widget.data());
    return result;
}

} // namespace

TSetupChoice::TSetupChoice(ComponentOwner* owner) : TSetupPage(owner) {}

TSetupChoice::~TSetupChoice() {
    freeAll(labels_);
    freeAll(memos_);
}

bool TSetupChoice::InheritsFrom(std::string_view className) const {
    return className == "TSetupChoice" || TSetupPage::InheritsFrom(className);
}

TSetupChoiceData* TSetupChoice::ChoiceEntry() const {
    const TSetupData* script = Script();
    return script ? script->FindChoiceData(Name()) : nullptr;
}

int TSetupChoice::ChoiceCount() const {
    const TSetupChoiceData* entry = ChoiceEntry();
    return entry ? static_cast<int>(entry->Items().size()) : 0;
}

void TSetupChoice::adjustSelections() {
    selections_.adjust(ChoiceEntry());
}

int TSetupChoice::tagOf(const QWidget* control) {
    return control ? control->property(TagProperty).toInt() : 0;
}

void TSetupChoice::setTag(QWidget* control, int tag) {
    control->setProperty(TagProperty, tag);
}

bool TSetupChoice::GetSelected(int n) {
    adjustSelections();
    return selections_.get(n);
}

bool TSetupChoice::IsChosen(int n) {
    return n >= 1 && n <= ChoiceCount() && GetSelected(n);
}

void TSetupChoice::SetSelected(int n, bool value) {
    adjustSelections();
    selections_.set(n, value);
}

void TSetupChoice::ShowPage() {
    // Controls left by a showing that did not end through Next, Previous or Cancel.
    ClearControls();
    TSetupPagesForm* dialog = TSetupPagesForm::instance();
    // The panel hides the notebook while the controls are built.
    if (dialog)
        dialog->paObscure->raise();
    TSetupPage::ShowPage();
    adjustSelections();
    Dialog().setCaption(Text(72));
    Dialog().showNotebookPage(npChoices);

    const TSetupChoiceData* entry = ChoiceEntry();
    itemNames_ = entry ? entry->ListItems() : NamedElements<TSetupChoiceItem>{};
    if (dialog && !itemNames_.empty()) {
        QWidget* page = dialog->nbPage->widget(npChoices);
        const int count = static_cast<int>(itemNames_.size());
        const int rowHeight = dialog->nbPage->height() / count;
        const int textLeft = ColumnWidth + Gap;
        const int textWidth = dialog->nbPage->width() - textLeft;
        const ClickHandler click = [this](QWidget* sender) { ControlClick(sender); };
        for (int i = 0; i < count; ++i) {
            const TSetupChoiceItem& item = *itemNames_[static_cast<size_t>(i)].element;
            const int top = i * rowHeight;

            auto* label = new ChoiceLabel(page, click);
            label->setText(QString::fromStdString(item.Title()));
            QFont bold = label->font();
            bold.setBold(true);
            label->setFont(bold);
            label->setCursor(Qt::ArrowCursor);
            setTag(label, i + 1);
            int labelHeight = label->sizeHint().height();
            if (item.Title().empty()) {
                labelHeight = 0;
                label->hide();
            } else {
                label->show();
            }
            label->setGeometry(textLeft, top, textWidth, labelHeight);
            labels_.emplace_back(label);

            auto* memo = new ChoiceMemo(page, click);
            memo->setPlainText(joinedLines(item.Description()));
            memo->setReadOnly(true);
            memo->setFrameShape(QFrame::NoFrame);
            QPalette palette = memo->palette();
            palette.setColor(QPalette::Base, palette.color(QPalette::Button));
            memo->setPalette(palette);
            memo->setFocusPolicy(Qt::ClickFocus);
            memo->setTabChangesFocus(true);
            memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            memo->viewport()->setCursor(Qt::ArrowCursor);
            setTag(memo, i + 1);
            memo->setGeometry(textLeft, top + labelHeight, textWidth, rowHeight - labelHeight + 2);
            memo->show();
            memos_.emplace_back(memo);

            createBox(page, i, rowHeight);
        }
        controlsCreated();
    }
    if (dialog)
        dialog->paObscure->stackUnder(dialog->nbPage);
}

void TSetupChoice::RunPage() {
    if (itemNames_.empty()) {
        SetPageState(psNext);
        return;
    }
    TSetupPage::RunPage();
}

void TSetupChoice::ControlClick(QWidget* sender) {
    const int tag = tagOf(sender);
    auto* box = qobject_cast<QAbstractButton*>(boxFor(tag));
    if (!box)
        return;
    if (sender == box) {
        SetSelected(tag, box->isChecked());
        return;
    }
    // A title or description: the box toggles as if clicked, which records the pick.
    box->click();
    box->setFocus();
}

void TSetupChoice::DoNext() {
    ClearControls();
    TSetupInfo* info = SetupInfo();
    const TSetupChoiceData* entry = ChoiceEntry();
    if (!info || !entry)
        return;
    // Coming back to the page from a later one and pressing Next again: the earlier
    // picks give way to the current ones instead of piling up.
    log_.undo(*info);
    adjustSelections();
    log_.applyChoices(*info, *entry, selections_);
    SetPageState(psDone);
    TSetupPage::DoNext();
}

void TSetupChoice::ApplyChoice(const TSetupChoiceItem& item) {
    if (TSetupInfo* info = SetupInfo())
        log_.apply(*info, item);
}

void TSetupChoice::UndoChoices() {
    if (TSetupInfo* info = SetupInfo())
        log_.undo(*info);
}

void TSetupChoice::DoPrev() {
    UndoChoices();
    ClearControls();
    TSetupPage::DoPrev();
}

void TSetupChoice::DoCancel() {
    ClearControls();
    TSetupPage::DoCancel();
}

void TSetupChoice::ClearControls() {
    freeAll(memos_);
    freeAll(labels_);
}

std::vector<QLabel*> TSetupChoice::Labels() const {
    return alive(labels_);
}

std::vector<QPlainTextEdit*> TSetupChoice::Memos() const {
    return alive(memos_);
}

void TSetupChoice::SetName(std::string name) {
    if (TSetupData* script = Script(); script && name != Name()) {
        if (TSetupChoiceData* entry = script->FindChoiceData(Name())) {
            if (script->FindChoiceData(name))
                script->RemoveChoiceData(entry);
            else
                entry->SetName(name);
        }
    }
    TSetupPage::SetName(std::move(name));
}

} // namespace setupkit
