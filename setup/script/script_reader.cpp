#include "setup/script/script_reader.h"

#include "common/ascii_case.h"
#include "setup/script/setup_data.h"
#include "setup/script/value_reader.h"

namespace setupkit::detail {

namespace {

// Older scripts hold names in the 8-bit Windows character set (1252): its accented
// and other non-ASCII letters fold as well as A-Z, so "caf\xE9.txt" matches "CAF\xC9.TXT".
unsigned char upper1252(unsigned char c) {
    if (c < 0x80)
        return static_cast<unsigned char>(lumora::asciiUpper(static_cast<char>(c)));
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
        return static_cast<unsigned char>(c - 0x20);
    switch (c) {
    case 0x9A: // s caron
    case 0x9C: // oe
    case 0x9E: // z caron
        return static_cast<unsigned char>(c - 0x10);
    case 0xFF: // y diaeresis
        return 0x9F;
    default:
        return c;
    }
}

std::string upper1252(std::string text) {
    for (char& c : text)
        c = static_cast<char>(upper1252(static_cast<unsigned char>(c)));
    return text;
}

constexpr const char* kCommonFilesChoice = "Common Files";

} // namespace

ScriptReader::ScriptReader(TSetupData& root, ValueReader& in) : root_(root), in_(in) {}

template <class ReadRecord> void ScriptReader::readRecords(ReadRecord readRecord) {
    in_.readListBegin();
    while (!in_.endOfList())
        readRecord();
    in_.readListEnd();
}

std::int32_t ScriptReader::readIndex(std::size_t count) {
    const std::int32_t index = in_.readInteger();
    return index >= 0 && static_cast<std::size_t>(index) < count ? index : -1;
}

TSetupDir* ScriptReader::dirNamed(const std::string& name) const {
    const auto found = dirsByName_.find(name);
    return found == dirsByName_.end() ? nullptr : found->second;
}

TSetupFile* ScriptReader::fileNamedIgnoringCase(const std::string& name) const {
    const auto found = filesByUpperName_.find(upper1252(name));
    return found == filesByUpperName_.end() ? nullptr : found->second;
}

TSetupDir* ScriptReader::lastDirHolding(const TSetupFile* file) const {
    const auto found = lastDirOfFile_.find(file);
    return found == lastDirOfFile_.end() ? nullptr : found->second;
}

void ScriptReader::read() {
    in_.readListBegin();
    const std::int32_t stored = in_.readInteger();
    if (stored < 1 || stored > 255)
        throw EValueStreamError(EValueStreamError::Kind::InvalidPropertyValue);
    version_ = std::min<int>(stored, kLatestVersion);
    root_.SetAppName(in_.readString());

    root_.ClearDisks();
    root_.ClearFiles();
    root_.ClearFileGroups();
    root_.ClearDirs();
    root_.ClearChoiceItems();
    root_.ClearChoiceData();
    root_.ClearWinItems();
    root_.ClearWinGroups();

    if (version_ >= kLatestVersion)
        readCurrentLayout();
    else
        readOlderLayout();
    in_.readListEnd();
}

void ScriptReader::readCurrentLayout() {
    readRecords([&] { readFile(); });
    readRecords([&] { readDisk(); });
    readRecords([&] { readDir(); });
    readRecords([&] { readFileGroup(*root_.appendFileGroup()); });
    readRecords([&] { readChoiceItem(); });
    readRecords([&] { readChoiceData(); });
    readRecords([&] { readWinItem(); });
    readRecords([&] { readWinGroup(); });
    for (TSetupFileList* list : {&root_.BDEFiles(), &root_.BDELDFiles(), &root_.BDEWSFiles()})
        readFileIndexList(*list);
    readLogList();
    readUnInstallList();
}

void ScriptReader::readFile() {
    TSetupFile& file = *root_.appendFile();
    file.name_ = in_.readString();
    file.source_ = in_.readString();
    file.dateTime_ = in_.readDate();
    file.size_ = in_.readInteger();
    file.compressed_ = in_.readBoolean();
    const std::int32_t compressedSize = in_.readInteger();
    file.compressedSize_ = compressedSize == 0 ? file.size_ : compressedSize;
}

void ScriptReader::readFileIndexList(TSetupFileList& list) {
    list.Clear();
    in_.readListBegin();
    while (!in_.endOfList()) {
        const std::int32_t index = readIndex(root_.Files().size());
        if (index >= 0)
            list.AddFile(root_.Files()[static_cast<std::size_t>(index)]);
    }
    in_.readListEnd();
}

void ScriptReader::readDisk() {
    TSetupDisk& disk = *root_.appendDisk();
    disk.size_ = 0;
    disk.description_ = in_.readString();
    disk.size_ = in_.readInteger();
    readFileIndexList(disk);
}

void ScriptReader::readDir() {
    TSetupDir& dir = *root_.appendDir();
    dir.name_ = in_.readString();
    dirsByName_[dir.name_] = &dir;
    dir.dir_ = in_.readString();
    const std::string parentName = in_.readString();
    dir.parentDir_ = parentName.empty() ? nullptr : dirNamed(parentName);
    readFileIndexList(dir);
}

void ScriptReader::readFileGroup(TSetupFileGroup& group) {
    group.name_ = in_.readString();
    group.Clear();
    in_.readListBegin();
    // Directory k and file list k belong together: a directory index that names nothing
    // drops its list with it, a list without a directory is read and dropped, and a
    // directory without a list gets an empty one.
    std::vector<TSetupDir*> dirs;
    in_.readListBegin();
    while (!in_.endOfList()) {
        const std::int32_t index = readIndex(root_.Dirs().size());
        dirs.push_back(index >= 0 ? root_.Dirs()[static_cast<std::size_t>(index)] : nullptr);
    }
    in_.readListEnd();
    std::size_t k = 0;
    for (; !in_.endOfList(); ++k) {
        if (k < dirs.size() && dirs[k]) {
            readFileIndexList(*group.appendDir(dirs[k]));
        } else {
            TSetupFileList dropped;
            readFileIndexList(dropped);
        }
    }
    for (; k < dirs.size(); ++k)
        if (dirs[k])
            group.appendDir(dirs[k]);
    in_.readListEnd();
}

void ScriptReader::readFileGroupList(TSetupFileGroupList& group) {
    readFileGroup(group);
    group.groups_.clear();
    in_.readListBegin();
    while (!in_.endOfList()) {
        const std::int32_t index = readIndex(root_.FileGroups().size());
        if (index >= 0)
            group.AddGroup(root_.FileGroups()[static_cast<std::size_t>(index)]);
    }
    in_.readListEnd();
}

void ScriptReader::readChoiceItem() {
    TSetupChoiceItem& item = *root_.appendChoiceItem();
    item.name_ = in_.readString();
    item.title_ = in_.readString();
    item.description_.clear();
    in_.readListBegin();
    while (!in_.endOfList())
        item.description_.push_back(in_.readString());
    in_.readListEnd();
    readFileGroupList(*item.Add());
    readFileGroupList(*item.Remove());
}

void ScriptReader::readChoiceData() {
    TSetupChoiceData& entry = *root_.appendChoiceData();
    entry.SetName(in_.readString());
    const std::int32_t common = readIndex(root_.ChoiceItems().size());
    entry.SetCommon(common >= 0 ? root_.ChoiceItems()[static_cast<std::size_t>(common)] : nullptr);
    in_.readListBegin();
    while (!in_.endOfList()) {
        const std::int32_t index = readIndex(root_.ChoiceItems().size());
        if (index >= 0)
            entry.AddItem(root_.ChoiceItems()[static_cast<std::size_t>(index)]);
    }
    in_.readListEnd();
}

void ScriptReader::readWinItem() {
    TSetupWinItem& item = *root_.appendWinItem();
    item.name_ = in_.readString();
    item.commandLine_ = in_.readString();
    const std::int32_t dir = readIndex(root_.Dirs().size());
    item.dir_ = dir >= 0 ? root_.Dirs()[static_cast<std::size_t>(dir)] : nullptr;
    const std::int32_t file = readIndex(root_.Files().size());
    item.itemFile_ = file >= 0 ? root_.Files()[static_cast<std::size_t>(file)] : nullptr;
}

void ScriptReader::readWinGroup() {
    TSetupWinGroups& group = *root_.appendWinGroup();
    group.SetName(in_.readString());
    group.SetTitle(in_.readString());
    in_.readListBegin();
    while (!in_.endOfList()) {
        const std::int32_t index = readIndex(root_.WinItems().size());
        if (index >= 0)
            group.AddItem(root_.WinItems()[static_cast<std::size_t>(index)]);
    }
    in_.readListEnd();
}

void ScriptReader::readLogList() {
    in_.readListBegin();
    const std::string dirName = in_.readString();
    root_.SetLogFileDir(dirName.empty() ? nullptr : dirNamed(dirName));
    root_.SetLogFileName(in_.readString());
    in_.readListEnd();
}

void ScriptReader::readUnInstallList() {
    root_.UnInstallFiles().clear();
    in_.readListBegin();
    while (!in_.endOfList())
        root_.UnInstallFiles().push_back(in_.readString());
    in_.readListEnd();
}

void ScriptReader::readOlderLayout() {
    readRecords([&] { readOlderDisk(); });
    readRecords([&] { readOlderFile(); });
    readRecords([&] { readOlderDir(); });
    for (TSetupDir* dir : root_.Dirs())
        for (const TSetupFile* file : dir->Files())
            lastDirOfFile_[file] = dir;
    readRecords([&] { readOlderChoiceData(); });
    readRecords([&] { readOlderWinGroup(); });
}

void ScriptReader::readOlderDisk() {
    TSetupDisk& disk = *root_.appendDisk();
    disk.size_ = 0;
    disk.description_ = in_.readString();
    if (version_ >= 3)
        disk.size_ = in_.readInteger();
    disk.Clear();
}

void ScriptReader::readOlderFile() {
    TSetupFile& file = *root_.appendFile();
    file.name_ = in_.readString();
    filesByUpperName_.emplace(upper1252(file.name_), &file);
    file.source_ = in_.readString();
    file.dateTime_ = in_.readDate();
    file.size_ = in_.readInteger();
    // The file joins its disk as soon as its number is read, as the record's order
    // has it: the capacity check then sees the sizes read so far (no compressed size
    // yet), so a version-4 file is not left off its disk by its compressed size.
    if (TSetupDisk* disk = root_.GetDisk(in_.readInteger()))
        disk->AddFile(&file);
    in_.readBoolean();
    if (version_ >= 4) {
        file.compressed_ = in_.readBoolean();
        const std::int32_t compressedSize = in_.readInteger();
        file.compressedSize_ = compressedSize == 0 ? file.size_ : compressedSize;
    }
}

void ScriptReader::readOlderDir() {
    TSetupDir& dir = *root_.appendDir();
    dir.name_ = in_.readString();
    dirsByName_[dir.name_] = &dir;
    dir.dir_ = in_.readString();
    if (version_ >= 2) {
        const std::string parentName = in_.readString();
        dir.parentDir_ = parentName.empty() ? nullptr : dirNamed(parentName);
    }
    in_.readListBegin();
    while (!in_.endOfList())
        dir.AddFile(fileNamedIgnoringCase(in_.readString()));
    in_.readListEnd();
}

TSetupChoiceItem* ScriptReader::addChoiceItem(std::string name) {
    auto [entry, inserted] = choiceItemsByName_.try_emplace(name, nullptr);
    if (inserted) {
        entry->second = root_.appendChoiceItem();
        entry->second->name_ = std::move(name);
    }
    return entry->second;
}

TSetupWinItem* ScriptReader::addWinItem(std::string name) {
    auto [entry, inserted] = winItemsByName_.try_emplace(name, nullptr);
    if (inserted) {
        entry->second = root_.appendWinItem();
        entry->second->name_ = std::move(name);
    }
    return entry->second;
}

void ScriptReader::readOlderFileNames(TSetupFileGroup& group) {
    in_.readListBegin();
    while (!in_.endOfList()) {
        TSetupFile* file = fileNamedIgnoringCase(in_.readString());
        if (TSetupDir* dir = lastDirHolding(file))
            group.AddFile(file, dir, true);
    }
    in_.readListEnd();
}

void ScriptReader::readOlderChoiceData() {
    TSetupChoiceData& entry = *root_.appendChoiceData();
    entry.SetName(in_.readString());
    in_.readListBegin();
    while (!in_.endOfList()) {
        const std::string text = in_.readString();
        TSetupChoiceItem& item = *addChoiceItem(entry.Name() + ":" + text);
        item.description_ = {text};
        item.Add()->Clear();
        item.Remove()->Clear();
        readOlderFileNames(*item.Add());
        readOlderFileNames(*item.Remove());
        if (text == kCommonFilesChoice)
            entry.SetCommon(&item);
        else
            entry.AddItem(&item);
    }
    in_.readListEnd();
}

void ScriptReader::readOlderWinGroup() {
    TSetupWinGroups& group = *root_.appendWinGroup();
    group.SetName(in_.readString());
    group.SetTitle(in_.readString());
    in_.readListBegin();
    while (!in_.endOfList()) {
        const std::string text = in_.readString();
        TSetupWinItem& item = *addWinItem(group.Title() + ":" + text);
        item.commandLine_ = in_.readString();
        item.dir_ = dirNamed(in_.readString());
        item.itemFile_ = fileNamedIgnoringCase(in_.readString());
        group.AddItem(&item);
    }
    in_.readListEnd();
}

} // namespace setupkit::detail
