#pragma once
// One open file descriptor, closed when its owner goes: the platform's readers and
// writers keep theirs in one, so that no error path leaks it.

#include <utility>

namespace lumora::platform {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0)
            closeNow(fd_);
    }
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.release()) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept {
        if (this != &other)
            FileDescriptor(other.release()).swap(*this);
        return *this;
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Gives the descriptor up without closing it (to close it and see the result).
    int release() { return std::exchange(fd_, -1); }
    void swap(FileDescriptor& other) noexcept { std::swap(fd_, other.fd_); }

private:
    static void closeNow(int fd);

    int fd_;
};

} // namespace lumora::platform
