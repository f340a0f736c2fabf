// The input pages inside the real window: a value still in a cell editor is
// committed before a file command, a tab change drops a refused one, and every
// stored entry can be undone. (That a refused value stops every file command is
// checked with probe pages in test_refresh_and_pages; that the loads page refuses
// it, in test_input_pages.)

#include "page_actions.h"
#include "window_fixture.h"

#include "ui/file_commands.h"
#include "ui/tables/loads_table.h"
#include "ui/tabs/loads_page.h"
#include "ui/tabs/tab_pages.h"

#include <QPushButton>

namespace clv::ui::test {
namespace {

namespace fs = std::filesystem;

using PagesInWindow = WindowTest;

TEST_F(PagesInWindow, SaveCommitsTheCellEditorATabChangeDropsARefusedValueAndUndoRestores)
{
    ClvMain& w = Start();
    w.SelectTab(kLoadsTab);
    auto* page = static_cast<LoadsPage*>(w.Page(kLoadsTab));
    page->LoadsBtn(kSurcharge)->click();
    LoadsTable* table = page->Table();
    TypeInCell(table, 0, 1, "12");
    ASSERT_TRUE(table->IsEditing());
    const fs::path path = dir / "Typed.clv";
    io.fileNames.push_back(Q(path));
    ASSERT_TRUE(w.Files().Save());
    const auto saved = DecodeJobFile(FileBytes(path));
    ASSERT_TRUE(saved.has_value());
    ASSERT_EQ(saved->job.LoadCount(), 1);
    EXPECT_FLOAT_EQ(saved->job.Loads[0].Value, 12.0f);
    EXPECT_FALSE(table->IsEditing());

    EnterCell(table, 0, 1, "25");
    ASSERT_FLOAT_EQ(Session().job.Loads[0].Value, 25.0f);
    TypeInCell(table, 0, 1, "99999");
    QTest::keyClick(table->Editor(), Qt::Key_Return);
    ASSERT_TRUE(table->IsEditing());
    w.SelectTab(kFactorsTab);
    EXPECT_FALSE(table->IsEditing());
    EXPECT_FLOAT_EQ(Session().job.Loads[0].Value, 25.0f);

    for (float value : {12.0f, 10.0f}) {
        w.Undo();
        ASSERT_EQ(Session().job.LoadCount(), 1);
        EXPECT_FLOAT_EQ(Session().job.Loads[0].Value, value);
    }
    w.Undo();
    EXPECT_EQ(Session().job.LoadCount(), 0);
}

} // namespace
} // namespace clv::ui::test
