#include "qt_message_pump.h"

#include <QCoreApplication>

namespace lumora::editor {

QtMessagePump::QtMessagePump(int sliceMilliseconds) : slice_(sliceMilliseconds) {
    sinceLast_.start();
}

bool QtMessagePump::due() {
    return sinceLast_.elapsed() >= slice_;
}

void QtMessagePump::processEvents() {
    QCoreApplication::processEvents();
    sinceLast_.restart();
}

} // namespace lumora::editor
