#pragma once
// Reads a stored script value (format versions 1 to 255) into a root. Used by
// TSetupData::ReadData.

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace setupkit {

class TSetupData;
class TSetupDir;
class TSetupFile;
class TSetupFileList;
class TSetupFileGroup;
class TSetupFileGroupList;
class TSetupChoiceItem;
class TSetupWinItem;
class ValueReader;

namespace detail {

class ScriptReader {
public:
    ScriptReader(TSetupData& root, ValueReader& in);
    void read();

private:
    // Newer versions are read as the latest one.
    static constexpr int kLatestVersion = 5;

    void readCurrentLayout();
    void readOlderLayout();

    void readFile();
    void readFileIndexList(TSetupFileList& list);
    void readDisk();
    void readDir();
    void readFileGroup(TSetupFileGroup& group);
    void readFileGroupList(TSetupFileGroupList& group);
    void readChoiceItem();
    void readChoiceData();
    void readWinItem();
    void readWinGroup();
    void readLogList();
    void readUnInstallList();

    void readOlderDisk();
    void readOlderFile();
    void readOlderDir();
    void readOlderChoiceData();
    void readOlderWinGroup();
    // Fills a group with the files a list of names names, each under its directory.
    void readOlderFileNames(TSetupFileGroup& group);

    // Reads a list of records, one call of `readRecord` each, until its end tag.
    template <class ReadRecord> void readRecords(ReadRecord readRecord);
    // The index as a position in a list of `count` elements, or -1.
    std::int32_t readIndex(std::size_t count);
    // The same name lookups as the root's, in constant time.
    TSetupDir* dirNamed(const std::string& name) const;
    TSetupFile* fileNamedIgnoringCase(const std::string& name) const;
    TSetupDir* lastDirHolding(const TSetupFile* file) const;
    TSetupChoiceItem* addChoiceItem(std::string name);
    TSetupWinItem* addWinItem(std::string name);

    TSetupData& root_;
    ValueReader& in_;
    int version_ = 0;

    std::unordered_map<std::string, TSetupDir*> dirsByName_;
    std::unordered_map<std::string, TSetupFile*> filesByUpperName_;
    std::unordered_map<const TSetupFile*, TSetupDir*> lastDirOfFile_;
    std::unordered_map<std::string, TSetupChoiceItem*> choiceItemsByName_;
    std::unordered_map<std::string, TSetupWinItem*> winItemsByName_;
};

} // namespace detail
} // namespace setupkit
