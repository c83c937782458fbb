#include "dialogs/geo/LatLonInterrupt.h"

#include <QApplication>
#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "core/AngleText.h"
#include "core/DesignState.h"
#include "core/Errors.h"
#include "core/ProjParams.h"
#include "core/Projection.h"
#include "dialogs/common/AngleField.h"
#include "platform/MessageBox.h"

namespace tlrx {

namespace {

const QColor kGrey(128, 128, 128);

// The first edge and the last (the eastern boundary) of a hemisphere.
struct Span {
    int a, b;
};
Span Northern(int north) { return {1, north + 1}; }
Span Southern(int north, int south) { return {north + 3, north + 3 + south}; }

int CheckHemisphere(const LobeEdges& e, Span s, int southern) {
    const DesignState& d = Design();
    if (s.a == s.b) return 0;
    const int32_t base = e.seconds[static_cast<size_t>(s.a - 1)];
    int32_t previous = 0;
    for (int j = s.a; j <= s.b; ++j) {
        const int32_t sec = e.seconds[static_cast<size_t>(j)];
        int32_t offset = sec - base + (base > sec ? d.ArcSec360 : 0);
        if (j == s.b && d.LonWestSec == d.LonEastSec) offset = d.ArcSec360;
        const int k = j == s.b ? 4 : j - s.a + 1;
        int code = 0;
        if (offset > d.FrameEastSec) code = k;
        else if (offset < previous) code = 4 + k;
        else if (offset == previous) code = 8 + k;
        else if (d.LonSpacingSec != 0 && (offset - previous) % d.LonSpacingSec != 0) code = 12 + k;
        if (code != 0) return code + southern;
        previous = offset;
    }
    return 0;
}

void OffsetsOfHemisphere(const LobeEdges& e, Span s, std::array<double, 10>& offsets) {
    DesignState& d = Design();
    if (s.a == s.b) {
        offsets[static_cast<size_t>(s.a)] = 0;
        return;
    }
    // The edges unwrapped eastwards from the western boundary.
    const double west = e.degrees[0];
    double previous = west;
    bool wrapped = false;
    for (int j = s.a; j <= s.b; ++j) {
        const auto i = static_cast<size_t>(j);
        if (e.degrees[i - 1] > e.degrees[i]) wrapped = true;
        const double edge = e.degrees[i] + (wrapped ? 360 : 0);
        d.ProjInLat = 0;
        d.ProjInLon = (edge + previous) / 2 - west;
        ProjectDesignPoint();
        offsets[i] = d.ProjOutX;
        previous = edge;
    }
}

constexpr std::string_view kParagraphA =
    "As you view the interrupted projection, the longitude of each interruption\n"
    "should lie east (to the right) of the previous interruption; or, in the case\n"
    "of the first interruption, east (to the right) of the left (western)\n"
    "map boundary.";
constexpr std::string_view kParagraphB =
    "As you view the interrupted projection, the longitude of each interruption\n"
    "should lie east (to the right) of the previous interruption; or, in the case\n"
    "of the first interruption, east (to the right) of the left (western) map\n"
    "boundary.";

std::string Numbered(int k) { return "#" + std::to_string(k); }

}  // namespace

int LonInterruptErrors(const LobeEdges& edges, int north, int south) {
    if (const int code = CheckHemisphere(edges, Northern(north), 0)) return code;
    return CheckHemisphere(edges, Southern(north, south), 20);
}

void LonInterruptOffset(const LobeEdges& edges, int north, int south, std::array<double, 10>& offsets) {
    OffsetsOfHemisphere(edges, Northern(north), offsets);
    OffsetsOfHemisphere(edges, Southern(north, south), offsets);
}

InterruptError InterruptErrorMessage(int code, int north, int south) {
    const bool southern = code > 20;
    const std::string h = southern ? "Southern" : "Northern";
    const int test = (code % 20 - 1) / 4;  // 0 outside, 1 west, 2 equal, 3 spacing
    const int k = (code % 20 - 1) % 4 + 1;
    const std::string lon = "Interrupted longitude " + Numbered(k) + " in the " + h + " hemisphere";
    const std::string previous = "interrupted longitude " + Numbered(k - 1) + ".";
    std::string text;
    int focus = k - 1;
    if (k == 4) {
        // Only equality can fault the eastern boundary.
        text = "The last interrupted longitude in the " + h +
               " hemisphere equals the\n"
               "right (eastern) map boundary.\n\n" +
               std::string(kParagraphB);
        focus = (southern ? south : north) - 1;
    } else if (test == 0) {
        text = lon + " lies outside the\nmap boundaries.\n\n" + std::string(kParagraphA);
    } else if (test == 1) {
        text = k == 1
                   ? lon + " is west (to the left)\nof the left (western) map boundary.\n\n" + std::string(kParagraphA)
                   : lon + " is west (to the left)\nof " + previous + "\n\n" + std::string(kParagraphB);
    } else if (test == 2) {
        text = k == 1 ? lon + " equals the left\n(western) map boundary.\n\n" + std::string(kParagraphA)
                      : lon + " equals\n" + previous + "\n\n" + std::string(kParagraphB);
    } else {
        const std::string first = "In the " + h + " hemisphere, the longitude difference between interrupted\n";
        text = k == 1 ? first +
                            "longitude #1 and the left (western) map boundary does not yield an integral\n"
                            "number of divisions when divided by the GRID SPACING."
                      : first + "longitude " + Numbered(k) + " and interrupted longitude " + Numbered(k - 1) +
                            " does not yield an integral number\nof divisions when divided by the GRID SPACING.";
    }
    return {"Interrupted Longitude Error " + std::to_string(code), text, focus + (southern ? 3 : 0)};
}

LatLonInterrupt::LatLonInterrupt(QWidget& opener)
    : DialogBase(&opener, "LatLonInterrupt", HelpContextID), opener_(opener) {
    setWindowTitle(QStringLiteral("Longitudes of Projection Interruptions"));
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    auto* grid = new QGridLayout;
    const auto label = [&](const char* text, int row, int column, bool grey = false) {
        auto* l = new QLabel(QString::fromLatin1(text), this);
        if (grey) {
            QPalette p = l->palette();
            p.setColor(QPalette::WindowText, kGrey);
            l->setPalette(p);
        }
        grid->addWidget(l, row, column);
        return l;
    };
    const auto display = [&](AngleKind kind, int row, int column) {
        auto* field = new AngleField(kind, this);
        field->setReadOnly(true);
        field->setFocusPolicy(Qt::NoFocus);
        grid->addWidget(field, row, column);
        return field;
    };
    label("Northern Hemisphere Interruptions", 0, 1);
    label("Southern Hemisphere Interruptions", 0, 2);
    label("Number of interruptions", 1, 0);
    for (size_t h = 0; h < 2; ++h) {
        NumInterrupt[h] = new QSpinBox(this);
        NumInterrupt[h]->setRange(0, 3);
        NumInterrupt[h]->setSingleStep(1);
        SetFieldHelp(NumInterrupt[h], 3510);
        grid->addWidget(NumInterrupt[h], 1, static_cast<int>(h) + 1, Qt::AlignLeft);
    }
    for (int column = 1; column <= 2; ++column) {
        auto* headings = new QLabel(QStringLiteral("DDD    MM    SS    H"), this);
        headings->setFont(fixed);
        headings->setIndent(4);
        grid->addWidget(headings, 2, column);
    }
    label("Left boundary", 3, 0, true);
    LonW1 = display(AngleKind::Longitude, 3, 1);
    LonW2 = display(AngleKind::Longitude, 3, 2);
    for (size_t k = 0; k < 3; ++k) {
        InterruptLabel[k] = label(("Interruption #" + std::to_string(k + 1)).c_str(), 4 + static_cast<int>(k), 0);
    }
    // Created northern first, so that Tab and OK's checks take them in that order.
    for (size_t i = 0; i < 6; ++i) {
        AngleField* field = LonInt[i] = new AngleField(AngleKind::Longitude, this);
        grid->addWidget(field, 4 + static_cast<int>(i % 3), i < 3 ? 1 : 2);
        const bool south = i >= 3;
        const std::string title = "Error: Interrupted longitude #" + std::to_string(south ? i - 2 : i + 1) + " in " +
                                  (south ? "Southern" : "Northern") + " hemisphere";
        field->SetCheck(title, [i] { return Design().InterruptText[i + 3]; });
        SetFieldHelp(field, 3520);
        NameField("LonInt" + std::to_string(i), field);
        // A disabled field takes no part in the map.
        AddFieldCheck(field, [field] { return !field->isEnabled() || field->Check(); });
    }
    label("Right boundary", 7, 0, true);
    LonE1 = display(AngleKind::Longitude, 7, 1);
    LonE2 = display(AngleKind::Longitude, 7, 2);
    label("Grid Spacing", 8, 0, true);
    LonGrid1 = display(AngleKind::LonSpacing, 8, 1);
    LonGrid2 = display(AngleKind::LonSpacing, 8, 2);

    auto* hint = new QLabel(
        QStringLiteral("Move within a line using cursor keys or mouse.  Move between lines with TAB key or mouse."),
        this);
    hint->setWordWrap(true);
    QBoxLayout* buttons = AddButtonRow(OK, Cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(hint);
    layout->addLayout(buttons);

    for (size_t h = 0; h < 2; ++h)
        connect(NumInterrupt[h], &QSpinBox::valueChanged, this,
                [this, h] { NumInterrupt_Change(static_cast<int>(h)); });
    connect(OK, &QPushButton::clicked, this, &LatLonInterrupt::OK_Click);
    connect(Cancel, &QPushButton::clicked, this, &LatLonInterrupt::Cancel_Click);
    FinishControls();
    Form_Load();
}

void LatLonInterrupt::Form_Load() {
    DesignState& d = Design();
    d.CloseDialogChain = false;
    BeginEdit();
    adjustSize();
    PlaceFrom(opener_, 390, 390);

    std::array<std::string, 10>& t = d.InterruptText;
    t[2] = d.BoundsText[3];
    t[9] = d.BoundsText[4];
    if (!Item(d.ProjDefined, d.ProjCode)) {
        t[0] = t[1] = "2";
        t[3] = "100    00    00    E";
        t[4] = "100    00    00    W";
        t[5] = "000    00    00    W";
        t[6] = "140    00    00    E";
        t[7] = "070    00    00    W";
        t[8] = "000    00    00    W";
    }
    LonW1->SetText(d.BoundsText[3]);
    LonW2->SetText(d.BoundsText[3]);
    LonE1->SetText(d.BoundsText[4]);
    LonE2->SetText(d.BoundsText[4]);
    LonGrid1->SetText(d.BoundsText[5]);
    LonGrid2->SetText(d.BoundsText[5]);
    for (size_t h = 0; h < 2; ++h) {
        const auto count = static_cast<int>(DmsFieldValue(t[h], 1, static_cast<int>(t[h].size())));
        const QSignalBlocker quiet(NumInterrupt[h]);
        NumInterrupt[h]->setValue(std::clamp(count, 0, 3));
    }
    for (size_t i = 0; i < 6; ++i) LonInt[i]->SetText(t[i + 3]);
    NumInterrupt_Change(0);
    NumInterrupt_Change(1);
}

void LatLonInterrupt::NumInterrupt_Change(int index) {
    const auto h = static_cast<size_t>(index);
    for (int k = 1; k <= 3; ++k) LonInt[h * 3 + static_cast<size_t>(k) - 1]->setEnabled(NumInterrupt[h]->value() >= k);
    for (size_t k = 0; k < 3; ++k) {
        const bool used = LonInt[k]->isEnabled() || LonInt[k + 3]->isEnabled();
        QPalette p = InterruptLabel[k]->palette();
        p.setColor(QPalette::WindowText, used ? QApplication::palette().color(QPalette::WindowText) : kGrey);
        InterruptLabel[k]->setPalette(p);
    }
}

void LatLonInterrupt::SaveCopy() { copy_ = Design().InterruptText; }

void LatLonInterrupt::RestoreCopy() {
    DesignState& d = Design();
    d.DialogCancelled = false;
    d.SubDialogPending = false;
    d.InterruptText = copy_;
}

LobeEdges LatLonInterrupt::BuildEdges() const {
    const DesignState& d = Design();
    LobeEdges e;
    e.degrees = d.LobeEdge;
    e.texts = d.LobeEdgeText;
    e.seconds = d.LobeEdgeSec;
    size_t n = 0;
    const auto append = [&](double degrees, const std::string& text) {
        ++n;
        e.degrees[n] = degrees;
        e.texts[n] = text;
    };
    for (size_t i = 0; i < 6; ++i) {
        if (i == 3) {
            append(d.LonEast, d.InterruptText[9]);
            append(d.LonWest, d.InterruptText[2]);
        }
        if (LonInt[i]->isEnabled()) append(LonInt[i]->Value(), LonInt[i]->Text());
    }
    e.degrees[0] = d.LonWest;
    e.texts[0] = d.InterruptText[2];
    append(d.LonEast, d.InterruptText[9]);
    for (size_t i = 0; i <= n; ++i) e.seconds[i] = LonTextToSec(e.texts[i]);
    return e;
}

void LatLonInterrupt::OK_Click() {
    if (!CheckAllFields()) return;
    const int north = NumInterrupt[0]->value();
    const int south = NumInterrupt[1]->value();
    const LobeEdges edges = BuildEdges();
    if (const int code = LonInterruptErrors(edges, north, south)) {
        const InterruptError error = InterruptErrorMessage(code, north, south);
        MsgBox(error.text, error.title, MsgButtons::Ok, MsgIcon::Exclamation);
        LonInt[static_cast<size_t>(std::clamp(error.focus, 0, 5))]->setFocus(Qt::OtherFocusReason);
        return;
    }

    DesignState& d = Design();
    LonInterruptOffset(edges, north, south, d.LobeOffset);
    d.LobeEdge = edges.degrees;
    d.LobeEdgeText = edges.texts;
    d.LobeEdgeSec = edges.seconds;
    d.InterruptText[0] = std::to_string(north);
    d.InterruptText[1] = std::to_string(south);
    for (size_t i = 0; i < 6; ++i) d.InterruptText[i + 3] = LonInt[i]->Text();
    d.StdParProjCode = d.ProjCode;
    if (d.SubDialogPending) {
        d.SubDialogPending = false;
        d.CloseDialogChain = true;
    }
    ParamSelect();
    Item(d.ProjDefined, d.ProjCode) = true;
    AcceptEdit();
}

void LatLonInterrupt::Cancel_Click() { reject(); }

}  // namespace tlrx
