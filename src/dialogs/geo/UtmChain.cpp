#include "dialogs/geo/UtmChain.h"

#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/DesignState.h"
#include "core/Errors.h"
#include "core/ProjParams.h"
#include "core/Utm.h"
#include "core/UtmGrid.h"
#include "dialogs/common/AngleField.h"
#include "dialogs/common/DigitField.h"
#include "dialogs/geo/AngleRows.h"

namespace tlrx {

const std::array<std::string_view, 9> kUtmSpheroids = {
    "Airy 1830",          "Everest 1830",   "Bessel 1841",     "Clarke 1866", "Clarke 1880",
    "International 1924", "Krasovsky 1940", "Australian 1965", "WGS84 1984",
};

std::string ScaleFactorText(const DigitField& field) {
    std::string whole = field.GroupDigits(0);
    std::string fraction = field.GroupDigits(1);
    if (whole.empty()) whole.push_back('0');
    fraction.resize(4, '0');
    return whole + "." + fraction;
}

void ShowScaleFactor(DigitField& field, std::string_view text) {
    const size_t point = text.find_first_of(".,");
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? std::string_view{} : text.substr(point + 1);
    field.SetGroups({std::string(whole), std::string(fraction)});
}

// ---- UtmSpheroid ----

UtmSpheroid::UtmSpheroid(QWidget* parent, std::function<void()> restoreOpener)
    : DialogBase(parent, "UtmSpheroid", HelpContextID), restoreOpener_(std::move(restoreOpener)) {
    setWindowTitle(QStringLiteral("Select UTM Spheroid"));
    Ellipsoid = new QListWidget(this);
    QBoxLayout* buttons = AddButtonRow(OK, Cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Ellipsoid);
    layout->addLayout(buttons);
    connect(OK, &QPushButton::clicked, this, &UtmSpheroid::OK_Click);
    connect(Cancel, &QPushButton::clicked, this, &UtmSpheroid::Cancel_Click);
    connect(Ellipsoid, &QListWidget::itemDoubleClicked, this, &UtmSpheroid::OK_Click);
    FinishControls();
    Form_Load();
}

void UtmSpheroid::Form_Load() {
    BeginEdit();
    adjustSize();
    PlaceAt(1005, 720);
    int selected = 0;
    for (size_t i = 0; i < kUtmSpheroids.size(); ++i) {
        const std::string_view name = kUtmSpheroids[i];
        Ellipsoid->addItem(QStringLiteral(" ") + QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
        if (name == Design().UtmSpheroidName) selected = static_cast<int>(i);
    }
    Ellipsoid->setCurrentRow(selected);
}

void UtmSpheroid::SaveCopy() {
    const DesignState& d = Design();
    copy_ = {
        d.UtmSpheroidName,  d.UtmText,        d.CentLonSec,  d.CentLatSec,       d.CentralMeridian, d.CentLon,
        d.CentLat,          d.CentLonText,    d.CentLatText, d.UtmSemiMajorAxis, d.UtmFlattening,   d.UtmFalseEasting,
        d.UtmFalseNorthing, d.UtmScaleFactor, d.UtmEccSq,    d.UtmEccPrimeSq,    d.UtmArcA0,        d.UtmArcB1,
        d.UtmArcB2,         d.UtmArcB3,       d.UtmM0};
}

void UtmSpheroid::RestoreCopy() {
    DesignState& d = Design();
    d.DialogCancelled = false;
    d.UtmSpheroidName = copy_.spheroidName;
    d.UtmText = copy_.texts;
    d.CentLonSec = copy_.centLonSec;
    d.CentLatSec = copy_.centLatSec;
    d.CentralMeridian = copy_.centralMeridian;
    d.CentLon = copy_.centLon;
    d.CentLat = copy_.centLat;
    d.CentLonText = copy_.centLonText;
    d.CentLatText = copy_.centLatText;
    d.UtmSemiMajorAxis = copy_.semiMajorAxis;
    d.UtmFlattening = copy_.flattening;
    d.UtmFalseEasting = copy_.falseEasting;
    d.UtmFalseNorthing = copy_.falseNorthing;
    d.UtmScaleFactor = copy_.scaleFactor;
    d.UtmEccSq = copy_.eccSq;
    d.UtmEccPrimeSq = copy_.eccPrimeSq;
    d.UtmArcA0 = copy_.arcA0;
    d.UtmArcB1 = copy_.arcB1;
    d.UtmArcB2 = copy_.arcB2;
    d.UtmArcB3 = copy_.arcB3;
    d.UtmM0 = copy_.m0;
    if (restoreOpener_) restoreOpener_();
}

void UtmSpheroid::OK_Click() {
    const QListWidgetItem* item = Ellipsoid->currentItem();
    if (!item) return;
    Design().UtmSpheroidName = item->text().trimmed().toStdString();
    UtmParameters parameters(*this);
    parameters.exec();
    OK_GotFocus();
}

void UtmSpheroid::OK_GotFocus() { ChainReturned(); }

void UtmSpheroid::Cancel_Click() { reject(); }

// ---- UtmParameters ----

UtmParameters::UtmParameters(UtmSpheroid& spheroid)
    : DialogBase(&spheroid, "UtmParameters", HelpContextID), spheroid_(spheroid) {
    setWindowTitle(QStringLiteral("Select UTM Parameters"));
    UtmLonCentral = new AngleField(AngleKind::Longitude, this);
    UtmLatOrigin = new AngleField(AngleKind::Latitude, this);
    UtmEasting = DigitField::Grouped({1, 3, 3}, this);
    UtmNorthing = DigitField::Grouped({2, 3, 3}, this);
    UtmScale = DigitField::Scale(this);

    AngleRows form(*this);
    form.Add("Central longitude of UTM zone", UtmLonCentral);
    form.Add("Latitude of map origin", UtmLatOrigin);
    form.Add("False easting (meters)", UtmEasting);
    form.Add("False northing (meters)", UtmNorthing);
    form.Add("Scale factor of central longitude", UtmScale);
    form.Finish(OK, Cancel);

    NameField("UtmLonCentral", UtmLonCentral);
    NameField("UtmLatOrigin", UtmLatOrigin);
    SetFieldHelp(UtmLonCentral, 2650);
    SetFieldHelp(UtmLatOrigin, 2660);
    SetFieldHelp(UtmEasting, 2670);
    SetFieldHelp(UtmNorthing, 2680);
    SetFieldHelp(UtmScale, 2690);
    UtmLonCentral->SetCheck("Error: Central longitude", [] { return Design().UtmText[0]; });
    UtmLatOrigin->SetCheck("Error: Latitude of map origin", [] { return Design().UtmText[1]; });
    AddFieldCheck(UtmLonCentral, [this] { return UtmLonCentral->Check(); });
    AddFieldCheck(UtmLatOrigin, [this] { return UtmLatOrigin->Check(); });

    connect(OK, &QPushButton::clicked, this, &UtmParameters::OK_Click);
    connect(Cancel, &QPushButton::clicked, this, &UtmParameters::Cancel_Click);
    FinishControls();
    Form_Load();
}

void UtmParameters::Form_Load() {
    BeginEdit();
    adjustSize();
    PlaceFrom(spheroid_, 390, 390);
    const DesignState& d = Design();
    UtmLonCentral->SetText(d.UtmText[0]);
    UtmLatOrigin->SetText(d.UtmText[1]);
    UtmEasting->SetDigits(d.UtmText[2]);
    UtmNorthing->SetDigits(d.UtmText[3]);
    ShowScaleFactor(*UtmScale, d.UtmText[4]);
}

void UtmParameters::SaveCopy() {
    const DesignState& d = Design();
    for (size_t i = 0; i < copy_.size(); ++i) copy_[i] = d.UtmText[i];
}

void UtmParameters::RestoreCopy() {
    DesignState& d = Design();
    d.DialogCancelled = false;
    for (size_t i = 0; i < copy_.size(); ++i) d.UtmText[i] = copy_[i];
}

void UtmParameters::OK_Click() {
    if (!CheckAllFields()) return;
    DesignState& d = Design();
    d.UtmText[0] = UtmLonCentral->Text();
    d.UtmText[1] = UtmLatOrigin->Text();
    d.UtmText[2] = UtmEasting->PaddedDigits();
    d.UtmText[3] = UtmNorthing->PaddedDigits();
    d.UtmText[4] = ScaleFactorText(*UtmScale);
    CalcUtmZone();
    d.DialogCancelled = false;
    UtmCoords coords(spheroid_);
    coords.exec();
    OK_GotFocus();
}

void UtmParameters::OK_GotFocus() {
    // The middle dialog leaves the flag set for the spheroid dialog.
    if (Design().CloseDialogChain) accept();
}

void UtmParameters::Cancel_Click() { reject(); }

// ---- UtmCoords ----

UtmCoords::UtmCoords(UtmSpheroid& spheroid) : DialogBase(&spheroid, "UtmCoords", HelpContextID), spheroid_(spheroid) {
    setWindowTitle(QStringLiteral("UTM Projection Boundaries"));
    UtmLatN = DigitField::Grouped({2, 3, 3}, this);
    UtmLatS = DigitField::Grouped({2, 3, 3}, this);
    UtmLatGrid = DigitField::Grouped({2, 3, 3}, this);
    UtmLonW = DigitField::Grouped({1, 3, 3}, this);
    UtmLonE = DigitField::Grouped({1, 3, 3}, this);
    UtmLonGrid = DigitField::Grouped({1, 3, 3}, this);

    struct Row {
        const char* name;
        const char* label;
        uint32_t help;
    };
    const Row rows[] = {
        {"UtmLatN", "Northern boundary of map", 2700},
        {"UtmLatS", "Southern boundary of map", 2710},
        {"UtmLatGrid", "Meters between north/south grid marks", 2720},
        {"UtmLonW", "Western boundary of map", 2740},
        {"UtmLonE", "Eastern boundary of map", 2750},
        {"UtmLonGrid", "Meters between east/west grid marks", 2760},
    };
    AngleRows form(*this, "Meters");
    const std::array<DigitField*, 6> fields = Fields();
    for (size_t i = 0; i < fields.size(); ++i) {
        DigitField* field = fields[i];
        form.Add(rows[i].label, field);
        NameField(rows[i].name, field, [field](std::string_view digits) { field->SetDigits(digits); });
        SetFieldHelp(field, rows[i].help);
    }
    form.Finish(OK, Cancel);
    connect(OK, &QPushButton::clicked, this, &UtmCoords::OK_Click);
    connect(Cancel, &QPushButton::clicked, this, &UtmCoords::Cancel_Click);
    FinishControls();
    Form_Load();
}

void UtmCoords::Form_Load() {
    DesignState& d = Design();
    d.CloseDialogChain = false;
    adjustSize();
    PlaceFrom(spheroid_, 780, 780);
    copy_ = d.UtmText;
    const std::array<DigitField*, 6> fields = Fields();
    for (size_t i = 0; i < fields.size(); ++i) fields[i]->SetDigits(d.UtmText[i + 5]);
}

void UtmCoords::OK_Click() {
    DesignState& d = Design();
    const std::array<DigitField*, 6> fields = Fields();
    for (size_t i = 0; i < fields.size(); ++i) d.UtmText[i + 5] = fields[i]->PaddedDigits();
    CalcUtmGrid(copy_);
    if (d.CalcError) {
        // The computation has shown its box and seen to the fields.
        d.CalcError = false;
        return;
    }
    ParamSelect();
    d.CloseDialogChain = true;
    accept();
}

void UtmCoords::done(int result) {
    DesignState& d = Design();
    if (!d.CloseDialogChain)
        for (size_t i = 5; i < copy_.size(); ++i) d.UtmText[i] = copy_[i];
    DialogBase::done(result);
}

void UtmCoords::Cancel_Click() { reject(); }

}  // namespace tlrx
