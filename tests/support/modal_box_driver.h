#pragma once
// Drives the real modal boxes a call opens, as a user would: a timer polls for the
// application's active modal widget and hands each box, in turn, to the next step,
// which checks what it shows and presses one of its buttons. A step never reached fails
// the test; a box that appears with no step left fails it too and is closed, so a test
// never hangs on a box nobody expected.

#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <deque>
#include <functional>

class QPushButton;
class QWidget;

namespace lumora::testing {

class ModalBoxDriver {
public:
    using Step = std::function<void(QWidget& box)>;

    ModalBoxDriver();
    ~ModalBoxDriver();
    ModalBoxDriver(const ModalBoxDriver&) = delete;
    ModalBoxDriver& operator=(const ModalBoxDriver&) = delete;

    // The next box that opens is handed to `step`; the step should close it.
    ModalBoxDriver& then(Step step);
    int handled() const { return handled_; }

private:
    void poll();

    QTimer timer_;
    std::deque<Step> steps_;
    int handled_ = 0;
    QList<QPointer<QWidget>> busy_; // boxes whose step runs now
    QPointer<QWidget> stray_;       // a box open with no step left, and since when
    int strayPolls_ = 0;
};

// The visible push buttons of `box`, left to right as the user sees them.
QList<QPushButton*> visibleButtons(QWidget& box);
QStringList visibleButtonTexts(QWidget& box);
// The visible button of `box` with exactly `text`, or null.
QPushButton* buttonWithText(QWidget& box, const QString& text);
// Presses the button with `text` with a mouse click; fails the test when there is none.
void clickButton(QWidget& box, const QString& text);

} // namespace lumora::testing
