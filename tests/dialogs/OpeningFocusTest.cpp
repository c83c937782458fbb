// The field that has the focus when a dialog opens takes what is typed at
// once, from its first place on, as it does when Tab moves into it.

#include <QLineEdit>
#include <functional>
#include <memory>

#include "GeoDialogTest.h"
#include "app/PrintMap.h"
#include "core/Graticule.h"
#include "core/ProjectionTable.h"
#include "dialogs/common/DigitField.h"
#include "dialogs/geo/GCircleEnds.h"
#include "dialogs/geo/LatLonBounds.h"
#include "dialogs/geo/LatLonBoundsAz.h"
#include "dialogs/geo/LatLonStdPar.h"
#include "dialogs/geo/SmallCircle.h"
#include "dialogs/geo/UtmChain.h"
#include "plot/PlotState.h"
#include "plot/PrinterMetrics.h"
#include "reports/ReportMargins.h"
#include "support/FakeHost.h"

namespace tlrx {
namespace {

class OpeningFocusTest : public test::GeoDialogTest {
protected:
    OpeningFocusTest() {
        // The print dialogs measure a letter page and a drawing area 1.3
        // times as high as it is wide; their lengths are in inches.
        host.scaleWidth = 15000;
        host.scaleHeight = 19500;
        SetMainWindow(&host);
        printers.printers = {{"Office", PrinterPage{600, 600, 5100, 6600, 150, 120, 4800, 6360}, {}, ""}};
        PrinterDialogInit();
        printers.choices = {"Office"};
        EXPECT_TRUE(Plot().PrnDlg->ShowPrinter(nullptr));
        Plot().PrinterUnits = 1440;
    }
    ~OpeningFocusTest() override { SetMainWindow(nullptr); }

    FakeHost host;
};

TEST_F(OpeningFocusTest, DigitsTypedAsADialogOpensFillTheFirstPlacesOfItsFirstField) {
    QWidget opener;
    UtmSpheroid spheroid;
    struct Case {
        const char* dialog;
        std::function<std::unique_ptr<QDialog>()> open;
        std::function<QLineEdit*(QDialog&)> first;
        QString typed = QStringLiteral("12");
    };
    const Case cases[] = {
        {"boundaries", [] { return std::make_unique<LatLonBounds>(); },
         [](QDialog& d) { return static_cast<LatLonBounds&>(d).LatN; }},
        {"azimuthal boundaries", [] { return std::make_unique<LatLonBoundsAz>(); },
         [](QDialog& d) { return static_cast<LatLonBoundsAz&>(d).LatCentral; }},
        {"standard parallels",
         [&opener] {
             DesignState& d = Design();
             d.ProjCode = ProjAlbers;
             d.ProjName = std::string(FindProjection(ProjAlbers)->name);
             CalcGraticule(d.BoundsText);
             return std::make_unique<LatLonStdPar>(opener);
         },
         [](QDialog& d) { return static_cast<LatLonStdPar&>(d).LatNorthStdPar; }},
        {"great circle", [] { return std::make_unique<GCircleEnds>(); },
         [](QDialog& d) { return static_cast<GCircleEnds&>(d).LatN; }},
        {"small circle", [] { return std::make_unique<SmallCircle>(); },
         [](QDialog& d) { return static_cast<SmallCircle&>(d).LatCenter; }},
        {"UTM parameters", [&spheroid] { return std::make_unique<UtmParameters>(spheroid); },
         [](QDialog& d) { return static_cast<UtmParameters&>(d).UtmLonCentral; }},
        {"UTM boundaries", [&spheroid] { return std::make_unique<UtmCoords>(spheroid); },
         [](QDialog& d) { return static_cast<UtmCoords&>(d).UtmLatN; }},
        // "007" keeps the map's width on the page.
        {"print map", [] { return std::make_unique<PrintMap>(); },
         [](QDialog& d) { return static_cast<PrintMap&>(d).WidthMap; }, QStringLiteral("007")},
        {"report margins",
         [] { return std::make_unique<ReportMargins>(nullptr, QStringLiteral("explanation"), 230.0); },
         [](QDialog& d) { return static_cast<ReportMargins&>(d).RptTbLeft; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dialog);
        std::unique_ptr<QDialog> dialog = c.open();
        ShowActive(*dialog);
        QLineEdit* field = c.first(*dialog);
        ASSERT_TRUE(HasFocus(field));
        const QString before = field->displayText();
        QTest::keyClicks(QApplication::focusWidget(), c.typed);
        EXPECT_EQ(field->displayText().toStdString(), (c.typed + before.mid(c.typed.size())).toStdString());
        dialog->reject();
    }
}

}  // namespace
}  // namespace tlrx
