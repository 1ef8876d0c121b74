#include "setup/pages/dir_browse_view.h"

#include "common/ascii_case.h"
#include "platform/drives.h"
#include "setup/pages/dir_choice_rules.h"
#include "setup/pages/setup_pages_form.h"

#include <QComboBox>
#include <QListWidget>
#include <QSignalBlocker>
#include <algorithm>
#include <filesystem>

namespace setupkit {

namespace {

using lumora::asciiUpper;
using lumora::asciiUppered;

constexpr int PathRole = Qt::UserRole;

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

std::string rootOf(char letter) {
    return std::string(1, letter) + ":\\";
}

// "C:\Apps\Lumora" -> "C:\", "C:\Apps", "C:\Apps\Lumora".
std::vector<std::string> chainOf(const std::string& directory) {
    std::vector<std::string> chain{directory.substr(0, 3)};
    for (std::size_t at = directory.find('\\', 3); at != std::string::npos;
         at = directory.find('\\', at + 1))
        chain.push_back(directory.substr(0, at));
    if (directory.size() > 3)
        chain.push_back(directory);
    return chain;
}

std::string nameOf(const std::string& path) {
    if (path.size() <= 3)
        return asciiUppered(path);
    return path.substr(path.find_last_of('\\') + 1);
}

std::string childPath(const std::string& directory, const std::string& name) {
    return (directory.back() == '\\' ? directory : directory + "\\") + name;
}

} // namespace

std::vector<std::string> subdirectoryNames(const lumora::platform::DriveMap& drives,
                                           const std::string& directory) {
    std::vector<std::string> names;
    const auto host = drives.toHostPath(directory);
    if (!host)
        return names;
    std::error_code error;
    for (std::filesystem::directory_iterator it(*host, error), end; !error && it != end;
         it.increment(error)) {
        std::error_code typeError;
        std::string name = it->path().filename().string();
        // Dot directories are the host's hidden ones; the list leaves them out as it
        // leaves out hidden directories.
        if (name.front() != '.' && it->is_directory(typeError))
            names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return asciiUppered(a) < asciiUppered(b);
    });
    return names;
}

DirBrowseView::DirBrowseView(TSetupPagesForm& dialog, const lumora::platform::DriveMap& drives,
                             std::function<void(const std::string&)> onListChange)
    : dialog_(dialog), drives_(drives), onListChange_(std::move(onListChange)) {
    // A handler's error is kept for the pump, as the dialog does with its buttons.
    auto guarded = [this](auto handler) {
        return [this, handler]() {
            try {
                (this->*handler)();
            } catch (...) {
                dialog_.keepError(std::current_exception());
            }
        };
    };
    connections_.push_back(QObject::connect(&dialog_, &TSetupPagesForm::directoryListChanged,
                                            &dialog_, guarded(&DirBrowseView::rowChanged)));
    connections_.push_back(QObject::connect(dialog_.lsbSDDirs, &QListWidget::itemActivated,
                                            &dialog_, guarded(&DirBrowseView::rowActivated)));
    connections_.push_back(
        QObject::connect(dialog_.dcbSDDrive, &QComboBox::activated, &dialog_, [this](int index) {
            try {
                driveChosen(index);
            } catch (...) {
                dialog_.keepError(std::current_exception());
            }
        }));
}

DirBrowseView::~DirBrowseView() {
    for (const QMetaObject::Connection& connection : connections_)
        QObject::disconnect(connection);
}

void DirBrowseView::start(const std::string& targetDir) {
    open(browseStartDirectory(drives_, targetDir));
}

void DirBrowseView::fillDrives(char current) {
    QComboBox* box = dialog_.dcbSDDrive;
    const QSignalBlocker blocker(box);
    box->clear();
    for (const auto& drive : lumora::platform::listDrives(drives_)) {
        box->addItem(qt(asciiUppered(drive.displayText)), QChar(drive.letter));
        if (drive.letter == current)
            box->setCurrentIndex(box->count() - 1);
    }
}

void DirBrowseView::open(const std::string& path) {
    const std::string directory =
        path.size() > 3 && path.back() == '\\' ? path.substr(0, path.size() - 1) : path;
    QListWidget* list = dialog_.lsbSDDirs;
    const QSignalBlocker blocker(list);
    list->clear();
    if (directory.size() < 3) {
        fillDrives(0);
        return;
    }
    fillDrives(asciiUpper(directory.front()));
    const std::vector<std::string> chain = chainOf(directory);
    int level = 0;
    for (const std::string& entry : chain) {
        auto* item = new QListWidgetItem(QString(level * 2, QLatin1Char(' ')) + qt(nameOf(entry)));
        item->setData(PathRole, qt(entry));
        list->addItem(item);
        ++level;
    }
    list->setCurrentRow(static_cast<int>(chain.size()) - 1);
    for (const std::string& name : subdirectoryNames(drives_, chain.back())) {
        auto* item = new QListWidgetItem(QString(level * 2, QLatin1Char(' ')) + qt(name));
        item->setData(PathRole, qt(childPath(chain.back(), name)));
        list->addItem(item);
    }
}

std::string DirBrowseView::listDirectory() const {
    const QListWidgetItem* item = dialog_.lsbSDDirs->currentItem();
    return item ? item->data(PathRole).toString().toStdString() : std::string();
}

void DirBrowseView::driveChosen(int index) {
    const QVariant letter = dialog_.dcbSDDrive->itemData(index);
    if (!letter.isValid())
        return;
    // A drive that cannot be shown gives way to the first one that can, silently.
    open(browseStartDirectory(drives_, rootOf(static_cast<char>(letter.toChar().unicode()))));
    rowChanged();
}

void DirBrowseView::rowChanged() {
    const std::string directory = listDirectory();
    if (!directory.empty() && onListChange_)
        onListChange_(directory);
}

void DirBrowseView::rowActivated() {
    const std::string directory = listDirectory();
    if (directory.empty())
        return;
    open(directory);
    rowChanged();
}

} // namespace setupkit
