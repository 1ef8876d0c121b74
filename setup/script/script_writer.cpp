#include "setup/script/script_writer.h"

#include "setup/script/setup_data.h"
#include "setup/script/value_writer.h"

namespace setupkit::detail {

ScriptWriter::ScriptWriter(const TSetupData& root, ValueWriter& out)
    : root_(root), out_(out), positions_(&root) {}

template <class T, class WriteRecord>
void ScriptWriter::writeRecords(const T& list, WriteRecord writeRecord) {
    out_.writeListBegin();
    for (const auto* element : list)
        writeRecord(*element);
    out_.writeListEnd();
}

void ScriptWriter::writeFileIndexList(const TSetupFileList& list) {
    out_.writeListBegin();
    for (const TSetupFile* file : list.Files()) {
        const int index = positions_.fileIndex(file);
        if (index >= 0)
            out_.writeInteger(index);
    }
    out_.writeListEnd();
}

void ScriptWriter::writeFileGroup(const TSetupFileGroup& group) {
    out_.writeString(group.Name());
    // A directory outside the root is left out together with its file list, so that the
    // lists keep corresponding to the directories when read back.
    std::vector<std::size_t> written;
    out_.writeListBegin();
    out_.writeListBegin();
    for (std::size_t k = 0; k < group.Dirs().size(); ++k) {
        const int index = positions_.dirIndex(group.Dirs()[k]);
        if (index >= 0) {
            out_.writeInteger(index);
            written.push_back(k);
        }
    }
    out_.writeListEnd();
    for (const std::size_t k : written)
        writeFileIndexList(*group.FileLists()[k]);
    out_.writeListEnd();
}

void ScriptWriter::writeFileGroupList(const TSetupFileGroupList& group) {
    writeFileGroup(group);
    out_.writeListBegin();
    for (const TSetupFileGroup* member : group.Groups()) {
        const int index = positions_.fileGroupIndex(member);
        if (index >= 0)
            out_.writeInteger(index);
    }
    out_.writeListEnd();
}

void ScriptWriter::write() {
    out_.writeListBegin();
    out_.writeInteger(kFormatVersion);
    out_.writeString(root_.AppName());

    writeRecords(root_.Files(), [&](const TSetupFile& file) {
        out_.writeString(file.Name());
        out_.writeString(file.Source());
        out_.writeDate(file.DateTime());
        out_.writeInteger(file.Size());
        out_.writeBoolean(file.Compressed());
        out_.writeInteger(file.CompressedSize());
    });
    writeRecords(root_.Disks(), [&](const TSetupDisk& disk) {
        out_.writeString(disk.Description());
        out_.writeInteger(disk.Size());
        writeFileIndexList(disk);
    });
    writeRecords(root_.Dirs(), [&](const TSetupDir& dir) {
        out_.writeString(dir.Name());
        out_.writeString(dir.Dir());
        out_.writeString(dir.ParentDir() ? dir.ParentDir()->Name() : std::string());
        writeFileIndexList(dir);
    });
    writeRecords(root_.FileGroups(), [&](const TSetupFileGroup& group) { writeFileGroup(group); });
    writeRecords(root_.ChoiceItems(), [&](const TSetupChoiceItem& item) {
        out_.writeString(item.Name());
        out_.writeString(item.Title());
        out_.writeListBegin();
        for (const std::string& line : item.Description())
            out_.writeString(line);
        out_.writeListEnd();
        writeFileGroupList(*item.Add());
        writeFileGroupList(*item.Remove());
    });
    writeRecords(root_.ChoiceData(), [&](const TSetupChoiceData& entry) {
        out_.writeString(entry.Name());
        out_.writeInteger(positions_.choiceItemIndex(entry.Common()));
        out_.writeListBegin();
        for (const TSetupChoiceItem* item : entry.Items()) {
            const int index = positions_.choiceItemIndex(item);
            if (index >= 0)
                out_.writeInteger(index);
        }
        out_.writeListEnd();
    });
    writeRecords(root_.WinItems(), [&](const TSetupWinItem& item) {
        out_.writeString(item.Name());
        out_.writeString(item.CommandLine());
        out_.writeInteger(positions_.dirIndex(item.Dir()));
        out_.writeInteger(positions_.fileIndex(item.ItemFile()));
    });
    writeRecords(root_.WinGroups(), [&](const TSetupWinGroups& group) {
        out_.writeString(group.Name());
        out_.writeString(group.Title());
        out_.writeListBegin();
        for (const TSetupWinItem* item : group.Items()) {
            const int index = positions_.winItemIndex(item);
            if (index >= 0)
                out_.writeInteger(index);
        }
        out_.writeListEnd();
    });

    writeFileIndexList(root_.BDEFiles());
    writeFileIndexList(root_.BDELDFiles());
    writeFileIndexList(root_.BDEWSFiles());

    out_.writeListBegin();
    out_.writeString(root_.LogFileDir() ? root_.LogFileDir()->Name() : std::string());
    out_.writeString(root_.LogFileName());
    out_.writeListEnd();

    out_.writeListBegin();
    for (const std::string& line : root_.UnInstallFiles())
        out_.writeString(line);
    out_.writeListEnd();

    out_.writeListEnd();
}

} // namespace setupkit::detail
