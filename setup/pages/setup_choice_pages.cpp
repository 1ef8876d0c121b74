#include "setup/pages/setup_choice_pages.h"

#include <QCheckBox>
#include <QRadioButton>
#include <algorithm>

namespace setupkit {

namespace {

template <class Box> void freeBoxes(std::vector<QPointer<Box>>& boxes) {
    for (QPointer<Box>& box : boxes)
        delete box.data();
    boxes.clear();
}

template <class Box> Box* boxAt(const std::vector<QPointer<Box>>& boxes, int tag) {
    if (tag < 1 || static_cast<size_t>(tag) > boxes.size())
        return nullptr;
    return boxes[static_cast<size_t>(tag - 1)].data();
}

template <class Box> std::vector<Box*> aliveBoxes(const std::vector<QPointer<Box>>& boxes) {
    std::vector<Box*> result;
    for (const QPointer<Box>& box : boxes)
        if (box)
            result.push_back(box.data());
    return result;
}

// The box column of row i: the box's own height, no caption.
template <class Box> Box* makeBox(QWidget* parent, int i, int rowHeight) {
    auto* box = new Box(parent);
    box->setGeometry(0, i * rowHeight, TSetupChoice::ColumnWidth, box->sizeHint().height());
    box->show();
    return box;
}

} // namespace

// --- Check boxes ---------------------------------------------------------------------

TSetupCheckBoxChoice::TSetupCheckBoxChoice(ComponentOwner* owner) : TSetupChoice(owner) {}

TSetupCheckBoxChoice::~TSetupCheckBoxChoice() {
    freeBoxes(boxes_);
}

bool TSetupCheckBoxChoice::InheritsFrom(std::string_view className) const {
    return className == "TSetupCheckBoxChoice" || TSetupChoice::InheritsFrom(className);
}

void TSetupCheckBoxChoice::ClearControls() {
    freeBoxes(boxes_);
    TSetupChoice::ClearControls();
}

void TSetupCheckBoxChoice::SetSelected(int n, bool value) {
    TSetupChoice::SetSelected(n, value);
    if (QCheckBox* box = boxAt(boxes_, n))
        box->setChecked(selections().get(n));
}

std::vector<QCheckBox*> TSetupCheckBoxChoice::CheckBoxes() const {
    return aliveBoxes(boxes_);
}

QWidget* TSetupCheckBoxChoice::boxFor(int tag) const {
    return boxAt(boxes_, tag);
}

void TSetupCheckBoxChoice::createBox(QWidget* parent, int i, int rowHeight) {
    auto* box = makeBox<QCheckBox>(parent, i, rowHeight);
    setTag(box, i + 1);
    box->setChecked(GetSelected(i + 1));
    // Attached after the box is set, so that setting it records nothing.
    QObject::connect(box, &QCheckBox::clicked, box, [this, box] { ControlClick(box); });
    boxes_.emplace_back(box);
}

// --- Radio buttons -------------------------------------------------------------------

TSetupRadioChoice::TSetupRadioChoice(ComponentOwner* owner) : TSetupChoice(owner) {}

TSetupRadioChoice::~TSetupRadioChoice() {
    freeBoxes(buttons_);
}

bool TSetupRadioChoice::InheritsFrom(std::string_view className) const {
    return className == "TSetupRadioChoice" || TSetupChoice::InheritsFrom(className);
}

void TSetupRadioChoice::ClearControls() {
    freeBoxes(buttons_);
    TSetupChoice::ClearControls();
}

void TSetupRadioChoice::SetSelected(int n, bool value) {
    // Checked before anything changes, so that a bad number leaves the pick alone.
    adjustSelections();
    selections().check(n);
    selections().clearAll();
    TSetupChoice::SetSelected(n, value);
    if (!value)
        selections().set(1, true);
    if (QRadioButton* button = boxAt(buttons_, selections().highestSelected()))
        button->setChecked(true);
}

std::vector<QRadioButton*> TSetupRadioChoice::RadioButtons() const {
    return aliveBoxes(buttons_);
}

QWidget* TSetupRadioChoice::boxFor(int tag) const {
    return boxAt(buttons_, tag);
}

void TSetupRadioChoice::createBox(QWidget* parent, int i, int rowHeight) {
    auto* button = makeBox<QRadioButton>(parent, i, rowHeight);
    setTag(button, i + 1);
    button->setFocusPolicy(Qt::StrongFocus);
    button->setChecked(GetSelected(i + 1));
    QObject::connect(button, &QRadioButton::clicked, button,
                     [this, button] { ControlClick(button); });
    buttons_.emplace_back(button);
}

void TSetupRadioChoice::controlsCreated() {
    const auto checked = std::count_if(buttons_.begin(), buttons_.end(),
                                       [](const auto& button) { return button->isChecked(); });
    if (checked == 1 || buttons_.empty())
        return;
    QRadioButton* first = buttons_.front().data();
    first->setChecked(true);
    // Checking a radio button by code counts as its click, which picks the choice.
    ControlClick(first);
}

} // namespace setupkit
