#include "post/plain_number.h"

#include "base/decimal_text.h"

namespace veskaro::post {

std::string plain_word(char letter, double value) {
    std::string word(1, letter);
    word += trimmed_decimals(value, kPlainDecimals);
    return word;
}

}  // namespace veskaro::post
