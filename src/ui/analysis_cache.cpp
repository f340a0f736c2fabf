#include "ui/analysis_cache.h"

#include "model/job_file.h"

namespace clv::ui {

Bytes AnalysisFingerprint(const Job& job, AnalysisKind kind)
{
    // The view (zoom, grid, what is shown) and the print selection change often
    // and no analysis reads them: leaving them out keeps a zoom from re-running a search.
    Job keyed = job;
    keyed.View = ViewSettings{};
    keyed.Print = PrintOptions{};
    // Nor do the page headings.
    keyed.Header.MainTitle = keyed.Header.SubTitle = FixedText<50>();
    keyed.Header.Project = keyed.Header.Analysis = keyed.Header.Engineer = FixedText<15>();
    keyed.Header.FirstPageNumber = 1;
    // Generated geometry and default wedge ranges are written by the analyses
    // before they are read, so the values stored in the job are not inputs; left
    // in, one tab's write-back would make the others' results look out of date.
    if (IsSet(keyed.Slip.AutoGenerate)) {
        SlipSettings& s = keyed.Slip;
        s.GridXMin = s.GridXMax = s.GridXInc = 0.0f;
        s.GridYMin = s.GridYMax = s.GridYInc = 0.0f;
        s.CommonXMin = s.CommonXMax = s.CommonXInc = s.CommonY = 0.0f;
        s.AutoExtendGrid = kFalse;
    }
    if (IsSet(keyed.Wedge.UseDefaults)) {
        WedgeSettings& w = keyed.Wedge;
        w.BaseWidthMin = w.BaseWidthMax = w.BaseWidthInc = 0.0f;
        w.BaseAngleMin = w.BaseAngleMax = w.RearAngleMin = w.RearAngleMax = w.AngleInc = 0.0f;
    }
    const std::optional<Bytes> encoded = EncodeJobFile(keyed, ProgramVersion());
    if (!encoded)
        return {};
    Bytes key;
    key.reserve(encoded->size() + 1);
    key.push_back(static_cast<std::uint8_t>(kind));
    key.insert(key.end(), encoded->begin(), encoded->end());
    return key;
}

namespace {

bool Matches(const std::optional<Bytes>& key, const Bytes& now)
{
    return key && !now.empty() && *key == now;
}

void Remember(std::optional<Bytes>& key, Bytes now)
{
    if (now.empty())
        key.reset();
    else
        key = std::move(now);
}

} // namespace

const CircleSearchResult& AnalysisCache::Circles(Job& job, const SectionTable& table, const LayerList& layers,
                                                 const NoticeFn& notice)
{
    auto& key = keys_[static_cast<int>(AnalysisKind::Circles)];
    Bytes now = AnalysisFingerprint(job, AnalysisKind::Circles);
    if (Matches(key, now)) {
        // A fresh search would write its generated geometry into the job again
        // (the key leaves it out, so it may differ, after an undo for example).
        if (IsSet(job.Slip.AutoGenerate))
            job.Slip = slipAfter_;
        return results_.circles;
    }
    ++runs_[static_cast<int>(AnalysisKind::Circles)];
    results_.circles = RunCircleSearch(job, table, layers, notice);
    results_.circlesValid = true;
    slipAfter_ = job.Slip;
    Remember(key, std::move(now));
    return results_.circles;
}

const DefinedSurfaceResult& AnalysisCache::Defined(const Job& job, const SectionTable& table,
                                                   const LayerList& layers, const NoticeFn& notice)
{
    auto& key = keys_[static_cast<int>(AnalysisKind::Defined)];
    Bytes now = AnalysisFingerprint(job, AnalysisKind::Defined);
    if (Matches(key, now))
        return results_.defined;
    ++runs_[static_cast<int>(AnalysisKind::Defined)];
    const AnalysisInput in{job, table, layers, notice};
    results_.defined = AnalyseDefinedSurface(in);
    results_.definedValid = true;
    Remember(key, std::move(now));
    return results_.defined;
}

const WedgeSearchResult& AnalysisCache::Wedges(Job& job, const SectionTable& table, const LayerList& layers,
                                               const NoticeFn& notice)
{
    auto& key = keys_[static_cast<int>(AnalysisKind::Wedges)];
    Bytes now = AnalysisFingerprint(job, AnalysisKind::Wedges);
    if (Matches(key, now)) {
        if (IsSet(job.Wedge.UseDefaults))
            job.Wedge = wedgeAfter_;
        return results_.wedges;
    }
    ++runs_[static_cast<int>(AnalysisKind::Wedges)];
    results_.wedges = AnalyseWedges(job, table, layers, notice);
    results_.wedgesValid = true;
    wedgeAfter_ = job.Wedge;
    Remember(key, std::move(now));
    return results_.wedges;
}

void AnalysisCache::Clear()
{
    for (auto& key : keys_)
        key.reset();
    results_ = AnalysisResults{};
}

} // namespace clv::ui
