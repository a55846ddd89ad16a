#include "check/key_rules.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace veskaro::check {

namespace {

// Insertions, deletions, substitutions and swaps of neighbours.
std::size_t edit_distance(const std::string& a, const std::string& b) {
    std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
    for (std::size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t change = a[i - 1] == b[j - 1] ? 0 : 1;
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + change});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
            }
        }
    }
    return d[a.size()][b.size()];
}

bool is_last_word(const std::string& word, std::string_view key) {
    const std::size_t underscore = key.rfind('_');
    return underscore != std::string_view::npos && key.substr(underscore + 1) == word;
}

}  // namespace

std::string lower_case(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string_view nearest_key(std::string_view key, std::span<const char* const> known) {
    const std::string typed = lower_case(key);
    // A key that is the last word of known ones ("width") is meant as the
    // nearest of those; any other only when it is a few slips away.
    bool by_word = false;
    for (std::string_view candidate : known) by_word = by_word || is_last_word(typed, candidate);
    std::string_view best;
    std::size_t best_distance = 0;
    for (std::string_view candidate : known) {
        if (by_word && !is_last_word(typed, candidate)) continue;
        const std::size_t distance = edit_distance(typed, std::string(candidate));
        if (best.empty() || distance < best_distance) {
            best = candidate;
            best_distance = distance;
        }
    }
    const std::size_t slips = std::max<std::size_t>(2, best.size() / 3);
    return by_word || best_distance <= slips ? best : std::string_view{};
}

void check_keys(const Json& object, std::span<const char* const> known, const std::string& where,
                std::string_view owner, Findings& findings) {
    if (!object.is_object()) return;
    for (const auto& member : object.items()) {
        const std::string& key = member.key();
        if (std::find(known.begin(), known.end(), std::string_view(key)) != known.end()) continue;
        const std::string_view meant = nearest_key(key, known);
        const std::string text = in_quotes(key) + std::string(owner) + " is not read";
        if (meant.empty()) {
            findings.note(where, text);
        } else {
            findings.warn(where, text + "; did you mean " + in_quotes(meant) + "?");
        }
    }
}

}  // namespace veskaro::check
