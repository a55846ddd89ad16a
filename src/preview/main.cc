#include <exception>
#include <iostream>
#include <new>

#include "preview/preview_run.h"

int main(int argc, char** argv) {
    try {
        return veskaro::preview::run_preview(argc, argv);
    } catch (const std::bad_alloc&) {
        std::cerr << "Error: out of memory" << std::endl;
    } catch (const std::exception& e) {
        std::cerr << "Error: " << e.what() << std::endl;
    }
    return 1;
}
