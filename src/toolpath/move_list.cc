#include "toolpath/move_list.h"

#include <cstring>

namespace veskaro::toolpath {

namespace {

constexpr std::size_t kMarkEvery = 64;

// The first byte of a move: its kind in the two low bits, then what follows.
enum Flag : unsigned {
    kKindBits = 0x03,
    kX = 0x04,         // X changed: a double follows
    kY = 0x08,         // Y changed
    kZ = 0x10,         // Z changed
    kFeed = 0x20,      // a cutting move's feed differs from the last cutting move's
    kComment = 0x40,   // a comment: its length and its bytes follow
    kMore = 0x80,      // a second byte of flags follows
};

// The second byte, when there is one.
enum MoreFlag : unsigned {
    kLine = 0x01,  // the line is not the one after the last move's: the difference follows
    kFrom = 0x02,  // the move does not start where the last one ended: its start follows
};

// The same double, bit for bit: -0 and 0 are kept apart.
bool same(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

void put_double(std::vector<unsigned char>& bytes, double value) {
    unsigned char raw[sizeof value];
    std::memcpy(raw, &value, sizeof value);
    bytes.insert(bytes.end(), raw, raw + sizeof value);
}

double get_double(const unsigned char*& at) {
    double value;
    std::memcpy(&value, at, sizeof value);
    at += sizeof value;
    return value;
}

// Seven bits a byte, the low bits first; the high bit says another follows.
void put_count(std::vector<unsigned char>& bytes, std::uint64_t value) {
    while (value >= 0x80) {
        bytes.push_back(static_cast<unsigned char>(value | 0x80));
        value >>= 7;
    }
    bytes.push_back(static_cast<unsigned char>(value));
}

std::uint64_t get_count(const unsigned char*& at) {
    std::uint64_t value = 0;
    for (int shift = 0;; shift += 7) {
        const unsigned char byte = *at++;
        value |= static_cast<std::uint64_t>(byte & 0x7F) << shift;
        if ((byte & 0x80) == 0) return value;
    }
}

// A signed difference as a count: 0, -1, 1, -2, 2 ... as 0, 1, 2, 3, 4 ...
std::uint64_t zigzag(std::int64_t value) {
    return (static_cast<std::uint64_t>(value) << 1) ^ static_cast<std::uint64_t>(value >> 63);
}

std::int64_t unzigzag(std::uint64_t value) {
    return static_cast<std::int64_t>(value >> 1) ^ -static_cast<std::int64_t>(value & 1);
}

bool is_arc_kind(MoveKind kind) { return kind == MoveKind::arc_clockwise || kind == MoveKind::arc_counterclockwise; }

}  // namespace

void MoveList::push_back(const Move& move) {
    if (size_ % kMarkEvery == 0) {
        Cursor mark = end_;
        mark.offset = bytes_.size();
        marks_.push_back(mark);
    }
    const bool cutting = move.kind != MoveKind::rapid;
    const bool from_elsewhere =
        !same(move.from.x, end_.at.x) || !same(move.from.y, end_.at.y) || !same(move.from.z, end_.at.z);
    const Position& from = from_elsewhere ? move.from : end_.at;
    unsigned flags = static_cast<unsigned>(move.kind);
    if (!same(move.to.x, from.x)) flags |= kX;
    if (!same(move.to.y, from.y)) flags |= kY;
    if (!same(move.to.z, from.z)) flags |= kZ;
    if (cutting && !same(move.feed, end_.cut_feed)) flags |= kFeed;
    if (!move.comment.empty()) flags |= kComment;
    unsigned more = 0;
    if (move.line != end_.line + 1) more |= kLine;
    if (from_elsewhere) more |= kFrom;
    if (more != 0) flags |= kMore;

    bytes_.push_back(static_cast<unsigned char>(flags));
    if (more != 0) bytes_.push_back(static_cast<unsigned char>(more));
    if (more & kLine) put_count(bytes_, zigzag(move.line - end_.line));
    if (more & kFrom) {
        put_double(bytes_, move.from.x);
        put_double(bytes_, move.from.y);
        put_double(bytes_, move.from.z);
    }
    if (flags & kX) put_double(bytes_, move.to.x);
    if (flags & kY) put_double(bytes_, move.to.y);
    if (flags & kZ) put_double(bytes_, move.to.z);
    if (is_arc_kind(move.kind)) {
        put_double(bytes_, move.centre_x);
        put_double(bytes_, move.centre_y);
    }
    if (flags & kFeed) put_double(bytes_, move.feed);
    if (flags & kComment) {
        put_count(bytes_, move.comment.size());
        bytes_.insert(bytes_.end(), move.comment.begin(), move.comment.end());
    }

    end_.at = move.to;
    end_.line = move.line;
    if (cutting) end_.cut_feed = move.feed;
    end_.offset = bytes_.size();
    ++size_;
}

Move MoveList::decode(Cursor& cursor) const {
    const unsigned char* at = bytes_.data() + cursor.offset;
    const unsigned flags = *at++;
    const unsigned more = (flags & kMore) ? *at++ : 0;
    Move move;
    move.kind = static_cast<MoveKind>(flags & kKindBits);
    move.line = cursor.line + ((more & kLine) ? unzigzag(get_count(at)) : 1);
    move.from = cursor.at;
    if (more & kFrom) {
        move.from.x = get_double(at);
        move.from.y = get_double(at);
        move.from.z = get_double(at);
    }
    move.to = move.from;
    if (flags & kX) move.to.x = get_double(at);
    if (flags & kY) move.to.y = get_double(at);
    if (flags & kZ) move.to.z = get_double(at);
    if (is_arc_kind(move.kind)) {
        move.centre_x = get_double(at);
        move.centre_y = get_double(at);
    }
    if (move.kind != MoveKind::rapid) {
        move.feed = (flags & kFeed) ? get_double(at) : cursor.cut_feed;
        cursor.cut_feed = move.feed;
    }
    if (flags & kComment) {
        const std::size_t length = get_count(at);
        move.comment = std::string_view(reinterpret_cast<const char*>(at), length);
        at += length;
    }
    cursor.at = move.to;
    cursor.line = move.line;
    cursor.offset = static_cast<std::size_t>(at - bytes_.data());
    return move;
}

MoveList::Iterator::Iterator(const MoveList* list, std::size_t index, Cursor cursor)
    : list_(list), index_(index), cursor_(cursor) {
    if (index_ < list_->size_) move_ = list_->decode(cursor_);
}

MoveList::Iterator& MoveList::Iterator::operator++() {
    ++index_;
    if (index_ < list_->size_) move_ = list_->decode(cursor_);
    return *this;
}

MoveList::Iterator MoveList::begin() const { return Iterator(this, 0, Cursor{}); }

MoveList::Iterator MoveList::end() const { return Iterator(this, size_, end_); }

void MoveList::Iterator::seek(std::size_t index) {
    if (index < index_ || index / kMarkEvery > index_ / kMarkEvery) {
        *this = list_->at(index);
        return;
    }
    while (index_ < index) ++*this;
}

MoveList::Iterator MoveList::at(std::size_t index) const {
    const std::size_t first = index - index % kMarkEvery;
    Iterator it(this, first, marks_[first / kMarkEvery]);
    while (it.index_ < index) ++it;
    return it;
}

}  // namespace veskaro::toolpath
