// The File menu's "Recent Files" submenu: entering an opened page, rebuilding the
// submenu from the store, and reopening an entry.

#include "tform1.h"

#include "editor/clickable_label.h"
#include "editor/logic/memory_profile.h"
#include "editor/logic/profile_file_access.h"
#include "editor/logic/sensitivity_preset.h"
#include "editor/page_editor.h"
#include "editor/track_bar.h"
#include "platform/atomic_file.h"
#include "platform/program_location.h"

#include <QLabel>
#include <QListWidget>
#include <QMenu>

#include <array>

namespace lumora::editor {

ProfileAccess& TForm1::settingsStore() {
    if (!recentStore_) {
        std::string store = recentStorePath_;
        if (store.empty()) {
            try {
                store = recentFilesStoreLocation(
                    programFile_.empty() ? platform::programPath().string() : programFile_);
            } catch (const platform::FileError&) {
                // Without a program file to sit beside or a settings folder to write,
                // the list and the settings last for this run.
                recentStore_ = std::make_unique<MemoryProfile>();
            }
        }
        if (!recentStore_)
            recentStore_ = std::make_unique<ProfileFileAccess>(store);
    }
    return *recentStore_;
}

RecentFiles& TForm1::recentFiles() {
    if (!recentFiles_)
        recentFiles_ = std::make_unique<RecentFiles>(settingsStore(), fileLocator_);
    return *recentFiles_;
}

void TForm1::keepRecentFilesInMemory() {
    if (!recentFiles_) {
        recentStore_ = std::make_unique<MemoryProfile>();
        // Nor do the user's settings reach its window.
        settingsLoaded_ = true;
    }
}

void TForm1::UpdateOldies(const std::string& path) {
    showRecentItems(recentFiles().enterAtTop(path));
}

void TForm1::recentfiles1Click() {
    rebuildRecentMenu();
}

void TForm1::WipeThatMenu() {
    const QList<QAction*> items = RecentFiles1->actions();
    for (auto item = items.rbegin(); item != items.rend(); ++item) {
        RecentFiles1->removeAction(*item);
        delete *item;
    }
}

void TForm1::rebuildRecentMenu() {
    showRecentItems(recentFiles().menuItems());
}

void TForm1::showRecentItems(const std::vector<RecentMenuItem>& items) {
    using Handler = void (TForm1::*)();
    static constexpr std::array<Handler, kShownEntries> handlers = {
        &TForm1::RecentFile1Click, &TForm1::RecentFile2Click, &TForm1::RecentFile3Click,
        &TForm1::RecentFile4Click, &TForm1::RecentFile5Click, &TForm1::RecentFile6Click,
        &TForm1::RecentFile7Click, &TForm1::RecentFile8Click, &TForm1::RecentFile9Click,
    };
    WipeThatMenu();
    for (const RecentMenuItem& item : items) {
        QAction* action = RecentFiles1->addAction(QString::fromStdString(item.caption));
        const Handler handler = handlers[static_cast<size_t>(item.number - 1)];
        connect(action, &QAction::triggered, this,
                command([this, handler] { (this->*handler)(); }));
    }
}

void TForm1::reopenRecent(int number) {
    if (Modified && !ConfirmSaveChanges())
        return;
    const RecentEntry entry = recentFiles().entry(number);
    PendingFileName = entry.storedPath;
    // The page keeps the real path of its file for saving, which differs from the
    // stored one only for an entry upper-cased by earlier versions.
    bool loaded = false;
    if (entry.filePath) {
        try {
            LoadPage(*entry.filePath);
            loaded = true;
        } catch (const platform::FileError&) {
        }
    }
    if (!loaded) {
        PendingFileName.clear();
        interaction_.showError("Cannot open file " + entry.storedPath);
        return;
    }
    PendingFileName.clear();
    const SensitivityPreset preset =
        sensitivityAfterReopen(number, text::pageLength(RichEdit->lines()));
    setSensitivity(preset.position);
    TrackBar1->setSelection(preset.selectionStart, preset.selectionEnd);
    ListBox3->clear();
    ListBox4->clear();
    setReport(kReadyForNextJob);
}

void TForm1::RecentFile1Click() {
    reopenRecent(1);
}
void TForm1::RecentFile2Click() {
    reopenRecent(2);
}
void TForm1::RecentFile3Click() {
    reopenRecent(3);
}
void TForm1::RecentFile4Click() {
    reopenRecent(4);
}
void TForm1::RecentFile5Click() {
    reopenRecent(5);
}
void TForm1::RecentFile6Click() {
    reopenRecent(6);
}
void TForm1::RecentFile7Click() {
    reopenRecent(7);
}
void TForm1::RecentFile8Click() {
    reopenRecent(8);
}
void TForm1::RecentFile9Click() {
    reopenRecent(9);
}

} // namespace lumora::editor
