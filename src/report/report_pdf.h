#pragma once

// The report as a vector PDF, away from any printer or screen: the same pages
// the printer and the previews get, through the same painting path.

#include "report/print_reports.h"

#include <QByteArray>
#include <QPageSize>

namespace clv::report {

struct PdfReport {
    QByteArray Bytes; // empty when nothing was printed
    PrintOutcome Outcome;
};

/**
 * The ticked reports of the source's job as a PDF on pages of `pageSize` (A4
 * portrait by default); with `onlyPage` (1-based) that page of the report alone.
 */
PdfReport RenderReportPdf(const ReportSource& src, const Settings& settings, const PageHeaderInfo& header,
                          const QPageSize& pageSize = QPageSize(QPageSize::A4), int onlyPage = 0);

} // namespace clv::report
