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

class Monkey {
public:
    Monkey(PageHarness& h, quint32 seed) : h_(h), rng_(seed) {}

    void Step()
    {
        while (h_.interaction.answers.size() < 3) {
            const Interaction::Answer answers[] = {Interaction::Answer::Ok, Interaction::Answer::Cancel,
                                                   Interaction::Answer::Yes, Interaction::Answer::No};
            h_.interaction.answers.push_back(answers[rng_.bounded(4)]);
        }
        const int action = static_cast<int>(rng_.bounded(100));
        if (action < 6)
            h_.tabs->setCurrentIndex(static_cast<int>(rng_.bounded(4)));
        else if (action < 45)
            ClickSomething();
        else if (action < 75)
            PressKey();
        else if (action < 93)
            TypeText();
        else
            h_.Page(h_.tabs->currentIndex())->CommitPendingEdit();
        QApplication::processEvents();
    }

private:
    QWidget* Target()
    {
        QWidget* focus = QApplication::focusWidget();
        return focus ? focus : h_.Page(h_.tabs->currentIndex());
    }

    void ClickSomething()
    {
        QWidget* page = h_.Page(h_.tabs->currentIndex());
        QList<QWidget*> candidates;
        for (QWidget* w : page->findChildren<QWidget*>()) {
            if (!w->isVisible() || !w->isEnabled())
                continue;
            if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) || qobject_cast<QTableWidget*>(w))
                candidates.push_back(w);
        }
        if (candidates.isEmpty())
            return;
        QWidget* w = candidates[static_cast<int>(rng_.bounded(static_cast<quint32>(candidates.size())))];
        if (auto* table = qobject_cast<QTableWidget*>(w)) {
            if (table->rowCount() == 0 || table->columnCount() == 0)
                return;
            const int row = static_cast<int>(rng_.bounded(static_cast<quint32>(table->rowCount())));
            const int col = static_cast<int>(rng_.bounded(static_cast<quint32>(table->columnCount())));
            const QRect cell = table->visualRect(table->model()->index(row, col));
            if (!cell.isValid())
                return;
            if (rng_.bounded(5) == 0)
                QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell.center());
            else
                QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
            return;
        }
        QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
    }

    void PressKey()
    {
        const Qt::Key key = kKeys[rng_.bounded(static_cast<quint32>(std::size(kKeys)))];
        QTest::keyClick(Target(), key);
    }

    void TypeText()
    {
        const char* text = kTexts[rng_.bounded(static_cast<quint32>(std::size(kTexts)))];
        QTest::keyClicks(Target(), QString::fromUtf8(text));
    }

    PageHarness& h_;
    QRandomGenerator rng_;
};

void ExpectSoundJob(const JobSession& session, int step)
{
    const Job& job = session.job;
    const auto bytes = EncodeJobFile(job, ProgramVersion());
    ASSERT_TRUE(bytes.has_value()) << "step " << step;
    const auto decoded = DecodeJobFile(*bytes);
    ASSERT_TRUE(decoded.has_value()) << "step " << step;
    const auto again = EncodeJobFile(decoded->job, ProgramVersion());
    ASSERT_TRUE(again.has_value());
    EXPECT_EQ(*again, *bytes) << "step " << step;

    EXPECT_GE(session.CurrentSoil, 1) << "step " << step;
    EXPECT_LE(session.CurrentSoil, job.SoilCount() + 1) << "step " << step;
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
            EXPECT_LE(load.XMin, load.XMax) << "step " << step;
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
