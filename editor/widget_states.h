#pragma once
// What the user can see and set in a window, remembered once and put back later:
// for each control whether it is enabled and shown, its caption, check mark, value,
// range, items and font, and for each menu command whether it is enabled and checked.
// A window used for one page after another comes back to where it started this way.

#include <QFont>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <vector>

class QAction;
class QWidget;

namespace lumora::editor {

class WidgetStates {
public:
    // Everything under `root`, `root` included. The controls must stay alive as long as
    // this is used (a control that has gone is passed over).
    explicit WidgetStates(QWidget& root);

    // Puts back what differs from what was remembered.
    void restore() const;

private:
    struct Control {
        QPointer<QWidget> widget;
        bool disabled = false; // disabled itself, not through its parent
        bool hidden = false;
        bool checked = false;
        bool readOnly = false;
        QString text;          // caption, title or contents
        int values[3] = {};    // value, minimum, maximum
        int selection[2] = {}; // the sensitivity band
        QStringList items;
        QFont font;
    };
    struct Command {
        QPointer<QAction> action;
        bool enabled = false;
        bool checked = false;
        bool visible = false;
        QString text;
    };
    static Control remember(QWidget* widget);
    static void restore(const Control& control);

    std::vector<Control> controls_;
    std::vector<Command> commands_;
};

} // namespace lumora::editor
