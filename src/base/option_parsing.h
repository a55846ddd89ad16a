// What every program's command line comes to: the help text, or a run with
// its settings; and the refusal of an option.
//
// The programs describe their options here and read them back by name; the
// option parser itself is compiled in option_parsing.cc alone.  Its header
// is slow to compile and compiles its patterns at start-up once for every
// source file that includes it.
#pragma once

#include <functional>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "base/console.h"

namespace cxxopts {
class ParseResult;
}  // namespace cxxopts

namespace veskaro {

// An option that the parser refuses (unknown, missing or malformed), or a
// value that would make no sense.  The message names the option.
class OptionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What an option takes.
enum class OptionValue {
    text,           // one word: a path, a name
    texts,          // the words that follow no option (the positional option)
    number,         // a number, the whole text of it (double precision)
    single_number,  // the same, read straight into single precision
    flag,           // on when named; it takes a value only after "=" ("--outline=false")
};

struct OptionSpec {
    std::string names;  // "j,json-file": the short and the long name; "paths" for the positional option
    std::string description;
    OptionValue value = OptionValue::flag;
    std::optional<std::string> default_value;  // none: reading an option not given is an error
};

struct OptionSet {
    std::string program;      // for the usage line
    std::string description;  // the help text's first lines
    std::vector<OptionSpec> options;  // in the order of the help text
    std::string positional;       // the texts option that takes the words after the options, or none
    std::string positional_help;  // how the usage line shows them: "PATH..."
    // An option given twice ("-c grbl -c linuxcnc") is refused: the user
    // who typed both meant one of them.  Only the generator, whose command
    // line is prescribed, takes the last one.
    bool refuse_repeats = true;
};

// "-h, --help" and "-v, --version", as every program words them.
OptionSpec help_option();
OptionSpec version_option();

// The options as parsed, read by their long names.  Reading an option that
// has no value (neither given nor defaulted) throws the parser's error,
// "Option 'json-file' has no value".
class ParsedOptions {
public:
    explicit ParsedOptions(const cxxopts::ParseResult& result) : result_(result) {}

    bool given(const std::string& name) const;
    std::string text(const std::string& name) const;
    std::vector<std::string> texts(const std::string& name) const;
    double number(const std::string& name) const;
    float single_number(const std::string& name) const;
    bool flag(const std::string& name) const;
    // The arguments that no option read, in order.
    const std::vector<std::string>& unmatched() const;

private:
    const cxxopts::ParseResult& result_;
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
// nothing.  A number is taken only when the whole text is one.  The
// parser's errors, `read`'s included, become OptionError with option names
// and values quoted by apostrophes.
std::optional<std::string> parse_options(const OptionSet& options, int argc, const char* const* argv,
                                         const std::function<void(const ParsedOptions&)>& read);

// parse_options with the settings that `read` returns.
template <typename Settings, typename Read>
CommandLine<Settings> parse_command_line(const OptionSet& options, int argc, const char* const* argv, Read&& read) {
    CommandLine<Settings> command_line;
    std::optional<std::string> help =
        parse_options(options, argc, argv, [&](const ParsedOptions& parsed) { command_line.settings = read(parsed); });
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
