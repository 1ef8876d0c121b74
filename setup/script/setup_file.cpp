#include "setup/script/setup_file.h"

#include "setup/script/assign_support.h"

namespace setupkit {

std::string withTrailingBackslash(std::string path) {
    if (!path.empty() && path.back() != '\\')
        path.push_back('\\');
    return path;
}

TSetupFile::TSetupFile(TSetupData* script) {
    SetScript(script);
}

TSetupFile::~TSetupFile() {
    leaveScript();
}

void TSetupFile::SetSource(std::string source) {
    source_ = withTrailingBackslash(std::move(source));
}

void TSetupFile::Assign(const TSetupFile& source) {
    guardedAssign(detail::kFileErrorPrefix, [&] {
        name_ = source.name_;
        source_ = source.source_;
        dateTime_ = source.dateTime_;
        size_ = source.size_;
        compressed_ = source.compressed_;
        compressedSize_ = source.compressedSize_;
    });
}

} // namespace setupkit
