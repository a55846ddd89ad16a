#include "base/console.h"

namespace veskaro {

void print_error(const Console& console, std::string_view message) {
    console.out.flush();
    console.err << "Error: " << message << std::endl;
}

void print_option_error(const Console& console, std::string_view message) {
    console.out.flush();
    console.err << "Error: " << message << "\n\n";
    console.err << "Use --help for usage information." << std::endl;
}

}  // namespace veskaro
