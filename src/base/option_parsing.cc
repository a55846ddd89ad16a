#include "base/option_parsing.h"

#include <cxxopts.hpp>
#include <filesystem>

#include "base/option_number.h"
#include "base/version.h"

namespace veskaro {

namespace {

std::shared_ptr<cxxopts::Value> value_of_kind(OptionValue kind) {
    switch (kind) {
        case OptionValue::text: return cxxopts::value<std::string>();
        case OptionValue::texts: return cxxopts::value<std::vector<std::string>>();
        case OptionValue::number: return cxxopts::value<NumberOption<double>>();
        case OptionValue::single_number: return cxxopts::value<NumberOption<float>>();
        case OptionValue::flag: return cxxopts::value<bool>();
    }
    return nullptr;
}

cxxopts::Options parser_of(const OptionSet& set) {
    cxxopts::Options options(set.program, set.description);
    if (!set.positional_help.empty()) options.positional_help(set.positional_help);
    for (const OptionSpec& spec : set.options) {
        std::shared_ptr<cxxopts::Value> value = value_of_kind(spec.value);
        if (spec.default_value) value->default_value(*spec.default_value);
        options.add_options("")(spec.names, spec.description, value, "");
    }
    if (!set.positional.empty()) options.parse_positional(std::vector<std::string>{set.positional});
    return options;
}

// The long name of "c,controller", or of "paths".
std::string long_name(const std::string& names) {
    const std::size_t comma = names.find(',');
    return comma == std::string::npos ? names : names.substr(comma + 1);
}

void refuse_repeats(const OptionSet& set, const cxxopts::ParseResult& parsed) {
    for (const OptionSpec& spec : set.options) {
        const std::string name = long_name(spec.names);
        if (name == set.positional) continue;
        if (parsed.count(name) > 1) throw OptionError("Option '" + name + "' is given more than once");
    }
}

}  // namespace

OptionSpec help_option() { return {"h,help", "Show this help message and quit", OptionValue::flag, {}}; }

OptionSpec version_option() {
    return {"v,version", "Show the program's name and version and quit", OptionValue::flag, {}};
}

bool ParsedOptions::given(const std::string& name) const { return result_.count(name) > 0; }

std::string ParsedOptions::text(const std::string& name) const { return result_[name].as<std::string>(); }

std::vector<std::string> ParsedOptions::texts(const std::string& name) const {
    return result_[name].as<std::vector<std::string>>();
}

double ParsedOptions::number(const std::string& name) const { return result_[name].as<NumberOption<double>>().value; }

float ParsedOptions::single_number(const std::string& name) const {
    return result_[name].as<NumberOption<float>>().value;
}

bool ParsedOptions::flag(const std::string& name) const { return result_[name].as<bool>(); }

const std::vector<std::string>& ParsedOptions::unmatched() const { return result_.unmatched(); }

std::optional<std::string> parse_options(const OptionSet& set, int argc, const char* const* argv,
                                         const std::function<void(const ParsedOptions&)>& read) {
    try {
        cxxopts::Options options = parser_of(set);
        const cxxopts::ParseResult parsed = options.parse(argc, argv);
        if (parsed.count("help") > 0) return options.help();
        // Only the programs that declare "version" have it.
        if (parsed.count("version") > 0) return options.program() + " " + VERSION;
        if (set.refuse_repeats) refuse_repeats(set, parsed);
        read(ParsedOptions(parsed));
    } catch (const cxxopts::exceptions::exception& e) {
        throw OptionError(with_apostrophes(e.what()));
    }
    return std::nullopt;
}

std::string program_name(int argc, const char* const* argv, const char* fallback) {
    if (argc < 1 || argv[0] == nullptr) return fallback;
    return std::filesystem::path(argv[0]).filename().string();
}

std::string with_apostrophes(const std::string& message) {
    // The parser quotes with typographic marks on some builds; option names
    // never contain them, so the marks around a name or value are found as
    // the first opening mark and the last closing one of each quoted part.
    static const std::string kOpen = "\xE2\x80\x98";   // left single quotation mark
    static const std::string kClose = "\xE2\x80\x99";  // right single quotation mark
    static const std::string kSecond = " but argument " + kOpen;
    std::string text = message;
    auto replace_at = [&text](std::size_t at, std::size_t length) {
        if (at != std::string::npos) text.replace(at, length, "'");
    };
    std::size_t second = text.find(kSecond);
    std::size_t end_of_first = second == std::string::npos ? text.size() : second;
    if (second != std::string::npos) {
        // "... but argument 'VALUE' given": the value is the last quoted part.
        replace_at(text.rfind(kClose), kClose.size());
        replace_at(second + kSecond.size() - kOpen.size(), kOpen.size());
    }
    const std::size_t close = text.rfind(kClose, end_of_first);
    const std::size_t open = text.find(kOpen);
    if (open != std::string::npos && close != std::string::npos && open < close) {
        text.replace(close, kClose.size(), "'");
        text.replace(open, kOpen.size(), "'");
    }
    return text;
}

}  // namespace veskaro
