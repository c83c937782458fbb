#include "dialogs/geo/LatLonBoundsAz.h"

#include <QPushButton>

#include "core/DesignState.h"
#include "dialogs/common/AngleField.h"
#include "dialogs/geo/AngleRows.h"
#include "platform/MessageBox.h"

namespace tlrx {

namespace {

constexpr std::string_view kRangeTitle = "Error: Range of map in degrees";
constexpr std::string_view kRangeOkTitle = "Error: Range of map";
// 90 degrees as the range field's digits read as one number, DDDMMSS.
constexpr long kNinetyDegrees = 900000;

}  // namespace

LatLonBoundsAz::LatLonBoundsAz(QWidget* parent, std::function<void()> restoreOpener)
    : AzimuthalBounds(parent, "LatLonBoundsAz", std::move(restoreOpener)) {
    AzRangeDist = new AngleField(AngleKind::Range, this);
    BuildForm([this](AngleRows& form) {
        form.Add("Range of map in degrees", AzRangeDist);
        NameField("AzRangeDist", AzRangeDist);
        SetFieldHelp(AzRangeDist, 2580);
        AzRangeDist->SetCheck(std::string(kRangeTitle), [] { return Design().BoundsText[8]; });
        AzRangeDist->AddRule([this]() -> std::optional<FieldFault> {
            if (std::optional<std::string> rule = RangeRule()) return FieldFault{std::move(*rule), {}};
            return std::nullopt;
        });
        AddFieldCheck(AzRangeDist, [this] { return CheckRange(); });
    });
    Form_Load();
}

void LatLonBoundsAz::Form_Load() {
    if (BeginLoad()) {
        DesignState& d = Design();
        if (d.ProjCode == ProjGnomonic) d.BoundsText[8] = "060    00    00";
        if (d.ProjCode == ProjStereographic || d.ProjCode == ProjOrthographic) d.BoundsText[8] = "090    00    00";
    }
    FillShared();
    AzRangeDist->SetText(Design().BoundsText[8]);
}

std::optional<std::string> LatLonBoundsAz::RangeRule() const {
    const std::string digits = AzRangeDist->PlainText();
    long range = 0;
    for (const char c : digits)
        if (c >= '0' && c <= '9') range = range * 10 + (c - '0');
    const int16_t code = Design().ProjCode;
    if (code == ProjGnomonic && range >= kNinetyDegrees) return "RANGE OF MAP IN DEGREES must be < 90°.";
    if ((code == ProjStereographic || code == ProjOrthographic) && range > kNinetyDegrees)
        return "RANGE OF MAP IN DEGREES must be <= 90°.";
    return std::nullopt;
}

bool LatLonBoundsAz::CheckRange() {
    if (!checkingAtOk_ || CommonAngleFault(AngleKind::Range, AzRangeDist->PlainText())) return AzRangeDist->Check();
    if (std::optional<std::string> rule = RangeRule()) {
        MsgBox(*rule, kRangeOkTitle, MsgButtons::Ok, MsgIcon::Exclamation);
        return false;  // the focus goes into the field
    }
    return true;
}

void LatLonBoundsAz::StoreOwnField(DesignState& d) { d.BoundsText[8] = AzRangeDist->Text(); }

}  // namespace tlrx
