#include "ui/dialogs/piezo_frm.h"

#include "analysis/wedge_settings.h"
#include "model/format.h"
#include "ui/app_icon.h"
#include "ui/interaction.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace clv::ui {

namespace {

const char* const kNote =
    "The grid below should be filled with the value for piezometric elevation (level) at each grid point (not "
    "water pressure). The use of these values in determining pore water pressures is enabled with the check box "
    "at the base of this form.";

const char* const kIncompleteTitle = "Incomplete data warning";
const char* const kIncompleteMessage =
    "The elevation data in the grid has not been completed.\r"
    "This can lead to unpredicatable results.\r"
    "As a precaution the piezometric grid will be disabled.\r"
    "You can complete data entry at a later date.";
const char* const kResetRefusedTitle = "Piezometric grid not reset";

constexpr std::array<PiezoLimit, 6> kLimits{PiezoLimit::MinX, PiezoLimit::MaxX, PiezoLimit::IncX,
                                            PiezoLimit::MinY, PiezoLimit::MaxY, PiezoLimit::IncY};
constexpr std::array<const char*, 6> kLimitNames{"MinXBox", "MaxXBox", "IncXBox", "MinYBox", "MaxYBox", "IncYBox"};

QString Shown(double value, const char* picture) { return QString::fromStdString(Format(value, picture)); }

int Twips(const QWidget* widget, int twips) { return twips * widget->logicalDpiX() / 1440; }

QPushButton* MakeButton(const QString& caption, const char* name, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false); // Enter belongs to the boxes and the cell editor
    return button;
}

} // namespace

PiezoFrm::PiezoFrm(MainContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx)
{
    setObjectName(QStringLiteral("PiezoFrm"));
    setWindowTitle(QStringLiteral("Piezometric grid"));
    setWindowIcon(AppIcon());

    auto* note = new QLabel(QString::fromUtf8(kNote), this);
    note->setWordWrap(true);

    auto* extent = new QGroupBox(QStringLiteral("Piezometric grid extent"), this);
    auto* boxes = new QGridLayout(extent);
    const QStringList columns{QStringLiteral("Minimum"), QStringLiteral("Maximum"), QStringLiteral("Increment")};
    const QStringList rows{QStringLiteral("X (m)"), QStringLiteral("Y (m)")};
    for (int c = 0; c < 3; ++c)
        boxes->addWidget(new QLabel(columns[c], extent), 0, c + 1, Qt::AlignHCenter);
    for (int r = 0; r < 2; ++r) {
        boxes->addWidget(new QLabel(rows[r], extent), r + 1, 0);
        for (int c = 0; c < 3; ++c) {
            const std::size_t k = static_cast<std::size_t>(r * 3 + c);
            auto* box = new QLineEdit(extent);
            box->setObjectName(kLimitNames[k]);
            box->setAccessibleName(rows[r] + QLatin1Char(' ') + columns[c]);
            box->setAlignment(Qt::AlignRight);
            box->setMaximumWidth(90);
            connect(box, &QLineEdit::editingFinished, this, [this, k] { LimitEdited(kLimits[k]); });
            boxes->addWidget(box, r + 1, c + 1);
            limitBox_[k] = box;
        }
    }
    auto* reset = MakeButton(QStringLiteral("Reset grid"), "ResetBtn", this);
    connect(reset, &QPushButton::clicked, this, &PiezoFrm::ResetGrid);
    boxes->addWidget(reset, 1, 4, 2, 1);
    boxes->setColumnStretch(5, 1);

    piezoGrid_ = new QTableWidget(this);
    piezoGrid_->setObjectName(QStringLiteral("PiezoGrid"));
    piezoGrid_->setAccessibleName(QStringLiteral("Piezometric elevations"));
    piezoGrid_->horizontalHeader()->hide();
    piezoGrid_->verticalHeader()->hide();
    piezoGrid_->setEditTriggers(QAbstractItemView::NoEditTriggers); // typing goes to the floating editor
    piezoGrid_->setSelectionMode(QAbstractItemView::SingleSelection);
    piezoGrid_->installEventFilter(this);
    connect(piezoGrid_, &QTableWidget::cellDoubleClicked, this, [this](int row, int column) {
        if (IsElevationCell(row, column))
            StartCellEdit({});
    });

    gText_ = new QLineEdit(piezoGrid_->viewport());
    gText_->setObjectName(QStringLiteral("GText"));
    gText_->setAccessibleName(QStringLiteral("Piezometric elevation entry"));
    gText_->setFrame(false);
    gText_->hide();
    gText_->installEventFilter(this);

    enableGridCheck_ = new QCheckBox(QStringLiteral("Use piezometric grid"), this);
    enableGridCheck_->setObjectName(QStringLiteral("EnableGridCheck"));
    connect(enableGridCheck_, &QCheckBox::clicked, this, &PiezoFrm::EnableClicked);
    auto* close = MakeButton(QStringLiteral("Close"), "CloseBtn", this);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(enableGridCheck_);
    bottom->addStretch();
    bottom->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addWidget(extent);
    layout->addWidget(piezoGrid_, 1);
    layout->addLayout(bottom);
    resize(620, 480);

    LoadLimitBoxes();
    LoadPiezoGrid();
}

