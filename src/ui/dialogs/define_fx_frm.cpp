#include "ui/dialogs/define_fx_frm.h"

#include "analysis/wedge_settings.h"
#include "model/format.h"
#include "ui/app_icon.h"
#include "ui/interaction.h"

#include <QEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>

namespace clv::ui {

namespace {

QString Shown(double value, const char* picture) { return QString::fromStdString(Format(value, picture)); }

QString BoxCaption(int i)
{
    if (i == 0)
        return QStringLiteral("Value for f(x) at X=0");
    if (i == DefineFxFrm::kValueCount - 1)
        return QStringLiteral("Value for f(x) at X= slip width");
    return QStringLiteral("Value for f(x) at X=%1% slip width").arg(i * 10);
}

QPushButton* MakeButton(const QString& caption, const char* name, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false); // Enter in a box must not press a button
    return button;
}

} // namespace

DefineFxFrm::DefineFxFrm(const std::array<Single, kValueCount>& fx, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("DefineFxFrm"));
    setWindowTitle(QStringLiteral("Define f(x)"));
    setWindowIcon(AppIcon());
    auto* boxes = new QGridLayout;
    for (int i = 0; i < kValueCount; ++i) {
        auto* label = new QLabel(BoxCaption(i), this);
        auto* box = new QLineEdit(Shown(fx[static_cast<std::size_t>(i)], "##0.000"), this);
        box->setObjectName(QStringLiteral("FactorBox%1").arg(i));
        box->setAccessibleName(label->text());
        box->setAlignment(Qt::AlignRight);
        box->setMaximumWidth(90);
        box->installEventFilter(this);
        label->setBuddy(box);
        boxes->addWidget(label, i, 0);
        boxes->addWidget(box, i, 1);
        factorBox_[static_cast<std::size_t>(i)] = box;
    }

    auto* parallel = MakeButton(QStringLiteral("Set default values for parallel interslice forces"), "ParallelBtn", this);
    auto* sine = MakeButton(QStringLiteral("Set default values for f(x)=Sin(x), Half sine curve"), "SineBtn", this);
    auto* ok = MakeButton(QStringLiteral("OK"), "OKBtn", this);
    auto* cancel = MakeButton(QStringLiteral("Cancel"), "CancelBtn", this);
    connect(parallel, &QPushButton::clicked, this, &DefineFxFrm::SetParallel);
    connect(sine, &QPushButton::clicked, this, &DefineFxFrm::SetHalfSine);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* closing = new QHBoxLayout;
    closing->addStretch();
    closing->addWidget(ok);
    closing->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(boxes);
    layout->addWidget(parallel);
    layout->addWidget(sine);
    layout->addLayout(closing);
}

std::array<Single, DefineFxFrm::kValueCount> DefineFxFrm::Values() const
{
    std::array<Single, kValueCount> values{};
    for (int i = 0; i < kValueCount; ++i) {
        const double typed = LeadingNumber(factorBox_[static_cast<std::size_t>(i)]->text().toStdString());
        values[static_cast<std::size_t>(i)] = static_cast<Single>(std::nearbyint(typed * 1000.0) / 1000.0);
    }
    return values;
}

void DefineFxFrm::SetParallel()
{
    // A constant function: the interslice forces keep one inclination across the slip.
    for (QLineEdit* box : factorBox_)
        box->setText(QStringLiteral("1.000"));
}

void DefineFxFrm::SetHalfSine()
{
    // Zero at both ends of the slip, largest in the middle.
    constexpr double kPi = 3.1415925;
    for (int i = 0; i < kValueCount; ++i)
        factorBox_[static_cast<std::size_t>(i)]->setText(Shown(std::sin(i * kPi / 10.0), "###0.000"));
}

bool DefineFxFrm::eventFilter(QObject* watched, QEvent* event)
{
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (box && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            return true; // swallowed: no new line, no button
    }
    if (box && event->type() == QEvent::FocusIn) // after the click has placed the caret
        QTimer::singleShot(0, box, [box] { box->selectAll(); });
    return QDialog::eventFilter(watched, event);
}

void DefineFxFrm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

bool OpenDefineFxDialog(MainContext& ctx, QWidget* parent)
{
    JobSession& session = *ctx.session;
    DefineFxFrm dialog(session.job.Slip.Fx, parent);
    const bool stored = ctx.interaction->RunModal(dialog) == QDialog::Accepted;
    if (stored) {
        ctx.BeginEdit();
        session.job.Slip.Fx = dialog.Values();
        session.SlipResultsStale = true;
        ctx.EndEdit();
    } else {
        // The slip circle results are recomputed after the editor whatever the answer.
        session.JobModified = true;
        session.SlipResultsStale = true;
        ctx.RefreshAll();
    }
    return stored;
}

} // namespace clv::ui
