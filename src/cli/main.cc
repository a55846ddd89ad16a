#include <exception>
#include <iostream>
#include <new>

#include "cli/run.h"

int main(int argc, char** argv) {
    try {
        return veskaro::run(argc, argv);
    } catch (const std::bad_alloc&) {
        std::cerr << "Error: out of memory" << std::endl;
    } catch (const std::exception& e) {
        std::cerr << "Error: " << e.what() << std::endl;
    }
    return 1;
}