void PiezoFrm::LoadLimitBoxes()
{
    loading_ = true;
    const PiezoSettings& settings = ctx_.session->job.Piezo;
    for (std::size_t k = 0; k < kLimits.size(); ++k) {
        limitBox_[k]->setText(Shown(PiezoLimitValue(settings, kLimits[k]), "#####0.0"));
        limitBox_[k]->setModified(false);
    }
    loading_ = false;
}

void PiezoFrm::LoadPiezoGrid()
{
    HideCellEditor();
    const PiezoSettings& settings = ctx_.session->job.Piezo;
    const PiezoHeads& heads = ctx_.session->job.Heads;
    enableGridCheck_->setEnabled(settings.NY != 0);
    enableGridCheck_->setChecked(settings.NY != 0 && IsSet(settings.Enabled));

    // The table's own bounds, which the job file reader sizes from the counts.
    const int ny = heads.NY();
    const int nx = heads.NX();
    piezoGrid_->clear();
    piezoGrid_->setRowCount(ny + 1);
    piezoGrid_->setColumnCount(nx + 1);
    // The heading column is widened where the screen font cannot show "Elevation" in it.
    const int headingWidth = piezoGrid_->fontMetrics().horizontalAdvance(QStringLiteral("Elevation")) + 12;
    piezoGrid_->setColumnWidth(0, std::max(Twips(piezoGrid_, 770), headingWidth));
    for (int c = 1; c <= nx; ++c)
        piezoGrid_->setColumnWidth(c, Twips(piezoGrid_, 660));

    const QBrush fixed = palette().brush(QPalette::Button);
    auto header = [&](int r, int c, const QString& text) {
        auto* item = new QTableWidgetItem(text);
        item->setFlags(Qt::ItemIsEnabled); // the stations and levels are laid out by "Reset grid"
        item->setBackground(fixed);
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        piezoGrid_->setItem(r, c, item);
    };
    header(0, 0, QStringLiteral("Elevation"));
    for (int c = 1; c <= nx; ++c)
        header(0, c, Shown(heads.At(0, c), "#####0.0"));
    for (int r = 1; r <= ny; ++r) {
        header(r, 0, Shown(heads.At(r, 0), "#####0.0"));
        for (int c = 1; c <= nx; ++c) {
            const Single value = heads.At(r, c);
            auto* item = new QTableWidgetItem(value == kNoLevel ? QString() : Shown(value, "#####0.0"));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            piezoGrid_->setItem(r, c, item);
        }
    }
    if (ny > 0 && nx > 0)
        piezoGrid_->setCurrentCell(1, 1);
}

void PiezoFrm::LimitEdited(PiezoLimit limit)
{
    const std::size_t k = static_cast<std::size_t>(limit);
    QLineEdit* box = limitBox_[k];
    if (loading_ || !box->isModified())
        return;
    box->setModified(false);
    const double typed = LeadingNumber(box->text().toStdString());
    ctx_.BeginEdit();
    EnterPiezoLimit(ctx_.session->job.Piezo, ctx_.session->job.View, limit, typed);
    ctx_.EndEdit();
    LoadLimitBoxes(); // the stored value, and the other box of the pair when it moved
}

void PiezoFrm::ResetGrid()
{
    JobSession& session = *ctx_.session;
    const PiezoLayout layout = PlanPiezoGrid(session.job.Piezo);
    if (!layout.Refusal.empty()) {
        ctx_.interaction->Message(QString::fromUtf8(kResetRefusedTitle), QString::fromStdString(layout.Refusal),
                                  Interaction::Icon::Exclamation, Interaction::Buttons::Ok);
        return;
    }
    ctx_.BeginEdit();
    ResetPiezoGrid(session.job.Piezo, session.job.Heads);
    ctx_.EndEdit();
    LoadPiezoGrid();
}

