#include "report/report_source.h"

#include "report/page_layout.h"

namespace clv::report {

ReportSource AnalysedJob::Source() const
{
    return ReportSource{job, table, layers, circles ? &*circles : nullptr, defined ? &*defined : nullptr,
                        wedges ? &*wedges : nullptr};
}

AnalysedJob AnalyseForReport(Job job)
{
    AnalysedJob a;
    a.job = std::move(job);
    const NoticeFn collect = [&a](const std::string& text) { a.notices.push_back(text); };
    a.table = BuildSectionTable(a.job);
    a.layers = BuildReinforcementLayers(a.job, a.table, collect);
    if (Ticked(a.job.Print, 20))
        a.circles = RunCircleSearch(a.job, a.table, a.layers, collect);
    if (Ticked(a.job.Print, 30))
        a.defined = AnalyseDefinedSurface(AnalysisInput{a.job, a.table, a.layers, collect});
    if (Ticked(a.job.Print, 40))
        a.wedges = AnalyseWedges(a.job, a.table, a.layers, collect);
    return a;
}

} // namespace clv::report
