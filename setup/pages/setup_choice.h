#pragma once
// TSetupChoice, the base of the wizard pages on which the user picks an install type
// or options: the page shows the choices of its script entry (the choice data named
// after the page) with a title and a description each, and on Next adds the chosen
// files to the install set, or takes them out; Previous puts the set back.

#include "setup/engine/setup_page.h"
#include "setup/pages/choice_rules.h"
#include "setup/script/element_lists.h"

#include <QPointer>
#include <vector>

class QLabel;
class QPlainTextEdit;
class QWidget;

namespace setupkit {

class TSetupChoiceData;
class TSetupChoiceItem;

class TSetupChoice : public TSetupPage {
public:
    explicit TSetupChoice(ComponentOwner* owner);
    ~TSetupChoice() override;

    std::string_view ClassName() const override { return "TSetupChoice"; }
    bool InheritsFrom(std::string_view className) const override;

    // An empty choice list passes the page over (Next at once); its Next still
    // applies the common item.
    void RunPage() override;
    // Builds a title and a description for each choice on the notebook page
    // "Choices"; the kinds add their check boxes or radio buttons.
    void ShowPage() override;
    // Applies the common item and the chosen items to the install set, then goes on.
    // What an earlier Next of this page applied is undone first, so that picks
    // changed after coming back from a later page replace the earlier ones.
    // Without a script entry nothing is applied and the chain ends on this page.
    void DoNext() override;
    // Undoes what this page's choices did to the install set, then goes back.
    void DoPrev() override;
    void DoCancel() override;

    // Frees the controls of the current showing.
    virtual void ClearControls();
    // A click on a choice's box, title or description.
    virtual void ControlClick(QWidget* sender);
    // Whether choice n (1-based) is picked; ESetupError "Selection index out of
    // bounds." outside 1 to the number of choices.
    virtual bool GetSelected(int n);
    virtual void SetSelected(int n, bool value);

    // Whether choice n exists and is picked: GetSelected for form code that must not
    // fail on a script with fewer choices.
    bool IsChosen(int n);
    // The page's choices as the script lists them (none without an entry).
    int ChoiceCount() const;
    // The script entry named after the page, or none.
    TSetupChoiceData* ChoiceEntry() const;

    // Applying an item to the install set, recording each change.
    void ApplyChoice(const TSetupChoiceItem& item);
    // Undoes every recorded change and empties the logs.
    void UndoChoices();
    const SelectionLog& AddedLog() const { return log_.AddedLog(); }
    const SelectionLog& RemovedLog() const { return log_.RemovedLog(); }

    // Renaming takes the page's script entry along; when an entry of the new name
    // exists already, the old one is removed instead.
    void SetName(std::string name) override;

    // Width of the box column and the gap between it and the text.
    static constexpr int ColumnWidth = 15;
    static constexpr int Gap = 5;

    // The controls of the current showing, in item order (for form code and tests).
    std::vector<QLabel*> Labels() const;
    std::vector<QPlainTextEdit*> Memos() const;

protected:
    // The choice's box (check box or radio button) for tag n, or none.
    virtual QWidget* boxFor(int tag) const = 0;
    // Creates the box of item i on `parent` at the box column.
    virtual void createBox(QWidget* parent, int i, int rowHeight) = 0;
    // After every item has its controls.
    virtual void controlsCreated() {}
    // Flags as they are, for the kinds' own rules.
    ChoiceSelections& selections() { return selections_; }
    void adjustSelections();
    // The tag a control of this showing carries, 0 for none.
    static int tagOf(const QWidget* control);
    static void setTag(QWidget* control, int tag);

private:
    ChoiceSelections selections_;
    ChoiceLog log_;
    NamedElements<TSetupChoiceItem> itemNames_;
    std::vector<QPointer<QLabel>> labels_;
    std::vector<QPointer<QPlainTextEdit>> memos_;
};

} // namespace setupkit
