#include "preview/strict_number.h"

#include <charconv>
#include <cmath>
#include <cxxopts.hpp>

namespace veskaro::preview {

void parse_value(const std::string& text, StrictNumber& number) {
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (first != last && *first == '+') ++first;
    const bool plain = first != last && (std::isdigit(static_cast<unsigned char>(*first)) || *first == '.' ||
                                         (*first == '-' && first + 1 != last));
    double value = 0;
    const std::from_chars_result read = std::from_chars(first, last, value, std::chars_format::general);
    if (!plain || read.ec != std::errc() || read.ptr != last || !std::isfinite(value)) {
        throw cxxopts::exceptions::incorrect_argument_type(text);
    }
    number.value = value;
}

}  // namespace veskaro::preview
