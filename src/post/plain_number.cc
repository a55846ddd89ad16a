#include "post/plain_number.h"

#include <cstdio>

namespace veskaro::post {

std::string plain_decimal(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.4f", value);
    std::string number = text;
    number.erase(number.find_last_not_of('0') + 1);
    if (number.back() == '.') number.pop_back();
    if (number == "-0") number = "0";
    return number;
}

std::string plain_word(char letter, double value) {
    std::string word(1, letter);
    word += plain_decimal(value);
    return word;
}

}  // namespace veskaro::post
