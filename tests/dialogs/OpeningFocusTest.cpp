// The field that has the focus when a dialog opens takes what is typed at
// once, from its first place on, as it does when Tab moves into it.

#include <QLineEdit>
#include <functional>
#include <memory>

#include "GeoDialogTest.h"
#include "core/Graticule.h"
#include "core/ProjectionTable.h"
#include "dialogs/common/DigitField.h"
#include "dialogs/geo/GCircleEnds.h"
#include "dialogs/geo/LatLonBounds.h"
#include "dialogs/geo/LatLonBoundsAz.h"
#include "dialogs/geo/LatLonStdPar.h"
#include "dialogs/geo/SmallCircle.h"
#include "dialogs/geo/UtmChain.h"

namespace tlrx {
namespace {

class OpeningFocusTest : public test::GeoDialogTest {};

TEST_F(OpeningFocusTest, DigitsTypedAsADialogOpensFillTheFirstPlacesOfItsFirstField) {
    QWidget opener;
    UtmSpheroid spheroid;
    struct Case {
        const char* dialog;
        std::function<std::unique_ptr<QDialog>()> open;
        std::function<QLineEdit*(QDialog&)> first;
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
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dialog);
        std::unique_ptr<QDialog> dialog = c.open();
        ShowActive(*dialog);
        QLineEdit* field = c.first(*dialog);
        ASSERT_TRUE(HasFocus(field));
        const QString before = field->displayText();
        QTest::keyClicks(QApplication::focusWidget(), "12");
        EXPECT_EQ(field->displayText().toStdString(), ("12" + before.mid(2)).toStdString());
        dialog->reject();
    }
}

}  // namespace
}  // namespace tlrx
