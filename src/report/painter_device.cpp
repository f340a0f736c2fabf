#include "report/painter_device.h"

#include "report/diagrams.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPaintDevice>
#include <QPainterPath>
#include <QPen>

#include <cmath>

namespace clv::report {

namespace {

constexpr double kMmPerInch = 25.4;
constexpr double kLineWidthMm = 0.2;
constexpr double kRadiansToDegrees = 180.0 / 3.14159265358979323846;

QString ToQt(const std::string& text) { return QString::fromStdString(text); }

// Text is measured at one fine resolution whatever the device, so a page breaks
// its lines and rows alike on a coarse preview picture and on the printer.
constexpr double kReferenceDotsPerInch = 1200.0;
constexpr double kReferenceDotsPerMm = kReferenceDotsPerInch / kMmPerInch;

QFontMetricsF ReferenceMetrics(const QFont& font)
{
    static const QImage reference = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        const int dotsPerMetre = static_cast<int>(std::lround(kReferenceDotsPerMm * 1000.0));
        image.setDotsPerMeterX(dotsPerMetre);
        image.setDotsPerMeterY(dotsPerMetre);
        return image;
    }();
    return QFontMetricsF(font, &reference);
}

} // namespace

PainterDevice::PainterDevice(QPainter& painter, std::function<void()> nextSheet, const ReportSource* section)
    : painter_(painter), nextSheet_(std::move(nextSheet)), section_(section)
{
    const QPaintDevice* device = painter_.device();
    dotsPerMm_ = device != nullptr && device->logicalDpiX() > 0 ? device->logicalDpiX() / kMmPerInch : 1.0;
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    ApplyPen();
}

float PainterDevice::PageWidth() const
{
    const QPaintDevice* d = painter_.device();
    return d != nullptr ? static_cast<float>(d->width() / dotsPerMm_) : 0.0f;
}

float PainterDevice::PageHeight() const
{
    const QPaintDevice* d = painter_.device();
    return d != nullptr ? static_cast<float>(d->height() / dotsPerMm_) : 0.0f;
}

QFont PainterDevice::MakeFont(const std::string& family, float points, bool bold) const
{
    QFont font(ToQt(family));
    font.setPointSizeF(points > 0.0f ? points : 0.1);
    font.setBold(bold);
    // Metrics as laid out on the page, not snapped to screen pixels.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    return font;
}

void PainterDevice::SetFont(const std::string& family, float points, bool bold)
{
    painter_.setFont(MakeFont(family, points, bold));
}

FontMeasure PainterDevice::Measure(const std::string& family, float points)
{
    const QFontMetricsF metrics = ReferenceMetrics(MakeFont(family, points, false));
    FontMeasure m;
    m.ColumnWidth = static_cast<float>(metrics.horizontalAdvance(QString::fromLatin1(kColumnSample)) / 20.0
                                       / kReferenceDotsPerMm);
    m.RowHeight = static_cast<float>(metrics.height() / kReferenceDotsPerMm);
    return m;
}

float PainterDevice::TextWidth(const std::string& text)
{
    return static_cast<float>(ReferenceMetrics(painter_.font()).horizontalAdvance(ToQt(text)) / kReferenceDotsPerMm);
}

void PainterDevice::NextSheet()
{
    // A picture device begins its painter anew on a fresh picture, which resets
    // the painter; the report goes on in the font and pen it had.
    const QFont font = painter_.font();
    if (nextSheet_)
        nextSheet_();
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    painter_.setFont(font);
    ApplyPen();
}

void PainterDevice::Text(float x, float y, const std::string& text)
{
    if (text.empty())
        return;
    const QFontMetricsF metrics(painter_.font(), painter_.device());
    painter_.drawText(QPointF(x * dotsPerMm_, y * dotsPerMm_ + metrics.ascent()), ToQt(text));
}

void PainterDevice::Line(float x1, float y1, float x2, float y2)
{
    painter_.drawLine(QPointF(x1 * dotsPerMm_, y1 * dotsPerMm_), QPointF(x2 * dotsPerMm_, y2 * dotsPerMm_));
}

void PainterDevice::Arc(float cx, float cy, float radius, float start, float sweep)
{
    const double r = radius * dotsPerMm_;
    const QRectF box(cx * dotsPerMm_ - r, cy * dotsPerMm_ - r, 2.0 * r, 2.0 * r);
    QPainterPath path;
    path.arcMoveTo(box, start * kRadiansToDegrees);
    path.arcTo(box, start * kRadiansToDegrees, sweep * kRadiansToDegrees);
    painter_.save();
    painter_.setBrush(Qt::NoBrush);
    painter_.drawPath(path);
    painter_.restore();
}

void PainterDevice::ApplyPen()
{
    QPen pen(colour_, kLineWidthMm * dotsPerMm_, style_, Qt::FlatCap, Qt::RoundJoin);
    painter_.setPen(pen);
}

void PainterDevice::SetColour(Colour colour)
{
    colour_ = QColor(static_cast<int>((colour >> 16) & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                     static_cast<int>(colour & 0xFF));
    ApplyPen();
}

void PainterDevice::SetLineStyle(int style)
{
    static constexpr Qt::PenStyle kStyles[] = {Qt::SolidLine,   Qt::DashLine,       Qt::DotLine,
                                               Qt::DashDotLine, Qt::DashDotDotLine, Qt::NoPen};
    style_ = style >= 0 && style <= 5 ? kStyles[style] : Qt::SolidLine;
    ApplyPen();
}

void PainterDevice::SectionOutline(const DiagramFrame& frame)
{
    if (section_ == nullptr)
        return;
    painter_.save();
    PaintSectionOutline(painter_, dotsPerMm_, frame, *section_);
    painter_.restore();
    ApplyPen();
}

} // namespace clv::report
