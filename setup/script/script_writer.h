#pragma once
// Writes a script root as its stored value (format version 5). Used by
// TSetupData::WriteData.

#include "setup/script/script_positions.h"

namespace setupkit {

class TSetupData;
class TSetupFileList;
class TSetupFileGroup;
class TSetupFileGroupList;
class ValueWriter;

namespace detail {

class ScriptWriter {
public:
    static constexpr int kFormatVersion = 5;

    ScriptWriter(const TSetupData& root, ValueWriter& out);
    void write();

private:
    template <class T, class WriteRecord> void writeRecords(const T& list, WriteRecord writeRecord);
    void writeFileIndexList(const TSetupFileList& list);
    void writeFileGroup(const TSetupFileGroup& group);
    void writeFileGroupList(const TSetupFileGroupList& group);

    const TSetupData& root_;
    ValueWriter& out_;
    ScriptPositions positions_;
};

} // namespace detail
} // namespace setupkit
