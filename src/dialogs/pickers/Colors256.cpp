#include "dialogs/pickers/Colors256.h"

#include <QLabel>
#include <QMouseEvent>

#include "core/DesignState.h"
#include "core/Palette.h"
#include "dialogs/pickers/ColorGrid.h"
#include "dialogs/pickers/Pickers.h"
#include "platform/ScreenMetrics.h"

namespace tlrx {

namespace {

// What each target gives the picker: caption, help topic and the place
// beside the opener in twips (target 3 is centred on the screen).
struct TargetLook {
    int16_t target;
    const char* caption;
    uint32_t help;
    int left;
    int top;
};

constexpr TargetLook kTargets[] = {
    {TargetGreatCircle, "Great Circle Color", 2800, 0, 450},
    {TargetSmallCircle, "Small Circle Color", 3350, 2550, 450},
    {TargetBackground, "Background Color", 380, 0, 0},
    {TargetGrid, "Grid Color", 2070, 300, 450},
    {TargetGeofeature, "Geofeature Color", 3430, 6030, 1800},
};

const TargetLook* LookOf(int16_t target) {
    for (const TargetLook& t : kTargets)
        if (t.target == target) return &t;
    return nullptr;
}

// The inner sizes in twips: the outer heights (4770, or 4380 for a feature
// colour) less the caption and borders.
constexpr int kInnerWidth = 3360;
constexpr int kCaptionTwips = 390;
constexpr int kSquareLeft = 45;

int Pixels(int twips, float perPixel) { return static_cast<int>(twips / perPixel); }

}  // namespace

Colors256::Colors256(QWidget* opener, GeofeatureColorHost* geofeature)
    : DialogBase(opener, "Colors256", LookOf(Design().ColorTarget) ? LookOf(Design().ColorTarget)->help : 0),
      target_(Design().ColorTarget),
      geofeature_(geofeature) {
    Label1 = new QLabel(this);
    ColorSquare = new ColorGrid(this);
    setMouseTracking(true);
    Label1->setMouseTracking(true);
    connect(ColorSquare, &ColorGrid::CellClicked, this, &Colors256::ColorSquare_Click);
    FinishControls();
    Form_Load(opener);
    Form_Activate();
}

void Colors256::Form_Load(QWidget* opener) {
    const DesignState& d = Design();
    const float tx = d.TwipsPerPixelX > 0 ? d.TwipsPerPixelX : GetScreenInfo().twipsPerPixelX;
    const float ty = d.TwipsPerPixelY > 0 ? d.TwipsPerPixelY : GetScreenInfo().twipsPerPixelY;
    const TargetLook* look = LookOf(target_);
    const bool feature = target_ == TargetGeofeature;

    setWindowTitle(QString::fromUtf8(look ? look->caption : "Select Color"));
    Label1->setText(feature ? QStringLiteral("     Click on a color to select.")
                            : QStringLiteral("Click on a color to select.  Redraw\nthe map to display the new color."));
    const int squareTop = feature ? 600 : 990;
    const int outerHeight = feature ? 4380 : 4770;
    Label1->setGeometry(Pixels(180, tx), Pixels(195, ty), Pixels(3060, tx), Pixels(765, ty));
    ColorSquare->move(Pixels(kSquareLeft, tx), Pixels(squareTop, ty));
    setFixedSize(Pixels(kInnerWidth, tx), Pixels(outerHeight - kCaptionTwips, ty));

    if (look && target_ != TargetBackground && opener) PlaceFrom(*opener->window(), look->left, look->top);
    else CenterOnScreen();
    ColorSquare->HideHover();
}

void Colors256::Form_Activate() {
    DesignState& d = Design();
    switch (target_) {
    case TargetGreatCircle: ColorSquare->ShowPreviousColor(d.GcColorIndex); break;
    case TargetSmallCircle: ColorSquare->ShowPreviousColor(d.ScColorIndex); break;
    case TargetBackground: ColorSquare->ShowPreviousColor(d.BackColorIndex); break;
    case TargetGrid: ColorSquare->ShowPreviousColor(d.GridColorIndex); break;
    case TargetGeofeature: {
        // Without a match the index of the previous search stays marked.
        const int found = geofeature_ ? PaletteIndexOf(geofeature_->SwatchColor()) : -1;
        if (found >= 0) d.GeoColorIndex = static_cast<int16_t>(found);
        ColorSquare->ShowPreviousColor(d.GeoColorIndex);
        break;
    }
    default: break;
    }
}

void Colors256::ColorSquare_Click(int cell) {
    if (cell < 0 || cell >= kPaletteSize) return;
    DesignState& d = Design();
    const int32_t color = PaletteColors()[static_cast<size_t>(cell)];
    const auto index = static_cast<int16_t>(cell);
    switch (target_) {
    case TargetGreatCircle: d.GcColor = color, d.GcColorIndex = index; break;
    case TargetSmallCircle: d.ScColor = color, d.ScColorIndex = index; break;
    case TargetBackground: d.BackColor = color, d.BackColorIndex = index; break;
    case TargetGrid: d.GridColor = color, d.GridColorIndex = index; break;
    case TargetGeofeature:
        // Feature colours carry the near-black in place of black, as the
        // feature defaults do.
        if (geofeature_) geofeature_->ApplyPickedColor(color == kPaletteFlag ? kNearBlack : color);
        break;
    default: break;
    }
    accept();
}

void Colors256::Form_KeyUp(int keyCode) {
    // A target without a caption of its own has no help topic.
    if (HelpTopic() != 0) DialogBase::Form_KeyUp(keyCode);
}

void Colors256::mouseMoveEvent(QMouseEvent* event) {
    ColorSquare->HideHover();
    DialogBase::mouseMoveEvent(event);
}

}  // namespace tlrx
