#include "base/option_number.h"

#include <sstream>

#include "base/option_parsing.h"

namespace veskaro {

namespace {

template <typename T>
bool read_whole(const std::string& text, T& value) {
    std::stringstream in(text);
    in >> value;
    // The stream stops at the first character that cannot continue the
    // number; only the end of the text may stop it.
    return !in.fail() && in.eof();
}

template <typename T>
void parse_whole(const std::string& text, NumberOption<T>& number) {
    if (!read_whole(text, number.value)) throw OptionError("Argument '" + text + "' failed to parse");
}

}  // namespace

bool read_whole_number(const std::string& text, float& value) { return read_whole(text, value); }
bool read_whole_number(const std::string& text, double& value) { return read_whole(text, value); }

void parse_value(const std::string& text, NumberOption<float>& number) { parse_whole(text, number); }
void parse_value(const std::string& text, NumberOption<double>& number) { parse_whole(text, number); }

}  // namespace veskaro
