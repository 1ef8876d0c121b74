#include "heap_tuning.h"

#include <malloc.h>

namespace lumora::platform {

void keepFreedMemoryForReuse() {
    ::mallopt(M_TRIM_THRESHOLD, 64 << 20);
    ::mallopt(M_TOP_PAD, 16 << 20);
}

} // namespace lumora::platform
