#pragma once
// The program's message pump: lets Qt process events at most every ~20 ms, so a
// long loop keeps the window alive without spending its time repainting.

#include "editor/logic/message_pump.h"

#include <QElapsedTimer>

namespace lumora::editor {

class QtMessagePump : public MessagePump {
public:
    explicit QtMessagePump(int sliceMilliseconds = 20);
    bool due() override;
    void processEvents() override;

private:
    QElapsedTimer sinceLast_;
    int slice_;
};

} // namespace lumora::editor
