#pragma once

// Window sizes in twips, the screen measure the layout was drawn in: a twip is
// 1/1440 inch, so 1/15 of a pixel on a 96 dpi screen and proportionally more
// pixels on a screen with a larger logical dpi.

#include <QSize>

namespace clv::ui {

constexpr int kMinimumWidthTwips = 12000;
constexpr int kMinimumHeightTwips = 10000;
constexpr int kScreenMarginTwips = 2500; // the window is this much narrower and lower than the screen

int TwipsToPixels(int twips, double logicalDpi);

/** The start-up size: the screen less 2500 twips each way, never below the minimum size. */
QSize WindowSizeForScreen(QSize screen, double logicalDpi);

} // namespace clv::ui
