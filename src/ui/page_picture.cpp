#include "ui/page_picture.h"

#include <QPainter>

namespace clv::ui {

PagePicture::PagePicture(QWidget* parent) : QWidget(parent)
{
    setObjectName("Preview");
    setAccessibleName("Page preview");
    setMinimumSize(120, 170);
}

void PagePicture::SetPage(const QImage& page)
{
    page_ = page;
    update();
}

void PagePicture::Clear()
{
    page_ = QImage();
    update();
}

QSize PagePicture::FittedSize(QSize page, QSize area)
{
    if (page.isEmpty() || area.isEmpty())
        return {};
    return page.scaled(area, Qt::KeepAspectRatio);
}

void PagePicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Mid));
    if (page_.isNull())
        return;
    const QSize size = FittedSize(page_.size(), rect().adjusted(6, 6, -6, -6).size());
    if (size.isEmpty())
        return;
    const QRect target(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(target, page_);
    painter.setPen(Qt::black);
    painter.drawRect(target.adjusted(0, 0, -1, -1));
}

} // namespace clv::ui
