#include "occurrence_list.h"

#include <algorithm>
#include <limits>

namespace lumora::keywords {

void OccurrenceList::reserve(size_t more, size_t largestId) {
    const bool widen = !wide_ && largestId > std::numeric_limits<uint16_t>::max();
    if (size_ + more <= capacity_ && !widen)
        return;
    const size_t capacity = std::max(size_ + more, capacity_ * 2);
    // Left uninitialised: only the pages actually written are ever touched.
    if (wide_ || widen) {
        auto bigger = std::make_unique_for_overwrite<uint32_t[]>(capacity);
        for (size_t i = 0; i < size_; ++i)
            bigger[i] = (*this)[i];
        wide_ = std::move(bigger);
        narrow_.reset();
    } else {
        auto bigger = std::make_unique_for_overwrite<uint16_t[]>(capacity);
        std::copy(narrow_.get(), narrow_.get() + size_, bigger.get());
        narrow_ = std::move(bigger);
    }
    capacity_ = capacity;
}

} // namespace lumora::keywords
