#include "ui/view_controls.h"

#include "ui/interaction.h"
#include "ui/spic_widget.h"

#include "model/format.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

#include <cmath>

namespace clv::ui {

namespace {

const char* const kButtonCaptions[6] = {"Limits", "Window", "Previous", "Pan", "In", "Out"};
const char* const kCheckCaptions[9] = {"Show grid", "Snap to grid", "Points", "Soils", "Soil fill",
                                       "Water", "Piezo", "Loads", "Reinforce"};

/** The flag of the job that ViewCheck `index` shows. */
Integer& ViewFlag(ViewSettings& v, int index)
{
    switch (index) {
    case 0: return v.ShowGrid;
    case 1: return v.SnapToGrid;
    case 2: return v.ShowPoints;
    case 3: return v.ShowSoils;
    case 4: return v.ShowSoilFill;
    case 5: return v.ShowWater;
    case 6: return v.ShowPiezo;
    case 7: return v.ShowLoads;
    default: return v.ShowReinforcement;
    }
}

/** The leading number of a text, 0 when it has none. */
double LeadingNumber(const QString& text)
{
    static const QRegularExpression number(R"(^\s*[-+]?(\d+\.?\d*|\.\d+)([eE][-+]?\d+)?)");
    const QRegularExpressionMatch m = number.match(text);
    return m.hasMatch() ? m.captured(0).trimmed().toDouble() : 0.0;
}

} // namespace

ViewControls::ViewControls(MainContext& ctx, SpicWidget& spic, QWidget* parent)
    : QWidget(parent), ctx_(ctx), spic_(spic)
{
    auto* zoom = new QGroupBox("Zoom commands", this);
    auto* zoomLayout = new QGridLayout(zoom);
    for (int i = 0; i < 6; ++i) {
        auto* button = new QPushButton(kButtonCaptions[i], zoom);
        button->setObjectName(QString("ViewBtn%1").arg(i));
        button->setFocusPolicy(Qt::TabFocus);
        buttons_[static_cast<std::size_t>(i)] = button;
        zoomLayout->addWidget(button, i / 2, i % 2);
    }
    connect(buttons_[0], &QPushButton::clicked, &spic_, &SpicWidget::ZoomLimits);
    connect(buttons_[1], &QPushButton::clicked, &spic_, &SpicWidget::StartZoomWindow);
    connect(buttons_[2], &QPushButton::clicked, &spic_, &SpicWidget::ZoomPrevious);
    connect(buttons_[3], &QPushButton::clicked, &spic_, &SpicWidget::StartPan);
    connect(buttons_[4], &QPushButton::clicked, &spic_, &SpicWidget::ZoomIn);
    connect(buttons_[5], &QPushButton::clicked, &spic_, &SpicWidget::ZoomOut);
    connect(&spic_, &SpicWidget::ViewStateChanged, this, &ViewControls::RefreshButtons);

    auto* grid = new QGroupBox("Grid", this);
    auto* gridLayout = new QGridLayout(grid);
    auto* show = new QGroupBox("Show", this);
    auto* showLayout = new QGridLayout(show);
    for (int i = 0; i < 9; ++i) {
        auto* check = new QCheckBox(kCheckCaptions[i], i < 2 ? grid : show);
        check->setObjectName(QString("ViewCheck%1").arg(i));
        checks_[static_cast<std::size_t>(i)] = check;
        connect(check, &QCheckBox::clicked, this, [this, i](bool ticked) { CheckClicked(i, ticked); });
        if (i < 2)
            gridLayout->addWidget(check, i, 0, 1, 3);
        else
            showLayout->addWidget(check, (i - 2) / 2, (i - 2) % 2);
    }
    auto* boxLabel = new QLabel("Grid increment", grid);
    box_ = new QLineEdit(grid);
    box_->setObjectName("ViewBox");
    box_->setAccessibleName("Grid increment");
    box_->setMaximumWidth(70);
    boxLabel->setBuddy(box_);
    gridLayout->addWidget(boxLabel, 2, 0);
    gridLayout->addWidget(box_, 2, 1);
    gridLayout->addWidget(new QLabel("m", grid), 2, 2);
    box_->installEventFilter(this);
    connect(box_, &QLineEdit::textEdited, this, [this] {
        if (!ctx_.Refreshing)
            ctx_.TextEdited = true;
    });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(zoom);
    layout->addWidget(grid);
    layout->addWidget(show);
    layout->addStretch(1);
}

void ViewControls::RefreshControls()
{
    if (ctx_.session == nullptr)
        return;
    const bool was = ctx_.Refreshing;
    ctx_.Refreshing = true;
    ViewSettings& v = ctx_.session->job.View;
    for (int i = 0; i < 9; ++i)
        checks_[static_cast<std::size_t>(i)]->setChecked(IsSet(ViewFlag(v, i)));
    if (!box_->hasFocus() || !ctx_.TextEdited)
        box_->setText(QString::fromStdString(Format(v.GridIncrement, "#####0.00")));
    RefreshButtons();
    ctx_.Refreshing = was;
}

void ViewControls::RefreshButtons()
{
    buttons_[2]->setEnabled(spic_.PreviousEnabled());
    buttons_[4]->setEnabled(spic_.ZoomInEnabled());
}

void ViewControls::CheckClicked(int index, bool ticked)
{
    if (ctx_.Refreshing || ctx_.session == nullptr)
        return;
    // A display preference saved with the job; like the grid increment it is not an edit of the section.
    ViewFlag(ctx_.session->job.View, index) = ToFlag(ticked);
    if (ctx_.RefreshAll)
        ctx_.RefreshAll();
}

bool ViewControls::CommitPendingEdit()
{
    return !ctx_.TextEdited || !box_->hasFocus() || CommitGridIncrement();
}

bool ViewControls::CommitGridIncrement()
{
    if (committing_ || ctx_.session == nullptr)
        return true;
    committing_ = true;
    ctx_.TextEdited = false;
    const double value = LeadingNumber(box_->text());
    bool accepted = value >= 0.1 && value <= 10.0;
    if (accepted) {
        // Two decimals, a half to the even hundredth.
        ctx_.session->job.View.GridIncrement = static_cast<Single>(std::nearbyint(value * 100.0) / 100.0);
        if (ctx_.RefreshAll)
            ctx_.RefreshAll();
    } else if (ctx_.interaction != nullptr) {
        ctx_.interaction->Beep();
        ctx_.interaction->Message("Input data validation error",
                                  "Grid increment must be between 0.1m and 10m\rPlease change the input data",
                                  Interaction::Icon::Exclamation, Interaction::Buttons::Ok);
        box_->setFocus(Qt::OtherFocusReason);
        box_->selectAll();
        ctx_.TextEdited = true;
    }
    committing_ = false;
    return accepted;
}

bool ViewControls::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == box_) {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                // Enter commits and moves on to "Limits"; the key itself is swallowed.
                if (!ctx_.TextEdited || CommitGridIncrement())
                    buttons_[0]->setFocus(Qt::TabFocusReason);
                return true;
            }
        } else if (event->type() == QEvent::FocusOut && ctx_.TextEdited && !committing_) {
            CommitGridIncrement();
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace clv::ui
