#include "base/option_parsing.h"

#include <cxxopts.hpp>
#include <filesystem>

#include "base/version.h"

namespace veskaro {

std::optional<std::string> parse_options(cxxopts::Options& options, int argc, const char* const* argv,
                                         const std::function<void(const cxxopts::ParseResult&)>& read) {
    try {
        const cxxopts::ParseResult parsed = options.parse(argc, argv);
        if (parsed.count("help") > 0) return options.help();
        // Only the programs that declare "version" have it.
        if (parsed.count("version") > 0) return options.program() + " " + VERSION;
        read(parsed);
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
