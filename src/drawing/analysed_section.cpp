#include "drawing/analysed_section.h"

namespace clv::drawing {

SectionScene AnalysedSection::Scene(bool showFactors) const
{
    SectionScene scene;
    scene.job = &job;
    scene.table = &table;
    scene.layers = &layers;
    scene.tab = tab;
    scene.circles = circles ? &*circles : nullptr;
    scene.defined = defined ? &*defined : nullptr;
    scene.wedges = wedges ? &*wedges : nullptr;
    scene.showFactors = showFactors;
    return scene;
}

AnalysedSection AnalyseForTab(Job job, int tab)
{
    AnalysedSection s;
    s.job = std::move(job);
    s.tab = tab;
    const NoticeFn collect = [&s](const std::string& text) { s.notices.push_back(text); };
    s.table = BuildSectionTable(s.job);
    s.layers = BuildReinforcementLayers(s.job, s.table, collect);
    switch (tab) {
    case kTabSlipCircles:
        s.circles = RunCircleSearch(s.job, s.table, s.layers, collect);
        break;
    case kTabDefinedSurface:
        s.defined = AnalyseDefinedSurface(AnalysisInput{s.job, s.table, s.layers, collect});
        break;
    case kTabWedges:
        s.wedges = AnalyseWedges(s.job, s.table, s.layers, collect);
        break;
    default:
        break;
    }
    return s;
}

} // namespace clv::drawing
