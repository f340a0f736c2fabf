#pragma once

// The soil generator: a soil described in words (group, strength, composite
// type, grading, nature) gives suggested design parameters, which "Add soil"
// hands back to the window to append as a new soil.

#include "model/soil_generator.h"
#include "ui/main_context.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QLabel;
class QListWidget;

namespace clv::ui {

class SoilGenFrm : public QDialog {
    Q_OBJECT
public:
    explicit SoilGenFrm(QWidget* parent = nullptr);

    /** The suggestion as it stands; Phi is kGeneratorCancelled after Cancel. */
    const GeneratedSoil& Generated() const { return generated_; }

public slots:
    /** Cancel (and Escape): marks the suggestion cancelled and closes. */
    void reject() override;

protected:
    /** The window's close box adds the soil, as "Add soil" does. */
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void GroupSelected();
    void FillDescriptorLists();
    void GenerateSoilParameters();
    void ShowGeneratedSoil();
    SoilChoice CurrentChoice() const;

    QListWidget* groupList_ = nullptr;
    std::array<QListWidget*, 4> descriptorList_{}; // Strength, Composite, Grading, Nature
    QCheckBox* densityCheck_ = nullptr;
    QCheckBox* shortCheck_ = nullptr;
    QLabel* descriptionLable_ = nullptr;
    QLabel* densityLabel_ = nullptr;
    QLabel* phiLable_ = nullptr;
    QLabel* cohesionLable_ = nullptr;
    bool filling_ = false;
    GeneratedSoil generated_;
};

/**
 * Shows the generator modally; unless it was cancelled, appends the suggested
 * soil to the job (one undo step, the job marked modified). Returns true when a
 * soil was added.
 */
bool OpenSoilGenerator(MainContext& ctx, QWidget* parent);

} // namespace clv::ui
