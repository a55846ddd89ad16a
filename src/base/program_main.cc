#include "base/program_main.h"

#include <exception>
#include <iostream>
#include <new>

namespace veskaro {

int run_main(int argc, char** argv, RunFunction run, int failure_status) {
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
