#include "modal_box_driver.h"

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace lumora::testing {

namespace {
constexpr int PollMilliseconds = 10;
constexpr int StrayPolls = 200; // two seconds
} // namespace

ModalBoxDriver::ModalBoxDriver() {
    timer_.setInterval(PollMilliseconds);
    QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
    timer_.start();
}

ModalBoxDriver::~ModalBoxDriver() {
    if (!steps_.empty())
        ADD_FAILURE() << steps_.size() << " modal box step(s) never ran: "
                      << "the box they expected did not open (" << handled_ << " handled)";
}

ModalBoxDriver& ModalBoxDriver::then(Step step) {
    steps_.push_back(std::move(step));
    return *this;
}

void ModalBoxDriver::poll() {
    QWidget* box = QApplication::activeModalWidget();
    if (!box || !box->isVisible() || busy_.contains(box))
        return;
    if (!steps_.empty()) {
        // The step runs outside this timer's slot: a button it presses may open a box
        // of its own, which the timer must still be able to reach.
        auto step = std::make_shared<Step>(std::move(steps_.front()));
        steps_.pop_front();
        ++handled_;
        stray_ = nullptr;
        busy_.append(box);
        QPointer<QWidget> target(box);
        QTimer::singleShot(0, box, [this, step, target] {
            if (target)
                (*step)(*target);
            busy_.removeAll(target);
            busy_.removeAll(nullptr);
        });
        return;
    }
    if (stray_ != box) {
        stray_ = box;
        strayPolls_ = 0;
        return;
    }
    if (++strayPolls_ < StrayPolls)
        return;
    ADD_FAILURE() << "a modal box nobody expected stayed open: \""
                  << box->windowTitle().toStdString() << "\" with buttons \""
                  << visibleButtonTexts(*box).join(QStringLiteral("|")).toStdString() << "\"";
    if (auto* dialog = qobject_cast<QDialog*>(box))
        dialog->done(QDialog::Rejected);
    else
        box->close();
    stray_ = nullptr;
}

QList<QPushButton*> visibleButtons(QWidget& box) {
    QList<QPushButton*> buttons;
    for (QPushButton* button : box.findChildren<QPushButton*>())
        if (button->isVisibleTo(&box))
            buttons << button;
    std::stable_sort(buttons.begin(), buttons.end(), [&box](QPushButton* a, QPushButton* b) {
        const QPoint left = a->mapTo(&box, QPoint(0, 0));
        const QPoint right = b->mapTo(&box, QPoint(0, 0));
        return left.y() != right.y() ? left.y() < right.y() : left.x() < right.x();
    });
    return buttons;
}

QStringList visibleButtonTexts(QWidget& box) {
    QStringList texts;
    for (QPushButton* button : visibleButtons(box))
        texts << button->text();
    return texts;
}

QPushButton* buttonWithText(QWidget& box, const QString& text) {
    for (QPushButton* button : visibleButtons(box))
        if (button->text() == text)
            return button;
    return nullptr;
}

void clickButton(QWidget& box, const QString& text) {
    QPushButton* button = buttonWithText(box, text);
    if (!button) {
        ADD_FAILURE() << "no button \"" << text.toStdString() << "\" among \""
                      << visibleButtonTexts(box).join(QStringLiteral("|")).toStdString() << "\"";
        return;
    }
    QTest::mouseClick(button, Qt::LeftButton);
}

} // namespace lumora::testing
