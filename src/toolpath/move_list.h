// The moves of a program, kept compactly.
//
// A program may hold millions of moves, and a hostile one millions of lines
// of three bytes ("G1\n").  A move is kept as a byte of flags followed by
// only what changed: the axes that moved, the feed when it changed, the
// arc's centre, the line number when it is not the next line, and the
// comment.  A move whose start is where the last one ended (as the reader
// makes them) does not keep its start.  So a program's moves take about as
// many bytes as its text.
//
// The moves are read back in order by iteration, or one by one by index
// (decoded from the nearest of the marks kept every 64 moves).  A move read
// back views its comment in the list: the view holds while the list is
// neither changed nor destroyed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <vector>

#include "toolpath/move.h"

namespace veskaro::toolpath {

class MoveList {
public:
    // Where the decoding of the next move starts: its byte and the state the
    // moves before it left.
    struct Cursor {
        std::size_t offset = 0;
        Position at;            // where the last move ended
        double cut_feed = 0;    // the feed of the last cutting move
        std::int64_t line = 0;  // the line of the last move
    };

    class Iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = Move;
        using difference_type = std::ptrdiff_t;
        using pointer = const Move*;
        using reference = const Move&;

        Iterator() = default;
        const Move& operator*() const { return move_; }
        const Move* operator->() const { return &move_; }
        Iterator& operator++();
        Iterator operator++(int) {
            Iterator before = *this;
            ++*this;
            return before;
        }
        bool operator==(const Iterator& other) const { return index_ == other.index_; }
        // The index of the move it points at.
        std::size_t index() const { return index_; }
        // Points it at the move at `index` (below size()): forward from here
        // when that is nearer, else from the nearest mark.
        void seek(std::size_t index);

    private:
        friend class MoveList;
        Iterator(const MoveList* list, std::size_t index, Cursor cursor);

        const MoveList* list_ = nullptr;
        std::size_t index_ = 0;
        Cursor cursor_;
        Move move_;
    };

    // Appends a move.  A rapid move's feed is not kept (it is 0).
    void push_back(const Move& move);

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    Iterator begin() const;
    Iterator end() const;

    // The move at `index` (below size()), decoded from the nearest mark.
    Move operator[](std::size_t index) const { return *at(index); }
    Iterator at(std::size_t index) const;

    // Bytes held, for the memory figures.
    std::size_t bytes() const { return bytes_.capacity() + marks_.capacity() * sizeof(Cursor); }

private:
    Move decode(Cursor& cursor) const;

    std::vector<unsigned char> bytes_;
    std::vector<Cursor> marks_;  // the state before every 64th move
    std::size_t size_ = 0;
    Cursor end_;  // the state after the last move, offset at the end of bytes_
};

}  // namespace veskaro::toolpath
