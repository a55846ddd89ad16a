#include "toolpath/component_names.h"

namespace veskaro::toolpath {

namespace {

constexpr std::string_view kStart = "Start cutting ";
constexpr std::string_view kDown = " down to ";
constexpr std::string_view kLift = "Lift to safe height after cutting ";

}  // namespace

std::string_view started_component(std::string_view comment) {
    if (comment.substr(0, kStart.size()) != kStart) return {};
    const std::size_t down = comment.rfind(kDown);
    if (down == std::string_view::npos || down <= kStart.size()) return {};
    return comment.substr(kStart.size(), down - kStart.size());
}

bool ends_component(std::string_view comment, std::string_view name) {
    return comment.size() == kLift.size() + name.size() && comment.substr(0, kLift.size()) == kLift &&
           comment.substr(kLift.size()) == name;
}

std::string_view ComponentOfMoves::next(const Move& move) {
    const std::string_view started = started_component(move.comment);
    if (!started.empty()) current_ = started;
    const std::string_view name = current_;
    if (!current_.empty() && ends_component(move.comment, current_)) current_ = {};
    return name;
}

}  // namespace veskaro::toolpath
