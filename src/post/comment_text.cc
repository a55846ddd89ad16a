#include "post/comment_text.h"

namespace veskaro::post {

namespace {

bool is_control(unsigned char byte) { return byte < 0x20 || byte == 0x7F; }

bool acted_on_by_grbl(unsigned char byte) {
    return is_control(byte) || byte > 0x7E || byte == '!' || byte == '?' || byte == '~';
}

bool is_continuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

}  // namespace

int replace_realtime_bytes(std::string& comment) {
    std::string safe;
    int replaced = 0;
    bool after_multibyte = false;
    for (char c : comment) {
        const auto byte = static_cast<unsigned char>(c);
        if (acted_on_by_grbl(byte)) ++replaced;
        // The second and later bytes of a UTF-8 character go with its first.
        if (!(after_multibyte && is_continuation(byte))) safe += acted_on_by_grbl(byte) ? '_' : c;
        after_multibyte = byte > 0x7F;
    }
    comment = std::move(safe);
    return replaced;
}

int replace_control_bytes(std::string& comment) {
    int replaced = 0;
    for (char& c : comment) {
        if (!is_control(static_cast<unsigned char>(c))) continue;
        c = '_';
        ++replaced;
    }
    return replaced;
}

std::string line_with_comment(const std::string& code, const std::string& comment, std::size_t longest,
                              bool& shortened) {
    const std::string head = code.empty() ? ";" : code + " ;";
    shortened = false;
    if (head.size() + comment.size() <= longest) return head + comment;
    shortened = true;
    static const std::string kCut = "...";
    if (head.size() + kCut.size() > longest) return code;
    std::size_t kept = longest - head.size() - kCut.size();
    while (kept > 0 && is_continuation(static_cast<unsigned char>(comment[kept]))) --kept;
    return head + comment.substr(0, kept) + kCut;
}

}  // namespace veskaro::post
