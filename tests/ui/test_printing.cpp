// The printing tab and the large preview driven as the user drives them: the
// report saved through the "PDF file" entry, the preview after every section is
// cleared, paging within the latest run, and the page pictures of this program
// alone removed at exit.

#include "window_fixture.h"

#include "page_actions.h"
#include "ui/tabs/page_heading_boxes.h"

#include "report_pdf/pdf_text.h"
#include "ui/dialogs/page_frm.h"
#include "ui/page_picture.h"
#include "ui/report_printing.h"
#include "ui/tabs/printing_page.h"
#include "ui/tabs/tab_pages.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace clv::ui::test {
namespace {

namespace fs = std::filesystem;
using report::test::CountOf;
using report::test::PdfPages;

class PrintingTest : public WindowTest {
protected:
    PrintingPage& OpenPrinting(const char* example = "cutting.clv")
    {
        Start(Q(CopyExample(example, folders.DocumentsFolder / example)));
        window->SelectTab(kPrintingTab);
        auto* page = dynamic_cast<PrintingPage*>(window->Page(kPrintingTab));
        EXPECT_NE(page, nullptr);
        // The PDF file entry, the last of the list, whatever printers the machine has.
        page->PrintersList()->setCurrentRow(page->PrintersList()->count() - 1);
        EXPECT_EQ(page->Printing().Printer(), kPdfFileEntry);
        return *page;
    }

    /** The folders of page pictures under the settings folder. */
    std::vector<fs::path> PageFolders() const
    {
        std::vector<fs::path> found;
        for (const auto& entry : fs::directory_iterator(folders.SettingsFolder))
            if (entry.is_directory() && entry.path().filename().string().starts_with("pages-"))
                found.push_back(entry.path());
        return found;
    }

    /** Presses "Next page" while it is enabled, up to `presses` times. */
    static void PressNext(PrintingPage& page, int presses)
    {
        for (int i = 0; i < presses && page.NextBtn()->isEnabled(); ++i)
            page.NextBtn()->click();
    }

