#include "dialogs/geo/SmallCircle.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <cstdio>

#include "core/AngleText.h"
#include "core/DesignState.h"
#include "core/SmallCircle.h"
#include "dialogs/common/AngleField.h"
#include "dialogs/geo/AngleRows.h"
#include "dialogs/geo/DesignParts.h"

namespace tlrx {

namespace {

constexpr double kKmPerNauticalMile = 1.8532488;
constexpr double kStatuteMilesPerNauticalMile = 1.8532488 * 0.621371192;

// A distance as "00000.0": five digits at least before the decimal sign.
std::string Distance(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%07.1f", value);
    std::string out(text);
    const QString point = QLocale().decimalPoint();
    const size_t dot = out.find('.');
    if (dot != std::string::npos) out.replace(dot, 1, point.toStdString());
    return out;
}

// Degrees of a stored text: latitude (2 degree places), longitude or radius
// (3); south and west negative.
double TextDegrees(const std::string& text, int degreePlaces) {
    const int d = degreePlaces;
    const double value =
        DmsFieldValue(text, 1, d) + DmsFieldValue(text, d + 5, 2) / 60 + DmsFieldValue(text, d + 11, 2) / 3600;
    const auto letter = static_cast<size_t>(d + 16);
    const bool negative = text.size() > letter && (text[letter] == 'S' || text[letter] == 'W');
    return negative ? -value : value;
}

QLineEdit* Display(QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setReadOnly(true);
    field->setMaximumWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("000000.00")) + 16);
    return field;
}

}  // namespace

RadiusDistances RadiusInMiles(std::string_view radiusText) {
    const double degrees = DmsFieldValue(radiusText, 1, 3) + DmsFieldValue(radiusText, 8, 2) / 60 +
                           DmsFieldValue(radiusText, 14, 2) / 3600;
    const double nm = degrees * 60;
    return {Distance(nm), Distance(nm * kStatuteMilesPerNauticalMile), Distance(nm * kKmPerNauticalMile)};
}

SmallCircle::SmallCircle(QWidget* parent) : DialogBase(parent, "SmallCircle", HelpContextID) {
    setWindowTitle(QStringLiteral("Select Center and Radius of Small Circle"));
    LatCenter = new AngleField(AngleKind::Latitude, this);
    LonCenter = new AngleField(AngleKind::Longitude, this);
    RadiusDeg = new AngleField(AngleKind::Radius, this);
    RadiusNM = Display(this);
    RadiusSM = Display(this);
    RadiusKM = Display(this);
    SCircleNum = NumberSpin(1, 10, this);
    SCircleWidth = NumberSpin(1, 600, this);
    ScColor = new ColorBox(this, TargetSmallCircle, &DesignState::ScColor);

    AngleRows form(*this);
    form.Add("Latitude of circle center", LatCenter);
    form.Add("Longitude of circle center", LonCenter);
    form.Add("_____ Radius of Outer Circle _____", new QWidget(this));
    form.Add("Degrees", RadiusDeg);
    form.Add("Nautical Miles", RadiusNM);
    form.Add("Statute Miles", RadiusSM);
    form.Add("Kilometers", RadiusKM);
    form.Add("Number of Concentric Circles", SCircleNum);
    form.Add("Small Circle Line Width", SCircleWidth);
    form.Add("Small Circle Color", ScColor);
    form.Finish(OK, Cancel);
    Cancel->setText(QStringLiteral("Cancel Small Circle"));

    NameField("LatCenter", LatCenter);
    NameField("LonCenter", LonCenter);
    NameField("RadiusDeg", RadiusDeg);
    SetFieldHelp(LatCenter, 3300);
    SetFieldHelp(LonCenter, 3310);
    for (QWidget* radius : {static_cast<QWidget*>(RadiusDeg), static_cast<QWidget*>(RadiusNM),
                            static_cast<QWidget*>(RadiusSM), static_cast<QWidget*>(RadiusKM)})
        SetFieldHelp(radius, 3320);
    SetFieldHelp(SCircleNum, 3340);
    SetFieldHelp(SCircleWidth, 3330);
    SetFieldHelp(ScColor->Picture, 3350);
    SetFieldHelp(ScColor->Spin, 3350);

    LatCenter->SetCheck("Error: Latitude of circle center", [] { return Design().ScText[0]; });
    LonCenter->SetCheck("Error: Longitude of circle center", [] { return Design().ScText[1]; });
    RadiusDeg->SetCheck("Error: Radius of circle in degrees", [] { return Design().ScText[2]; });
    AddFieldCheck(LatCenter, [this] { return LatCenter->Check(); });
    AddFieldCheck(LonCenter, [this] { return LonCenter->Check(); });
    // An accepted radius is stored at once: it is what a later Cancel in the
    // field puts back.
    AddFieldCheck(RadiusDeg, [this] {
        if (!RadiusDeg->Check()) return false;
        Design().ScText[2] = RadiusDeg->Text();
        ShowDistances(Design().ScText[2]);
        return true;
    });

    connect(RadiusDeg, &QLineEdit::textChanged, this, &SmallCircle::RadiusDeg_Change);
    connect(OK, &QPushButton::clicked, this, &SmallCircle::OK_Click);
    connect(Cancel, &QPushButton::clicked, this, &SmallCircle::Cancel_Click);
    FinishControls();
    Form_Load();
}

void SmallCircle::Form_Load() {
    BeginEdit();
    adjustSize();
    PlaceAtTop(*this, 660);
    const DesignState& d = Design();
    LatCenter->SetText(d.ScText[0]);
    LonCenter->SetText(d.ScText[1]);
    RadiusDeg->SetText(d.ScText[2]);
    ShowDistances(d.ScText[2]);
    SCircleWidth->setValue(PixelsOfTwips(d.ScLineWidth));
    SCircleNum->setValue(d.ScCount);  // a count below 1 shows 1
    ScColor->Fill(d.ScColor);
}

void SmallCircle::ShowDistances(std::string_view radiusText) {
    const RadiusDistances r = RadiusInMiles(radiusText);
    RadiusNM->setText(QString::fromStdString(r.nauticalMiles));
    RadiusSM->setText(QString::fromStdString(r.statuteMiles));
    RadiusKM->setText(QString::fromStdString(r.kilometres));
}

void SmallCircle::RadiusDeg_Change() { ShowDistances(RadiusDeg->Text()); }

void SmallCircle::SaveCopy() { copy_ = Design().ScText; }

void SmallCircle::RestoreCopy() {
    DesignState& d = Design();
    d.ScText = copy_;
    d.ScDefined = false;
    d.DialogCancelled = false;
}

void SmallCircle::OK_Click() {
    if (!CheckAllFields()) return;
    DesignState& d = Design();
    d.ScText = {LatCenter->Text(), LonCenter->Text(), RadiusDeg->Text()};
    d.ScCenterLat = TextDegrees(d.ScText[0], 2);
    d.ScCenterLon = TextDegrees(d.ScText[1], 3);
    d.ScRadius = TextDegrees(d.ScText[2], 3);
    d.ScLineWidth = TwipsOfPixels(SCircleWidth->value());
    d.ScCount = static_cast<int16_t>(SCircleNum->value());
    d.ScDefined = true;
    ScCalc();
    AcceptEdit();
}

void SmallCircle::Cancel_Click() { reject(); }

}  // namespace tlrx
