#include "base/program_main.h"

#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <new>

#include "base/abandoned_files.h"

namespace veskaro {

namespace {

// The status to end with when memory runs out.  Operator new's handler takes
// no argument, like a signal handler, so it finds the status here; it is set
// once, before the run.
int g_failure_status = 1;

// Called by operator new when memory runs out.  Throwing std::bad_alloc
// from here would unwind through destructors that allocate themselves (a
// large JSON document frees its members through a list it allocates) and
// end in std::terminate; so the run ends here, without unwinding: the
// temporary files go, the console lines so far are flushed, the error line
// follows.  Nothing here allocates.
void end_out_of_memory() {
    remove_remembered_temporaries();
    std::fflush(stdout);
    static const char kLine[] = "Error: out of memory\n";
    const ssize_t ignored = ::write(STDERR_FILENO, kLine, sizeof kLine - 1);
    (void)ignored;
    std::_Exit(g_failure_status);
}

}  // namespace

int run_main(int argc, char** argv, RunFunction run, int failure_status) {
    g_failure_status = failure_status;
    std::set_new_handler(end_out_of_memory);
    // A write beyond the file size limit (ulimit -f) then fails with EFBIG,
    // reported as "File too large", instead of killing the program silently.
    signal(SIGXFSZ, SIG_IGN);
    const Console console{std::cout, std::cerr};
    int status = failure_status;
    try {
        status = run(argc, argv, console);
    } catch (const std::bad_alloc&) {
        print_error(console, "out of memory");
    } catch (const std::exception& e) {
        print_error(console, e.what());
    }
    std::cout.flush();
    if (!std::cout) {
        print_error(console, "cannot write to standard output");
        return failure_status;
    }
    return status;
}

}  // namespace veskaro
