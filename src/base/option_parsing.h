// What every program's command line comes to: the help text, or a run with
// its settings; and the refusal of an option.
//
// The option parser's header stays out of this one: it is slow to compile
// and compiles its patterns at start-up once for every source file that
// includes it.
#pragma once

#include <functional>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <utility>

#include "base/console.h"

namespace cxxopts {
class Options;
class ParseResult;
}  // namespace cxxopts

namespace veskaro {

// An option that the parser refuses (unknown, missing or malformed), or a
// value that would make no sense.  The message names the option.
class OptionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

template <typename Settings>
struct CommandLine {
    // The text to print before stopping with status 0: the help, or the
    // version line.
    bool help = false;
    std::string help_text;
    Settings settings{};
};

// Parses the arguments with `options`.  Returns the help text when "help"
// is given, "<program> <version>" when "version" is (for the options that
// declare it); otherwise hands the parsed options to `read` and returns
// nothing.  The parser's errors, `read`'s included, become OptionError with
// option names and values quoted by apostrophes.
std::optional<std::string> parse_options(cxxopts::Options& options, int argc, const char* const* argv,
                                         const std::function<void(const cxxopts::ParseResult&)>& read);

// parse_options with the settings that `read` returns.
template <typename Settings, typename Read>
CommandLine<Settings> parse_command_line(cxxopts::Options& options, int argc, const char* const* argv, Read&& read) {
    CommandLine<Settings> command_line;
    std::optional<std::string> help =
        parse_options(options, argc, argv, [&](const cxxopts::ParseResult& parsed) { command_line.settings = read(parsed); });
    if (help) {
        command_line.help = true;
        command_line.help_text = std::move(*help);
    }
    return command_line;
}

// Takes the command line from `read`, which throws OptionError: prints the
// help text, or the refusal in the option error form.  Returns the exit
// status to end with (0 after help, `error_status` after a refusal), or
// nothing when the run goes on with `settings`.
template <typename Settings, typename Read>
std::optional<int> take_command_line(const Console& console, Read&& read, Settings& settings,
                                     int error_status = 1) {
    try {
        CommandLine<Settings> command_line = read();
        if (command_line.help) {
            console.out << command_line.help_text << std::endl;
            return 0;
        }
        settings = std::move(command_line.settings);
        return std::nullopt;
    } catch (const OptionError& e) {
        print_option_error(console, e.what());
        return error_status;
    }
}

// The name the program was started by, the file name of argv[0], for the
// usage line of its help text; `fallback` when there is none.
std::string program_name(int argc, const char* const* argv, const char* fallback);

// The parser's message with option names and values quoted by apostrophes.
std::string with_apostrophes(const std::string& message);

}  // namespace veskaro
