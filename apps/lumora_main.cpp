// Lumora: builds the real interaction door and message pump and shows the window.

#include "editor/qt_interaction.h"
#include "editor/qt_message_pump.h"
#include "editor/tform1.h"

#include <QApplication>

#include <filesystem>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumora"));
    QApplication::setApplicationDisplayName(QStringLiteral("Lumora"));

    lumora::editor::QtInteraction interaction;
    lumora::editor::QtMessagePump pump;
    lumora::editor::TForm1 form({interaction, pump, std::filesystem::current_path().string()});
    interaction.setParent(&form);
    form.show();
    return QApplication::exec();
}
