#include "dialogs/geo/LatLonBoundsAz.h"

#include <QPushButton>

#include "core/DesignState.h"
#include "core/Errors.h"
#include "core/ProjectionTable.h"
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
        for (const BoundsDefault& b : BoundsDefaultsOf(d.ProjCode)) Item(d.BoundsText, b.field) = b.text;
    }
    FillShared();
    AzRangeDist->SetText(Design().BoundsText[8]);
}

std::optional<std::string> LatLonBoundsAz::RangeRule() const {
    const std::string digits = AzRangeDist->PlainText();
    long range = 0;
    for (const char c : digits)
        if (c >= '0' && c <= '9') range = range * 10 + (c - '0');
    switch (RangeLimitOf(Design().ProjCode)) {
    case RangeLimit::BelowHemisphere:
        if (range >= kNinetyDegrees) return "RANGE OF MAP IN DEGREES must be < 90°.";
        break;
    case RangeLimit::Hemisphere:
        if (range > kNinetyDegrees) return "RANGE OF MAP IN DEGREES must be <= 90°.";
        break;
    case RangeLimit::Any: break;
    }
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
