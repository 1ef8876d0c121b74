#pragma once
// Reading, writing and waiting on descriptors the way a process that talks to other
// processes over pipes needs it: interrupted calls are retried, and a reader that
// has gone is an error of the write, not a signal that ends the whole program.

#include "file_descriptor.h"

#include <cstddef>
#include <string_view>
#include <vector>

namespace lumora::platform {

inline constexpr int kStandardInput = 0;
inline constexpr int kStandardError = 2;

// What is there, up to `size` bytes: the count, 0 at the end, -1 on an error.
long readSome(int fd, char* buffer, size_t size);

// Writes every byte. False when the reader has gone or the write fails otherwise.
// SIGPIPE is held off in the calling thread for the write, and one the write raised
// is taken back, so the process's own handling of the signal stays as it was.
bool writeAll(int fd, std::string_view bytes);

// Waits, without time limit, until at least one descriptor can be read or has been
// closed at the other end; true for each such descriptor. Throws std::system_error.
std::vector<bool> waitUntilReadable(const std::vector<int>& fds);

// Gives a descriptor for the process's standard output and points standard output
// at standard error from now on, so that what libraries print cannot mix with what
// is written to the descriptor. Invalid when it cannot.
FileDescriptor divertStandardOutput();

bool isTerminal(int fd);

} // namespace lumora::platform
