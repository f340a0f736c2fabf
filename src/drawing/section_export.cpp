#include "drawing/section_export.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <cstdio>

namespace clv::drawing {

namespace {

QtMessageHandler previousHandler = nullptr;

/** Qt's notes about its environment (no runtime folder, ...) are no business of a picture's user. */
void QuietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type != QtCriticalMsg && type != QtFatalMsg)
        return;
    if (previousHandler != nullptr)
        previousHandler(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

} // namespace

void EnsureGuiApplication()
{
    if (QCoreApplication::instance() != nullptr)
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    previousHandler = qInstallMessageHandler(QuietMessages);
    // Lives until the process ends: Qt keeps pointers to argc and argv.
    static int argc = 1;
    static char name[] = "clivora";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;
}

namespace {

void Paint(QPainter& painter, const SectionScene& scene, View& view, const SurfaceSize& size)
{
    ViewHistory history; // a picture has no "Previous"
    if (scene.job != nullptr)
        PrepareViewForDrawing(view, history, size, *scene.job);
    DrawSection(painter, scene, view, size);
}

} // namespace

QImage RenderSectionImage(const SectionScene& scene, View& view, int width, int height)
{
    EnsureGuiApplication();
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    image.fill(Qt::white);
    QPainter painter(&image);
    Paint(painter, scene, view, SurfaceSize{static_cast<double>(width), static_cast<double>(height)});
    painter.end();
    return image;
}

QByteArray RenderSectionPng(const SectionScene& scene, View& view, int width, int height)
{
    const QImage image = RenderSectionImage(scene, view, width, height);
    QByteArray bytes;
    if (image.isNull())
        return bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        bytes.clear();
    return bytes;
}

QByteArray RenderSectionPdf(const SectionScene& scene, View& view, int width, int height)
{
    EnsureGuiApplication();
    constexpr int kUnitsPerInch = 96;
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setCreator("Clivora");
        writer.setResolution(kUnitsPerInch);
        const QSizeF inches(static_cast<double>(width) / kUnitsPerInch, static_cast<double>(height) / kUnitsPerInch);
        writer.setPageLayout(QPageLayout(QPageSize(inches, QPageSize::Inch, QString(), QPageSize::ExactMatch),
                                         QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        QPainter painter;
        if (!painter.begin(&writer))
            return QByteArray();
        Paint(painter, scene, view, SurfaceSize{static_cast<double>(writer.width()), static_cast<double>(writer.height())});
        painter.end();
    }
    return bytes;
}

} // namespace clv::drawing
