#pragma once
// A message pump for page tests on the real wizard dialog: each wait of a page runs
// the next scripted step (press a button, click Browse, type a path), and every pass
// of a long run lets Qt's events through and calls a hook.

#include "setup/engine/setup_message_pump.h"
#include "setup/engine/wizard_dialog.h"

#include <QCoreApplication>

#include <deque>
#include <functional>
#include <stdexcept>

namespace setupkit::testing {

class StepPump : public SetupMessagePump {
public:
    void processMessages() override {
        QCoreApplication::processEvents();
        rethrow();
        if (onProcess)
            onProcess();
    }
    void waitForMessages() override {
        if (steps.empty())
            throw std::logic_error("a page waits, but no step is scripted");
        const std::function<void()> step = std::move(steps.front());
        steps.pop_front();
        step();
        QCoreApplication::processEvents();
        rethrow();
    }

    void step(std::function<void()> action) { steps.push_back(std::move(action)); }
    void press(WizardButton button) {
        step([button] { SetupPagesForm()->press(button); });
    }

    std::deque<std::function<void()>> steps;
    std::function<void()> onProcess;

private:
    static void rethrow() {
        if (WizardDialog* dialog = SetupPagesForm())
            dialog->rethrowKeptError();
    }
};

} // namespace setupkit::testing
