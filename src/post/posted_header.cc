#include "post/posted_header.h"

namespace veskaro::post {

namespace {

constexpr std::string_view kFor = " For ";

}  // namespace

std::string posted_header(Controller controller, std::string_view header_text) {
    std::string comment(kFor);
    comment += rules_of(controller).title;
    comment += ':';
    comment += header_text;
    return comment;
}

std::string posted_header_without_original(Controller controller) {
    return posted_header(controller, " rewritten by veskaro-post");
}

std::optional<Controller> posted_for(std::string_view first_line) {
    if (first_line.substr(0, 1) != ";" || first_line.substr(1, kFor.size()) != kFor) return std::nullopt;
    const std::string_view rest = first_line.substr(1 + kFor.size());
    const std::size_t colon = rest.find(':');
    if (colon == std::string_view::npos) return std::nullopt;
    return controller_titled(rest.substr(0, colon));
}

}  // namespace veskaro::post
