// Thousands of random clicks, keys and texts on the input pages, with message
// boxes answered at random. The pages must neither crash nor hang, and the job
// must stay one that saves and reads back unchanged, with its entries in range.

#include "page_harness.h"

#include "model/job_file.h"
#include "ui/tables/cell_editor.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QTableWidget>

#include <gtest/gtest.h>

namespace clv::ui::test {
namespace {

const char* const kTexts[] = {"12", "-3.5", "surface", "Surface", "", "1e5", "abc", "0.125", "99999",
                              "10.004", "0", "-90", "45", "100", "0.05", "2.5", "-10000", " 7 m"};
const Qt::Key kKeys[] = {Qt::Key_Return, Qt::Key_Escape, Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Up,
                         Qt::Key_Down, Qt::Key_Left, Qt::Key_Right, Qt::Key_Backspace, Qt::Key_Delete,
                         Qt::Key_Home, Qt::Key_End, Qt::Key_PageDown, Qt::Key_1, Qt::Key_Minus, Qt::Key_Period,
                         Qt::Key_S, Qt::Key_Space};
const Interaction::Answer kAnswers[] = {Interaction::Answer::Ok, Interaction::Answer::Cancel,
                                        Interaction::Answer::Yes, Interaction::Answer::No};

class Monkey {
public:
    Monkey(PageHarness& h, quint32 seed) : h_(h), rng_(seed) {}

    void Step()
    {
        while (h_.interaction.answers.size() < 3)
            h_.interaction.answers.push_back(kAnswers[Pick(4)]);
        QWidget* page = h_.Page(h_.tabs->currentIndex());
        QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : page;
        const int action = Pick(100);
        if (action < 6)
            h_.tabs->setCurrentIndex(Pick(4));
        else if (action < 45)
            ClickSomething(*page);
        else if (action < 75)
            QTest::keyClick(focus, kKeys[Pick(std::size(kKeys))]);
        else if (action < 93)
            QTest::keyClicks(focus, QString::fromUtf8(kTexts[Pick(std::size(kTexts))]));
        else
            h_.Page(h_.tabs->currentIndex())->CommitPendingEdit();
        QApplication::processEvents();
    }

private:
    int Pick(std::size_t n) { return static_cast<int>(rng_.bounded(static_cast<quint32>(n))); }

    /** A click on a button, a box or a table cell of the page; a fifth of the cell clicks are double. */
    void ClickSomething(QWidget& page)
    {
        QList<QWidget*> candidates;
        for (QWidget* w : page.findChildren<QWidget*>()) {
            if (w->isVisible() && w->isEnabled() &&
                (qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) || qobject_cast<QTableWidget*>(w)))
                candidates.push_back(w);
        }
        if (candidates.isEmpty())
            return;
        QWidget* w = candidates[Pick(static_cast<std::size_t>(candidates.size()))];
        auto* table = qobject_cast<QTableWidget*>(w);
        if (!table) {
            QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
            return;
        }
        if (table->rowCount() == 0 || table->columnCount() == 0)
            return;
        const QRect cell = table->visualRect(
            table->model()->index(Pick(static_cast<std::size_t>(table->rowCount())),
                                  Pick(static_cast<std::size_t>(table->columnCount()))));
        if (!cell.isValid())
            return;
        if (Pick(5) == 0)
            QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell.center());
        else
            QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    }

    PageHarness& h_;
    QRandomGenerator rng_;
};

void ExpectSoundJob(const JobSession& session, int step)
{
    SCOPED_TRACE(testing::Message() << "step " << step);
    const Job& job = session.job;
    const auto bytes = EncodeJobFile(job, ProgramVersion());
    ASSERT_TRUE(bytes.has_value());
    const auto decoded = DecodeJobFile(*bytes);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(EncodeJobFile(decoded->job, ProgramVersion()), bytes);

    EXPECT_GE(session.CurrentSoil, 1);
    EXPECT_LE(session.CurrentSoil, job.SoilCount() + 1);
    EXPECT_LE(job.Water.PointCount, WaterSurface::kMaxPoints);
    for (const SoilRecord& soil : job.Soils) {
        EXPECT_LE(soil.PointCount, SoilRecord::kMaxPoints);
        EXPECT_GE(soil.Density, 0.0f);
        EXPECT_LE(soil.Density, 25.0f);
        for (int j = 1; j < soil.PointCount; ++j)
            EXPECT_LE(soil.X[static_cast<std::size_t>(j)], soil.X[static_cast<std::size_t>(j + 1)]);
    }
    for (const LoadRecord& load : job.Loads) {
        if (load.LoadType == kSurcharge) {
            EXPECT_LE(load.XMin, load.XMax);
        }
        if (load.LoadType == kAnchor) {
            EXPECT_NE(load.Y, kNoLevel);
            EXPECT_GE(load.Angle, -90.0f);
            EXPECT_LE(load.Angle, 90.0f);
        }
    }
    for (const Single f : {job.Factors.RamificationsOfFailure, job.Factors.PullOut,
                           job.Header.VerticalAccelerationFactor, job.Header.LateralAccelerationFactor}) {
        EXPECT_GE(f, 0.0f);
        EXPECT_LE(f, 10.0f);
    }
}

TEST(RandomInput, ClicksKeysAndTextsLeaveASoundJob)
{
    PageHarness h;
    h.ShowActive();
    for (quint32 seed : {20261207u, 7u}) {
        Monkey monkey(h, seed);
        for (int step = 0; step < 1500; ++step) {
            monkey.Step();
            if (step % 250 == 0)
                ExpectSoundJob(h.session, step);
            if (HasFailure())
                return;
        }
        h.Refresh();
        ExpectSoundJob(h.session, -1);
    }
    // The run did reach the job: something was added and typed.
    EXPECT_GT(h.undo.size(), 100u);
}

} // namespace
} // namespace clv::ui::test
