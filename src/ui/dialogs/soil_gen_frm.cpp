#include "ui/dialogs/soil_gen_frm.h"

#include "model/format.h"
#include "ui/app_icon.h"
#include "ui/interaction.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace clv::ui {

namespace {

QListWidget* MakeList(const QString& name, const QString& caption, QWidget* parent, QGridLayout* grid, int column)
{
    auto* label = new QLabel(caption, parent);
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    list->setAccessibleName(caption);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    label->setBuddy(list);
    grid->addWidget(label, 0, column);
    grid->addWidget(list, 1, column);
    return list;
}

/** The selected row, or -1 when nothing is selected. */
int SelectedIndex(const QListWidget* list)
{
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.first());
}

QLabel* MakeValue(const char* name, const QString& caption, const QString& unit, QWidget* parent, QGridLayout* grid,
                  int row)
{
    auto* value = new QLabel(parent);
    value->setObjectName(name);
    value->setAccessibleName(caption);
    value->setFrameShape(QFrame::Panel);
    value->setFrameShadow(QFrame::Sunken);
    value->setMinimumWidth(row == 0 ? 180 : 60);
    grid->addWidget(new QLabel(caption, parent), row, 0);
    if (unit.isEmpty())
        grid->addWidget(value, row, 1, 1, 2, Qt::AlignLeft); // the description takes the unit column too
    else
        grid->addWidget(value, row, 1, Qt::AlignLeft);
    if (!unit.isEmpty())
        grid->addWidget(new QLabel(unit, parent), row, 2);
    return value;
}

} // namespace

SoilGenFrm::SoilGenFrm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SoilGenFrm"));
    setWindowTitle(QStringLiteral("Soil generator"));
    setWindowIcon(AppIcon());

    auto* lists = new QGridLayout;
    groupList_ = MakeList(QStringLiteral("GroupList"), QStringLiteral("Grouping"), this, lists, 0);
    descriptorList_[0] = MakeList(QStringLiteral("StrengthList"), QStringLiteral("Description / Strength"), this, lists, 1);
    descriptorList_[1] = MakeList(QStringLiteral("CompList"), QStringLiteral("Composite Type"), this, lists, 2);
    descriptorList_[2] = MakeList(QStringLiteral("GradeList"), QStringLiteral("Grading"), this, lists, 3);
    descriptorList_[3] = MakeList(QStringLiteral("NatureList"), QStringLiteral("Nature"), this, lists, 4);

    densityCheck_ = new QCheckBox(QStringLiteral("Use bulk soil density (not saturated density)."), this);
    densityCheck_->setObjectName(QStringLiteral("DensityCheck"));
    shortCheck_ = new QCheckBox(QStringLiteral("Use effective stress properties."), this);
    shortCheck_->setObjectName(QStringLiteral("ShortCheck"));

    auto* results = new QGroupBox(QStringLiteral("Suggested parameters for selected soil"), this);
    auto* values = new QGridLayout(results);
    descriptionLable_ = MakeValue("DescriptionLable", QStringLiteral("Soil Description"), {}, this, values, 0);
    densityLabel_ = MakeValue("DensityLabel", QStringLiteral("Density"), QStringLiteral("kN/m3"), this, values, 1);
    phiLable_ = MakeValue("PhiLable", QStringLiteral("Phi"), QStringLiteral("Degrees"), this, values, 2);
    cohesionLable_ = MakeValue("CohesionLable", QStringLiteral("Cohesion"), QStringLiteral("kN/m2"), this, values, 3);
    values->setColumnStretch(3, 1);

    auto* add = new QPushButton(QStringLiteral("Add soil"), this);
    add->setObjectName(QStringLiteral("OKBtn"));
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    add->setAutoDefault(false);
    cancel->setAutoDefault(false);
    connect(add, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &SoilGenFrm::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(add);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists);
    layout->addWidget(densityCheck_);
    layout->addWidget(shortCheck_);
    layout->addWidget(results);
    layout->addLayout(buttons);

    for (const char* name : SoilGroupNames())
        groupList_->addItem(QString::fromUtf8(name));
    densityCheck_->setChecked(true);
    shortCheck_->setChecked(true);

    connect(groupList_, &QListWidget::itemSelectionChanged, this, &SoilGenFrm::GroupSelected);
    for (QListWidget* list : descriptorList_)
        connect(list, &QListWidget::itemSelectionChanged, this, [this] {
            if (filling_)
                return;
            GenerateSoilParameters();
            ShowGeneratedSoil();
        });
    for (QCheckBox* check : {densityCheck_, shortCheck_})
        connect(check, &QCheckBox::toggled, this, [this] {
            GenerateSoilParameters();
            ShowGeneratedSoil();
        });

    // Gravels at first: "GRAVEL" with no further choice.
    groupList_->setCurrentRow(0);
}

void SoilGenFrm::GroupSelected()
{
    // Undrained properties only make sense for clays.
    const bool clay = SelectedIndex(groupList_) == kClayGroup;
    shortCheck_->setVisible(clay);
    shortCheck_->setEnabled(clay);
    FillDescriptorLists();
    GenerateSoilParameters();
    ShowGeneratedSoil();
}

void SoilGenFrm::FillDescriptorLists()
{
    filling_ = true;
    const int group = SelectedIndex(groupList_);
    for (int d = 0; d < 4; ++d) {
        QListWidget* list = descriptorList_[static_cast<std::size_t>(d)];
        list->clear();
        for (const std::string& item : SoilDescriptorItems(group, static_cast<SoilDescriptor>(d)))
            list->addItem(QString::fromStdString(item));
        list->setCurrentRow(-1);
        list->clearSelection();
    }
    filling_ = false;
}

SoilChoice SoilGenFrm::CurrentChoice() const
{
    SoilChoice choice;
    choice.Group = SelectedIndex(groupList_);
    for (std::size_t d = 0; d < 4; ++d)
        choice.Item[d] = SelectedIndex(descriptorList_[d]);
    choice.Bulk = densityCheck_->isChecked();
    choice.Effective = shortCheck_->isChecked();
    return choice;
}

void SoilGenFrm::GenerateSoilParameters() { generated_ = clv::GenerateSoilParameters(CurrentChoice(), generated_); }

void SoilGenFrm::ShowGeneratedSoil()
{
    descriptionLable_->setText(QString::fromStdString(generated_.Description));
    densityLabel_->setText(QString::fromStdString(Format(generated_.UnitWeight, "####0.0")));
    phiLable_->setText(QString::fromStdString(Format(generated_.Phi, "#####0")));
    cohesionLable_->setText(QString::fromStdString(Format(generated_.Cohesion, "#####0")));
}

void SoilGenFrm::reject()
{
    generated_.Phi = kGeneratorCancelled;
    QDialog::reject();
}

void SoilGenFrm::closeEvent(QCloseEvent* event)
{
    event->ignore();
    accept();
}

void SoilGenFrm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

bool OpenSoilGenerator(MainContext& ctx, QWidget* parent)
{
    SoilGenFrm dialog(parent);
    ctx.interaction->RunModal(dialog);
    const GeneratedSoil& soil = dialog.Generated();
    if (soil.Phi == kGeneratorCancelled)
        return false;
    ctx.BeginEdit();
    ctx.session->job.Soils.push_back(MakeGeneratedSoil(soil));
    ctx.EndEdit(); // marks the job modified like every other change
    return true;
}

} // namespace clv::ui
