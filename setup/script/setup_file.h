#pragma once
// A file the install script knows: where it comes from, its date and sizes.

#include "setup/script/setup_element.h"

#include <cstdint>
#include <string>

namespace setupkit {

class TSetupFile : public TSetupElement {
public:
    explicit TSetupFile(TSetupData* script = nullptr);
    ~TSetupFile() override;

    bool Compressed() const { return compressed_; }
    void SetCompressed(bool compressed) { compressed_ = compressed; }
    // Bytes the file takes on its install disk.
    std::int32_t CompressedSize() const { return compressedSize_; }
    void SetCompressedSize(std::int32_t size) { compressedSize_ = size; }
    // Days since 30 December 1899; the fraction is the time of day. 0 = no date.
    double DateTime() const { return dateTime_; }
    void SetDateTime(double dateTime) { dateTime_ = dateTime; }
    // The file name without its directory; several files may bear the same name.
    const std::string& Name() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }
    // Installed size in bytes.
    std::int32_t Size() const { return size_; }
    void SetSize(std::int32_t size) { size_ = size; }
    // Source directory; a backslash is appended when a non-empty value lacks one.
    const std::string& Source() const { return source_; }
    void SetSource(std::string source);

    void Assign(const TSetupFile& source);

protected:
    bool canBeReferenced() const override { return true; }

private:
    friend class detail::ScriptReader;

    bool compressed_ = false;
    std::int32_t compressedSize_ = 0;
    double dateTime_ = 0.0;
    std::string name_;
    std::int32_t size_ = 0;
    std::string source_;
};

// Appends the directory separator to a non-empty path that lacks it.
std::string withTrailingBackslash(std::string path);

} // namespace setupkit
