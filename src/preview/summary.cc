#include "preview/summary.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "base/decimal_text.h"
#include "toolpath/arc.h"

namespace veskaro::preview {

using namespace toolpath;

namespace {

// A million hours: beyond it (a rapid rate near 0, millions of moves at the
// smallest feed) the time is printed as ">999999:59:59" rather than wrap.
constexpr double kLongestSeconds = 3.6e9;

std::string duration(double minutes) {
    if (!(minutes * 60 < kLongestSeconds - 0.5)) return ">999999:59:59";
    const long seconds = std::lround(minutes * 60);
    char text[64];
    std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", seconds / 3600, seconds / 60 % 60, seconds % 60);
    return text;
}

}  // namespace

double move_length(const Move& move) {
    if (is_arc(move)) return arc_length(move);
    return std::hypot(move.to.x - move.from.x, move.to.y - move.from.y, move.to.z - move.from.z);
}

Summary summarise(const Program& program, double rapid_rate) {
    Summary s;
    for (const Move& move : program.moves) {
        const double length = move_length(move);
        if (!is_cutting(move)) {
            s.rapid.add(move.from.x, move.from.y);
            s.rapid.add(move.to.x, move.to.y);
            s.rapid_length += length;
            s.minutes += length / rapid_rate;
            ++s.rapid_moves;
            continue;
        }
        if (is_arc(move)) {
            add_arc(s.cutting, move);
            ++(arc_radius(move) == 0 ? s.zero_radius_arcs : s.arc_moves);
        } else {
            s.cutting.add(move.from.x, move.from.y);
            s.cutting.add(move.to.x, move.to.y);
            ++s.feed_moves;
        }
        s.deepest_z = std::min({s.deepest_z, move.from.z, move.to.z});
        s.cutting_length += length;
        s.minutes += length / move.feed;
    }
    s.minutes += program.dwell_seconds / 60;
    return s;
}

std::string summary_text(const Summary& s) {
    // Extents and depths to a hundredth of a millimetre, lengths to a tenth.
    std::string text;
    if (s.cutting.empty) {
        text = "no cutting moves";
    } else {
        const Extents& cut = s.cutting;
        text = "X " + fixed_decimals_zero_unsigned(cut.min_x, 2) + ".." + fixed_decimals_zero_unsigned(cut.max_x, 2) +
               " Y " + fixed_decimals_zero_unsigned(cut.min_y, 2) + ".." + fixed_decimals_zero_unsigned(cut.max_y, 2) +
               " mm, deepest Z " + fixed_decimals_zero_unsigned(s.deepest_z, 2) + " mm";
    }
    text += ", cutting " + fixed_decimals_zero_unsigned(s.cutting_length, 1) + " mm, rapid " +
            fixed_decimals_zero_unsigned(s.rapid_length, 1) + " mm, time " + duration(s.minutes);
    return text;
}

std::string summary_tsv_header() {
    return "cut_x_min\tcut_x_max\tcut_y_min\tcut_y_max\trapid_x_min\trapid_x_max\trapid_y_min\t"
           "rapid_y_max\tdeepest_z\tcutting_length\trapid_length\tminutes\trapid_moves\tfeed_moves\t"
           "arc_moves\tzero_radius_arcs";
}

std::string summary_tsv(const Summary& s) {
    // Enough digits for comparisons to a thousandth of a millimetre.
    constexpr int kDecimals = 6;
    std::string text;
    for (const Extents* e : {&s.cutting, &s.rapid}) {
        for (double v : {e->min_x, e->max_x, e->min_y, e->max_y}) {
            text += (e->empty ? std::string("-") : fixed_decimals_zero_unsigned(v, kDecimals)) + "\t";
        }
    }
    for (double v : {s.deepest_z, s.cutting_length, s.rapid_length, s.minutes}) {
        text += fixed_decimals_zero_unsigned(v, kDecimals) + "\t";
    }
    text += std::to_string(s.rapid_moves) + "\t" + std::to_string(s.feed_moves) + "\t" +
            std::to_string(s.arc_moves) + "\t" + std::to_string(s.zero_radius_arcs);
    return text;
}

}  // namespace veskaro::preview
