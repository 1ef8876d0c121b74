#pragma once
// The root of the install script: it owns every element (files, disks, directories,
// file groups, choices, program-group items and groups) and offers the lookups and list
// operations the installer's controller and pages use, the deep copy, and the reading
// and writing of the stored script.

#include "setup/script/element_lists.h"
#include "setup/script/setup_choice.h"
#include "setup/script/setup_dir.h"
#include "setup/script/setup_element.h"
#include "setup/script/setup_file.h"
#include "setup/script/setup_file_group.h"
#include "setup/script/setup_file_list.h"
#include "setup/script/setup_win_item.h"

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace setupkit {

class ValueReader;
class ValueWriter;

class TSetupData {
public:
    // One disk "Setup Disk" and the directories Install, Windows and Windows System (the
    // last lying in Windows).
    TSetupData();
    ~TSetupData();
    TSetupData(const TSetupData&) = delete;
    TSetupData& operator=(const TSetupData&) = delete;

    const std::string& AppName() const { return appName_; }
    void SetAppName(std::string name) { appName_ = std::move(name); }

    // Database-engine files for the engine's directory, its language-driver directory
    // and the Windows system directory.
    TSetupFileList& BDEFiles() { return bdeFiles_; }
    const TSetupFileList& BDEFiles() const { return bdeFiles_; }
    TSetupFileList& BDELDFiles() { return bdeLDFiles_; }
    const TSetupFileList& BDELDFiles() const { return bdeLDFiles_; }
    TSetupFileList& BDEWSFiles() { return bdeWSFiles_; }
    const TSetupFileList& BDEWSFiles() const { return bdeWSFiles_; }

    const OwnedElements<TSetupChoiceData>& ChoiceData() const { return choiceData_; }
    const OwnedElements<TSetupChoiceItem>& ChoiceItems() const { return choiceItems_; }
    const OwnedElements<TSetupDir>& Dirs() const { return dirs_; }
    const OwnedElements<TSetupDisk>& Disks() const { return disks_; }
    const OwnedElements<TSetupFileGroup>& FileGroups() const { return fileGroups_; }
    const OwnedElements<TSetupFile>& Files() const { return files_; }
    const OwnedElements<TSetupWinItem>& WinItems() const { return winItems_; }
    const OwnedElements<TSetupWinGroups>& WinGroups() const { return winGroups_; }

    TSetupDir* LogFileDir() const { return logFileDir_; }
    void SetLogFileDir(TSetupDir* dir) { logFileDir_ = dir; }
    const std::string& LogFileName() const { return logFileName_; }
    void SetLogFileName(std::string name) { logFileName_ = std::move(name); }
    // Support files the uninstall run copies to a temporary directory.
    std::vector<std::string>& UnInstallFiles() { return unInstallFiles_; }
    const std::vector<std::string>& UnInstallFiles() const { return unInstallFiles_; }

    // Where errors met while copying elements go; without one they are dropped.
    void SetErrorReporter(SetupErrorReporter reporter) { errorReporter_ = std::move(reporter); }
    const SetupErrorReporter& ErrorReporter() const { return errorReporter_; }

    // A new file named after the part of the path behind its last ':' or '\', with the
    // part up to it as Source. No duplicate check.
    TSetupFile* AddFile(std::string_view path);
    // The first file whose Name matches, ignoring the case of ASCII letters.
    TSetupFile* FindFile(std::string_view name) const;
    void ClearFiles();

    // A new disk numbered by its position.
    TSetupDisk* AddDisk(std::string description);
    // The disk numbered 1 to the disk count, else nullptr.
    TSetupDisk* GetDisk(int number) const;
    void ClearDisks();

    // Find-or-create: an existing directory of that name is returned unchanged.
    TSetupDir* AddDir(std::string name, std::string dir, TSetupDir* parent);
    // Exact name; the last match wins.
    TSetupDir* FindDir(std::string_view name) const;
    NamedElements<TSetupDir> ListDirs() const;
    void ClearDirs();
    // The directories whose parent is `parent`, in list order (not `parent` itself).
    std::vector<TSetupDir*> ChildDirs(const TSetupDir* parent) const;
    // Every directory below `dir`, depth first in list order, each once, even when
    // parent links loop; `dir` itself is not included.
    std::vector<TSetupDir*> DescendantDirs(const TSetupDir* dir) const;

    TSetupFileGroup* AddFileGroup(std::string name);
    TSetupFileGroup* FindFileGroup(std::string_view name) const;
    void ClearFileGroups();

    TSetupChoiceItem* AddChoiceItem(std::string name);
    TSetupChoiceItem* FindChoiceItem(std::string_view name) const;
    void ClearChoiceItems();

    // Names of choice data entries and win groups are not required to be unique.
    TSetupChoiceData* AddChoiceData(std::string name);
    TSetupChoiceData* FindChoiceData(std::string_view name) const;
    void ClearChoiceData();
    // False when the entry is not in ChoiceData; else frees it.
    bool RemoveChoiceData(TSetupChoiceData* entry);

    TSetupWinItem* AddWinItem(std::string name);
    TSetupWinItem* FindWinItem(std::string_view name) const;
    void ClearWinItems();

    TSetupWinGroups* AddWinGroup(std::string name);
    TSetupWinGroups* FindWinGroup(std::string_view name) const;
    void ClearWinGroups();
    bool RemoveWinGroup(TSetupWinGroups* group);

    // Deep copy: every list rebuilt in the source's order, references carried over to
    // the elements at the same positions. Errors met in an element go to the error
    // reporter and the copy goes on.
    void Assign(const TSetupData& source);

    // Replaces the contents with a stored script (format versions 1 to 255). Throws
    // EValueStreamError; elements read before the failure stay.
    void ReadData(ValueReader& reader);
    // Writes the script in format version 5.
    void WriteData(ValueWriter& writer) const;

private:
    friend class TSetupElement;
    friend class detail::ScriptReader;

    // Appended with an empty name and adopted, as the copy and the reader need them.
    TSetupFile* appendFile();
    TSetupDisk* appendDisk();
    TSetupDir* appendDir();
    TSetupFileGroup* appendFileGroup();
    TSetupChoiceItem* appendChoiceItem();
    TSetupChoiceData* appendChoiceData();
    TSetupWinItem* appendWinItem();
    TSetupWinGroups* appendWinGroup();

    template <class T> void clearElements(OwnedElements<T>& list);
    template <class T> bool removeElement(OwnedElements<T>& list, T* element);

    void elementAttached(TSetupElement* element) { attached_.insert(element); }
    void elementDetached(TSetupElement* element) { attached_.erase(element); }
    // An element that is being freed outside the root's own lists.
    void forgetElement(TSetupElement& element);
    // Every other attached element drops its references to `gone`, then `gone` is
    // detached.
    void forgetElements(const ElementSet& gone);

    // Declared first: the elements below attach themselves to it when constructed.
    std::unordered_set<TSetupElement*> attached_;
    SetupErrorReporter errorReporter_;

    std::string appName_ = "New Application.";
    TSetupFileList bdeFiles_{this};
    TSetupFileList bdeLDFiles_{this};
    TSetupFileList bdeWSFiles_{this};
    OwnedElements<TSetupChoiceData> choiceData_;
    OwnedElements<TSetupChoiceItem> choiceItems_;
    OwnedElements<TSetupDir> dirs_;
    OwnedElements<TSetupDisk> disks_;
    OwnedElements<TSetupFileGroup> fileGroups_;
    OwnedElements<TSetupFile> files_;
    TSetupDir* logFileDir_ = nullptr;
    std::string logFileName_ = "INSTALL.LOG";
    std::vector<std::string> unInstallFiles_;
    OwnedElements<TSetupWinItem> winItems_;
    OwnedElements<TSetupWinGroups> winGroups_;
};

} // namespace setupkit
