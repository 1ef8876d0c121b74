#pragma once
// The memory allocator's behaviour, for programs whose pattern it serves badly.

namespace lumora::platform {

// For a program that frees and asks again for the same large amounts over and over:
// freed memory is kept for reuse instead of being handed back to the system at once.
void keepFreedMemoryForReuse();

} // namespace lumora::platform
