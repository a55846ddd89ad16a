#include "simulate/analysis.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "simulate/features.h"
#include "simulate/findings.h"
#include "simulate/part_shapes.h"
#include "simulate/parts.h"
#include "simulate/program_cuts.h"

namespace veskaro::simulate {

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
    double deepest_z = 0;
    if (points.empty()) {
        toolpath::Extents path;
        for (const ProgramCut& cut : cuts) path.add(cut.path);
        points.push_back({(path.min_x + path.max_x) / 2, (path.min_y + path.max_y) / 2});
    }
    for (const ProgramCut& cut : cuts) deepest_z = std::min(deepest_z, cut.deepest_z);

    SheetSplits splits{std::make_shared<const Regions>(split_sheet(sheet, left_of_sheet(sheet.settings.thickness))),
                       split_sheet(sheet, cut_not_through(sheet.settings.thickness))};
    const std::vector<FoundPart> found = find_parts(sheet, splits.left, points, analysis.depths);
    std::vector<int> rings;
    for (const FoundPart& part : found) {
        if (part.hold == Hold::freed) rings.push_back(part.ring);
    }
    for (const FoundPart& part : found) {
        analysis.parts.push_back(measure_part(sheet, splits, part, cuts, rings, program));
        if (settings.shapes) {
            analysis.parts.back().shapes = part_shapes(sheet, splits, part, analysis.parts.back(), analysis.depths);
        }
    }

    std::vector<const Part*> asked;
    for (std::size_t n = 0; n < points.size(); ++n) asked.push_back(&analysis.parts[n]);
    std::vector<Finding> findings;
    for (std::size_t n = 0; n < found.size(); ++n) {
        const Part& part = analysis.parts[n];
        if (n < points.size()) find_cuts_beyond(part, asked, cuts, findings);
        find_merged_holes(sheet, splits, part, cuts, findings);
        find_thin_walls(sheet, splits, found[n], part, settings.minimum_wall, findings);
        find_uncut_skin(sheet, part, deepest_z, cuts, findings);
        find_islands(sheet, splits, found[n], findings);
    }
    findings.insert(findings.end(), analysis.findings.begin(), analysis.findings.end());
    analysis.findings = std::move(findings);
    return analysis;
}

}  // namespace veskaro::simulate
