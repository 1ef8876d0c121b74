// Lumora: builds the real interaction door and message pump and shows the window;
// "Lumora --help-file FILE" shows only the help window on that file's contents, as
// the menu entry of the help file asks.

#include "editor/help_window.h"
#include "editor/qt_interaction.h"
#include "editor/qt_message_pump.h"
#include "editor/tform1.h"

#include <QApplication>

#include <filesystem>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumora"));
    QApplication::setApplicationDisplayName(QStringLiteral("Lumora"));

    const QStringList arguments = QApplication::arguments();
    if (arguments.size() == 3 && arguments[1] == QStringLiteral("--help-file")) {
        // The topic Help, Contents shows.
        constexpr int contentsContext = 3;
        lumora::editor::HelpWindow help;
        help.showTopic(arguments[2].toStdString(), contentsContext);
        return QApplication::exec();
    }

    lumora::editor::QtInteraction interaction;
    lumora::editor::QtMessagePump pump;
    lumora::editor::TForm1 form({interaction, pump, std::filesystem::current_path().string()});
    interaction.setParent(&form);
    form.show();
    return QApplication::exec();
}
