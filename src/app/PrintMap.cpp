#include "app/PrintMap.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdio>
#include <string>

#include "core/DesignState.h"
#include "core/Errors.h"
#include "core/NumberText.h"
#include "dialogs/common/LengthField.h"
#include "dialogs/common/PrintUnitsField.h"
#include "platform/Host.h"
#include "platform/MessageBox.h"
#include "plot/PlotState.h"
#include "plot/PrinterMetrics.h"

namespace tlrx {

namespace {

// Deep enough for every correction the rules make of each other's values; a
// deeper nesting would only repeat them.
constexpr int kMaxRuleDepth = 16;

// A limit as the refusals at OK show it: "8.05 " (no leading zeros, a
// blank before the unit word).
std::string LimitText(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f ", double(value));
    return QString::fromLatin1(text).replace(QStringLiteral("."), DecimalSeparator()).toStdString();
}

// Counts a field rule under way for as long as it runs.
class RuleScope {
public:
    explicit RuleScope(int& depth) : depth_(++depth) {}
    ~RuleScope() { --depth_; }
    bool TooDeep() const { return depth_ > kMaxRuleDepth; }

private:
    int& depth_;
};

}  // namespace

PrintMap::PrintMap(QWidget* parent) : DialogBase(parent, "PrintMap", HelpContextID) {
    setWindowTitle(QStringLiteral("Print Map"));
    const auto field = [this] { return NewLengthField(this); };

    MapOrientation = new QGroupBox(QStringLiteral("Paper Orientation"), this);
    Orientation = new QLabel(QStringLiteral("Portrait"), MapOrientation);
    (new QVBoxLayout(MapOrientation))->addWidget(Orientation);

    MapSize = new QGroupBox(QStringLiteral("Map Size (inch)"), this);
    WidthMap = field();
    HeightMap = field();
    HeightMap->setReadOnly(true);
    auto* size = new QFormLayout(MapSize);
    size->addRow(QStringLiteral("Width:"), WidthMap);
    size->addRow(QStringLiteral("Height:"), HeightMap);

    MapMargins = new QGroupBox(QStringLiteral("Map Margins (inch)"), this);
    LeftMap = field();
    TopMap = field();
    auto* margins = new QFormLayout(MapMargins);
    margins->addRow(QStringLiteral("Left:"), LeftMap);
    margins->addRow(QStringLiteral("Top:"), TopMap);

    MapCenter = new QGroupBox(QStringLiteral("Center Map"), this);
    HorizontalMap = new QCheckBox(QStringLiteral("Horizontally"), MapCenter);
    VerticalMap = new QCheckBox(QStringLiteral("Vertically"), MapCenter);
    auto* center = new QVBoxLayout(MapCenter);
    center->addWidget(HorizontalMap);
    center->addWidget(VerticalMap);

    MapUnits =
        new PrintUnitsField(this, PrintUnitsField::Order::InchesFirst, [this](bool inches) { MapUnits_Click(inches); });
    Inches = MapUnits->Inches;
    Centimeters = MapUnits->Centimeters;

    QBoxLayout* buttons = AddButtonRow(OK, Cancel, QStringLiteral("Print Map"));
    Label5 = new QLabel(this);
    Label5->setWordWrap(true);
    Label5->setMinimumWidth(420);

    auto* top = new QHBoxLayout;
    top->addWidget(MapOrientation);
    top->addWidget(MapUnits);
    auto* middle = new QHBoxLayout;
    middle->addWidget(MapSize);
    middle->addWidget(MapMargins);
    middle->addWidget(MapCenter);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(middle);
    layout->addWidget(Label5);
    layout->addLayout(buttons);

    // Connected after the masks are set, which write the fields too.
    connect(WidthMap, &QLineEdit::textChanged, this, &PrintMap::WidthMap_Change);
    connect(LeftMap, &QLineEdit::textChanged, this, &PrintMap::LeftMap_Change);
    connect(TopMap, &QLineEdit::textChanged, this, &PrintMap::TopMap_Change);
    connect(HorizontalMap, &QCheckBox::toggled, this, &PrintMap::HorizontalMap_Click);
    connect(VerticalMap, &QCheckBox::toggled, this, &PrintMap::VerticalMap_Click);
    connect(OK, &QPushButton::clicked, this, &PrintMap::OK_Click);
    AddFieldCheck(WidthMap, [this] { return WidthMap_Leave(); });
    connect(Cancel, &QPushButton::clicked, this, &PrintMap::Cancel_Click);

    FinishControls();
    Form_Load();
}

float PrintMap::WindowAspect() {
    const Host& window = MainWindow();
    const float ws = window.ScaleWidth();
    return ws > 0 ? window.ScaleHeight() / ws : 0.0f;
}

void PrintMap::Write(QLineEdit* field, const QString& text) {
    const RuleScope byProgram(programWrites_);
    field->setText(text);
}

void PrintMap::WriteMax(QLineEdit* field, float limit) {
    QString text = LengthFieldText(limit);
    if (LengthTextValue(text) > limit) text = LengthFieldText(limit - 0.005f);
    Write(field, text);
}

void PrintMap::WriteMin(QLineEdit* field, float limit) {
    QString text = LengthFieldText(limit);
    if (LengthTextValue(text) < limit) text = LengthFieldText(limit + 0.005f);
    Write(field, text);
}

bool PrintMap::MeasurePage() {
    try {
        GetPrnPageMetrics();
        return true;
    } catch (const RuntimeError& e) {
        ShowProcError("PrintMap", e.what());
        return false;
    }
}

void PrintMap::SetUnitCaptions(bool inches) {
    const QString unit = PrintUnitsField::UnitName(inches);
    MapSize->setTitle(QStringLiteral("Map Size (") + unit + QStringLiteral(")"));
    MapMargins->setTitle(QStringLiteral("Map Margins (") + unit + QStringLiteral(")"));
}

void PrintMap::SaveCopy() {
    const PlotState& p = Plot();
    copy_ = {p.PrinterUnits, p.PrnMapWidth, p.PrnMapLeft, p.PrnMapTop};
}

void PrintMap::RestoreCopy() {
    PlotState& p = Plot();
    p.PrinterUnits = copy_.PrinterUnits;
    p.PrnMapWidth = copy_.PrnMapWidth;
    p.PrnMapLeft = copy_.PrnMapLeft;
    p.PrnMapTop = copy_.PrnMapTop;
}

void PrintMap::Form_Load() {
    PlotState& p = Plot();
    BeginEdit();
    Label5->setText(
        QStringLiteral("The Print Map option prints the entire area of the screen beneath the Menu Bar.\n\n"
                       "Map Height is controlled by Map Width.  The Map Margins are automatically calculated when the "
                       "Center Map items are checked."));
    adjustSize();
    CenterOnScreen(0, 105);

    PageMeasured = p.PrnDlg && MeasurePage();
    if (!PageMeasured) return;
    setWindowTitle(QStringLiteral("Print Map on ") + QString::fromStdString(p.PrnDlg->PrinterName));
    p.PrnMapHeight = p.PrnMapWidth * WindowAspect();
    if (p.PrnDlg->Settings.Orientation == 2) Orientation->setText(QStringLiteral("Landscape"));

    MapUnits->ShowSetting();

    // A centring the page refuses leaves its margin as stored and its field on.
    if (p.PrnCenterHorizontal) HorizontalMap->setChecked(true);
    if (p.PrnCenterVertical) VerticalMap->setChecked(true);

    Write(HeightMap, LengthFieldText(p.PrnMapHeight));
    Write(WidthMap, LengthFieldText(p.PrnMapWidth));
    Write(LeftMap, LengthFieldText(p.PrnMapLeft));
    Write(TopMap, LengthFieldText(p.PrnMapTop));
}

void PrintMap::MapUnits_Click(bool inches) {
    SetUnitCaptions(inches);
    if (MeasurePage()) PlaceCentredMap();
}

void PrintMap::PlaceCentredMap() {
    PlotState& p = Plot();
    if (HorizontalMap->isChecked()) {
        CalcPrnLeft();
        Write(LeftMap, LengthFieldText(p.PrnMapLeft));
    }
    if (VerticalMap->isChecked()) {
        CalcPrnTop();
        Write(TopMap, LengthFieldText(p.PrnMapTop));
    }
}

bool PrintMap::WidthMap_Leave() {
    if (LengthFieldValue(WidthMap) == 0) Write(WidthMap, LengthFieldText(0.1f));
    return true;
}

void PrintMap::WidthMap_Change() {
    const RuleScope scope(rulesRunning_);
    if (scope.TooDeep()) return;
    PlotState& p = Plot();
    const float entered = LengthFieldValue(WidthMap);
    // A width being typed may pass through zero (a cleared field): the zero
    // rule waits until the field is left or the layout is accepted.
    const bool typing = programWrites_ == 0 && WidthMap->hasFocus();
    if (entered > p.PrnPrintableWidth) {
        WriteMax(WidthMap, p.PrnPrintableWidth);
        // A map of the whole printable width is centred only where the
        // unprintable margins are equal.
        if (p.PrnMinLeft != p.PrnMinRight) {
            HorizontalMap->setChecked(false);
            WriteMin(LeftMap, p.PrnMinLeft);
            p.PrnMapLeft = LengthFieldValue(LeftMap);
        }
    } else if (entered == 0 && !typing) {
        Write(WidthMap, LengthFieldText(0.1f));
    }

    p.PrnMapWidth = LengthFieldValue(WidthMap);
    const float aspect = WindowAspect();
    p.PrnMapHeight = p.PrnMapWidth * aspect;
    Write(HeightMap, LengthFieldText(p.PrnMapHeight));
    if (LengthFieldValue(HeightMap) > p.PrnPrintableHeight) {
        WriteMax(HeightMap, p.PrnPrintableHeight);
        p.PrnMapHeight = LengthFieldValue(HeightMap);
        p.PrnMapWidth = aspect > 0 ? p.PrnMapHeight / aspect : 0.0f;
        Write(WidthMap, LengthFieldText(p.PrnMapWidth));
        if (p.PrnMinTop != p.PrnMinBottom) {
            VerticalMap->setChecked(false);
            WriteMin(TopMap, p.PrnMinTop);
            p.PrnMapTop = LengthFieldValue(TopMap);
        }
    }

    PlaceCentredMap();
}

void PrintMap::HorizontalMap_Click() {
    PlotState& p = Plot();
    if (!HorizontalMap->isChecked()) {
        LeftMap->setEnabled(true);
        return;
    }
    // Wider than the paper less twice the larger unprintable side margin.
    const bool tooWide = (p.PaperWidth - 2 * p.PrnMinLeft < p.PrnMapWidth && p.PrnMinLeft > p.PrnMinRight) ||
                         (p.PaperWidth - 2 * p.PrnMinRight < p.PrnMapWidth && p.PrnMinLeft < p.PrnMinRight);
    if (tooWide) {
        HorizontalMap->setChecked(false);
        LeftMap->setEnabled(true);
        MsgBox(
            "The map cannot be centered horizontally, because the map width is too large.\r\n\r\n"
            "To center the map horizontally, reduce the map width!",
            "Error: Map cannot be centered horizontally", MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    CalcPrnLeft();
    Write(LeftMap, LengthFieldText(p.PrnMapLeft));
    LeftMap->setEnabled(false);
}

void PrintMap::VerticalMap_Click() {
    PlotState& p = Plot();
    if (!VerticalMap->isChecked()) {
        TopMap->setEnabled(true);
        return;
    }
    const bool tooTall = (p.PaperHeight - 2 * p.PrnMinTop < p.PrnMapHeight && p.PrnMinTop > p.PrnMinBottom) ||
                         (p.PaperHeight - 2 * p.PrnMinBottom < p.PrnMapHeight && p.PrnMinTop < p.PrnMinBottom);
    if (tooTall) {
        VerticalMap->setChecked(false);
        TopMap->setEnabled(true);
        MsgBox(
            "The map cannot be centered vertically, because the map height is too large.\r\n\r\n"
            "To center the map vertically, reduce the map width!",
            "Error: Map cannot be centered vertically", MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    CalcPrnTop();
    Write(TopMap, LengthFieldText(p.PrnMapTop));
    TopMap->setEnabled(false);
}

void PrintMap::LeftMap_Change() {
    const RuleScope scope(rulesRunning_);
    if (scope.TooDeep()) return;
    PlotState& p = Plot();
    // No upper limit here: OK holds the margin against the page.
    if (LengthFieldValue(LeftMap) < p.PrnMinLeft) WriteMin(LeftMap, p.PrnMinLeft);
    p.PrnMapLeft = LengthFieldValue(LeftMap);
}

void PrintMap::TopMap_Change() {
    const RuleScope scope(rulesRunning_);
    if (scope.TooDeep()) return;
    PlotState& p = Plot();
    if (LengthFieldValue(TopMap) < p.PrnMinTop) WriteMin(TopMap, p.PrnMinTop);
    p.PrnMapTop = LengthFieldValue(TopMap);
}

void PrintMap::CalcPrnLeft() {
    PlotState& p = Plot();
    p.PrnMapLeft = (p.PaperWidth - p.PrnMapWidth) / 2;
    if (p.PrnMapLeft < p.PrnMinLeft) p.PrnMapLeft = p.PrnMinLeft;
    else if (p.PrnMapLeft < p.PrnMinRight) p.PrnMapLeft = p.PaperWidth - p.PrnMapWidth - p.PrnMinRight;
}

void PrintMap::CalcPrnTop() {
    PlotState& p = Plot();
    p.PrnMapTop = (p.PaperHeight - p.PrnMapHeight) / 2;
    if (p.PrnMapTop < p.PrnMinTop) p.PrnMapTop = p.PrnMinTop;
    else if (p.PrnMapTop < p.PrnMinBottom) p.PrnMapTop = p.PaperHeight - p.PrnMapHeight - p.PrnMinBottom;
}

void PrintMap::OK_Click() {
    PlotState& p = Plot();
    CheckAllFields();
    const std::string unit = PrintUnitsField::UnitWord(MapUnits->InchesChosen()) + ".";
    p.PrnCenterHorizontal = HorizontalMap->isChecked();
    if (!p.PrnCenterHorizontal) p.PrnMapLeft = LengthFieldValue(LeftMap);
    p.PrnCenterVertical = VerticalMap->isChecked();
    if (!p.PrnCenterVertical) p.PrnMapTop = LengthFieldValue(TopMap);
    if (!MeasurePage()) return;
    // The page just measured may differ from the one the margins were
    // centred on.
    PlaceCentredMap();

    const auto limit = [&unit](float value) { return LimitText(value) + unit; };
    const std::string paragraph = "\r\n\r\n";
    struct Check {
        bool fails;
        const char* title;
        std::string text;
    };
    // The sums are single-precision numbers; a value equal to its limit passes.
    const Check checks[] = {
        {!(p.PrnMapWidth > 0), "Error: Map width too small", "The map width must be greater than zero."},
        {!(p.PrnMapHeight > 0), "Error: Map height too small", "The map height must be greater than zero."},
        {p.PrnMapWidth > p.PrnPrintableWidth, "Error: Map width too large",
         "The map width cannot exceed " + limit(p.PrnPrintableWidth)},
        {float(p.PrnMapWidth + p.PrnMapLeft) > p.PrnPrintableRight, "Error: (Map width + left margin) too large",
         "The sum (map width + left margin) cannot exceed " + limit(p.PrnPrintableRight) + paragraph +
             "Reduce the map width and/or the left margin!"},
        {p.PrnMapLeft < p.PrnMinLeft, "Error: Left margin too small",
         "The left margin must be greater than " + limit(p.PrnMinLeft)},
        {p.PrnMapHeight > p.PrnPrintableHeight, "Error: Map height too large",
         "The map height cannot exceed " + limit(p.PrnPrintableHeight) + paragraph +
             "Reduce the map width to reduce the map height!"},
        {float(p.PrnMapHeight + p.PrnMapTop) > p.PrnPrintableBottom, "Error: (Map height + top margin) too large",
         "The sum (map height + top margin)  cannot exceed " + limit(p.PrnPrintableBottom) + paragraph +
             "Reduce the map width and/or the top margin!"},
        {p.PrnMapTop < p.PrnMinTop, "Error: Top margin too small",
         "The top margin must be greater than " + limit(p.PrnMinTop)},
    };
    for (const Check& c : checks) {
        if (!c.fails) continue;
        if (MsgBox(c.text, c.title, MsgButtons::RetryCancel, MsgIcon::Exclamation) == MsgAnswer::Retry)
            WidthMap->setFocus(Qt::OtherFocusReason);
        else reject();
        return;
    }
    AcceptEdit();
}

void PrintMap::Cancel_Click() { reject(); }

}  // namespace tlrx
