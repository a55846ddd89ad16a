// The controllers the programs are written for, and what each one needs of
// a program's text.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace veskaro::post {

enum class Controller { linuxcnc, grbl };

struct ControllerRules {
    const char* name;       // as given to --controller, and the output folder's name
    const char* title;      // as people write it: "LinuxCNC", "GRBL"
    const char* extension;  // of the programs written for it
    // The longest line, comment included, that the controller and the usual
    // ways of sending a program to it take.
    std::size_t longest_line;
    // GRBL takes some bytes out of the serial stream wherever they stand,
    // comments included, and acts on them at once.
    bool replaces_realtime_bytes;
    // GRBL reads only the first eight digits of a number.
    bool reads_eight_digits;
};

const ControllerRules& rules_of(Controller controller);

// The controller of that name ("linuxcnc", "grbl"), or nothing.
std::optional<Controller> controller_named(std::string_view name);

}  // namespace veskaro::post
