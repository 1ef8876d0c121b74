#pragma once
// The installer's message pump in the program: runs Qt events, and throws, once the
// events have run, an error a dialog handler kept for it.

#include "setup/engine/setup_message_pump.h"

namespace setupkit {

class QtSetupMessagePump : public SetupMessagePump {
public:
    void processMessages() override;
    // Blocks until the next event arrives and runs what is pending.
    void waitForMessages() override;
};

} // namespace setupkit
