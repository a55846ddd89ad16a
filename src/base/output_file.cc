#include "base/output_file.h"

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>

#include "base/abandoned_files.h"
#include "base/run_error.h"

namespace veskaro {

namespace {

// Names tried before giving up: each is random, so a second one is
// already needed only when another run picked the same 64 bits.
constexpr int kNameAttempts = 100;

std::string folder_of(const std::string& target) {
    std::string folder = std::filesystem::path(target).parent_path().string();
    return folder.empty() ? "." : folder;
}

// 64 random bits as hex.  Two runs must not pick the same name even when
// they share a process id (separate PID namespaces on one folder), so the
// id plays no part.  Without the kernel's generator the clock stands in;
// the exclusive creation settles what it cannot.
std::string random_hex() {
    std::uint64_t bits = 0;
    if (getrandom(&bits, sizeof bits, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof bits)) {
        timespec now{};
        clock_gettime(CLOCK_REALTIME, &now);
        bits = static_cast<std::uint64_t>(now.tv_nsec) ^ (static_cast<std::uint64_t>(now.tv_sec) << 32);
    }
    static const char kHex[] = "0123456789abcdef";
    std::string text(16, '0');
    for (char& digit : text) {
        digit = kHex[bits & 0xF];
        bits >>= 4;
    }
    return text;
}

// A hidden name beside the target, picked at random.  Only the start of the
// target's name is kept, so that a target name near the file system's
// length limit still has a temporary name within it.
std::string temporary_name(const std::string& target) {
    constexpr std::size_t kKept = 100;
    const std::filesystem::path path(target);
    std::string name(1, '.');
    name.append(path.filename().string(), 0, kKept).append(".").append(random_hex()).append(".tmp");
    return (path.parent_path() / name).string();
}

// Gives the open file `fd` the name `name`; returns 0 or the error, EEXIST
// when the name is taken.
int link_name(int fd, const std::string& self, const std::string& name) {
    if (linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) return 0;
    const int error = errno;
    if (error == EEXIST) return error;
    // Without /proc, a privileged process can link the descriptor itself.
    if (linkat(fd, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0) return 0;
    return errno == EEXIST ? EEXIST : error;
}

}  // namespace

OutputFile::OutputFile(std::string target) : target_(std::move(target)) {
#ifdef O_TMPFILE
    fd_ = open(folder_of(target_).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd_ >= 0) return;
    // Only a file system without unnamed files falls back to a named one.
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) fail_with_errno(errno);
#endif
    const SignalsHeld held;
    int error = EEXIST;
    for (int attempt = 0; attempt < kNameAttempts && error == EEXIST; ++attempt) {
        const std::string name = temporary_name(target_);
        fd_ = open(name.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
        error = fd_ < 0 ? errno : take_name(name);
    }
    if (error != 0) {
        if (fd_ >= 0) close(fd_);
        fail_with_errno(error);
    }
}

OutputFile::~OutputFile() { discard(); }

void OutputFile::write(std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = ::write(fd_, text.data(), text.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            fail_with_errno(errno);
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
}

void OutputFile::commit() {
    // From the name given to an unnamed file to the rename, a signal waits:
    // it finds the file either under its remembered temporary name or in
    // place.
    const SignalsHeld held;
    if (temp_path_.empty()) name_unnamed_file();
    const int fd = fd_;
    fd_ = -1;
    if (close(fd) != 0) fail_with_errno(errno);
    if (std::rename(temp_path_.c_str(), target_.c_str()) != 0) fail_with_errno(errno);
    forget_temporary(slot_);
    slot_ = -1;
    temp_path_.clear();
}

// Links the unnamed file under a fresh temporary name; a name another run
// holds is left to it and the next one is tried.
void OutputFile::name_unnamed_file() {
    const std::string self = "/proc/self/fd/" + std::to_string(fd_);
    int error = EEXIST;
    for (int attempt = 0; attempt < kNameAttempts && error == EEXIST; ++attempt) {
        const std::string name = temporary_name(target_);
        error = link_name(fd_, self, name);
        if (error == 0) error = take_name(name);
    }
    if (error != 0) fail_with_errno(error);
}

// Called under SignalsHeld right after the name was made: remembers it
// before anything can fail, or removes it.  Returns 0 or the error.
int OutputFile::take_name(const std::string& name) {
    slot_ = remember_temporary(name);
    if (slot_ < 0) {
        const int error = errno;
        unlink(name.c_str());
        return error;
    }
    temp_path_ = name;
    return 0;
}

void OutputFile::fail_with_errno(int error) const {
    throw RunError("cannot write '" + target_ + "': " + std::strerror(error));
}

void OutputFile::discard() noexcept {
    const SignalsHeld held;
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
    if (!temp_path_.empty()) unlink(temp_path_.c_str());
    forget_temporary(slot_);
    slot_ = -1;
    temp_path_.clear();
}

}  // namespace veskaro
