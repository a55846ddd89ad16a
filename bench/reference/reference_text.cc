#include "reference_text.h"

#include <iomanip>
#include <sstream>

namespace veskaro::reference {

std::string format_float_as_str(double value, int precision) {
    std::ostringstream stream;
    stream << std::fixed << std::setprecision(precision) << value;
    return stream.str();
}

std::string general_form(float value) {
    std::ostringstream stream;
    stream << value;
    return stream.str();
}

}  // namespace veskaro::reference
