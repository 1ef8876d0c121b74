// The root's stored form; the record layouts live in the script reader and writer.

#include "setup/script/script_reader.h"
#include "setup/script/script_writer.h"
#include "setup/script/setup_data.h"

namespace setupkit {

void TSetupData::ReadData(ValueReader& reader) {
    detail::ScriptReader(*this, reader).read();
}

void TSetupData::WriteData(ValueWriter& writer) const {
    detail::ScriptWriter(*this, writer).write();
}

} // namespace setupkit
