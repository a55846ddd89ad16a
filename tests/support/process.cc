#include "support/process.h"

#include <fcntl.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstddef>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace veskaro::testing {

namespace fs = std::filesystem;

namespace {

// Makes openat() with O_TMPFILE fail with EOPNOTSUPP for this process and
// what it runs.  O_TMPFILE includes O_DIRECTORY; its own bit is tested.
bool refuse_unnamed_files() {
    constexpr unsigned kOwnBit = O_TMPFILE & ~O_DIRECTORY;
    sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_openat, 0, 3),
        // The flags, the low half of the third argument.
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, args) + 2 * sizeof(__u64)),
        BPF_JUMP(BPF_JMP | BPF_JSET | BPF_K, kOwnBit, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | EOPNOTSUPP),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    sock_fprog program{static_cast<unsigned short>(sizeof filter / sizeof filter[0]), filter};
    return prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 &&
           prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0;
}

// In the child, between fork and exec: only async-signal-safe calls.
[[noreturn]] void exec_child(const std::string& program, const std::vector<std::string>& args,
                             const std::string& folder, const ProcessControl& control, int out, int err) {
    dup2(out, 1);
    dup2(err, 2);
    for (int number : {SIGINT, SIGTERM, SIGHUP}) signal(number, SIG_DFL);
    for (const auto& [resource, bytes] : control.limits) {
        const rlimit limit{bytes, bytes};
        if (setrlimit(resource, &limit) != 0) _exit(125);
    }
    if (control.without_unnamed_files && !refuse_unnamed_files()) _exit(125);
    if (chdir(folder.c_str()) != 0) _exit(126);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
}

// Reads both pipes until they close; standard output only once `watch` has
// returned true.
void collect(pid_t child, int out_fd, int err_fd, const ProcessControl& control, Outcome& outcome) {
    const auto start = std::chrono::steady_clock::now();
    pollfd fds[2] = {{out_fd, POLLIN, 0}, {err_fd, POLLIN, 0}};
    std::string* sinks[2] = {&outcome.out, &outcome.err};
    int open_count = 2;
    bool killed = false;
    bool watching = static_cast<bool>(control.watch);
    char buffer[65536];
    while (open_count > 0) {
        const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (!killed && elapsed > control.timeout_seconds) {
            kill(child, SIGKILL);
            killed = true;
        }
        if (watching) watching = !control.watch(child);
        fds[0].events = watching ? 0 : POLLIN;
        if (poll(fds, 2, 100) < 0) continue;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || (fds[i].revents & (POLLIN | POLLHUP | POLLERR)) == 0) continue;
            const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                sinks[i]->append(buffer, static_cast<std::size_t>(n));
            } else {
                close(fds[i].fd);
                fds[i].fd = -1;
                --open_count;
            }
        }
    }
}

}  // namespace

Outcome run_program(const std::string& program, const std::vector<std::string>& args,
                    const std::string& folder, double timeout_seconds) {
    ProcessControl control;
    control.timeout_seconds = timeout_seconds;
    return run_controlled(program, args, folder, control);
}

Outcome run_controlled(const std::string& program, const std::vector<std::string>& args,
                       const std::string& folder, const ProcessControl& control) {
    int out_pipe[2];
    int err_pipe[2];
    if (pipe(out_pipe) != 0 || pipe(err_pipe) != 0) throw std::runtime_error("pipe failed");
    const pid_t child = fork();
    if (child < 0) throw std::runtime_error("fork failed");
    if (child == 0) {
        close(out_pipe[0]);
        close(err_pipe[0]);
        exec_child(program, args, folder, control, out_pipe[1], err_pipe[1]);
    }
    close(out_pipe[1]);
    close(err_pipe[1]);
    Outcome outcome;
    collect(child, out_pipe[0], err_pipe[0], control, outcome);
    int status = 0;
    waitpid(child, &status, 0);
    outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return outcome;
}

bool has_file_open_under(int pid, const std::string& prefix) {
    std::vector<std::string> processes = {std::to_string(pid)};
    std::istringstream children(read_file("/proc/" + processes[0] + "/task/" + processes[0] + "/children"));
    for (std::string child; children >> child;) processes.push_back(child);
    std::error_code ignored;
    for (const auto& process : processes) {
        for (const auto& entry : fs::directory_iterator("/proc/" + process + "/fd", ignored)) {
            const std::string target = fs::read_symlink(entry.path(), ignored).string();
            if (target.rfind(prefix, 0) == 0) return true;
        }
    }
    return false;
}

std::string generator_path() { return VESKARO_BINARY; }

Outcome run_generator(const std::vector<std::string>& args, const std::string& folder,
                      double timeout_seconds) {
    return run_program(VESKARO_BINARY, args, folder, timeout_seconds);
}

TempFolder::TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "veskaro-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    // Tests may leave read-only folders behind; make them writable first.
    for (auto it = fs::recursive_directory_iterator(path_, ignored); it != fs::recursive_directory_iterator();
         it.increment(ignored)) {
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
    fs::remove_all(path_, ignored);
}

std::string TempFolder::write(const std::string& name, const std::string& text) const {
    const std::string path = path_ + "/" + name;
    std::ofstream out(path, std::ios::binary);
    out << text;
    return path;
}

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool file_exists(const std::string& path) { return fs::exists(path); }

std::vector<std::string> list_folder(const std::string& path) {
    std::vector<std::string> names;
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(path, ignored)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace veskaro::testing
