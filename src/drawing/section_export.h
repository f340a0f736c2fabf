#pragma once

// The section drawn into a picture file's bytes, away from the screen: a PNG
// image or a one-page PDF whose page is the picture. Needs a QGuiApplication
// (text needs fonts); EnsureGuiApplication makes one on a display-less
// platform when the program has none.

#include "drawing/section_painter.h"

#include <QByteArray>
#include <QImage>

namespace clv::drawing {

/**
 * Makes sure a QGuiApplication exists. Without one it creates one for the rest
 * of the process, on the "offscreen" platform unless QT_QPA_PLATFORM names
 * another, so pictures can be drawn without a display.
 */
void EnsureGuiApplication();

/** The section on a white image of width x height pixels (one surface unit a pixel). `view` is fitted when unset. */
QImage RenderSectionImage(const SectionScene& scene, View& view, int width, int height);

/** The image as PNG bytes; empty on failure. */
QByteArray RenderSectionPng(const SectionScene& scene, View& view, int width, int height);

/**
 * A PDF of one page of width x height units at 96 to the inch, the drawing in
 * vectors; empty on failure.
 */
QByteArray RenderSectionPdf(const SectionScene& scene, View& view, int width, int height);

} // namespace clv::drawing