void PiezoFrm::EnableClicked(bool checked)
{
    ctx_.BeginEdit();
    ctx_.session->job.Piezo.Enabled = ToFlag(checked);
    ctx_.EndEdit();
}

bool PiezoFrm::IsElevationCell(int row, int column) const
{
    const PiezoHeads& heads = ctx_.session->job.Heads;
    return row >= 1 && column >= 1 && row <= heads.NY() && column <= heads.NX();
}

void PiezoFrm::StartCellEdit(const QString& typed)
{
    const int row = piezoGrid_->currentRow();
    const int column = piezoGrid_->currentColumn();
    if (!IsElevationCell(row, column))
        return;
    editRow_ = row;
    editCol_ = column;
    QTableWidgetItem* item = piezoGrid_->item(row, column);
    piezoGrid_->scrollToItem(item);
    gText_->setFont(piezoGrid_->font());
    gText_->setGeometry(piezoGrid_->visualItemRect(item));
    if (typed.isEmpty()) {
        gText_->setText(item->text());
        gText_->selectAll();
    } else {
        gText_->setText(typed);
        gText_->setCursorPosition(static_cast<int>(typed.size()));
    }
    gText_->show();
    gText_->setFocus();
}

bool PiezoFrm::CommitCellEdit()
{
    if (gText_->isHidden())
        return true;
    const QString text = gText_->text().trimmed();
    std::optional<double> value;
    if (!text.isEmpty())
        value = LeadingNumber(text.toStdString());

    JobSession& session = *ctx_.session;
    PiezoHeads edited = session.job.Heads;
    const PiezoEntryOutcome outcome = EnterPiezoElevation(edited, editRow_, editCol_, value);
    if (!outcome.Stored) {
        if (!outcome.Title.empty())
            ctx_.interaction->Message(QString::fromStdString(outcome.Title), QString::fromStdString(outcome.Message),
                                      Interaction::Icon::Exclamation, Interaction::Buttons::Ok);
        gText_->setFocus();
        gText_->selectAll();
        return false;
    }
    ctx_.BeginEdit();
    session.job.Heads = std::move(edited);
    ctx_.EndEdit();
    const Single stored = session.job.Heads.At(editRow_, editCol_);
    piezoGrid_->item(editRow_, editCol_)->setText(stored == kNoLevel ? QString() : Shown(stored, "######0.0"));
    HideCellEditor();
    return true;
}

void PiezoFrm::HideCellEditor()
{
    gText_->hide();
    editRow_ = editCol_ = -1;
}

bool PiezoFrm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == gText_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (CommitCellEdit())
                piezoGrid_->setFocus();
            return true; // no sound, no button
        }
        if (key == Qt::Key_Escape) {
            HideCellEditor();
            piezoGrid_->setFocus();
            return true; // the window stays open
        }
    }
    if (watched == piezoGrid_ && event->type() == QEvent::FocusIn && !gText_->isHidden()) {
        // The grid takes the focus back (a click on it): the entry is committed.
        CommitCellEdit();
    }
    if (watched == piezoGrid_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        if (!text.isEmpty() && text.at(0).unicode() > 32) {
            StartCellEdit(text);
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_F2) {
            StartCellEdit({});
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void PiezoFrm::done(int result)
{
    // Clicking Close takes the focus from the editor without committing it.
    if (!CommitCellEdit())
        return;
    JobSession& session = *ctx_.session;
    const Job& job = session.job;
    if (PiezoGridIncomplete(job.Heads) || !PiezoGridMatchesLimits(job.Piezo, job.Heads)) {
        // Empty cells, or nodes laid out for other limits: the pore pressures would
        // read levels that were never given. Switch the grid off.
        ctx_.interaction->Message(QString::fromUtf8(kIncompleteTitle), QString::fromUtf8(kIncompleteMessage),
                                  Interaction::Icon::Exclamation, Interaction::Buttons::Ok);
        if (IsSet(job.Piezo.Enabled)) {
            ctx_.BeginEdit();
            session.job.Piezo.Enabled = kFalse;
            ctx_.EndEdit();
        }
    }
    QDialog::done(result);
}

void OpenPiezoDialog(MainContext& ctx, QWidget* parent)
{
    PiezoFrm dialog(ctx, parent);
    ctx.interaction->RunModal(dialog);
}

} // namespace clv::ui
