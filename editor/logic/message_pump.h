#pragma once
// The one way long loops let the window live: they poll the pump, and the pump
// decides whether events run now. In the program it runs them at most every
// ~20 ms; tests plug in a pump of their own.

namespace lumora::editor {

class MessagePump {
public:
    virtual ~MessagePump() = default;
    // True when the loop should update its progress and let events run.
    virtual bool due() = 0;
    virtual void processEvents() = 0;

    void poll() {
        if (due())
            processEvents();
    }
};

// A pump that never runs anything (used where no window exists).
class IdlePump : public MessagePump {
public:
    bool due() override { return false; }
    void processEvents() override {}
};

} // namespace lumora::editor
