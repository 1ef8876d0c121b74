#pragma once
// The word ids of a scan's accepted occurrences, in document order. Two bytes an id
// while every id fits (nearly any page), four bytes after that: a large page holds
// close to a million occurrences, and fresh memory is costly to touch.

#include <cstddef>
#include <cstdint>
#include <memory>

namespace lumora::keywords {

class OccurrenceList {
public:
    size_t size() const { return size_; }
    uint32_t operator[](size_t index) const { return wide_ ? wide_[index] : narrow_[index]; }
    bool wide() const { return wide_ != nullptr; }

    // Room for `more` ids after the current ones, with four-byte ids from now on
    // when ids up to `largestId` would not fit in two.
    void reserve(size_t more, size_t largestId);

    // Where the next id goes, in the current width (uint16_t or uint32_t); ids are
    // written there and the new end handed back.
    template <typename Id> Id* end();
    template <typename Id> void setEnd(const Id* end);

private:
    std::unique_ptr<uint16_t[]> narrow_;
    std::unique_ptr<uint32_t[]> wide_;
    size_t size_ = 0;
    size_t capacity_ = 0;
};

template <> inline uint16_t* OccurrenceList::end<uint16_t>() {
    return narrow_.get() + size_;
}
template <> inline uint32_t* OccurrenceList::end<uint32_t>() {
    return wide_.get() + size_;
}
template <> inline void OccurrenceList::setEnd<uint16_t>(const uint16_t* end) {
    size_ = static_cast<size_t>(end - narrow_.get());
}
template <> inline void OccurrenceList::setEnd<uint32_t>(const uint32_t* end) {
    size_ = static_cast<size_t>(end - wide_.get());
}

} // namespace lumora::keywords
