#include "simulate/analysis.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "simulate/features.h"
#include "toolpath/extents.h"
#include "simulate/findings.h"
#include "simulate/part_shapes.h"
#include "simulate/parts.h"
#include "simulate/program_cuts.h"

namespace veskaro::simulate {

using toolpath::Extents;

namespace {

// The floors the sheet was cut to, to a tenth of a micrometre, the
// shallowest first.
std::vector<double> floors_of(const CutSheet& sheet) {
    std::set<long> keys;
    for (const DepthLine& row : sheet.rows) {
        for (const DepthSpan& span : row) keys.insert(std::lround(-static_cast<double>(span.z) * 1e4));
    }
    std::vector<double> depths;
    for (long key : keys) depths.push_back(static_cast<double>(key) / 1e4);
    return depths;
}

// A face program's widest cut is its outline, and the part lies just
// inside it.  Of the points a little inside the middle of each side of its
// path, and its centre, the one in the largest piece it separates, freed or
// held: an opening cut across the centre, or across the outline, leaves a
// slug there that comes free too, also where the panel itself is held by
// bridges.
SheetPoint part_point(const CutSheet& sheet, const SheetSplits& splits, const ProgramCut& widest,
                      const std::vector<double>& depths) {
    const SheetGrid& g = sheet.grid;
    const Extents& path = widest.path;
    const double in = sheet.settings.bit_diameter / 2 + 2 * g.cell;
    const double cx = (path.min_x + path.max_x) / 2, cy = (path.min_y + path.max_y) / 2;
    const std::vector<SheetPoint> candidates = {
        {cx, cy}, {path.min_x + in, cy}, {path.max_x - in, cy}, {cx, path.min_y + in}, {cx, path.max_y - in}};
    SheetPoint best = candidates.front();
    double largest = -1;
    const auto consider = [&](const FoundPart& part, SheetPoint at) {
        if (part.region < 0) return;
        const double area = area_within(*part.split, part.region);
        if (area > largest) largest = area, best = at;
    };
    for (const SheetPoint& at : candidates) {
        const FoundPart freed = find_parts(sheet, splits.left, {at}, {}).front();
        if (freed.hold == Hold::freed) {
            consider(freed, at);
        } else if (splits.left->region_at(g, at.x, at.y) == splits.left->rows[0].front().region) {
            // Still joined to the stock: the same search at the depth the
            // piece separates at.
            consider(find_parts(sheet, splits.left, {at}, depths).front(), at);
        }
    }
    return best;
}

}  // namespace

Analysis analyse(const CutSheet& sheet, const toolpath::Program& program, const AnalysisSettings& settings) {
    Analysis analysis;
    analysis.depths = floors_of(sheet);
    const std::vector<ProgramCut> cuts = program_cuts(program, sheet.settings.bit_diameter);
    find_rapids_in_material(program, analysis.findings);
    if (sheet.grid.rows == 0) {
        analysis.parts.emplace_back();
        return analysis;
    }

    std::vector<SheetPoint> points = settings.part_at;
    const ProgramCut* widest = &cuts.front();
    for (const ProgramCut& cut : cuts) {
        if (cut.path.width() * cut.path.height() > widest->path.width() * widest->path.height()) widest = &cut;
    }

    SheetSplits splits{std::make_shared<const Regions>(split_sheet(sheet, left_of_sheet(sheet.settings.thickness))),
                       split_sheet(sheet, cut_not_through(sheet.settings.thickness))};
    const SheetGrid& g = sheet.grid;
    if (points.empty()) points.push_back(part_point(sheet, splits, *widest, analysis.depths));
    std::vector<FoundPart> found = find_parts(sheet, splits.left, points, analysis.depths);
    // A cut that stops short of the bottom around an island of a recess
    // looks like one around a part: unless asked for, a held part is the one
    // the widest cut goes around, as large as that cut less the bit.
    if (settings.part_at.empty() && (found.front().hold == Hold::bridges || found.front().hold == Hold::skin)) {
        const Region& region = found.front().split->regions[found.front().region];
        const double bit = sheet.settings.bit_diameter;
        if (region.width() < widest->path.width() - bit - 0.1 || region.height() < widest->path.height() - bit - 0.1) {
            found.front() = FoundPart{};
            found.front().split = splits.left;
            found.front().body = splits.left->rows[0].front().region;
        }
    }
    std::vector<Part> parts(found.size());
    for (std::size_t n = 0; n < found.size(); ++n) {
        if (found[n].hold != Hold::none) parts[n] = measure_part(sheet, splits, found[n], cuts, {}, program);
    }
    // The cuts around parts with holes, and around and in held parts, are no
    // holes of the stock; those around pieces without holes may be (the
    // slugs of openings cut without an outline).
    std::vector<int> rings;
    for (std::size_t n = 0; n < found.size(); ++n) {
        const FoundPart& part = found[n];
        if (part.hold == Hold::freed && !parts[n].holes.empty()) rings.push_back(part.ring);
        if (part.hold != Hold::bridges && part.hold != Hold::skin) continue;
        for (std::size_t r = 0; r < splits.left->regions.size(); ++r) {
            const Region& region = splits.left->regions[r];
            if (region.inside || region.parent != part.body) continue;
            const SheetPoint at = point_of(g, region);
            const int there = part.split->region_at(g, at.x, at.y);
            if (there == part.ring || part.split->within(there, part.region)) rings.push_back(static_cast<int>(r));
        }
    }
    for (std::size_t n = 0; n < found.size(); ++n) {
        if (found[n].hold == Hold::none) parts[n] = measure_part(sheet, splits, found[n], cuts, rings, program);
    }

    // Unless asked for, the part is the piece the widest cut goes around,
    // when it has holes, or that cut is the last (an outline is cut last),
    // or the program's cuts mostly lie within it; otherwise the stock (a
    // program without an outline: its widest opening's slug comes free, but
    // the openings are cut in the sheet).
    if (settings.part_at.empty() && found.front().hold != Hold::none && parts.front().holes.empty() &&
        widest != &cuts.back()) {
        const auto inside = [&](const ProgramCut& cut) {
            const double x = (cut.path.min_x + cut.path.max_x) / 2, y = (cut.path.min_y + cut.path.max_y) / 2;
            return x >= widest->reach.min_x && x <= widest->reach.max_x && y >= widest->reach.min_y &&
                   y <= widest->reach.max_y;
        };
        const long within = std::count_if(cuts.begin(), cuts.end(), inside);
        if (2 * within <= static_cast<long>(cuts.size())) {
            FoundPart stock;
            stock.split = splits.left;
            stock.body = splits.left->rows[0].front().region;
            found.insert(found.begin(), stock);
            parts.insert(parts.begin(), measure_part(sheet, splits, stock, cuts, rings, program));
        }
    }
    for (std::size_t n = 0; n < found.size(); ++n) {
        if (settings.shapes) parts[n].shapes = part_shapes(sheet, splits, found[n], parts[n], analysis.depths);
    }
    analysis.parts = std::move(parts);

    std::vector<const Part*> asked;
    for (std::size_t n = 0; n < points.size(); ++n) asked.push_back(&analysis.parts[n]);
    std::vector<Finding> findings;
    for (std::size_t n = 0; n < found.size(); ++n) {
        // The parts asked for; not the slugs of openings cut off the part.
        if (n >= points.size()) break;
        const Part& part = analysis.parts[n];
        find_cuts_beyond(part, asked, cuts, findings);
        find_merged_holes(sheet, splits, part, cuts, findings);
        find_thin_walls(sheet, splits, found[n], part, settings.minimum_wall, findings);
        find_uncut_skin(sheet, part, findings);
        find_islands(sheet, splits, found[n], part, findings);
    }
    findings.insert(findings.end(), analysis.findings.begin(), analysis.findings.end());
    analysis.findings = std::move(findings);
    return analysis;
}

}  // namespace veskaro::simulate
