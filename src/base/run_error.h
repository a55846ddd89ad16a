// The one kind of failure that ends a run after the settings report: bad
// project data, a loop that could not end, or an output that cannot be
// written.  The message is printed after "Error: ".
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace veskaro {

class RunError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A fault of one face only (the project has no "Generic" sizes for it): the
// face is skipped, the run goes on with the next one and fails at its end.
class FaceSkipped : public RunError {
public:
    using RunError::RunError;
};

// Names with line feeds or other control characters are shown escaped
// (\n, \r, \t, \xNN), so an error line stays one line.
std::string escape_name(std::string_view name);

// True for bytes below 0x20 and for 0x7F.
bool has_control_character(std::string_view name);

// The face, and the component when there is one, that a message is about:
// "face 'Box_Main'" or "face 'Box_Main', component 'fan'".
struct Where {
    std::string_view face;
    std::string_view component;
    bool in_component = false;

    Where with_component(std::string_view name) const { return Where{face, name, true}; }
    std::string text() const;
};

[[noreturn]] void fail(const Where& where, std::string_view message);

}  // namespace veskaro
