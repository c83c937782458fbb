#include "dialogs/geo/GCircleEnds.h"

#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>

#include "core/AngleText.h"
#include "core/DesignState.h"
#include "core/GreatCircle.h"
#include "dialogs/common/AngleField.h"
#include "dialogs/geo/AngleRows.h"
#include "dialogs/geo/DesignParts.h"
#include "platform/MessageBox.h"

namespace tlrx {

namespace {

constexpr std::string_view kPoleTitle = "Error: Starting, ending longitudes must be equal";

// The pole rule's message; its closing lines depend on where it runs. Lines
// are joined by a carriage return alone, as the message was written; the
// message box shows each one on a line of its own.
std::string PoleMessage(std::string_view closing) {
    return "When one or both of the endpoints is a pole (90°N/S),\r"
           "the shortest distance on the globe is along a meridian.\r\r"
           "In other words, the starting and ending longitudes\r"
           "must be identical, when one of the endpoints is a pole.\r\r"
           "The LONGITUDES you have entered are NOT EQUAL.\r\r" +
           std::string(closing);
}

// Degrees of a stored latitude or longitude text, south and west negative.
double TextDegrees(const std::string& text, bool longitude) {
    const int d = longitude ? 3 : 2;
    const double value =
        DmsFieldValue(text, 1, d) + DmsFieldValue(text, d + 5, 2) / 60 + DmsFieldValue(text, d + 11, 2) / 3600;
    const size_t letter = longitude ? 19 : 18;
    const char south = longitude ? 'W' : 'S';
    return text.size() > letter && text[letter] == south ? -value : value;
}

}  // namespace

GCircleEnds::GCircleEnds(QWidget* parent) : DialogBase(parent, "GCircleEnds", HelpContextID) {
    setWindowTitle(QStringLiteral("Select Endpoints of Great Circle"));
    LatN = new AngleField(AngleKind::Latitude, this);
    LonW = new AngleField(AngleKind::Longitude, this);
    LatS = new AngleField(AngleKind::Latitude, this);
    LonE = new AngleField(AngleKind::Longitude, this);
    GCircleWidth = NumberSpin(1, 600, this);
    GcColor = new ColorBox(this, TargetGreatCircle, &DesignState::GcColor);

    struct Row {
        AngleField* field;
        const char* name;
        const char* label;
        const char* title;
        uint32_t help;
    };
    const Row rows[] = {
        {LatN, "LatN", "Starting latitude of great circle", "Error: Starting latitude", 2810},
        {LonW, "LonW", "Starting longitude of great circle", "Error: Starting longitude", 2820},
        {LatS, "LatS", "Ending latitude of great circle", "Error: Ending latitude", 2830},
        {LonE, "LonE", "Ending longitude of great circle", "Error: Ending longitude", 2840},
    };
    AngleRows form(*this);
    for (size_t i = 0; i < std::size(rows); ++i) {
        const Row& r = rows[i];
        form.Add(r.label, r.field);
        NameField(r.name, r.field);
        SetFieldHelp(r.field, r.help);
        r.field->SetCheck(r.title, [i] { return Design().GcEndText[i]; });
    }
    // The pole rule runs after the common checks whatever their answer, on
    // the text the field then holds. OK has a pole rule of its own: while it
    // runs, neither its field checks nor its moving the focus run this one.
    AddFieldCheck(LatN, [this] {
        const bool passed = LatN->Check();
        if (!inOk_) PoleRuleOnLeave(*LatN, "the correct starting latitude.");
        return passed;
    });
    AddFieldCheck(LonW, [this] { return LonW->Check(); });
    AddFieldCheck(LatS, [this] {
        const bool passed = LatS->Check();
        if (!inOk_) PoleRuleOnLeave(*LatS, "the correct ending latitude.");
        return passed;
    });
    AddFieldCheck(LonE, [this] { return LonE->Check(); });
    form.Add("Great Circle Line Width", GCircleWidth);
    form.Add("Great Circle Color", GcColor);
    SetFieldHelp(GCircleWidth, 2850);
    SetFieldHelp(GcColor->Picture, 2800);
    SetFieldHelp(GcColor->Spin, 2800);
    form.Finish(OK, Cancel);
    Cancel->setText(QStringLiteral("Cancel Great Circle"));

    connect(OK, &QPushButton::clicked, this, &GCircleEnds::OK_Click);
    connect(Cancel, &QPushButton::clicked, this, &GCircleEnds::Cancel_Click);
    FinishControls();
    Form_Load();
}

void GCircleEnds::Form_Load() {
    BeginEdit();
    adjustSize();
    PlaceAtTop(*this, 660);
    const DesignState& d = Design();
    const std::array<AngleField*, 4> fields = Fields();
    for (size_t i = 0; i < fields.size(); ++i) fields[i]->SetText(d.GcEndText[i]);
    GCircleWidth->setValue(PixelsOfTwips(d.GcLineWidth));
    GcColor->Fill(d.GcColor);
}

void GCircleEnds::SaveCopy() { copy_ = Design().GcEndText; }

void GCircleEnds::RestoreCopy() {
    DesignState& d = Design();
    d.GcEndText = copy_;
    d.GcDefined = false;
}

bool GCircleEnds::PoleFault(const AngleField& latitude) const {
    return latitude.PlainText().substr(0, 6) == "900000" && LonW->PlainText() != LonE->PlainText();
}

void GCircleEnds::PoleRuleOnLeave(AngleField& latitude, const char* closing) {
    if (!PoleFault(latitude)) return;
    MsgBox(PoleMessage(std::string("Press OK, change the longitudes, and then enter\r") + closing), kPoleTitle,
           MsgButtons::Ok, MsgIcon::Exclamation);
    latitude.SetText(Design().GcEndText[&latitude == LatN ? 0 : 2]);
}

void GCircleEnds::OK_Click() {
    inOk_ = true;
    const bool accepted = Accept();
    inOk_ = false;
    if (accepted) AcceptEdit();
}

bool GCircleEnds::Accept() {
    if (!CheckAllFields()) return false;
    DesignState& d = Design();
    if (PoleFault(*LatN) || PoleFault(*LatS)) {
        const MsgAnswer answer = MsgBox(PoleMessage("Press Retry, to correct the longitudes and/or latitudes.\r\r"
                                                    "Press Cancel, to restore the latitudes and longitudes to\r"
                                                    "their initial values."),
                                        kPoleTitle, MsgButtons::RetryCancel, MsgIcon::Exclamation);
        if (answer == MsgAnswer::Cancel) {
            const std::array<AngleField*, 4> fields = Fields();
            for (size_t i = 0; i < fields.size(); ++i) fields[i]->SetText(d.GcEndText[i]);
        }
        LonW->setFocus(Qt::OtherFocusReason);
        return false;
    }

    const std::array<AngleField*, 4> fields = Fields();
    for (size_t i = 0; i < fields.size(); ++i) d.GcEndText[i] = fields[i]->Text();
    d.GcStartLat = TextDegrees(d.GcEndText[0], false);
    d.GcStartLon = TextDegrees(d.GcEndText[1], true);
    d.GcEndLat = TextDegrees(d.GcEndText[2], false);
    d.GcEndLon = TextDegrees(d.GcEndText[3], true);
    // Both ends on the 180th meridian lie on the start's side of it (the
    // ends as a design stores them).
    SettleGreatCircleEnds(d);
    d.GcLineWidth = TwipsOfPixels(GCircleWidth->value());
    d.GcDefined = true;
    return true;
}

void GCircleEnds::Cancel_Click() { reject(); }

}  // namespace tlrx
