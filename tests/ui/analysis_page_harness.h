#pragma once

// One analysis tab page on its own, with a job session and a central refresh
// that does what the window's does for the showing tab: stale flags, section
// table, reinforcement layers, the page's refresh with Refreshing set.

#include "scripted_interaction.h"
#include "support/test_paths.h"

#include "ui/main_context.h"
#include "ui/tab_page.h"

#include "analysis/reinforcement.h"
#include "ground/section_table.h"
#include "model/job_file.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace clv::test {

/** An example job as opening it would leave it. */
inline Job LoadExample(const std::string& name)
{
    const auto path = (ExamplesDir() / name).string();
    JobSession session;
    const auto error = OpenJob(session, path);
    EXPECT_FALSE(error.has_value()) << name;
    return session.job;
}

/** A slope 10 m high at 1:2 on a firm base: two soils, ground from (0, 0) to (20, 10). */
inline Job SimpleSlope()
{
    Job job = MakeDefaultJob();
    SoilRecord top;
    top.Description.Assign("Fill");
    top.Density = 19.0f;
    top.Phi = 28.0f;
    top.Cohesion = 5.0f;
    const float xs[] = {-20.0f, 0.0f, 20.0f, 40.0f};
    const float ys[] = {0.0f, 0.0f, 10.0f, 10.0f};
    top.PointCount = 4;
    for (int k = 1; k <= 4; ++k) {
        top.X[k] = xs[k - 1];
        top.Y[k] = ys[k - 1];
    }
    SoilRecord base = top;
    base.Description.Assign("Clay");
    base.Density = 20.0f;
    base.Phi = 24.0f;
    base.Cohesion = 12.0f;
    base.PointCount = 2;
    base.X[1] = -20.0f;
    base.Y[1] = -4.0f;
    base.X[2] = 40.0f;
    base.Y[2] = -4.0f;
    job.Soils = {top, base};
    return job;
}

template <typename Page> class AnalysisPageHarness {
public:
    JobSession session;
    Settings settings;
    ui::test::ScriptedInteraction interaction;
    ui::MainContext ctx;
    std::unique_ptr<Page> page;
    int refreshes = 0;
    int edits = 0;

    explicit AnalysisPageHarness(const Job& job)
    {
        session.job = job;
        ctx.session = &session;
        ctx.settings = &settings;
        ctx.interaction = &interaction;
        ctx.BeginEdit = [this] { ++edits; };
        ctx.EndEdit = [this] {
            session.JobModified = true;
            session.JobRefreshPending = true;
            Refresh();
        };
        ctx.RefreshAll = [this] { Refresh(); };
        page = std::make_unique<Page>(ctx);
        page->resize(1200, 700);
        Refresh();
    }

    void Refresh()
    {
        ++refreshes;
        ctx.Refreshing = true;
        if (session.JobRefreshPending) {
            session.SlipResultsStale = session.DefinedResultsStale = session.WedgeResultsStale = true;
            session.JobRefreshPending = false;
        }
        ctx.table = BuildSectionTable(session.job);
        ctx.layers = BuildReinforcementLayers(session.job, ctx.table);
        page->RefreshPage();
        ctx.Refreshing = false;
    }
};

} // namespace clv::test
