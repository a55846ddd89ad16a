#include "base/console.h"

#include "base/run_error.h"

namespace veskaro {

// Messages quote paths, option values and names as given; a line feed in
// one must not split the line.
void print_error(const Console& console, std::string_view message) {
    console.out.flush();
    console.err << "Error: " << escape_name(message) << std::endl;
}

void print_option_error(const Console& console, std::string_view message) {
    console.out.flush();
    console.err << "Error: " << escape_name(message) << "\n\n";
    console.err << "Use --help for usage information." << std::endl;
}

}  // namespace veskaro
