#pragma once
// The two report windows, GcReport ("Great Circle Report") and ReportParam
// ("Tellurax Parameter Report"): a box filling the window, rebuilt from the
// design every time it receives the focus, and the menu "Report &Options"
// (print within the report margins, save as a rich-text file, choose the
// report font, close). The report shown is kept as a model, which the box,
// the saved RTF file and the printed pages are made from.

#include <QDialog>
#include <QTextEdit>
#include <array>
#include <cstdint>
#include <functional>

#include "reports/ReportModel.h"

class QAction;
class QMenu;
class QMenuBar;

namespace tlrx {

// The report box: tells its window when it receives the focus.
class ReportBox : public QTextEdit {
    Q_OBJECT
public:
    explicit ReportBox(QWidget* parent) : QTextEdit(parent) {}
    std::function<void()> GotFocus;

protected:
    void focusInEvent(QFocusEvent* event) override;
};

// The window height in twips for a screen of widthPx by heightPx pixels.
int ReportWindowHeightTwips(int32_t widthPx, int32_t heightPx);

// Runs the font picker on the report font (slot 3); OK takes the font
// picked into RptFont, anything else leaves it.
void PickReportFont(QWidget* parent);

class ReportWindow : public QDialog {
    Q_OBJECT
public:
    QMenuBar* menuBar;
    QMenu* mnuReport;                      // "Report &Options"
    std::array<QAction*, 6> mnuOptions{};  // print, save, -, font, -, exit
    ReportBox* ReportRtb;

    void Form_Load();
    void Form_KeyUp(int keyCode);
    void mnuOptions_Click(int16_t index);
    // Rebuilds the report from the design and shows it from its beginning.
    void ReportRtb_GotFocus();

    // The report as last built.
    const ReportModel& Report() const { return report_; }

protected:
    struct Kind {
        const char* caption;
        uint32_t helpContextId;
        int clientWidthTwips;
        const char* windowName;  // in the margins dialog's explanation
        ReportModel (*build)();
    };
    ReportWindow(QWidget* parent, const Kind& kind);
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void Show(const ReportModel& report);
    void SaveAsRichText();

    Kind kind_;
    ReportModel report_;
    bool building_ = false;
};

class GcReport : public ReportWindow {
    Q_OBJECT
public:
    static constexpr uint32_t HelpContextID = 1640;
    explicit GcReport(QWidget* parent = nullptr);
};

class ReportParam : public ReportWindow {
    Q_OBJECT
public:
    static constexpr uint32_t HelpContextID = 1920;
    explicit ReportParam(QWidget* parent = nullptr);
};

}  // namespace tlrx
