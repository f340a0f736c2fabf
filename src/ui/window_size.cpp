#include "ui/window_size.h"

#include <algorithm>
#include <cmath>

namespace clv::ui {

int TwipsToPixels(int twips, double logicalDpi)
{
    return static_cast<int>(std::lround(twips * logicalDpi / 1440.0));
}

QSize WindowSizeForScreen(QSize screen, double logicalDpi)
{
    const int margin = TwipsToPixels(kScreenMarginTwips, logicalDpi);
    return {std::max(screen.width() - margin, TwipsToPixels(kMinimumWidthTwips, logicalDpi)),
            std::max(screen.height() - margin, TwipsToPixels(kMinimumHeightTwips, logicalDpi))};
}

} // namespace clv::ui
