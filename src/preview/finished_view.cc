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
    const simulate::Analysis analysis = simulate::analyse(sheet, program, analysis_settings);
    FinishedView view;
    view.svg = finished_picture(name, summary, sheet, analysis);
    view.text = finished_text(analysis);
    if (settings.measure) view.measures = measure_lines(analysis);
    return view;
}

}  // namespace veskaro::preview
