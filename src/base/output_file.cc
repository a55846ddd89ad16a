#include "base/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "base/run_error.h"

namespace veskaro {

namespace {

std::string folder_of(const std::string& target) {
    std::string folder = std::filesystem::path(target).parent_path().string();
    return folder.empty() ? "." : folder;
}

// A hidden name beside the target, unique to this process.  Only the start
// of the target's name is kept, so that a target name near the file
// system's length limit still has a temporary name within it.
std::string temporary_name(const std::string& target) {
    constexpr std::size_t kKept = 100;
    const std::filesystem::path path(target);
    std::string name(1, '.');
    name.append(path.filename().string(), 0, kKept).append(".").append(std::to_string(getpid())).append(".tmp");
    return (path.parent_path() / name).string();
}

}  // namespace

OutputFile::OutputFile(std::string target) : target_(std::move(target)) {
#ifdef O_TMPFILE
    fd_ = open(folder_of(target_).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd_ >= 0) return;
    // Only a file system without unnamed files falls back to a named one.
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) fail_with_errno(errno);
#endif
    temp_path_ = temporary_name(target_);
    unlink(temp_path_.c_str());
    fd_ = open(temp_path_.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
    if (fd_ < 0) {
        const int error = errno;
        temp_path_.clear();
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
    if (temp_path_.empty()) {
        // Give the unnamed file a temporary name, then move it over the target.
        const std::string name = temporary_name(target_);
        const std::string self = "/proc/self/fd/" + std::to_string(fd_);
        auto link_named = [&] {
            if (linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) return 0;
            // Without /proc, a privileged process can link the descriptor itself.
            const int error = errno;
            if (linkat(fd_, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0) return 0;
            return error;
        };
        int error = link_named();
        if (error == EEXIST) {
            // A leftover of an earlier run of a process with the same id.
            unlink(name.c_str());
            error = link_named();
        }
        if (error != 0) fail_with_errno(error);
        temp_path_ = name;
    }
    const int fd = fd_;
    fd_ = -1;
    if (close(fd) != 0) fail_with_errno(errno);
    if (std::rename(temp_path_.c_str(), target_.c_str()) != 0) fail_with_errno(errno);
    temp_path_.clear();
}

void OutputFile::fail_with_errno(int error) const {
    throw RunError("cannot write '" + target_ + "': " + std::strerror(error));
}

void OutputFile::discard() noexcept {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
    if (!temp_path_.empty()) unlink(temp_path_.c_str());
    temp_path_.clear();
}

}  // namespace veskaro
