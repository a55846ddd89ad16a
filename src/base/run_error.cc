#include "base/run_error.h"

namespace veskaro {

namespace {

bool is_control(unsigned char c) { return c < 0x20 || c == 0x7F; }

}  // namespace

std::string escape_name(std::string_view name) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(name.size());
    for (char ch : name) {
        const auto c = static_cast<unsigned char>(ch);
        if (!is_control(c)) {
            text += ch;
        } else if (c == '\n') {
            text += "\\n";
        } else if (c == '\r') {
            text += "\\r";
        } else if (c == '\t') {
            text += "\\t";
        } else {
            text += "\\x";
            text += kHex[c >> 4];
            text += kHex[c & 0xF];
        }
    }
    return text;
}

bool has_control_character(std::string_view name) {
    for (char ch : name) {
        if (is_control(static_cast<unsigned char>(ch))) return true;
    }
    return false;
}

std::string Where::text() const {
    std::string out = "face '" + escape_name(face) + "'";
    if (in_component) out += ", component '" + escape_name(component) + "'";
    return out;
}

void fail(const Where& where, std::string_view message) {
    throw RunError(where.text() + ": " + std::string(message));
}

}  // namespace veskaro
