#pragma once

// The input pages in a tab strip with a small stand-in for the window's central
// refresh and edit bracket, so the pages can be driven as the user drives them:
// an edit snapshots the job, writes it, marks it modified and refreshes.

#include "scripted_interaction.h"

#include "analysis/reinforcement.h"
#include "ground/section_table.h"
#include "ui/main_context.h"
#include "ui/tab_page.h"
#include "ui/tabs/factors_page.h"
#include "ui/tabs/loads_page.h"
#include "ui/tabs/reinforcement_page.h"
#include "ui/tabs/soils_page.h"

#include <QApplication>
#include <QTabWidget>
#include <QTest>

#include <memory>
#include <vector>

namespace clv::ui::test {

/**
 * The window's edit bracket and central refresh in small: an edit marks the job
 * modified and refreshes; the refresh marks the results stale after an edit,
 * rebuilds the section table and reinforcement layers, and refreshes one page
 * with Refreshing set. BeginEdit and RefreshAll are the owner's.
 */
struct RefreshStandIn {
    JobSession session;
    Settings settings;
    ScriptedInteraction interaction;
    MainContext ctx;
    int refreshes = 0;

    RefreshStandIn()
    {
        ctx.session = &session, ctx.settings = &settings, ctx.interaction = &interaction;
        ctx.EndEdit = [this] {
            session.JobModified = true;
            session.JobRefreshPending = true;
            ctx.RefreshAll();
        };
    }
    RefreshStandIn(const RefreshStandIn&) = delete;

    void RefreshPage(TabPage& page)
    {
        ++refreshes;
        ctx.Refreshing = true;
        if (session.JobRefreshPending) {
            session.SlipResultsStale = session.DefinedResultsStale = session.WedgeResultsStale = true;
            session.JobRefreshPending = false;
        }
        ctx.table = BuildSectionTable(session.job);
        ctx.layers = BuildReinforcementLayers(session.job, ctx.table);
        page.RefreshPage();
        ctx.Refreshing = false;
    }
};

/** The four input pages in a tab strip; an edit snapshots the job for undo first. */
struct PageHarness : RefreshStandIn {
    std::vector<Job> undo;
    std::unique_ptr<QTabWidget> tabs;
    SoilsPage* soils = nullptr;
    LoadsPage* loads = nullptr;
    ReinforcementPage* reinforcement = nullptr;
    FactorsPage* factors = nullptr;
    int shownTab = 0;

    PageHarness()
    {
        ctx.BeginEdit = [this] { undo.push_back(session.job); };
        ctx.RefreshAll = [this] { Refresh(); };

        tabs = std::make_unique<QTabWidget>();
        tabs->resize(1200, 500);
        tabs->addTab(soils = new SoilsPage(ctx), "Geometry, soils and water");
        tabs->addTab(loads = new LoadsPage(ctx), "Loads and anchors");
        tabs->addTab(reinforcement = new ReinforcementPage(ctx), "Reinforcement");
        tabs->addTab(factors = new FactorsPage(ctx), "Partial factors");
        QObject::connect(tabs.get(), &QTabWidget::currentChanged, [this](int index) {
            if (ctx.Refreshing)
                return;
            Page(shownTab)->LeavingPage();
            shownTab = index;
            ctx.RefreshAll();
        });
        Refresh();
    }

    ~PageHarness() { tabs.reset(); }

    TabPage* Page(int index) const { return static_cast<TabPage*>(tabs->widget(index)); }

    void Refresh() { RefreshPage(*Page(tabs->currentIndex())); }

    /** Shows the window and waits until it has the keyboard, so focus moves as for a user. */
    void ShowActive()
    {
        tabs->show();
        tabs->activateWindow();
        QApplication::setActiveWindow(tabs.get());
        (void)QTest::qWaitForWindowActive(tabs.get());
    }

    void ShowTab(int index)
    {
        tabs->setCurrentIndex(index);
        QApplication::processEvents();
    }
};

} // namespace clv::ui::test
