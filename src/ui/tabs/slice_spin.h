#pragma once

// SliceSpin: the up-down arrows beside "Minimum number of slices". The count
// itself is shown by the label beside it; the arrows only ask for a step.

#include <QWidget>

class QToolButton;

namespace clv::ui {

class SliceSpin : public QWidget {
    Q_OBJECT
public:
    explicit SliceSpin(QWidget* parent = nullptr);

    QToolButton* UpButton() const { return up_; }
    QToolButton* DownButton() const { return down_; }

signals:
    void stepped(int direction); // +1 up, -1 down

private:
    QToolButton* up_;
    QToolButton* down_;
};

} // namespace clv::ui
