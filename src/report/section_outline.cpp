// The section under a report diagram. The section painter draws it; until the
// report is linked with it, the diagrams show their slips on the frame alone.

#include "report/painter_device.h"

namespace clv::report {

void PaintSectionOutline(QPainter& painter, double dotsPerMm, const DiagramFrame& frame, const ReportSource& section)
{
    (void)painter;
    (void)dotsPerMm;
    (void)frame;
    (void)section;
}

} // namespace clv::report
