#include "post/controller.h"

namespace veskaro::post {

namespace {

// LinuxCNC's interpreter reads a line of at most 252 characters and stops
// with "Command too long" on a longer one.
constexpr ControllerRules kLinuxCnc{"linuxcnc", "LinuxCNC", ".ngc", 252, false, false};

// GRBL 1.1 keeps a line of at most 79 characters (its buffer holds 80 with
// the terminating zero) and answers error:11 to a longer one.  It drops
// comments before it counts, but a sender that streams by counting
// characters counts them against GRBL's 128-byte serial buffer, and some
// senders pass comments on.  A whole line of 79 characters fits both ways.
// Its number reader keeps the first eight digits of a number, leading zeros
// included, and drops the rest.
constexpr ControllerRules kGrbl{"grbl", "GRBL", ".nc", 79, true, true};

}  // namespace

const ControllerRules& rules_of(Controller controller) {
    switch (controller) {
        case Controller::linuxcnc:
            return kLinuxCnc;
        case Controller::grbl:
            break;
    }
    return kGrbl;
}

std::optional<Controller> controller_named(std::string_view name) {
    if (name == kLinuxCnc.name) return Controller::linuxcnc;
    if (name == kGrbl.name) return Controller::grbl;
    return std::nullopt;
}

}  // namespace veskaro::post
