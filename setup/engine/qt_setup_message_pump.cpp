#include "setup/engine/qt_setup_message_pump.h"

#include "setup/engine/wizard_dialog.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace setupkit {

namespace {
void rethrowDialogError() {
    if (WizardDialog* dialog = SetupPagesForm())
        dialog->rethrowKeptError();
}
} // namespace

void QtSetupMessagePump::processMessages() {
    QCoreApplication::processEvents();
    rethrowDialogError();
}

void QtSetupMessagePump::waitForMessages() {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    rethrowDialogError();
}

} // namespace setupkit
