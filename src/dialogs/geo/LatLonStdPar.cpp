#include "dialogs/geo/LatLonStdPar.h"

#include <QFontDatabase>
#include <QLabel>
#include <QPushButton>
#include <cmath>

#include "core/DesignState.h"
#include "core/Errors.h"
#include "core/ProjParams.h"
#include "core/ProjectionTable.h"
#include "dialogs/common/AngleField.h"
#include "dialogs/geo/AngleRows.h"
#include "platform/MessageBox.h"

namespace tlrx {

namespace {

constexpr std::string_view kNorthTitle = "Error: Northernmost standard parallel";
constexpr std::string_view kSouthTitle = "Error: Southernmost standard parallel";

// The projections whose parallels may not lie on a pole.
bool NoPoleParallel(int16_t code) { return HasTrait(code, kNoStdParallelOnPole); }

std::string NotOnPole(std::string_view which) {
    return "The latitude of the " + std::string(which) + " STANDARD PARALLEL cannot be 90° for the " +
           Design().ProjName + " projection.";
}

QLabel* TextLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    label->setIndent(4);
    return label;
}

}  // namespace

LatLonStdPar::LatLonStdPar(QWidget& opener) : DialogBase(&opener, "LatLonStdPar", HelpContextID), opener_(opener) {
    setWindowTitle(QStringLiteral("Latitudes of Standard Parallels"));
    LatNorth = TextLabel(this);
    LatNorthStdPar = new AngleField(AngleKind::Latitude, this);
    LatSouthStdPar = new AngleField(AngleKind::Latitude, this);
    LatSouth = TextLabel(this);

    AngleRows form(*this);
    form.Add("Northernmost latitude of map", LatNorth);
    form.Add("Northernmost standard parallel", LatNorthStdPar);
    form.Add("Southernmost standard parallel", LatSouthStdPar);
    form.Add("Southernmost latitude of map", LatSouth);
    form.Finish(OK, Cancel);

    NameField("LatNorthStdPar", LatNorthStdPar);
    NameField("LatSouthStdPar", LatSouthStdPar);
    SetFieldHelp(LatNorthStdPar, 2610);
    SetFieldHelp(LatSouthStdPar, 2620);
    LatNorthStdPar->SetCheck(std::string(kNorthTitle), [] { return Design().StdParText[0]; });
    LatSouthStdPar->SetCheck(std::string(kSouthTitle), [] { return Design().StdParText[1]; });
    LatNorthStdPar->AddRule([this]() -> std::optional<FieldFault> {
        if (std::optional<std::string> fault = NorthFault()) return FieldFault{std::move(*fault), {}};
        return std::nullopt;
    });
    LatSouthStdPar->AddRule([this]() -> std::optional<FieldFault> {
        if (std::optional<std::string> fault = SouthFault()) return FieldFault{std::move(*fault), {}};
        return std::nullopt;
    });
    // Whatever the answer to the northern field's check, the mirror follows it.
    AddFieldCheck(LatNorthStdPar, [this] {
        const bool passed = LatNorthStdPar->Check();
        if (Mirrored()) Mirror();
        return passed;
    });
    AddFieldCheck(LatSouthStdPar, [this] { return LatSouthStdPar->Check(); });

    connect(OK, &QPushButton::clicked, this, &LatLonStdPar::OK_Click);
    connect(Cancel, &QPushButton::clicked, this, &LatLonStdPar::Cancel_Click);
    FinishControls();
    Form_Load();
}

bool LatLonStdPar::Mirrored() const { return StdParallelCount(Design().ProjCode) == 1; }

void LatLonStdPar::Mirror() {
    std::string text = LatNorthStdPar->Text();
    if (text.size() >= 19) text[18] = 'S';
    LatSouthStdPar->SetText(text);
}

void LatLonStdPar::Form_Load() {
    DesignState& d = Design();
    d.CloseDialogChain = false;
    BeginEdit();
    adjustSize();
    PlaceFrom(opener_, 390, 390);

    LatNorth->setText(QString::fromStdString(d.BoundsText[0]));
    LatSouth->setText(QString::fromStdString(d.BoundsText[1]));

    // Parallels accepted for the other group (one mirrored parallel, or a
    // conic's two) are no start for this one.
    const int count = StdParallelCount(d.ProjCode);
    const int lastCount = StdParallelCount(d.StdParProjCode);
    if (!Item(d.ProjDefined, d.ProjCode) || lastCount == 0 || lastCount != count) ParamStdParallel();

    LatNorthStdPar->SetText(d.StdParText[0]);
    LatSouthStdPar->SetText(d.StdParText[1]);
    LatSouthStdPar->setEnabled(!Mirrored());
}