    /** The small preview's page, its caption and which paging buttons are enabled. */
    static void ExpectPaging(PrintingPage& page, int shown, int pages, bool previous, bool next)
    {
        EXPECT_EQ(page.PreviewPage(), shown);
        EXPECT_EQ(page.PageLable()->text(), QString("Page %1 of %2").arg(pages == 0 ? 0 : shown).arg(pages));
        EXPECT_EQ(page.PreviousBtn()->isEnabled(), previous) << shown;
        EXPECT_EQ(page.NextBtn()->isEnabled(), next) << shown;
    }
};

TEST_F(PrintingTest, PrintToThePdfFileEntryWritesTheReportThePreviewShows)
{
    PrintingPage& page = OpenPrinting();
    EXPECT_EQ(page.PrintersList()->item(page.PrintersList()->count() - 1)->text(), "PDF file");
    ASSERT_GT(page.PageCount(), 1);

    const fs::path pdf = dir / "out" / "cutting report";
    fs::create_directories(pdf.parent_path());
    io.fileNames.push_back(Q(pdf));
    Session().JobModified = false;
    page.PrintBtn()->click();

    ASSERT_EQ(io.dialogCaptions.size(), 1u);
    EXPECT_TRUE(io.dialogStartPaths[0].endsWith("cutting.pdf")) << io.dialogStartPaths[0].toStdString();
    const fs::path written = dir / "out" / "cutting report.pdf"; // the extension is added
    ASSERT_TRUE(fs::exists(written));
    EXPECT_EQ(report::test::PdfPageCount(written), page.PageCount());
    const std::string text = report::test::PdfText(written);
    EXPECT_EQ(CountOf(text, "Soils input data"), 1);
    EXPECT_EQ(CountOf(text, "Critical circle (minimum stability factor) details"), 1);
    EXPECT_EQ(CountOf(text, "File Name cutting.clv"), page.PageCount());
    EXPECT_TRUE(io.messages.empty());
    EXPECT_TRUE(Session().JobModified);

    // A file that cannot be written is reported, not taken for printed.
    io.fileNames.push_back(Q(dir / "no such folder" / "r.pdf"));
    page.PrintBtn()->click();
    ASSERT_EQ(io.messages.size(), 1u);
    EXPECT_TRUE(io.messages[0].text.startsWith("The report could not be written to")) << io.messages[0].text.toStdString();

    // A cancelled file dialog writes nothing.
    fs::remove(written);
    page.PrintBtn()->click();
    EXPECT_EQ(io.dialogCaptions.size(), 3u);
    EXPECT_FALSE(fs::exists(written));
}

TEST_F(PrintingTest, PagingStaysWithinTheLatestRunAndEverySectionClearedEmptiesThePreview)
{
    PrintingPage& page = OpenPrinting();
    const int pages = page.PageCount();
    ASSERT_GT(pages, 2);
    ExpectPaging(page, 1, pages, false, true);
    PressNext(page, pages + 3);
    ExpectPaging(page, pages, pages, true, false);

    // A shorter report (the circles alone): its last page ends the paging.
    page.PrintOptCheck(10)->click();
    const int shorter = page.PageCount();
    ASSERT_GE(shorter, 2);
    ASSERT_LT(shorter, pages);
    PressNext(page, pages);
    ExpectPaging(page, shorter, shorter, true, false);
    page.PreviousBtn()->click();
    EXPECT_EQ(page.PreviewPage(), shorter - 1);

    page.PrintOptCheck(20)->click(); // every section cleared
    EXPECT_EQ(page.PageCount(), 0);
    EXPECT_FALSE(page.Preview()->HasPage());
    ExpectPaging(page, 1, 0, false, false);
    EXPECT_FALSE(page.PrintOptCheck(11)->isEnabled());

    page.PrintOptCheck(20)->click(); // ticked again: the pages are back from the first
    EXPECT_EQ(page.PageCount(), shorter);
    EXPECT_TRUE(page.Preview()->HasPage());
    ExpectPaging(page, 1, shorter, false, true);
    EXPECT_TRUE(io.messages.empty());
}

TEST_F(PrintingTest, LargePreviewPagesAndPrintsTheShownPageAloneAndEveryButtonReturnsWithNobodyToAnswer)
{
    PrintingPage& page = OpenPrinting();
    const fs::path pdf = dir / "page2.pdf";
    io.fileNames.push_back(Q(pdf));
    io.modalScripts.push_back([&](QDialog& dialog) {
        auto* frm = dynamic_cast<PageFrm*>(&dialog);
        ASSERT_NE(frm, nullptr);
        EXPECT_EQ(page.LargePreview(), frm);
        EXPECT_EQ(frm->PageCount(), page.PageCount());
        EXPECT_EQ(frm->NPageLable()->text(), QString::number(page.PageCount()));
        EXPECT_FALSE(frm->Paging(0)->isEnabled());
        frm->Paging(1)->click();
        EXPECT_EQ(frm->VPageLable()->text(), "2");
        frm->PrintPageBtn()->click();
        frm->CloseBtn()->click();
    });
    page.NextBtn()->click();
    page.LargePreviewBtn()->click();
    ASSERT_EQ(io.modalDialogs, std::vector<QString>{"PageFrm"});
    EXPECT_EQ(page.LargePreview(), nullptr);
    EXPECT_EQ(page.PreviewPage(), 1); // the window's refresh ran the small preview again

    const std::vector<std::string> printed = PdfPages(pdf);
    ASSERT_EQ(printed.size(), 1u);
    EXPECT_EQ(CountOf(printed[0], "Page No 2"), 1);
    EXPECT_EQ(CountOf(printed[0], "Page No 1"), 0);

    // No file name and no script for the large preview: each click must come back without waiting on a user.
    io.modalDialogs.clear(), io.dialogCaptions.clear();
    for (int round = 0; round < 2; ++round)
        for (QAbstractButton* button : page.findChildren<QAbstractButton*>())
            if (button->isVisibleTo(&page) && button->isEnabled())
                button->click();
    EXPECT_FALSE(io.modalDialogs.empty());
    EXPECT_FALSE(io.dialogCaptions.empty());
    EXPECT_EQ(page.LargePreview(), nullptr);
    EXPECT_LE(page.PreviewPage(), std::max(page.PageCount(), 1));
}

TEST_F(PrintingTest, EachProgramKeepsItsPagePicturesInItsOwnFolderRemovedAtExit)
{
    OpenPrinting();
    std::vector<fs::path> ours = PageFolders();
    ASSERT_EQ(ours.size(), 1u);
    EXPECT_TRUE(fs::exists(ours[0] / "image01.bmp"));
    EXPECT_TRUE(fs::exists(ours[0] / "image02.bmp"));

    // A second program on the same settings folder writes its own pages.
    ClvMainOptions options;
    options.folders = folders, options.interaction = &io;
    auto other = std::make_unique<ClvMain>(options);
    other->Session().job = Session().job;
    other->SelectTab(kPrintingTab);
    ASSERT_EQ(PageFolders().size(), 2u);

    ASSERT_TRUE(window->close());
    const std::vector<fs::path> left = PageFolders();
    ASSERT_EQ(left.size(), 1u);
    EXPECT_NE(left[0], ours[0]);
    EXPECT_TRUE(fs::exists(left[0] / "image01.bmp"));
    ASSERT_TRUE(other->close());
    EXPECT_TRUE(PageFolders().empty());
}

TEST_F(PrintingTest, PageHeadingBoxesStoreTitlesPageNumberAndUserLines)
{
    PrintingPage& page = OpenPrinting();
    PageHeadingBoxes& boxes = *page.Headings();
    auto enter = [&](int box, const QString& text) {
        TypeInBox(boxes.TxtBox(box), text);
        ASSERT_TRUE(boxes.TxtBox(box)->CommitIfEdited());
    };

    Session().JobModified = false;
    enter(5, "150"); // out of range: the pages start at 1
    EXPECT_EQ(Session().job.Header.FirstPageNumber, 1);
    EXPECT_EQ(io.beeps, 1);
    EXPECT_FALSE(Session().JobModified); // 1 was already stored: nothing changed
    enter(5, "3.4");
    EXPECT_EQ(Session().job.Header.FirstPageNumber, 3);
    EXPECT_TRUE(Session().JobModified); // saved with the job, so never lost without a question
    window->Undo();
    EXPECT_EQ(Session().job.Header.FirstPageNumber, 1);
    Session().JobModified = false;

    enter(2, "A14/2350-REV-B-LONG"); // cut to the field's 15 characters
    EXPECT_EQ(Session().job.Header.Project.Trimmed(), "A14/2350-REV-B-");
    EXPECT_TRUE(Session().JobModified);

    enter(7, "Leeds office");
    EXPECT_EQ(window->AppSettings().UserNameLine2, "Leeds office");
    EXPECT_EQ(ReadSettings(folders).settings.UserNameLine2, "Leeds office"); // written at once
    EXPECT_EQ(io.beeps, 1);
}

} // namespace
} // namespace clv::ui::test
