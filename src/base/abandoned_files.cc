#include "base/abandoned_files.h"

#include <limits.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

namespace veskaro {

namespace {

constexpr int kHeldSignals[] = {SIGINT, SIGTERM, SIGHUP};

// A run writes one file at a time; a few slots leave room for tools that
// keep more open.
constexpr int kSlots = 8;

struct Slot {
    volatile sig_atomic_t used;
    char path[PATH_MAX];
};

// The one piece of process-wide state: a signal handler has nothing else to
// find the files by.  It is written only while the signals are held and read
// by the handler, so plain fixed buffers and a flag set after the path
// is complete suffice.
Slot g_slots[kSlots];
volatile sig_atomic_t g_handlers_set = 0;

sigset_t held_signals() {
    sigset_t set;
    sigemptyset(&set);
    for (int signal : kHeldSignals) sigaddset(&set, signal);
    return set;
}

// Removes the files, then lets the signal end the process as it would have
// without a handler: SA_RESETHAND has put the default action back, and the
// signal raised again is delivered when the handler returns.
extern "C" void remove_and_end(int signal) {
    remove_remembered_temporaries();
    raise(signal);
}

void set_handlers() {
    struct sigaction action {};
    action.sa_handler = remove_and_end;
    action.sa_mask = held_signals();
    action.sa_flags = SA_RESETHAND;
    for (int signal : kHeldSignals) {
        struct sigaction previous {};
        // A signal ignored from the start (nohup, a background job) stays
        // ignored.
        if (sigaction(signal, nullptr, &previous) == 0 && previous.sa_handler == SIG_IGN) continue;
        sigaction(signal, &action, nullptr);
    }
    g_handlers_set = 1;
}

}  // namespace

SignalsHeld::SignalsHeld() {
    const sigset_t set = held_signals();
    sigprocmask(SIG_BLOCK, &set, &previous_);
}

SignalsHeld::~SignalsHeld() { sigprocmask(SIG_SETMASK, &previous_, nullptr); }

int remember_temporary(const std::string& path) {
    if (path.size() >= PATH_MAX) {
        errno = ENAMETOOLONG;
        return -1;
    }
    if (!g_handlers_set) set_handlers();
    for (int slot = 0; slot < kSlots; ++slot) {
        if (g_slots[slot].used) continue;
        std::memcpy(g_slots[slot].path, path.c_str(), path.size() + 1);
        // The path is complete before the handler can see the slot in use.
        std::atomic_signal_fence(std::memory_order_seq_cst);
        g_slots[slot].used = 1;
        return slot;
    }
    errno = EMFILE;
    return -1;
}

void forget_temporary(int slot) {
    if (slot >= 0 && slot < kSlots) g_slots[slot].used = 0;
}

void remove_remembered_temporaries() noexcept {
    for (Slot& slot : g_slots) {
        if (slot.used) unlink(slot.path);
    }
}

}  // namespace veskaro
