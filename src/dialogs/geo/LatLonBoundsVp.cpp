#include "dialogs/geo/LatLonBoundsVp.h"

#include <QFontDatabase>
#include <QLineEdit>

#include "core/DesignState.h"
#include "dialogs/common/DigitField.h"
#include "dialogs/geo/AngleRows.h"
#include "platform/MessageBox.h"

namespace tlrx {

namespace {

constexpr double kKmPerNauticalMile = 1.8532488;
constexpr double kStatuteMilesPerKm = 0.621371192;

QLineEdit* Display(QWidget* parent) {
    auto* display = new QLineEdit(parent);
    display->setReadOnly(true);
    display->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    return display;
}

}  // namespace

LatLonBoundsVp::LatLonBoundsVp(QWidget* parent, std::function<void()> restoreOpener)
    : AzimuthalBounds(parent, "LatLonBoundsVp", std::move(restoreOpener)) {
    VpDistanceKM = DigitField::Grouped({2, 3, 3}, this);
    VpDistanceSM = Display(this);
    VpDistanceNM = Display(this);
    BuildForm([this](AngleRows& form) {
        form.Add("Distance above surface in Kilometers", VpDistanceKM);
        form.Add("Statute Miles", VpDistanceSM);
        form.Add("Nautical Miles", VpDistanceNM);
        NameField("VpDistanceKM", VpDistanceKM, [this](std::string_view digits) { VpDistanceKM->SetDigits(digits); });
        for (QWidget* w : {static_cast<QWidget*>(VpDistanceKM), static_cast<QWidget*>(VpDistanceSM),
                           static_cast<QWidget*>(VpDistanceNM)})
            SetFieldHelp(w, 2590);
        AddFieldCheck(VpDistanceKM, [this] { return VpDistanceKM_LostFocus(); });
    });
    VpDistanceSM->setMaximumWidth(VpDistanceKM->maximumWidth());
    VpDistanceNM->setMaximumWidth(VpDistanceKM->maximumWidth());
    connect(VpDistanceKM, &QLineEdit::textChanged, this, &LatLonBoundsVp::VpDistanceKM_Change);
    Form_Load();
}

void LatLonBoundsVp::Form_Load() {
    BeginLoad();
    FillShared();
    VpDistanceKM->SetDigits(Design().BoundsText[9]);
    VpDistanceKM_Change();
}

void LatLonBoundsVp::VpDistanceKM_Change() {
    const auto km = static_cast<double>(VpDistanceKM->Value());
    VpDistanceNM->setText(QString::fromStdString(GroupedEightDigits(km / kKmPerNauticalMile)));
    VpDistanceSM->setText(QString::fromStdString(GroupedEightDigits(km * kStatuteMilesPerKm)));
}

bool LatLonBoundsVp::VpDistanceKM_LostFocus() {
    if (VpDistanceKM->Value() >= 1) return true;
    const MsgAnswer answer = MsgBox("DISTANCE ABOVE SURFACE IN KILOMETERS must be >= 1.",
                                    "Error: Distance above surface", MsgButtons::RetryCancel, MsgIcon::Exclamation);
    if (answer == MsgAnswer::Retry) VpDistanceKM->setFocus(Qt::OtherFocusReason);
    else VpDistanceKM->SetDigits(Design().BoundsText[9]);
    return false;
}

void LatLonBoundsVp::StoreOwnField(DesignState& d) { d.BoundsText[9] = VpDistanceKM->PaddedDigits(); }

}  // namespace tlrx
