#include "preview/finished_view.h"

#include "simulate/analysis.h"
#include "simulate/cut_sheet.h"
#include "preview/finished_picture.h"
#include "preview/finished_text.h"

namespace veskaro::preview {

FinishedView finished_view(const std::string& name, const toolpath::Program& program, const Summary& summary,
                           const FinishedSettings& settings) {
    const simulate::CutSheet sheet = simulate::cut_sheet(program, settings.cut);
    simulate::AnalysisSettings analysis_settings;
    analysis_settings.minimum_wall = settings.minimum_wall;
    analysis_settings.shapes = true;
    // A sheet program marks each panel before its outline: every panel is a
    // part asked for, however it is held.
    for (const toolpath::PanelMark& panel : program.panels) {
        analysis_settings.part_at.push_back({panel.centre_x(), panel.centre_y()});
    }
    const simulate::Analysis analysis = simulate::analyse(sheet, program, analysis_settings);
    FinishedView view;
    view.text = finished_text(analysis, program.panels.size());
    view.svg = finished_picture(name, summary, sheet, analysis, view.text, program.panels);
    if (settings.measure) view.measures = measure_lines(analysis);
    return view;
}

}  // namespace veskaro::preview
