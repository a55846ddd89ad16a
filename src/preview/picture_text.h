// A picture's text as it is drawn, handed on in pieces: the picture of a
// program of a million moves is tens of megabytes, and is never held whole.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace veskaro::preview {

// Takes each piece of a text in turn.
using TextSink = std::function<void(std::string_view)>;

class PictureText {
public:
    explicit PictureText(TextSink sink) : sink_(std::move(sink)) {}

    // The text drawn and not yet handed on: append to it.
    std::string text;

    // Hands the text on once it holds a piece's worth; drawing loops call it
    // after each element.
    void spill() {
        if (text.size() >= kPiece) finish();
    }
    // Hands the rest on.
    void finish() {
        sink_(text);
        text.clear();
    }

private:
    static constexpr std::size_t kPiece = 1 << 16;
    TextSink sink_;
};

}  // namespace veskaro::preview
