// Hidden temporary files that must not outlive the process.
//
// A file that is written under a temporary name is remembered here from the
// moment the name exists until the file is in place or removed.  When
// SIGINT, SIGTERM or SIGHUP ends the process, or memory runs out, the
// remembered files are removed first, so that nothing half written is left
// beside the programs.
#pragma once

#include <signal.h>

#include <string>

namespace veskaro {

// Holds SIGINT, SIGTERM and SIGHUP back while it lives; one that arrives
// meanwhile is delivered when it goes.  A name is made and remembered, or
// put in place and forgotten, under it, so that no signal falls in between.
class SignalsHeld {
public:
    SignalsHeld();
    ~SignalsHeld();
    SignalsHeld(const SignalsHeld&) = delete;
    SignalsHeld& operator=(const SignalsHeld&) = delete;

private:
    sigset_t previous_;
};

// Remembers `path` (made by the caller under SignalsHeld) and, the first
// time, sets the handlers of the three signals, except for a signal that
// the process was started with ignored.  Returns the slot to forget, or -1
// with errno set when the path cannot be remembered.
int remember_temporary(const std::string& path);

void forget_temporary(int slot);

// Removes every remembered file.  Safe in a signal handler: it only reads
// fixed buffers and calls unlink().
void remove_remembered_temporaries() noexcept;

}  // namespace veskaro
