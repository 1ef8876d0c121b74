#pragma once
// The installer's one way of letting the message loop run: long steps process
// pending messages, and a waiting page waits for the next one. The program's pump
// runs Qt events; tests plug in a pump that presses the wizard's buttons.

namespace setupkit {

class SetupMessagePump {
public:
    virtual ~SetupMessagePump() = default;
    // Runs the messages that are pending now, without waiting.
    virtual void processMessages() = 0;
    // Waits until something happened and runs it (a page waiting for a button).
    virtual void waitForMessages() { processMessages(); }
};

// A pump with nothing to run.
class IdleSetupPump : public SetupMessagePump {
public:
    void processMessages() override {}
};

} // namespace setupkit
