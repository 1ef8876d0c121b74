#pragma once
// The installer's single-instance check: a lock file held with flock(2) for the life
// of the process, one per user (so two unpacked copies of setup cannot install at
// once), or one per program path where a caller asks for that. The kernel drops the lock when
// the holder ends in any way, so a lock left by a killed process never blocks.

#include <filesystem>

namespace lumora::platform {

class InstanceLock {
public:
    enum class State {
        Held,          // this process is the one instance
        HeldElsewhere, // another running process holds it
        Unavailable,   // no lock file could be made; the check passes, as on Windows
        Released,      // was held, given up by release()
    };

    // Tries to take the lock for the program at `programPath` (made absolute, so
    // every way of naming one program file gives the same lock).
    explicit InstanceLock(const std::filesystem::path& programPath);
    // Tries to take the lock held in `lockFile` itself.
    struct File {
        std::filesystem::path path;
    };
    explicit InstanceLock(File lockFile);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    State state() const { return state_; }
    bool anotherInstanceRuns() const { return state_ == State::HeldElsewhere; }
    // Gives the lock up early (the destructor does it otherwise).
    void release();

    // $XDG_RUNTIME_DIR/lumora-setup-<hash>-<name>.lock, or the same name in the
    // temporary directory when there is no runtime directory.
    static std::filesystem::path lockFilePath(const std::filesystem::path& programPath);
    // The current user's lock: $XDG_RUNTIME_DIR/lumora-setup.lock, or
    // lumora-setup-<uid>.lock in the temporary directory.
    static std::filesystem::path userLockFilePath();

private:
    void acquire();

    State state_ = State::Unavailable;
    int fd_ = -1;
    std::filesystem::path lockFile_;
};

// A lock held on a folder itself (flock(2) on the directory): every user who can open
// the folder meets the same lock, and nothing is left behind. Two setups never
// install into one folder at once.
class DirectoryLock {
public:
    explicit DirectoryLock(const std::filesystem::path& directory);
    ~DirectoryLock();
    DirectoryLock(const DirectoryLock&) = delete;
    DirectoryLock& operator=(const DirectoryLock&) = delete;

    InstanceLock::State state() const { return state_; }
    bool heldElsewhere() const { return state_ == InstanceLock::State::HeldElsewhere; }

private:
    InstanceLock::State state_ = InstanceLock::State::Unavailable;
    int fd_ = -1;
};

} // namespace lumora::platform
