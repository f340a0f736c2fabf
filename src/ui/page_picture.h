#pragma once

// A report page on the screen: the page picture scaled to fit the widget with
// its proportions kept, on a grey ground; nothing but the ground when there is
// no page to show.

#include <QImage>
#include <QSizeF>
#include <QWidget>

namespace clv::ui {

class PagePicture : public QWidget {
    Q_OBJECT
public:
    explicit PagePicture(QWidget* parent = nullptr);

    void SetPage(const QImage& page);
    void Clear();
    const QImage& Page() const { return page_; }
    bool HasPage() const { return !page_.isNull(); }

    /** The size of the page drawn in a widget of `area`, keeping the page's proportions. */
    static QSize FittedSize(QSize page, QSize area);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage page_;
};

} // namespace clv::ui
