#include "options/stray_arguments.h"

#include <algorithm>

#include "base/option_parsing.h"

namespace veskaro {

namespace {

// The switch values the option parser reads: (t|T)(rue)? or 1, (f|F)(alse)? or 0.
bool is_switch_value(const std::string& text) {
    static const char* const kValues[] = {"t", "T", "true", "True", "1", "f", "F", "false", "False", "0"};
    return std::find(std::begin(kValues), std::end(kValues), text) != std::end(kValues);
}

const OptionRow* flag_with(const std::string& name, bool long_name, const std::vector<OptionRow>& table) {
    for (const OptionRow& row : table) {
        if (row.type == OptionType::flag && (long_name ? row.long_name : row.short_name) == name) return &row;
    }
    return nullptr;
}

// The flag that `word` switches on last: "--components", "-c", or a group
// of short flags "-zc".  A group with a letter that takes a value reads the
// rest of the group as that value, so it ends with no flag.
const OptionRow* flag_ending(const std::string& word, const std::vector<OptionRow>& table) {
    if (word.rfind("--", 0) == 0) return flag_with(word.substr(2), true, table);
    if (word.size() < 2 || word[0] != '-') return nullptr;
    const OptionRow* last = nullptr;
    for (std::size_t i = 1; i < word.size(); ++i) {
        last = flag_with(word.substr(i, 1), false, table);
        if (last == nullptr) return nullptr;
    }
    return last;
}

}  // namespace

void refuse_stray_arguments(const std::vector<std::string>& stray, int argc, const char* const* argv,
                            const std::vector<OptionRow>& table) {
    if (stray.empty()) return;
    const std::string& text = stray.front();
    std::string message = "Argument '" + text + "' is not read by any option";
    // Right after a flag, a word that is not an option is always left unread.
    for (int i = 2; i < argc && is_switch_value(text); ++i) {
        const OptionRow* flag = text == argv[i] ? flag_ending(argv[i - 1], table) : nullptr;
        if (flag != nullptr) {
            message += ": a flag takes a value only after an equals sign, as in '--" + flag->long_name + "=" +
                       text + "'";
            break;
        }
    }
    throw OptionError(message);
}

}  // namespace veskaro
