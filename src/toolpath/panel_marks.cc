#include "toolpath/panel_marks.h"

#include <charconv>

#include "base/decimal_text.h"

namespace veskaro::toolpath {

namespace {

constexpr std::string_view kAt = " at ";
constexpr std::string_view kTurned = ", turned";
constexpr std::string_view kOutline = "Outline at ";
constexpr std::string_view kBy = " x ";
constexpr std::string_view kMm = " mm: ";

std::string two_decimals(double value) { return fixed_decimals(value, 2); }

bool read_number(std::string_view text, double& value) {
    if (text.empty()) return false;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

// Splits `text` at the last `separator`: `before` and `after` it.
bool split_last(std::string_view text, std::string_view separator, std::string_view& before,
                std::string_view& after) {
    const std::size_t at = text.rfind(separator);
    if (at == std::string_view::npos) return false;
    before = text.substr(0, at);
    after = text.substr(at + separator.size());
    return true;
}

bool ends_with(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

}  // namespace

std::string panel_place_text(const PanelMark& mark) {
    return mark.name + std::string(kAt) + two_decimals(mark.x) + ", " + two_decimals(mark.y) +
           (mark.turned ? std::string(kTurned) : "");
}

std::string panel_mark_text(const PanelMark& mark) {
    return std::string(kOutline) + two_decimals(mark.x) + ", " + two_decimals(mark.y) +
           (mark.turned ? std::string(kTurned) : "") + ", " + two_decimals(mark.width) + std::string(kBy) +
           two_decimals(mark.height) + std::string(kMm) + mark.name;
}

std::optional<PanelMark> read_panel_mark(std::string_view comment) {
    if (comment.substr(0, kOutline.size()) != kOutline) return std::nullopt;
    comment.remove_prefix(kOutline.size());
    const std::size_t end = comment.find(kMm);
    if (end == std::string_view::npos) return std::nullopt;
    PanelMark mark;
    mark.name = std::string(comment.substr(end + kMm.size()));
    std::string_view place = comment.substr(0, end);
    std::string_view size, width, height, x, y;
    if (!split_last(place, ", ", place, size) || !split_last(size, kBy, width, height)) return std::nullopt;
    if (!read_number(width, mark.width) || !read_number(height, mark.height)) return std::nullopt;
    mark.turned = ends_with(place, kTurned);
    if (mark.turned) place.remove_suffix(kTurned.size());
    if (!split_last(place, ", ", x, y) || !read_number(x, mark.x) || !read_number(y, mark.y)) return std::nullopt;
    return mark;
}

}  // namespace veskaro::toolpath
