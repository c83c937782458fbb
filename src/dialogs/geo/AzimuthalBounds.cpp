#include "dialogs/geo/AzimuthalBounds.h"

#include <QPushButton>

#include "core/DesignState.h"
#include "core/Errors.h"
#include "core/Graticule.h"
#include "core/ProjParams.h"
#include "dialogs/common/AngleField.h"
#include "dialogs/geo/AngleRows.h"

namespace tlrx {

AzimuthalBounds::AzimuthalBounds(QWidget* parent, std::string_view formName, std::function<void()> restoreOpener)
    : DialogBase(parent, formName, HelpContextID), restoreOpener_(std::move(restoreOpener)) {
    setWindowTitle(QStringLiteral("Azimuthal Projection Boundaries"));
    LatCentral = new AngleField(AngleKind::Latitude, this);
    LatGr = new AngleField(AngleKind::LatSpacing, this);
    LonCentral = new AngleField(AngleKind::Longitude, this);
    LonGr = new AngleField(AngleKind::LonSpacing, this);
}

void AzimuthalBounds::BuildForm(const std::function<void(AngleRows&)>& ownRows) {
    struct Row {
        AngleField* field;
        const char* name;
        const char* label;
        const char* title;
        uint32_t help;
        size_t text;  // BoundsText element
    };
    const Row rows[] = {
        {LatCentral, "LatCentral", "Central latitude of map", "Error: Central latitude", 2560, 6},
        {LatGr, "LatGr", "Degrees of latitude between grid marks", "Error: Degrees of latitude", 2490, 2},
        {LonCentral, "LonCentral", "Central longitude of map", "Error: Central longitude", 2570, 7},
        {LonGr, "LonGr", "Degrees of longitude between grid marks", "Error: Degrees of longitude", 2520, 5},
    };
    AngleRows form(*this);
    for (const Row& r : rows) {
        form.Add(r.label, r.field);
        NameField(r.name, r.field);
        SetFieldHelp(r.field, r.help);
        r.field->SetCheck(r.title, [i = r.text] { return Design().BoundsText[i]; });
        AddFieldCheck(r.field, [field = r.field] { return field->Check(); });
    }
    ownRows(form);
    form.Finish(OK, Cancel);
    connect(OK, &QPushButton::clicked, this, &AzimuthalBounds::OK_Click);
    connect(Cancel, &QPushButton::clicked, this, &AzimuthalBounds::Cancel_Click);
    FinishControls();
}

bool AzimuthalBounds::BeginLoad() {
    BeginEdit();
    adjustSize();
    CenterOnScreen();
    const DesignState& d = Design();
    if (Item(d.ProjDefined, d.ProjCode)) return false;
    ConstantGrid();
    return true;
}

void AzimuthalBounds::FillShared() {
    const DesignState& d = Design();
    LatCentral->SetText(d.BoundsText[6]);
    LatGr->SetText(d.BoundsText[2]);
    LonCentral->SetText(d.BoundsText[7]);
    LonGr->SetText(d.BoundsText[5]);
}

void AzimuthalBounds::SaveCopy() { copy_ = Design().BoundsText; }

void AzimuthalBounds::RestoreCopy() {
    DesignState& d = Design();
    d.DialogCancelled = false;
    d.BoundsText = copy_;
    if (restoreOpener_) restoreOpener_();
}

void AzimuthalBounds::OK_Click() {
    checkingAtOk_ = true;
    const bool checked = CheckAllFields();
    checkingAtOk_ = false;
    if (!checked) return;

    DesignState& d = Design();
    const std::array<std::string, 10> before = d.BoundsText;
    d.BoundsText[6] = LatCentral->Text();
    d.BoundsText[2] = LatGr->Text();
    d.BoundsText[7] = LonCentral->Text();
    d.BoundsText[5] = LonGr->Text();
    StoreOwnField(d);
    CalcGraticule(copy_);
    if (d.CalcError) {
        // The computation has shown its box and seen to the fields; the
        // design keeps only accepted texts.
        d.CalcError = false;
        d.BoundsText = before;
        return;
    }
    ParamSelect();
    d.StdParNorthText = "00    00    00    N";
    d.StdParSouthText = "00    00    00    S";
    Item(d.ProjDefined, d.ProjCode) = true;
    AcceptEdit();
}

void AzimuthalBounds::Cancel_Click() { reject(); }

}  // namespace tlrx
