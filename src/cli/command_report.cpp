// clivora-cli report JOB -o REPORT.pdf [--sections 10,11,...]: the printed report
// of a job as a vector PDF, without a printer or a display. The analyses the
// ticked sections need run as the printing tab runs them; the file is written
// whole or not at all.

#include "cli_io.h"
#include "commands.h"

#include "drawing/section_export.h"
#include "model/settings.h"
#include "report/report_pdf.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <optional>
#include <ostream>

namespace clv::cli {

namespace {

struct ReportOptions {
    std::string job;
    std::string output;
    std::optional<std::vector<int>> sections; // print option numbers; the job's own when absent
};

/** The print options a report can carry: the four groups and their sections. */
bool IsPrintSection(int n)
{
    return (n >= 10 && n <= 14) || (n >= 20 && n <= 25) || (n >= 30 && n <= 34) || (n >= 40 && n <= 44);
}

std::optional<std::vector<int>> ParseSections(const std::string& text, std::string& error)
{
    std::vector<int> sections;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        const std::string item = text.substr(start, comma - start);
        int n = 0;
        const auto [end, ec] = std::from_chars(item.data(), item.data() + item.size(), n);
        if (item.empty() || ec != std::errc() || end != item.data() + item.size() || !IsPrintSection(n)) {
            error = "--sections takes print option numbers 10-14, 20-25, 30-34, 40-44 separated by commas, not '"
                    + item + "'";
            return std::nullopt;
        }
        sections.push_back(n);
        start = comma + 1;
    }
    return sections;
}

std::optional<ReportOptions> ParseOptions(const Args& args, std::string& error)
{
    ReportOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "-o" || arg == "--output" || arg == "--sections") {
            if (i + 1 >= args.size()) {
                error = arg + (arg == "--sections" ? " needs print option numbers (10,11,...)" : " needs the PDF file to write");
                return std::nullopt;
            }
            const std::string& value = args[++i];
            if (arg == "--sections") {
                options.sections = ParseSections(value, error);
                if (!options.sections)
                    return std::nullopt;
            } else {
                options.output = value;
            }
        } else if (!TakeJobArgument(arg, options.job, error)) {
            return std::nullopt;
        }
    }
    if (!CheckJobAndOutput(options.job, options.output, "report", "-o REPORT.pdf", {".pdf"}, error))
        return std::nullopt;
    return options;
}

/**
 * The print options of --sections: exactly the sections named, each with its
 * group; a group named alone prints all its sections.
 */
void SelectPrintSections(PrintOptions& print, const std::vector<int>& sections)
{
    for (int n = 10; n <= 44; ++n)
        if (IsPrintSection(n))
            print[static_cast<std::size_t>(n)] = 0;
    for (int n : sections)
        print[static_cast<std::size_t>(n)] = 1;
    // A section needs its group; a group named alone prints all its sections.
    for (int group : {10, 20, 30, 40}) {
        const int last = group == 10 ? 14 : group + (group == 20 ? 5 : 4);
        bool anySection = false;
        for (int n = group + 1; n <= last; ++n)
            anySection = anySection || print[static_cast<std::size_t>(n)] != 0;
        if (anySection)
            print[static_cast<std::size_t>(group)] = 1;
        else if (print[static_cast<std::size_t>(group)] != 0)
            for (int n = group + 1; n <= last; ++n)
                print[static_cast<std::size_t>(n)] = 1;
    }
}

} // namespace

int RunReport(const Args& args, std::ostream& out, std::ostream& err)
{
    (void)out;
    std::string error;
    const std::optional<ReportOptions> options = ParseOptions(args, error);
    if (!options) {
        err << "clivora-cli report: " << error << "\n";
        return kExitError;
    }
    std::optional<Job> job = LoadJobForCli(options->job, error);
    if (!job) {
        err << "clivora-cli: " << error << "\n";
        return kExitError;
    }
    if (options->sections)
        SelectPrintSections(job->Print, *options->sections);

    drawing::EnsureGuiApplication();
    const report::AnalysedJob analysed = report::AnalyseForReport(std::move(*job));
    for (const std::string& notice : analysed.notices)
        err << "clivora-cli report: " << options->job << ": " << notice << "\n";

    // The user lines of the page header come from the desktop program's settings, as its printing tab
    // prints them; the settings file is only read here, never written.
    const Settings settings = ReadSettingsQuietly(StandardSettingsFolder());
    const std::string fileName = std::filesystem::path(options->job).filename().string();
    const report::PageHeaderInfo header = report::HeaderFor(analysed.job, settings, fileName, report::TodayText());
    const report::PdfReport pdf = report::RenderReportPdf(analysed.Source(), settings, header);
    if (pdf.Outcome.Message) {
        std::string message = *pdf.Outcome.Message;
        std::ranges::replace(message, '\n', ' ');
        err << "clivora-cli report: " << message << "\n";
        return kExitError;
    }
    if (pdf.Bytes.isEmpty()) {
        err << "clivora-cli report: nothing to print: no report section is selected\n";
        return kExitError;
    }
    if (!WriteFileReplacing(options->output, std::string_view(pdf.Bytes.constData(), static_cast<std::size_t>(pdf.Bytes.size())),
                            error)) {
        err << "clivora-cli: " << error << "\n";
        return kExitError;
    }
    return kExitOk;
}

} // namespace clv::cli
