#include "post/modal_feed.h"

#include "post/plain_number.h"

namespace veskaro::post {

using namespace toolpath;

namespace {

template <typename Words>
auto feed_word(Words& words) -> decltype(&words.front()) {
    for (auto& word : words) {
        if (word.letter == 'F') return &word;
    }
    return nullptr;
}

}  // namespace

bool is_z_only_cut(const Move& move) {
    return move.kind == MoveKind::feed && move.from.x == move.to.x && move.from.y == move.to.y &&
           move.from.z != move.to.z;
}

ModalFeed::ModalFeed(std::optional<double> plunge_feed) : plunge_feed_(plunge_feed) {}

void ModalFeed::drop(const std::vector<Word>& words) {
    if (const Word* f = feed_word(words)) read_ = *f;
}

int ModalFeed::keep(std::vector<Word>& words, const Move* move) {
    Word* f = feed_word(words);
    if (f != nullptr) read_ = *f;
    if (move == nullptr || !is_cutting(*move)) {
        if (f != nullptr) written_ = f->value;
        return 0;
    }
    Word wanted = read_;
    if (plunge_feed_ && is_z_only_cut(*move)) {
        wanted.value = *plunge_feed_;
        wanted.text = plain_word('F', *plunge_feed_);
    }
    const double before = written_;
    written_ = wanted.value;
    if (f != nullptr) {
        if (f->text == wanted.text) return 0;
        *f = wanted;
        return 1;
    }
    if (before == wanted.value) return 0;
    words.push_back(wanted);
    return 1;
}

}  // namespace veskaro::post
