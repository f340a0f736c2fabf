#include "report/print_reports.h"

#include "report/reports.h"

#include <chrono>
#include <ctime>
#include <exception>

namespace clv::report {

const char* const kPrintErrorMessage = "Error during printing\nAborting task!";

PageLayout PageSetUp(PageDevice& device, const Settings& settings)
{
    const Margins margins{settings.LeftMargin, settings.TopMargin, settings.RightMargin, settings.BottomMargin};
    const std::string font = settings.PrinterFont;
    return ComputePageLayout(device.PageWidth(), device.PageHeight(), margins,
                             [&device, &font](float points) { return device.Measure(font, points); });
}

PageHeaderInfo HeaderFor(const Job& job, const Settings& settings, const std::string& fileName, const std::string& date)
{
    PageHeaderInfo h;
    h.UserLine1 = settings.UserNameLine1;
    h.UserLine2 = settings.UserNameLine2;
    h.ProgramVersion = job.Header.FileVersion;
    h.MainTitle = job.Header.MainTitle.Trimmed();
    h.SubTitle = job.Header.SubTitle.Trimmed();
    h.Analysis = job.Header.Analysis.Trimmed();
    h.Project = job.Header.Project.Trimmed();
    h.Engineer = job.Header.Engineer.Trimmed();
    h.FileName = fileName;
    h.Date = date;
    h.FirstPageNumber = job.Header.FirstPageNumber;
    return h;
}

std::string TodayText()
{
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%d/%m/%Y", &local);
    return text;
}

PrintOutcome PrintReports(PageDevice& device, const ReportSource& src, const Settings& settings,
                          const PageHeaderInfo& header)
{
    PrintOutcome outcome;
    const PrintOptions& p = src.job.Print;
    const int centres = src.circles != nullptr ? src.circles->CentreCount : 0;
    const int wedges = src.wedges != nullptr ? static_cast<int>(src.wedges->Wedges.size()) : 0;
    outcome.PageCount = EstimatePages(p, centres, wedges);
    if (outcome.PageCount == 0) {
        outcome.PrintCancelled = true;
        return outcome;
    }
    outcome.Layout = PageSetUp(device, settings);
    if (auto refusal = RefusePageLayout(outcome.Layout)) {
        outcome.PrintCancelled = true;
        outcome.Message = *refusal;
        return outcome;
    }
    PageWriter w(device, outcome.Layout, header, settings.PrinterFont, settings.LabelBoldFlag);
    try {
        if (Ticked(p, 10))
            InputDataReport(w, src);
        if (Ticked(p, 20))
            SlipCircleReport(w, src);
        if (Ticked(p, 30))
            DefinedSurfaceReport(w, src);
        if (Ticked(p, 40))
            WedgeReport(w, src);
    } catch (const std::exception&) {
        outcome.PrintCancelled = true;
        outcome.Message = kPrintErrorMessage;
    }
    outcome.Pages = w.PageNumber();
    return outcome;
}

} // namespace clv::report
