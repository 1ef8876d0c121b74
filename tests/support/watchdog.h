#pragma once
// A short alarm around a step that must not block: if the step hangs, the test
// program ends with a message instead of stalling the whole suite.

#include <csignal>
#include <unistd.h>

namespace lumora::testing {

class Watchdog {
public:
    explicit Watchdog(unsigned seconds) {
        std::signal(SIGALRM, [](int) {
            static const char message[] = "\nwatchdog: a step that must return at once hung\n";
            (void)!::write(2, message, sizeof message - 1);
            ::_exit(124);
        });
        ::alarm(seconds);
    }
    ~Watchdog() { ::alarm(0); }
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;
};

} // namespace lumora::testing