void LatLonStdPar::SaveCopy() {
    const DesignState& d = Design();
    copy_ = {d.StdParText[0], d.StdParText[1], d.StdParNorthText, d.StdParSouthText, d.StdParNorth, d.StdParSouth};
}

void LatLonStdPar::RestoreCopy() {
    DesignState& d = Design();
    d.DialogCancelled = false;
    d.SubDialogPending = false;
    d.StdParText = {copy_.text0, copy_.text1};
    d.StdParNorthText = copy_.northText;
    d.StdParSouthText = copy_.southText;
    d.StdParNorth = copy_.north;
    d.StdParSouth = copy_.south;
}

std::optional<std::string> LatLonStdPar::NorthFault() const {
    const double value = LatNorthStdPar->Value();
    if (Mirrored() && LatNorthStdPar->Hemisphere() != 'N') return "Hemisphere must be N";
    if (!Mirrored() && value > Design().LatNorth)
        return "The latitude of the NORTHERNMOST STANDARD PARALLEL must be less than that of the NORTHERNMOST "
               "LATITUDE of the grid.";
    if (NoPoleParallel(Design().ProjCode) && value == 90) return NotOnPole("NORTHERNMOST");
    return std::nullopt;
}

std::optional<std::string> LatLonStdPar::SouthFault() const {
    const double value = LatSouthStdPar->Value();
    if (!Mirrored() && value < Design().LatSouth)
        return "The latitude of the SOUTHERNMOST STANDARD PARALLEL must be greater than that of the SOUTHERNMOST "
               "LATITUDE of the grid.";
    if (NoPoleParallel(Design().ProjCode) && value == -90) return NotOnPole("SOUTHERNMOST");
    return std::nullopt;
}

std::optional<std::string> LatLonStdPar::PairFault(std::string& title) const {
    const DesignState& d = Design();
    const double north = LatNorthStdPar->Value(), south = LatSouthStdPar->Value();
    title = "Error: Standard parallels";
    if (!Mirrored() && std::fabs(north) == std::fabs(south))
        return "The latitudes of the NORTHERN- and SOUTHERNMOST STANDARD PARALLELS  cannot be equal, and they "
               "cannot be symmetric about the equator.";
    if (north < south)
        return "The latitude of the NORTHERNMOST STANDARD PARALLEL must be greater than that of the SOUTHERNMOST "
               "STANDARD PARALLEL.";
    if (!HasTrait(d.ProjCode, kApexPoleOnly)) return std::nullopt;
    title = "Error: Conformal Conic standard parallels";
    if (d.LatNorth == 90 && std::fabs(south) > std::fabs(north))
        return "For maps which show the North Pole (90°N), the NORTHERNMOST STANDARD PARALLEL must be further from "
               "the equator than the SOUTHERNMOST STANDARD PARALLEL.";
    if (d.LatSouth == -90 && std::fabs(north) > std::fabs(south))
        return "For maps which show the South Pole (90°S), the SOUTHERNMOST STANDARD PARALLEL must be further from "
               "the equator than the NORTHERNMOST STANDARD PARALLEL.";
    return std::nullopt;
}

void LatLonStdPar::OK_Click() {
    // The field checks pass the northern field with its mirror: what is left
    // are the rules between the two parallels.
    if (!CheckAllFields()) return;
    std::string title;
    if (std::optional<std::string> fault = PairFault(title)) {
        MsgBox(*fault, title, MsgButtons::Ok, MsgIcon::Exclamation);
        LatNorthStdPar->setFocus(Qt::OtherFocusReason);
        return;
    }

    DesignState& d = Design();
    d.StdParText = {LatNorthStdPar->Text(), LatSouthStdPar->Text()};
    d.StdParNorth = LatNorthStdPar->Value();
    d.StdParSouth = LatSouthStdPar->Value();
    d.StdParNorthText = d.StdParText[0];
    d.StdParSouthText = d.StdParText[1];
    d.StdParProjCode = d.ProjCode;
    if (d.SubDialogPending) {
        d.SubDialogPending = false;
        d.CloseDialogChain = true;
    }
    ParamSelect();
    Item(d.ProjDefined, d.ProjCode) = true;
    AcceptEdit();
}

void LatLonStdPar::Cancel_Click() { reject(); }

}  // namespace tlrx
