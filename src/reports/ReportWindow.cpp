#include "reports/ReportWindow.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>
#include <cmath>
#include <optional>
#include <string>

#include "core/DesignState.h"
#include "core/PrintUnits.h"
#include "core/SharedRoutines.h"
#include "dialogs/common/FileChoice.h"
#include "dialogs/pickers/Pickers.h"
#include "platform/FileDialog.h"
#include "platform/Help.h"
#include "platform/Host.h"
#include "platform/MessageBox.h"
#include "platform/Printer.h"
#include "plot/PlotState.h"
#include "plot/PrinterMetrics.h"
#include "reports/PrintRichText.h"
#include "reports/ReportMargins.h"
#include "reports/ReportTexts.h"
#include "reports/RtfWriter.h"

namespace tlrx {

namespace {

enum OptionItem : int16_t { PrintReport = 0, SaveRichText = 1, SelectFont = 3, ExitReport = 5 };

QColor QtColor(int32_t rgb) { return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF); }

}  // namespace

void ReportBox::focusInEvent(QFocusEvent* event) {
    QTextEdit::focusInEvent(event);
    if (GotFocus) GotFocus();
}

int ReportWindowHeightTwips(int32_t widthPx, int32_t heightPx) {
    if (widthPx == 800 && heightPx == 600) return 7695;
    if (widthPx == 640 && heightPx == 480) return 6150;
    return 8535;
}

void PickReportFont(QWidget* parent) {
    DesignState& d = Design();
    d.FontSlotIndex = FontSlotReport;
    const size_t k = FontSlotReport;
    d.FontSlotName[k] = d.RptFontName;
    d.FontSlotSize[k] = d.RptFontSize;
    d.FontSlotColor[k] = d.RptFontColor;
    d.FontSlotItalic[k] = d.RptFontItalic;
    d.FontSlotBold[k] = d.RptFontBold;
    d.FontSlotUnderline[k] = d.RptFontUnderline;
    d.FontSlotStrikethru[k] = d.RptFontStrikethru;
    ShowFontDialog(parent);
    if (!d.FontDialogOK) return;
    d.FontDialogOK = false;
    d.RptFontName = d.FontSlotName[k];
    d.RptFontSize = static_cast<int16_t>(std::clamp(d.FontSlotSize[k], 1, 32767));
    d.RptFontColor = d.FontSlotColor[k];
    d.RptFontItalic = d.FontSlotItalic[k];
    d.RptFontBold = d.FontSlotBold[k];
    d.RptFontUnderline = d.FontSlotUnderline[k];
    d.RptFontStrikethru = d.FontSlotStrikethru[k];
}

ReportWindow::ReportWindow(QWidget* parent, const Kind& kind) : QDialog(parent), kind_(kind) {
    setWindowTitle(QString::fromUtf8(kind.caption));
    menuBar = new QMenuBar(this);
    mnuReport = menuBar->addMenu(QStringLiteral("Report &Options"));
    const char* captions[] = {"&Print Report", "&Save as Rich Text File", "-", "Select Report &Font", "-",
                              "E&xit Report"};
    for (int16_t i = 0; i < 6; ++i) {
        QAction* item = std::string_view(captions[i]) == "-" ? mnuReport->addSeparator()
                                                             : mnuReport->addAction(QString::fromUtf8(captions[i]));
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, [this, i] { mnuOptions_Click(i); });
        mnuOptions[size_t(i)] = item;
    }
    // A printer added or removed while the window is open is followed.
    connect(mnuReport, &QMenu::aboutToShow, this,
            [this] { mnuOptions[PrintReport]->setEnabled(Printers().PrintersInstalled()); });
    ReportRtb = new ReportBox(this);
    ReportRtb->setReadOnly(true);
    ReportRtb->setLineWrapMode(QTextEdit::NoWrap);
    ReportRtb->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    QPalette palette = ReportRtb->palette();
    palette.setColor(QPalette::Base, QtColor(kReportBackColor));
    ReportRtb->setPalette(palette);
    ReportRtb->setFocusPolicy(Qt::StrongFocus);
    ReportRtb->GotFocus = [this] { ReportRtb_GotFocus(); };
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setMenuBar(menuBar);
    layout->addWidget(ReportRtb);
    // The box has the focus when the window opens, which builds the report.
    ReportRtb->setFocus();
    Form_Load();
}

void ReportWindow::Form_Load() {
    const DesignState& d = Design();
    const float tx = d.TwipsPerPixelX > 0 ? d.TwipsPerPixelX : 15.0f;
    const float ty = d.TwipsPerPixelY > 0 ? d.TwipsPerPixelY : 15.0f;
    const int height = ReportWindowHeightTwips(d.ScreenWidthPx, d.ScreenHeightPx);
    resize(static_cast<int>(kind_.clientWidthTwips / tx), static_cast<int>(height / ty));
    if (!Printers().PrintersInstalled()) mnuOptions[PrintReport]->setEnabled(false);
}

