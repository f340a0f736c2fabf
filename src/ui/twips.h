#pragma once

// Sizes given in twips, the unit the window's layout is described in: 1440 to the
// inch, so 15 to a pixel on a 96 dpi screen, scaled with the screen's logical dpi.

#include <QWidget>

namespace clv::ui {

inline int TwipsToPixels(int twips, const QWidget* widget)
{
    const double dpi = widget ? widget->logicalDpiX() : 96.0;
    return qRound(twips / 15.0 * dpi / 96.0);
}

} // namespace clv::ui
