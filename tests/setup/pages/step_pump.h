#pragma once
// A message pump for page tests on the real wizard dialog: each wait of a page runs
// the next scripted step (press a button, click Browse, type a path), and every pass
// of a long run lets Qt's events through and calls a hook. Steps never run fail the test.

#include "platform/unused_script.h"
#include "setup/engine/setup_message_pump.h"
#include "setup/engine/wizard_dialog.h"

#include <QCoreApplication>

#include <deque>
#include <functional>
#include <stdexcept>

namespace setupkit::testing {

class StepPump : public SetupMessagePump {
public:
    StepPump() = default;
    StepPump(const StepPump&) = delete;
    StepPump& operator=(const StepPump&) = delete;
    ~StepPump() override {
        std::vector<std::string> unused;
        for (std::size_t i = 0; i < steps.size(); ++i)
            unused.push_back("step " + std::to_string(ran_ + i + 1));
        lumora::platform::reportUnusedScript("the step pump", unused);
    }

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
        ++ran_;
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
    std::size_t ran_ = 0;
    static void rethrow() {
        if (WizardDialog* dialog = SetupPagesForm())
            dialog->rethrowKeptError();
    }
};

} // namespace setupkit::testing