void ReportWindow::keyReleaseEvent(QKeyEvent* event) {
    Form_KeyUp(event->key());
    QDialog::keyReleaseEvent(event);
}

void ReportWindow::Form_KeyUp(int keyCode) {
    if (keyCode == Qt::Key_F1) HtmlHelp(Design().HelpFilePath, HelpCommand::HelpContext, kind_.helpContextId);
}

void ReportWindow::ReportRtb_GotFocus() {
    // A message shown while building gives the focus back to the box: that
    // return starts no second build.
    if (building_) return;
    building_ = true;
    report_ = kind_.build();
    Show(report_);
    building_ = false;
}

void ReportWindow::Show(const ReportModel& report) {
    QTextDocument* doc = ReportRtb->document();
    doc->clear();
    const double dpi = ReportRtb->logicalDpiX();
    QTextCursor cursor(doc);
    bool firstBlock = true;
    for (size_t k = 0; k < ReportLineCount(report); ++k) {
        const ReportParagraph& p = report.paragraphs[k];
        QTextBlockFormat block;
        QList<QTextOption::Tab> tabs;
        for (const int32_t t : p.tabs) tabs.append(QTextOption::Tab(t * dpi / kTwipsPerInch, QTextOption::LeftTab));
        block.setTabPositions(tabs);
        if (firstBlock) cursor.setBlockFormat(block);
        else cursor.insertBlock(block);
        firstBlock = false;
        for (const ReportRun& run : p.runs) {
            QTextCharFormat format;
            QFont font(QString::fromStdString(report.fontName));
            font.setPointSizeF(report.fontSize);
            font.setBold(run.bold);
            font.setItalic(run.italic);
            font.setUnderline(run.underline);
            font.setStrikeOut(run.strikeout);
            font.setKerning(false);
            format.setFont(font);
            format.setForeground(QtColor(run.hidden ? kReportBackColor : report.color));
            cursor.insertText(QString::fromStdString(run.text), format);
        }
    }
    ReportRtb->moveCursor(QTextCursor::Start);
}

void ReportWindow::mnuOptions_Click(int16_t index) {
    if (index < 0 || index >= static_cast<int16_t>(mnuOptions.size())) return;
    for (QAction* item : mnuOptions) item->setChecked(false);
    mnuOptions[size_t(index)]->setChecked(true);
    DesignState& d = Design();
    switch (index) {
    case PrintReport: {
        const QString explanation =
            QStringLiteral(
                "The report will be printed in the font set with the Select Report Font item in the Report "
                "Options menu of the ") +
            QString::fromUtf8(kind_.windowName) +
            QStringLiteral(
                ".\n\nReports printed with font sizes larger than about 13 points may be too wide to fit "
                "on the printed page.");
        // The printers are looked up again: one added or changed since the
        // program started is measured as it is now.
        if (!PrinterAtHand("ReportMargins")) break;
        {
            ReportMargins margins(this, explanation, ReportLineHeight(report_));
            margins.exec();
        }
        if (d.DialogCancelled) d.DialogCancelled = false;
        else PrintRichText(report_, kind_.caption);
        break;
    }
    case SaveRichText: SaveAsRichText(); break;
    case SelectFont: PickReportFont(this); break;
    case ExitReport: done(QDialog::Accepted); break;
    default: break;
    }
}

void ReportWindow::SaveAsRichText() {
    PlotState& p = Plot();
    const std::optional<std::string> chosen =
        ChooseFile({FileDialogKind::Save, p.RptFileName, "Save Report As Rich Text File", "RTF Files (*.rtf)|*.rtf",
                    "rtf", kFileDialogOverwritePrompt | kFileDialogHideReadOnly, " in Save Report As Rich Text File"});
    if (!chosen) return;
    MainWindow().Refresh();
    const std::string name = WithDefaultExtension(*chosen, "rtf");
    // A file that could not be written is reported, and the name of the
    // last saved report stays.
    if (!SaveReportRtf(report_, name)) {
        MsgBox("Error: the report could not be written to " + name, "Error in Save Report As Rich Text File",
               MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    p.RptFileName = name;
}

GcReport::GcReport(QWidget* parent)
    : ReportWindow(parent, {"Great Circle Report", HelpContextID, 7680, "Great Circle Report", &BuildGcReport}) {}

ReportParam::ReportParam(QWidget* parent)
    : ReportWindow(
          parent, {"Tellurax Parameter Report", HelpContextID, 7770, "Tellurax Parameter Report", &BuildParamReport}) {}

}  // namespace tlrx
