#pragma once
// The directory page's Browse view on the wizard dialog: a drive box and a directory
// list over the virtual drives, and the path field that follows the list. The list
// shows the open directory's chain from the drive root, then its subdirectories;
// picking a row makes that the list's directory, activating it opens it.

#include "platform/drive_map.h"

#include <QMetaObject>
#include <functional>
#include <string>
#include <vector>

namespace setupkit {

class TSetupPagesForm;

class DirBrowseView {
public:
    // `onListChange` receives the list's directory (a Windows path) whenever it
    // changes; the page turns it into the path field's text.
    DirBrowseView(TSetupPagesForm& dialog, const lumora::platform::DriveMap& drives,
                  std::function<void(const std::string&)> onListChange);
    ~DirBrowseView();
    DirBrowseView(const DirBrowseView&) = delete;
    DirBrowseView& operator=(const DirBrowseView&) = delete;

    // Opens the nearest directory of `targetDir` that can be shown (or the first
    // drive that can be), without telling the list change.
    void start(const std::string& targetDir);
    // Opens a directory: the drive box shows its drive, the list its chain and
    // subdirectories with the directory itself current.
    void open(const std::string& directory);
    // The directory of the current row; empty when the list is empty.
    std::string listDirectory() const;

private:
    void fillDrives(char current);
    void driveChosen(int index);
    void rowChanged();
    void rowActivated();

    TSetupPagesForm& dialog_;
    const lumora::platform::DriveMap& drives_;
    std::function<void(const std::string&)> onListChange_;
    std::vector<QMetaObject::Connection> connections_;
};

// The subdirectory names of a Windows directory, sorted without regard to case;
// hidden (dot) directories are left out.
std::vector<std::string> subdirectoryNames(const lumora::platform::DriveMap& drives,
                                           const std::string& directory);

} // namespace setupkit
