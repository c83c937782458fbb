#include "dialogs/geo/LatLonBounds.h"

#include <QPushButton>

#include "core/DesignState.h"
#include "core/Errors.h"
#include "core/Graticule.h"
#include "core/ProjParams.h"
#include "core/ProjectionTable.h"
#include "core/Utm.h"
#include "core/UtmGrid.h"
#include "dialogs/common/AngleField.h"
#include "dialogs/geo/AngleRows.h"
#include "dialogs/geo/LatLonInterrupt.h"
#include "dialogs/geo/LatLonStdPar.h"
#include "platform/MessageBox.h"

namespace tlrx {

namespace {

constexpr std::string_view kMercatorTitle = "Error: Mercator Projection";
constexpr std::string_view kNorthPole =
    "You have included the North Pole (90°N) in your grid.  The poles cannot be plotted on a Mercator "
    "projection because they project to infinity.";
constexpr std::string_view kSouthPole =
    "You have included the South Pole (90°S) in your grid.  The poles cannot be plotted on a Mercator "
    "projection because they project to infinity.";

// The texts that replace ConstantGrid's defaults for one projection.
void ApplyProjectionDefaults(int16_t code, std::array<std::string, 10>& t) {
    for (const BoundsDefault& b : BoundsDefaultsOf(code)) Item(t, b.field) = b.text;
}

// The Mercator pole rule of a latitude field: its degrees alone decide.
std::optional<FieldFault> MercatorPole(const AngleField& field, std::string_view text) {
    if (field.Degrees() == 90 && HasTrait(Design().ProjCode, kPolesAtInfinity))
        return FieldFault{std::string(text), std::string(kMercatorTitle)};
    return std::nullopt;
}

}  // namespace

LatLonBounds::LatLonBounds(QWidget* parent, std::function<void()> restoreOpener)
    : DialogBase(parent, "LatLonBounds", HelpContextID), restoreOpener_(std::move(restoreOpener)) {
    setWindowTitle(QStringLiteral("Non-azimuthal Projection Boundaries"));
    LatN = new AngleField(AngleKind::Latitude, this);
    LatS = new AngleField(AngleKind::Latitude, this);
    LatGr = new AngleField(AngleKind::LatSpacing, this);
    LonW = new AngleField(AngleKind::Longitude, this);
    LonE = new AngleField(AngleKind::Longitude, this);
    LonGr = new AngleField(AngleKind::LonSpacing, this);

    struct Row {
        AngleField* field;
        const char* name;
        const char* label;
        const char* title;
        uint32_t help;
    };
    const Row rows[] = {
        {LatN, "LatN", "Northernmost latitude of map", "Error: Northernmost latitude", 2470},
        {LatS, "LatS", "Southernmost latitude of map", "Error: Southernmost latitude", 2480},
        {LatGr, "LatGr", "Degrees of latitude between grid marks", "Error: Degrees of latitude", 2490},
        {LonW, "LonW", "Westernmost longitude of map", "Error: Westernmost longitude", 2500},
        {LonE, "LonE", "Easternmost longitude of map", "Error: Easternmost longitude", 2510},
        {LonGr, "LonGr", "Degrees of longitude between grid marks", "Error: Degrees of longitude", 2520},
    };
    AngleRows form(*this);
    for (size_t i = 0; i < std::size(rows); ++i) {
        const Row& r = rows[i];
        form.Add(r.label, r.field);
        NameField(r.name, r.field);
        SetFieldHelp(r.field, r.help);
        r.field->SetCheck(r.title, [i] { return Design().BoundsText[i]; });
        AddFieldCheck(r.field, [field = r.field] { return field->Check(); });
    }
    LatN->AddRule([this] { return MercatorPole(*LatN, kNorthPole); });
    LatS->AddRule([this] { return MercatorPole(*LatS, kSouthPole); });
    form.Finish(OK, Cancel);

    connect(OK, &QPushButton::clicked, this, &LatLonBounds::OK_Click);
    connect(Cancel, &QPushButton::clicked, this, &LatLonBounds::Cancel_Click);
    FinishControls();
    Form_Load();
}

void LatLonBounds::Form_Load() {
    BeginEdit();
    adjustSize();
    CenterOnScreen(-780, -345);

    DesignState& d = Design();
    if (!Item(d.ProjDefined, d.ProjCode)) {
        ConstantGrid();
        ApplyProjectionDefaults(d.ProjCode, d.BoundsText);
    }
    const std::array<AngleField*, 6> fields = Fields();
    for (size_t i = 0; i < fields.size(); ++i) fields[i]->SetText(d.BoundsText[i]);
}

void LatLonBounds::SaveCopy() { copy_ = Design().BoundsText; }

void LatLonBounds::RestoreCopy() {
    DesignState& d = Design();
    d.DialogCancelled = false;
    d.BoundsText = copy_;
    if (restoreOpener_) restoreOpener_();
    if (derived_) {
        // The values put back passed their computations before; a UTM map's
        // grid is in metres from its own texts, not from the boundary texts.
        if (FamilyOf(d.ProjCode) == ProjFamily::Utm) {
            CalcUtmZone();
            CalcUtmGrid(d.UtmText);
        } else {
            CalcGraticule(copy_);
        }
        ParamSelect();
        d.CalcError = false;
    }
}

bool LatLonBounds::PolesAccepted() {
    // The Mercator pole rules belong to the field checks, which OK has run.
    if (LatN->Degrees() == 90 && LatS->Degrees() == 90 && HasTrait(Design().ProjCode, kApexPoleOnly)) {
        MsgBox("The Lambert Conformal Conic map projection cannot display both poles.",
               "Error: Conformal Conic Projection", MsgButtons::Ok, MsgIcon::Exclamation);
        LatN->setFocus(Qt::OtherFocusReason);
        return false;
    }
    return true;
}

void LatLonBounds::OK_Click() {
    if (!CheckAllFields() || !PolesAccepted()) return;
    DesignState& d = Design();
    const std::array<std::string, 10> before = d.BoundsText;
    const std::array<AngleField*, 6> fields = Fields();
    for (size_t i = 0; i < fields.size(); ++i) d.BoundsText[i] = fields[i]->Text();
    CalcGraticule(copy_);
    if (d.CalcError) {
        // The computation has shown its box and seen to the fields; the
        // design keeps only accepted texts.
        d.CalcError = false;
        d.BoundsText = before;
        return;
    }
    derived_ = true;
    d.DialogCancelled = false;

    if (StdParallelCount(d.ProjCode) > 0 || IsInterrupted(d.ProjCode)) {
        ShowSecondDialog();
        return;
    }
    // Nothing follows the boundaries: the projection is defined.
    Item(d.ProjDefined, d.ProjCode) = true;
    ParamSelect();
    d.StdParNorthText = "00    00    00    N";
    d.StdParSouthText = "00    00    00    S";
    AcceptEdit();
}

void LatLonBounds::ShowSecondDialog() {
    DesignState& d = Design();
    d.SubDialogPending = true;
    if (IsInterrupted(d.ProjCode)) {
        LatLonInterrupt second(*this);
        second.exec();
    } else {
        LatLonStdPar second(*this);
        second.exec();
    }
    OK_GotFocus();
}

void LatLonBounds::OK_GotFocus() { ChainReturned(); }

void LatLonBounds::Cancel_Click() { reject(); }

}  // namespace tlrx
