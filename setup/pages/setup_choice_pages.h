#pragma once
// The two choice pages: options with a check box each (any number may be picked),
// and install types with a radio button each (exactly one is picked once the page
// has been shown or a choice has been set).

#include "setup/pages/setup_choice.h"

class QCheckBox;
class QRadioButton;

namespace setupkit {

class TSetupCheckBoxChoice : public TSetupChoice {
public:
    explicit TSetupCheckBoxChoice(ComponentOwner* owner);
    ~TSetupCheckBoxChoice() override;

    std::string_view ClassName() const override { return "TSetupCheckBoxChoice"; }
    bool InheritsFrom(std::string_view className) const override;

    void ClearControls() override;
    // The base rule; a box on screen follows the flag.
    void SetSelected(int n, bool value) override;

    std::vector<QCheckBox*> CheckBoxes() const;

protected:
    QWidget* boxFor(int tag) const override;
    void createBox(QWidget* parent, int i, int rowHeight) override;

private:
    std::vector<QPointer<QCheckBox>> boxes_;
};

class TSetupRadioChoice : public TSetupChoice {
public:
    explicit TSetupRadioChoice(ComponentOwner* owner);
    ~TSetupRadioChoice() override;

    std::string_view ClassName() const override { return "TSetupRadioChoice"; }
    bool InheritsFrom(std::string_view className) const override;

    void ClearControls() override;
    // Picks choice n alone; clearing a choice picks the first. A button on screen
    // follows the highest picked choice.
    void SetSelected(int n, bool value) override;

    std::vector<QRadioButton*> RadioButtons() const;

protected:
    QWidget* boxFor(int tag) const override;
    void createBox(QWidget* parent, int i, int rowHeight) override;
    // No button or several checked: the first is checked, which picks choice 1.
    void controlsCreated() override;

private:
    std::vector<QPointer<QRadioButton>> buttons_;
};

} // namespace setupkit
