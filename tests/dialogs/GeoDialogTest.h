#pragma once
// What the tests of the geographic dialogs share: fresh state, scripted
// boxes and help, typing into a field and leaving it with Tab, and the
// derived design values that an edit must leave as it found them.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>
#include <QTest>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "core/DesignState.h"
#include "dialogs/common/AngleField.h"
#include "support/TestFixture.h"
#include "support/WhenShown.h"

namespace tlrx::test {

// The user's number format for the lifetime of the object.
class UserLocale {
public:
    UserLocale(QLocale::Language language, QLocale::Country country) { QLocale::setDefault({language, country}); }
    ~UserLocale() { QLocale::setDefault(saved_); }
    UserLocale(const UserLocale&) = delete;
    UserLocale& operator=(const UserLocale&) = delete;

private:
    QLocale saved_;
};

class GeoDialogTest : public TlrxTest {
protected:
    GeoDialogTest() : TlrxTest(std::filesystem::path(TLRX_TEST_OUT_DIR) / "dialog-files") {}

    static void ShowActive(QWidget& dialog) {
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }
    // Puts text into the field as typed and leaves it with Tab.
    static void Leave(AngleField* field, const std::string& text) {
        field->setFocus();
        field->SetText(text);
        QTest::keyClick(field, Qt::Key_Tab);
    }
    // The texts of the boxes shown, as "title | text".
    std::vector<std::string> Shown() const {
        std::vector<std::string> out;
        for (const MessageBoxRecord& b : boxes.log) out.push_back(b.title + " | " + b.text);
        return out;
    }
    static bool HasFocus(const QWidget* w) { return QApplication::focusWidget() == w; }
    static void MarkDefined(int16_t code) { Design().ProjDefined[static_cast<size_t>(code)] = true; }

    // The graticule and projection values derived from the boundary texts
    // and standard parallels.
    static auto Derived() {
        const DesignState& d = Design();
        return std::make_tuple(d.LatNorthSec, d.LatSouthSec, d.LatSpacingSec, d.LonWestSec, d.LonEastSec,
                               d.LonSpacingSec, d.FrameEastSec, d.NumLatDivisions, d.NumLonDivisions, d.LatNorthText,
                               d.CentLat, d.CentralMeridian, d.MapXMin, d.MapXMax, d.MapYMin, d.MapYMax, d.ConicN,
                               d.ConicRho0, d.CosStdParNorth, d.StdParNorth, d.StdParSouth, d.StdParText,
                               d.StdParNorthText, d.StdParSouthText);
    }
};

}  // namespace tlrx::test
