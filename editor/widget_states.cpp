#include "widget_states.h"

#include "editor/track_bar.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QWidget>

namespace lumora::editor {

namespace {

QStringList itemsOf(const QListWidget& list) {
    QStringList items;
    for (int row = 0; row < list.count(); ++row)
        items.push_back(list.item(row)->text());
    return items;
}

bool anySelected(const QListWidget& list) {
    for (int row = 0; row < list.count(); ++row)
        if (list.item(row)->isSelected())
            return true;
    return false;
}

} // namespace

WidgetStates::WidgetStates(QWidget& root) {
    controls_.push_back(remember(&root));
    for (QWidget* widget : root.findChildren<QWidget*>())
        controls_.push_back(remember(widget));
    for (QAction* action : root.findChildren<QAction*>())
        commands_.push_back({action, action->isEnabled(), action->isChecked(), action->isVisible(),
                             action->text()});
}

WidgetStates::Control WidgetStates::remember(QWidget* widget) {
    Control control;
    control.widget = widget;
    control.disabled = widget->testAttribute(Qt::WA_ForceDisabled);
    control.hidden = widget->isHidden();
    control.font = widget->font();
    if (widget->isWindow())
        control.text = widget->windowTitle();
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        control.checked = button->isChecked();
        control.text = button->text();
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        control.text = label->text();
    } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
        control.text = group->title();
    } else if (auto* line = qobject_cast<QLineEdit*>(widget)) {
        control.text = line->text();
    } else if (auto* editor = qobject_cast<QPlainTextEdit*>(widget)) {
        control.readOnly = editor->isReadOnly();
    } else if (auto* slider = qobject_cast<QAbstractSlider*>(widget)) {
        control.values[0] = slider->value();
        control.values[1] = slider->minimum();
        control.values[2] = slider->maximum();
        if (auto* track = qobject_cast<TrackBar*>(widget)) {
            control.selection[0] = track->selStart();
            control.selection[1] = track->selEnd();
        }
    } else if (auto* progress = qobject_cast<QProgressBar*>(widget)) {
        control.values[0] = progress->value();
        control.values[1] = progress->minimum();
        control.values[2] = progress->maximum();
    } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
        control.items = itemsOf(*list);
    }
    return control;
}

void WidgetStates::restore() const {
    for (const Control& control : controls_)
        if (control.widget)
            restore(control);
    for (const Command& command : commands_) {
        QAction* action = command.action;
        if (!action)
            continue;
        if (action->isEnabled() != command.enabled)
            action->setEnabled(command.enabled);
        if (action->isChecked() != command.checked)
            action->setChecked(command.checked);
        if (action->isVisible() != command.visible)
            action->setVisible(command.visible);
        if (action->text() != command.text)
            action->setText(command.text);
    }
}

void WidgetStates::restore(const Control& control) {
    QWidget* widget = control.widget;
    if (widget->testAttribute(Qt::WA_ForceDisabled) != control.disabled)
        widget->setEnabled(!control.disabled);
    if (widget->isHidden() != control.hidden)
        widget->setHidden(control.hidden);
    if (widget->font() != control.font)
        widget->setFont(control.font);
    if (widget->isWindow() && widget->windowTitle() != control.text)
        widget->setWindowTitle(control.text);
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        if (button->isChecked() != control.checked)
            button->setChecked(control.checked);
        if (button->text() != control.text)
            button->setText(control.text);
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        if (label->text() != control.text)
            label->setText(control.text);
    } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
        if (group->title() != control.text)
            group->setTitle(control.text);
    } else if (auto* line = qobject_cast<QLineEdit*>(widget)) {
        if (line->text() != control.text)
            line->setText(control.text);
    } else if (auto* editor = qobject_cast<QPlainTextEdit*>(widget)) {
        if (editor->isReadOnly() != control.readOnly)
            editor->setReadOnly(control.readOnly);
    } else if (auto* slider = qobject_cast<QAbstractSlider*>(widget)) {
        if (slider->minimum() != control.values[1] || slider->maximum() != control.values[2])
            slider->setRange(control.values[1], control.values[2]);
        if (slider->value() != control.values[0])
            slider->setValue(control.values[0]);
        if (auto* track = qobject_cast<TrackBar*>(widget);
            track &&
            (track->selStart() != control.selection[0] || track->selEnd() != control.selection[1]))
            track->setSelection(control.selection[0], control.selection[1]);
    } else if (auto* progress = qobject_cast<QProgressBar*>(widget)) {
        if (progress->minimum() != control.values[1] || progress->maximum() != control.values[2])
            progress->setRange(control.values[1], control.values[2]);
        if (progress->value() != control.values[0])
            progress->setValue(control.values[0]);
    } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
        if (anySelected(*list) || itemsOf(*list) != control.items) {
            list->clear();
            list->addItems(control.items);
        }
    }
}

} // namespace lumora::editor
