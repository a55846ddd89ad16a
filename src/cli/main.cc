#include <exception>
#include <iostream>
#include <new>

#include "cli/run.h"

int main(int argc, char** argv) {
    int status = 1;
    try {
        status = veskaro::run(argc, argv);
    } catch (const std::bad_alloc&) {
        std::cerr << "Error: out of memory" << std::endl;
    } catch (const std::exception& e) {
        std::cerr << "Error: " << e.what() << std::endl;
    }
    // A console that could not take the report (a full disk behind a
    // redirection, a closed pipe) is a failed run, not a quiet success.
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "Error: cannot write to standard output" << std::endl;
        return 1;
    }
    return status;
}
