// The report windows: size, the box rebuilt on focus, the Options menu with
// its marks, saving as RTF (names, Cancel, failures), the report font and
// printing cancelled in the margins dialog; the saved RTF opened by
// LibreOffice with the same lines and aligned columns.

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <filesystem>
#include <map>

#include "PdfTools.h"
#include "ReportTestSupport.h"
#include "dialogs/pickers/FontDialog.h"
#include "platform/Help.h"
#include "plot/PrinterMetrics.h"
#include "reports/ReportMargins.h"
#include "reports/ReportWindow.h"
#include "reports/RtfWriter.h"
#include "support/WhenShown.h"

namespace tlrx {
namespace {

namespace fs = std::filesystem;
using test::ReportTest;
using Strings = std::vector<std::string>;

class ReportWindowTest : public ReportTest {
protected:
    ReportWindowTest() {
        DesignState& d = Design();
        d.GcLat = {0, 10, 15.25};
        d.GcLon = {0, 10, -20.5};
        d.GcCourse = {0, 45, 60};
        d.GcDist = {0, 0, 1234.5};
        d.GcFirst = 1;
        d.GcLast = 2;
        d.GcStep = 1;
        d.GcDefined = true;
    }
    static std::vector<size_t> Marked(const ReportWindow& w) {
        std::vector<size_t> out;
        for (size_t i = 0; i < w.mnuOptions.size(); ++i)
            if (w.mnuOptions[i]->isChecked()) out.push_back(i);
        return out;
    }
};

TEST_F(ReportWindowTest, TheWindowHeightFollowsTheScreen) {
    EXPECT_EQ(ReportWindowHeightTwips(1024, 768), 8535);
    EXPECT_EQ(ReportWindowHeightTwips(800, 600), 7695);
    EXPECT_EQ(ReportWindowHeightTwips(640, 480), 6150);
    EXPECT_EQ(ReportWindowHeightTwips(800, 480), 8535);
}

TEST_F(ReportWindowTest, TheMenuAndTheBoxRebuiltOnEveryFocus) {
    GcReport w;
    EXPECT_EQ(w.windowTitle(), "Great Circle Report");
    EXPECT_EQ(w.mnuReport->title(), "Report &Options");
    Strings captions;
    for (const QAction* a : w.mnuOptions) captions.push_back(a->isSeparator() ? "-" : a->text().toStdString());
    EXPECT_EQ(captions,
              (Strings{"&Print Report", "&Save as Rich Text File", "-", "Select Report &Font", "-", "E&xit Report"}));
    EXPECT_FALSE(w.mnuOptions[0]->isEnabled()) << "no printers";

    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    w.ReportRtb->setFocus();
    QApplication::processEvents();
    ASSERT_FALSE(w.Report().paragraphs.empty());
    EXPECT_EQ(w.ReportRtb->toPlainText().toStdString().substr(0, 20),
              "Tellurax Version " + Design().VersionString.substr(0, 3));
    EXPECT_EQ(w.ReportRtb->textCursor().position(), 0);
    const int lines = w.ReportRtb->document()->blockCount();

    // The design changes while the box has not the focus; the next focus shows it.
    w.ReportRtb->clearFocus();
    QApplication::processEvents();
    Design().GcLast = 1;
    w.ReportRtb->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(w.ReportRtb->document()->blockCount(), lines - 1);

    w.ReportRtb_GotFocus();
    EXPECT_EQ(w.ReportRtb->document()->blockCount(), lines - 1) << "nothing appended to an earlier build";
}

TEST_F(ReportWindowTest, F1OpensTheWindowsTopic) {
    Design().HelpFilePath = "/app/Tlrx.chm";
    ReportParam w;
    w.Form_KeyUp(Qt::Key_F1);
    w.Form_KeyUp(Qt::Key_F2);
    ASSERT_EQ(help.requests.size(), 1u);
    EXPECT_EQ(help.requests[0].data, ReportParam::HelpContextID);
    EXPECT_EQ(help.requests[0].command, HelpCommand::HelpContext);
}

TEST_F(ReportWindowTest, SavingAddsTheExtensionAndRemembersTheName) {
    GcReport w;
    w.ReportRtb_GotFocus();
    struct Case {
        std::string chosen, saved;
    };
    const Case cases[] = {{"report", "report.rtf"}, {"upper.RTF", "upper.RTF"}, {"report.txt", "report.txt.rtf"}};
    for (const Case& c : cases) {
        fileDialogs.choices = {FileDialogChoice::Name(Path(c.chosen))};
        w.mnuOptions_Click(1);
        EXPECT_EQ(Plot().RptFileName, Path(c.saved));
        EXPECT_EQ(Contents(Path(c.saved)), ReportToRtf(w.Report()));
    }
    ASSERT_EQ(fileDialogs.log.size(), 3u);
    const FileDialogRequest& last = fileDialogs.log.back();
    EXPECT_EQ(last.kind, FileDialogKind::Save);
    EXPECT_EQ(last.title, "Save Report As Rich Text File");
    EXPECT_EQ(last.filter, "RTF Files (*.rtf)|*.rtf");
    EXPECT_EQ(last.defaultExt, "rtf");
    EXPECT_EQ(last.flags, 6);
    EXPECT_EQ(last.fileName, "upper.RTF") << "the last report's title";
    EXPECT_EQ(last.initDir, dir);
    EXPECT_TRUE(boxes.log.empty());
    EXPECT_EQ(Marked(w), std::vector<size_t>{1});
}

TEST_F(ReportWindowTest, CancelAndFailuresLeaveTheLastNameAlone) {
    GcReport w;
    w.ReportRtb_GotFocus();
    Plot().RptFileName = Path("kept.rtf");
    fileDialogs.choices = {FileDialogChoice::Cancel(), FileDialogChoice::Error(32768),
                           FileDialogChoice::Name(Path("missing/folder/report.rtf"))};
    w.mnuOptions_Click(1);
    EXPECT_TRUE(boxes.log.empty());
    w.mnuOptions_Click(1);
    ASSERT_EQ(boxes.log.size(), 1u);
    EXPECT_EQ(boxes.log[0].text, "Error 32768 in Save Report As Rich Text File");
    EXPECT_EQ(boxes.log[0].title, "File Common Dialog Error");
    EXPECT_EQ(boxes.log[0].icon, MsgIcon::Exclamation);
    // A file that cannot be written is reported, not taken for saved.
    w.mnuOptions_Click(1);
    ASSERT_EQ(boxes.log.size(), 2u);
    EXPECT_EQ(boxes.log[1].title, "Error in Save Report As Rich Text File");
    EXPECT_NE(boxes.log[1].text.find(Path("missing/folder/report.rtf")), std::string::npos);
    EXPECT_EQ(Plot().RptFileName, Path("kept.rtf"));
    EXPECT_FALSE(fs::exists(Path("missing")));
}

TEST_F(ReportWindowTest, TheFontPickerChangesTheReportFontOnlyOnOk) {
    DesignState& d = Design();
    d.RptFontName = "Liberation Serif";
    d.RptFontSize = 12;
    d.RptFontBold = true;
    d.FontDialogOK = false;
    ReportParam w;
    test::WhenShown<FontDialog>([](FontDialog& dialog) {
        dialog.chkBold->setChecked(false);
        dialog.cmdCancel->click();
    });
    w.mnuOptions_Click(3);
    EXPECT_EQ(d.FontSlotIndex, FontSlotReport);
    EXPECT_EQ(d.FontSlotName[3], "Liberation Serif");
    EXPECT_EQ(d.FontSlotSize[3], 12);
    EXPECT_TRUE(d.FontSlotBold[3]);
    EXPECT_TRUE(d.RptFontBold);
    EXPECT_EQ(d.RptFontName, "Liberation Serif");
    EXPECT_EQ(Marked(w), std::vector<size_t>{3});

    // OK hands the choice over through the slot and clears the flag.
    test::WhenShown<FontDialog>([](FontDialog& dialog) {
        dialog.chkBold->setChecked(false);
        dialog.cmdOK->click();
    });
    PickReportFont(&w);
    EXPECT_FALSE(d.FontDialogOK);
    EXPECT_FALSE(d.RptFontBold);
    EXPECT_EQ(d.RptFontName, "Liberation Serif");
    EXPECT_EQ(d.RptFontSize, 12);
}

TEST_F(ReportWindowTest, PrintingCancelledInTheMarginsDialogPrintsNothing) {
    printers.printers = {{"Office", {600, 600, 5100, 6600, 150, 120, 4800, 6360}, {}, Path("report.pdf")}};
    Plot().PrnDlg.reset();
    PrinterDialogInit();
    GcReport w;
    EXPECT_TRUE(w.mnuOptions[0]->isEnabled());
    w.ReportRtb_GotFocus();
    std::string label;
    test::WhenShown<ReportMargins>([&label](ReportMargins& m) {
        label = m.LblText->text().toStdString();
        m.Cancel->click();
    });
    w.mnuOptions_Click(0);
    EXPECT_FALSE(Design().DialogCancelled);
    EXPECT_FALSE(fs::exists(Path("report.pdf")));
    EXPECT_EQ(label,
              "The report will be printed in the font set with the Select Report Font item in the Report Options menu "
              "of the Great Circle Report.\n\nReports printed with font sizes larger than about 13 points may be too "
              "wide to fit on the printed page.");
    EXPECT_EQ(Marked(w), std::vector<size_t>{0});
}

TEST_F(ReportWindowTest, PrintReportPrintsTheReportUnderTheWindowsName) {
    if (!test::HavePopplerTools()) GTEST_SKIP() << "poppler-utils (pdfinfo) are not installed";
    printers.printers = {{"Office", {600, 600, 5100, 6600, 150, 120, 4800, 6360}, {}, Path("report.pdf")}};
    Plot().PrnDlg.reset();
    PrinterDialogInit();
    ReportParam w;
    w.ReportRtb_GotFocus();
    test::WhenShown<ReportMargins>([](ReportMargins& m) { m.OK->click(); });
    w.mnuOptions_Click(0);
    EXPECT_TRUE(boxes.log.empty());
    EXPECT_FALSE(Design().DialogCancelled);
    EXPECT_GE(test::PdfPageCount(QString::fromStdString(Path("report.pdf"))), 1);
}

// Printers are looked up when the report is printed: one added after the
// program started is used, a border changed since is measured as it is
// now, and with none left the user is told so.
TEST_F(ReportWindowTest, PrintReportFollowsPrintersAddedOrChangedSinceStartUp) {
    Plot().PrnDlg.reset();
    GcReport w;
    w.ReportRtb_GotFocus();
    EXPECT_FALSE(w.mnuOptions[0]->isEnabled());
    printers.printers = {{"Office", {600, 600, 5100, 6600, 150, 120, 4800, 6360}, {}, Path("report.pdf")}};
    emit w.mnuReport->aboutToShow();
    EXPECT_TRUE(w.mnuOptions[0]->isEnabled());

    std::vector<float> borders;
    test::WhenShown<ReportMargins>([&borders](ReportMargins& m) {
        borders.push_back(Plot().PrnMinLeft);
        m.Cancel->click();
    });
    w.mnuOptions_Click(0);
    printers.printers[0].Page = {600, 600, 5100, 6600, 300, 120, 4650, 6360};
    test::WhenShown<ReportMargins>([&borders](ReportMargins& m) {
        borders.push_back(Plot().PrnMinLeft);
        m.Cancel->click();
    });
    w.mnuOptions_Click(0);
    EXPECT_EQ(borders, (std::vector<float>{0.25f, 0.5f}));
    EXPECT_TRUE(boxes.log.empty()) << boxes.log[0].text;

    printers.printers.clear();
    w.mnuOptions_Click(0);
    ASSERT_EQ(boxes.log.size(), 1u);
    EXPECT_EQ(boxes.log[0].text, "No printer is installed. Add a printer to the system, then try again.");
    EXPECT_EQ(boxes.log[0].title, "No printer");
    EXPECT_FALSE(fs::exists(Path("report.pdf")));
    emit w.mnuReport->aboutToShow();
    EXPECT_FALSE(w.mnuOptions[0]->isEnabled());
}

// ---- LibreOffice opens the saved file ----

QString Soffice() { return QStandardPaths::findExecutable("soffice"); }

// Converts file into the format `to` in outDir with LibreOffice headless,
// on a profile of the test's own.
bool Convert(const std::string& file, const std::string& to, const std::string& outDir) {
    QProcess office;
    office.start(Soffice(), {"-env:UserInstallation=file://" + QString::fromStdString(outDir) + "/lo-profile",
                             "--headless", "--convert-to", QString::fromStdString(to), "--outdir",
                             QString::fromStdString(outDir), QString::fromStdString(file)});
    return office.waitForFinished(180000) && office.exitCode() == 0;
}

TEST_F(ReportWindowTest, LibreOfficeReadsTheSameLinesWithTheColumnsAligned) {
    if (Soffice().isEmpty()) GTEST_SKIP() << "soffice (libreoffice-writer-nogui) is not installed";
    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    DesignState& d = Design();
    d.GcLat = {0, 5, 37.7833, -10, -60.5};
    d.GcLon = {0, 5, -122.4333, 100, 179.5};
    d.GcCourse = {0, 7.5, 270, 123.4, 1};
    d.GcDist = {0, 0, 1000, 2345.6, 12345};
    d.GcLast = 4;
    GcReport w;
    w.ReportRtb_GotFocus();
    fileDialogs.choices = {FileDialogChoice::Name(Path("gc"))};
    w.mnuOptions_Click(1);
    ASSERT_TRUE(fs::exists(Path("gc.rtf")));

    ASSERT_TRUE(Convert(Path("gc.rtf"), "txt:Text (encoded):UTF8,LF,,,", dir));
    std::string text = Contents(Path("gc.txt"));
    if (text.starts_with("\xEF\xBB\xBF")) text.erase(0, 3);
    std::string expected = w.Report().PlainText();
    expected = QString::fromStdString(expected).replace("\r\n", "\n").toStdString();
    const auto trimmed = [](const std::string& s) { return QString::fromStdString(s).trimmed().toStdString(); };
    EXPECT_EQ(trimmed(text), trimmed(expected));

    // The parameter report too, hidden fillers and headers included.
    ReportParam param;
    param.ReportRtb_GotFocus();
    fileDialogs.choices = {FileDialogChoice::Name(Path("param.rtf"))};
    param.mnuOptions_Click(1);
    ASSERT_TRUE(Convert(Path("param.rtf"), "txt:Text (encoded):UTF8,LF,,,", dir));
    text = Contents(Path("param.txt"));
    if (text.starts_with("\xEF\xBB\xBF")) text.erase(0, 3);
    expected = QString::fromStdString(param.Report().PlainText()).replace("\r\n", "\n").toStdString();
    EXPECT_EQ(trimmed(text), trimmed(expected));

    // In the PDF the columns start where the headings do: every word that
    // follows a tab starts at the same x in each row as in the heading.
    ASSERT_TRUE(Convert(Path("gc.rtf"), "pdf", dir));
    QProcess bbox;
    bbox.start("pdftotext", {"-bbox", QString::fromStdString(Path("gc.pdf")), QString::fromStdString(Path("gc.html"))});
    ASSERT_TRUE(bbox.waitForFinished(60000) && bbox.exitCode() == 0);
    const QString html = QString::fromStdString(Contents(Path("gc.html")));
    const QRegularExpression word(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>([^<]*)</word>)re");
    std::map<double, std::vector<std::pair<double, std::string>>> rows;  // y -> (x, word)
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        rows[m.captured(2).toDouble()].push_back({m.captured(1).toDouble(), m.captured(3).toStdString()});
    }
    // Columns of the heading line and of each data row: # Latitude Longitude Course Distance.
    std::vector<double> heading;
    std::vector<std::vector<double>> data;
    for (const auto& [y, words] : rows) {
        if (!words.empty() && words[0].second == "#") {
            for (const auto& [x, s] : words)
                if (s == "Latitude" || s == "Longitude" || s == "Course" || s == "Distance") heading.push_back(x);
        } else if (words.size() >= 10 && words[0].second.size() == 3 && words[0].second[0] == '0') {
            // "001", lat (4 words), lon (4 words), course, nm, sm, km
            data.push_back({words[1].first, words[5].first, words[9].first, words[10].first});
        }
    }
    ASSERT_EQ(heading.size(), 4u) << html.toStdString().substr(0, 2000);
    ASSERT_EQ(data.size(), 4u);
    for (const std::vector<double>& row : data)
        for (size_t c = 0; c < 4; ++c) EXPECT_NEAR(row[c], heading[c], 0.6) << "column " << c;
}

}  // namespace
}  // namespace tlrx
