#include "reports/ReportMargins.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <string>

#include "core/DesignState.h"
#include "core/Errors.h"
#include "core/NumberText.h"
#include "core/PrintUnits.h"
#include "dialogs/common/LengthField.h"
#include "dialogs/common/PrintUnitsField.h"
#include "platform/MessageBox.h"
#include "plot/PlotState.h"
#include "plot/PrinterMetrics.h"
#include "reports/NumberMask.h"

namespace tlrx {

namespace {}  // namespace

ReportMargins::ReportMargins(QWidget* parent, const QString& explanation, double lineHeightTwips)
    : DialogBase(parent, "ReportMargins", HelpContextID), lineHeightTwips_(lineHeightTwips) {
    setWindowTitle(QStringLiteral("Print Report"));
    const auto field = [this] { return NewLengthField(this); };
    RptFrOrientation = new QGroupBox(QStringLiteral("Paper Orientation"), this);
    LblOrientation = new QLabel(QStringLiteral("Portrait"), RptFrOrientation);
    (new QVBoxLayout(RptFrOrientation))->addWidget(LblOrientation);
    RptFrMargins = new QGroupBox(QStringLiteral("Report Margins"), this);
    RptTbLeft = field();
    RptTbRight = field();
    RptTbTop = field();
    RptTbBottom = field();
    auto* margins = new QFormLayout(RptFrMargins);
    margins->addRow(QStringLiteral("Left:"), RptTbLeft);
    margins->addRow(QStringLiteral("Right:"), RptTbRight);
    margins->addRow(QStringLiteral("Top:"), RptTbTop);
    margins->addRow(QStringLiteral("Bottom:"), RptTbBottom);
    RptFrUnits = new PrintUnitsField(this, PrintUnitsField::Order::CentimetersFirst,
                                     [this](bool inches) { RptFrUnits_Click(inches); });
    Centimeters = RptFrUnits->Centimeters;
    Inches = RptFrUnits->Inches;
    LblText = new QLabel(explanation, this);
    LblText->setWordWrap(true);
    LblText->setMinimumWidth(400);
    QBoxLayout* buttons = AddButtonRow(OK, Cancel, QStringLiteral("Print Report"));
    auto* top = new QHBoxLayout;
    top->addWidget(RptFrOrientation);
    top->addWidget(RptFrUnits);
    top->addWidget(RptFrMargins);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(LblText);
    layout->addLayout(buttons);

    // Connected after the masks are set, which write the fields too.
    DesignState& d = Design();
    const PlotState& p = Plot();
    connect(RptTbLeft, &QLineEdit::textChanged, this,
            [this, &d, &p] { MarginChange(RptTbLeft, d.RptMarginLeft, p.PrnMinLeft); });
    connect(RptTbRight, &QLineEdit::textChanged, this,
            [this, &d, &p] { MarginChange(RptTbRight, d.RptMarginRight, p.PrnMinRight); });
    connect(RptTbTop, &QLineEdit::textChanged, this,
            [this, &d, &p] { MarginChange(RptTbTop, d.RptMarginTop, p.PrnMinTop); });
    connect(RptTbBottom, &QLineEdit::textChanged, this,
            [this, &d, &p] { MarginChange(RptTbBottom, d.RptMarginBottom, p.PrnMinBottom); });
    connect(OK, &QPushButton::clicked, this, &ReportMargins::OK_Click);
    connect(Cancel, &QPushButton::clicked, this, &ReportMargins::Cancel_Click);
    FinishControls();
    Form_Load();
}

bool ReportMargins::MeasurePage() {
    try {
        GetPrnPageMetrics();
        return true;
    } catch (const RuntimeError& e) {
        ShowProcError("ReportMargins", e.what());
        return false;
    }
}

void ReportMargins::SaveCopy() {
    const DesignState& d = Design();
    copy_ = {Plot().PrinterUnits, d.RptMarginLeft, d.RptMarginRight, d.RptMarginTop, d.RptMarginBottom};
}

void ReportMargins::RestoreCopy() {
    DesignState& d = Design();
    Plot().PrinterUnits = copy_.PrinterUnits;
    d.RptMarginLeft = copy_.Left;
    d.RptMarginRight = copy_.Right;
    d.RptMarginTop = copy_.Top;
    d.RptMarginBottom = copy_.Bottom;
}

void ReportMargins::Form_Load() {
    PlotState& p = Plot();
    BeginEdit();
    adjustSize();
    CenterOnScreen();
    if (p.PrnDlg) {
        setWindowTitle(QStringLiteral("Print Report on ") + QString::fromStdString(p.PrnDlg->PrinterName));
        if (p.PrnDlg->Settings.Orientation == 2) LblOrientation->setText(QStringLiteral("Landscape"));
    }
    RptFrUnits->ShowSetting();
    if (!RptFrUnits->UnitChosen()) MeasurePage();
    // The fields' rules store what they show; the copy was taken above.
    const DesignState& d = Design();
    const float left = d.RptMarginLeft, right = d.RptMarginRight, top = d.RptMarginTop, bottom = d.RptMarginBottom;
    RptTbLeft->setText(LengthFieldText(left));
    RptTbRight->setText(LengthFieldText(right));
    RptTbTop->setText(LengthFieldText(top));
    RptTbBottom->setText(LengthFieldText(bottom));
}

void ReportMargins::RptFrUnits_Click(bool inches) {
    RptFrMargins->setTitle(QStringLiteral("Margins (") + PrintUnitsField::UnitName(inches) + QStringLiteral(")"));
    MeasurePage();
}

void ReportMargins::MarginChange(QLineEdit* field, float& margin, float limit) {
    if (LengthFieldValue(field) < limit) {
        QString text = LengthFieldText(limit);
        // Never show a value below the border: a border rounded down is
        // shown raised by half a hundredth.
        if (LengthTextValue(text) < limit) text = LengthFieldText(limit + 0.005f);
        field->setText(text);  // runs this rule again, which accepts it
        return;
    }
    margin = LengthFieldValue(field);
}

void ReportMargins::OK_Click() {
    const PlotState& p = Plot();
    DesignState& d = Design();
    const std::string unit = PrintUnitsField::UnitWord(RptFrUnits->InchesChosen());
    d.RptMarginLeft = LengthFieldValue(RptTbLeft);
    d.RptMarginRight = LengthFieldValue(RptTbRight);
    d.RptMarginTop = LengthFieldValue(RptTbTop);
    d.RptMarginBottom = LengthFieldValue(RptTbBottom);
    if (!MeasurePage()) return;
    const float available = p.PaperWidth - d.RptMarginLeft - d.RptMarginRight;
    const float height = p.PaperHeight - d.RptMarginTop - d.RptMarginBottom;
    // Margins that leave no room for a line would print nothing at all.
    if (available <= 0 || PrintUnitsToTwips(height, p.PrinterUnits) < lineHeightTwips_) {
        MsgBox(
            "The report margins leave no room to print the report on the page."
            "\r\n\r\n"
            "Decrease the margins.",
            "Error: Report Margins", MsgButtons::Ok, MsgIcon::Exclamation);
        RptTbLeft->setFocus();
        return;
    }
    const float width = TwipsToPrintUnits(d.RptWidth, p.PrinterUnits);
    if (available < width) {
        const std::string text = "The width of the report (about " + FormatMask(width, "##0.00") + " " + unit +
                                 ") may be greater than the\r\navailable width (" + FormatMask(available, "##0.00") +
                                 " " + unit +
                                 ") between the left and right margins.\r\n\r\n"
                                 "You can decrease the margins, or reduce the font size.\r\n\r\n"
                                 "Press Abort to cancel printing the report.\r\n"
                                 "Press Retry to change the report margins.\r\n"
                                 "Press Ignore to continue printing the report.";
        switch (MsgBox(text, "Information: Font too large, or margins too wide.", MsgButtons::AbortRetryIgnore,
                       MsgIcon::Information)) {
        case MsgAnswer::Retry: RptTbLeft->setFocus(); return;
        case MsgAnswer::Ignore: AcceptEdit(); return;
        default: Cancel_Click(); return;
        }
    }
    AcceptEdit();
}

void ReportMargins::Cancel_Click() { reject(); }

}  // namespace tlrx
