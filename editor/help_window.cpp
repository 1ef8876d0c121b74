#include "help_window.h"

#include "editor/logic/help_file.h"
#include "platform/regular_file_read.h"

#include <QTextBrowser>
#include <QVBoxLayout>

namespace lumora::editor {

namespace {

QString escaped(const std::string& text) {
    return QString::fromStdString(text).toHtmlEscaped();
}

} // namespace

HelpWindow::HelpWindow() {
    setWindowTitle(QStringLiteral("Lumora Help"));
    // A help window left open must not keep the program running after its main
    // window has closed; the main window's end closes it.
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(520, 440);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    view_ = new QTextBrowser(this);
    view_->setOpenLinks(false);
    layout->addWidget(view_);
}

void HelpWindow::showTopic(const std::string& helpFile, int context) {
    helpFile_ = helpFile;
    std::optional<HelpFile> parsed;
    try {
        parsed = parseHelpFile(platform::readWholeFile(helpFile));
    } catch (const platform::NotRegularFile&) {
        view_->setHtml(QStringLiteral("<p>The help file %1 is not a regular file.</p>")
                           .arg(escaped(helpFile)));
        show();
        return;
    } catch (const platform::FileError&) {
        view_->setHtml(
            QStringLiteral("<p>Cannot open the help file %1.</p>").arg(escaped(helpFile)));
        show();
        return;
    }
    if (!parsed) {
        view_->setHtml(
            QStringLiteral("<p>%1 is not a Lumora help file.</p>").arg(escaped(helpFile)));
    } else if (auto topic = parsed->topics.find(context); topic == parsed->topics.end()) {
        view_->setHtml(QStringLiteral("<p>The help file %1 has no topic %2.</p>")
                           .arg(escaped(helpFile))
                           .arg(context));
    } else {
        setWindowTitle(QStringLiteral("Lumora Help - ") +
                       QString::fromStdString(topic->second.title));
        view_->setHtml(QStringLiteral("<h2>%1</h2>").arg(escaped(topic->second.title)) +
                       QString::fromStdString(topic->second.body));
    }
    show();
    raise();
}

WindowHelpEngine::WindowHelpEngine() = default;
WindowHelpEngine::~WindowHelpEngine() = default;

void WindowHelpEngine::showContext(const std::string& helpFile, int context) {
    if (!window_)
        window_ = std::make_unique<HelpWindow>();
    window_->showTopic(helpFile, context);
}

void WindowHelpEngine::quit(const std::string& helpFile) {
    if (window_ && window_->helpFile() == helpFile)
        window_->close();
}

} // namespace lumora::editor
