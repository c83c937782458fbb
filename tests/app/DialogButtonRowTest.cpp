// The closing buttons of every dialog that has an accept button and Cancel:
// their captions, which one is the default, their tab order and where they
// stand in the dialog.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <functional>
#include <memory>
#include <string>

#include "AppTestSupport.h"
#include "app/AscOutput.h"
#include "app/MapReduce.h"
#include "app/PrintMap.h"
#include "core/DesignState.h"
#include "dialogs/content/InputFileChoices.h"
#include "dialogs/content/InputFileParams.h"
#include "dialogs/content/TextAdd.h"
#include "dialogs/content/VectorScale.h"
#include "dialogs/geo/GCircleEnds.h"
#include "dialogs/geo/LatLonBounds.h"
#include "dialogs/geo/LatLonBoundsAz.h"
#include "dialogs/geo/LatLonBoundsVp.h"
#include "dialogs/geo/LatLonInterrupt.h"
#include "dialogs/geo/LatLonStdPar.h"
#include "dialogs/geo/LineWidthScale.h"
#include "dialogs/geo/SelectGridType.h"
#include "dialogs/geo/SelectLabelOption.h"
#include "dialogs/geo/SmallCircle.h"
#include "dialogs/geo/UtmChain.h"
#include "dialogs/pickers/FontDialog.h"
#include "plot/PlotState.h"
#include "plot/PrinterMetrics.h"
#include "reports/ReportMargins.h"
#include "support/FakeHost.h"

namespace tlrx {
namespace {

using test::AppTest;

// A control as the table names it: a button by its caption, another by its class.
std::string Name(const QWidget* w) {
    if (const auto* b = qobject_cast<const QAbstractButton*>(w); b && !b->text().isEmpty())
        return "'" + b->text().toStdString() + "'";
    return w->metaObject()->className();
}

// The control Tab (or Shift+Tab) moves to from w.
const QWidget* TabFrom(const QWidget* w, bool forward) {
    const QWidget* root = w->window();
    const QWidget* next = w;
    for (int n = 0; n < 500; ++n) {
        next = forward ? next->nextInFocusChain() : next->previousInFocusChain();
        if (next != root && next->focusPolicy() & Qt::TabFocus && next->isVisibleTo(root)) return next;
    }
    return nullptr;
}

QRect InDialog(const QWidget* w) { return {w->mapTo(w->window(), QPoint(0, 0)), w->size()}; }

// Letter paper at 600 dpi.
constexpr PrinterPage kLetter{600, 600, 5100, 6600, 150, 120, 4830, 6300};

// The print dialogs measure the page of a chosen printer as they open.
class DialogButtonRowTest : public AppTest {
protected:
    DialogButtonRowTest() {
        SetMainWindow(&host);
        printers.printers = {{"Office", kLetter, DevModeSettings{.Orientation = 1}, ""}};
        PrinterDialogInit();
        printers.choices = {"Office"};
        Plot().PrnDlg->ShowPrinter(nullptr);
    }
    ~DialogButtonRowTest() override { SetMainWindow(nullptr); }
    FakeHost host;
};

enum class Stand { Right, Spread, Column, Placed };

// What the dialogs of the table are opened from.
struct Openers {
    QWidget window;
    UtmSpheroid spheroid;
};

struct Row {
    const char* dialog;
    std::function<std::unique_ptr<QDialog>(Openers&)> open;
    const char* accept;
    const char* cancel;
    Stand stand;
    int margin;          // from the dialog's right and bottom edges (Right), right edge (Column)
    const char* before;  // the control Shift+Tab goes to from the accept button
    const char* after;   // the control Tab goes to from Cancel
};

template <class Dialog>
std::unique_ptr<QDialog> Make(Openers&) {
    return std::make_unique<Dialog>();
}
template <class Dialog>
std::unique_ptr<QDialog> MakeFrom(Openers& o) {
    return std::make_unique<Dialog>(o.window);
}
template <class Dialog>
std::unique_ptr<QDialog> MakeFromSpheroid(Openers& o) {
    return std::make_unique<Dialog>(o.spheroid);
}

TEST_F(DialogButtonRowTest, TheClosingButtonsKeepTheirCaptionsDefaultTabOrderAndPlace) {
    // clang-format off
    const Row rows[] = {
        {"MapReduce", Make<MapReduce>, "Draw Map", "Cancel", Stand::Right, 11, "QLineEdit", "QSpinBox"},
        {"AscOutput", Make<AscOutput>, "OK", "Cancel", Stand::Right, 16, "QTableWidget", "QTableWidget"},
        {"PrintMap", Make<PrintMap>, "Print Map", "Cancel", Stand::Right, 11, "'cm'", "tlrx::MaskedField"},
        {"ReportMargins", [](Openers&) -> std::unique_ptr<QDialog> {
             return std::make_unique<ReportMargins>(nullptr, QStringLiteral("explanation"), 230.0); },
         "Print Report", "Cancel", Stand::Right, 11, "'inch'", "tlrx::MaskedField"},
        {"VectorScale", Make<VectorScale>, "OK", "Cancel", Stand::Spread, 11, "QLineEdit", "QSpinBox"},
        {"InputFileChoices", Make<InputFileChoices>, "OK", "Cancel", Stand::Right, 11,
         "'Delete Digital Map File from List'", "QListWidget"},
        {"InputFileParams", Make<InputFileParams>, "OK", "Cancel", Stand::Right, 11, "QTableWidget", "QTableWidget"},
        {"TextAdd", Make<TextAdd>, "OK", "Cancel", Stand::Column, 11, "QLineEdit", "'Delete Text'"},
        {"LatLonInterrupt", MakeFrom<LatLonInterrupt>, "OK", "Cancel", Stand::Right, 11, "tlrx::AngleField", "QSpinBox"},
        {"UtmSpheroid", Make<UtmSpheroid>, "OK", "Cancel", Stand::Right, 11, "QListWidget", "QListWidget"},
        {"UtmParameters", MakeFromSpheroid<UtmParameters>, "OK", "Cancel", Stand::Right, 11, "tlrx::DigitField",
         "tlrx::AngleField"},
        {"UtmCoords", MakeFromSpheroid<UtmCoords>, "OK", "Cancel", Stand::Right, 11, "tlrx::DigitField",
         "tlrx::DigitField"},
        {"SelectLabelOption", Make<SelectLabelOption>, "OK", "Cancel", Stand::Right, 11, "QListWidget", "QListWidget"},
        {"LineWidthScale", Make<LineWidthScale>, "OK", "Cancel", Stand::Right, 11, "'Relative Scaling (default)'",
         "'No Scaling'"},
        {"SelectGridType", Make<SelectGridType>, "OK", "Cancel", Stand::Right, 11, "QToolButton", "QListWidget"},
        {"FontDialog", Make<FontDialog>, "OK", "Cancel", Stand::Placed, 0, "tlrx::SampleBox", "QLineEdit"},
        {"LatLonBounds", Make<LatLonBounds>, "OK", "Cancel", Stand::Right, 11, "tlrx::AngleField", "tlrx::AngleField"},
        {"LatLonStdPar", MakeFrom<LatLonStdPar>, "OK", "Cancel", Stand::Right, 11, "tlrx::AngleField",
         "tlrx::AngleField"},
        {"GCircleEnds", Make<GCircleEnds>, "OK", "Cancel Great Circle", Stand::Right, 11, "QToolButton",
         "tlrx::AngleField"},
        {"SmallCircle", Make<SmallCircle>, "OK", "Cancel Small Circle", Stand::Right, 11, "QToolButton",
         "tlrx::AngleField"},
        {"LatLonBoundsAz", Make<LatLonBoundsAz>, "OK", "Cancel", Stand::Right, 11, "tlrx::AngleField",
         "tlrx::AngleField"},
        {"LatLonBoundsVp", Make<LatLonBoundsVp>, "OK", "Cancel", Stand::Right, 11, "QLineEdit", "tlrx::AngleField"},
    };
    // clang-format on
    Openers openers;
    for (const Row& r : rows) {
        SCOPED_TRACE(r.dialog);
        const std::unique_ptr<QDialog> dialog = r.open(openers);
        dialog->show();
        QPushButton* accept = nullptr;
        QPushButton* cancel = nullptr;
        for (QPushButton* b : dialog->findChildren<QPushButton*>()) {
            if (b->isDefault()) accept = b;
            if (b->text().startsWith("Cancel")) cancel = b;
        }
        ASSERT_TRUE(accept && cancel);
        EXPECT_EQ(accept->text(), r.accept);
        EXPECT_EQ(cancel->text(), r.cancel);
        EXPECT_FALSE(cancel->isDefault());

        EXPECT_EQ(TabFrom(accept, true), cancel);
        EXPECT_EQ(Name(TabFrom(accept, false)), r.before);
        EXPECT_EQ(Name(TabFrom(cancel, true)), r.after);

        const QRect a = InDialog(accept), c = InDialog(cancel);
        const int right = dialog->width() - 1 - c.right(), bottom = dialog->height() - 1 - c.bottom();
        switch (r.stand) {
        case Stand::Right:
        case Stand::Spread:
            EXPECT_EQ(a.y(), c.y());
            EXPECT_EQ(a.height(), c.height());
            EXPECT_EQ(a.width(), accept->sizeHint().width());
            EXPECT_EQ(c.width(), cancel->sizeHint().width());
            EXPECT_EQ(bottom, r.margin);
            if (r.stand == Stand::Right) {
                EXPECT_EQ(c.left() - a.right() - 1, 6);
                EXPECT_EQ(right, r.margin);
            } else {
                EXPECT_EQ(a.left(), right);
                EXPECT_GT(c.left() - a.right() - 1, 6);
            }
            break;
        case Stand::Column:
            EXPECT_EQ(a.x(), c.x());
            EXPECT_EQ(a.width(), c.width());
            EXPECT_EQ(c.top() - a.bottom() - 1, 6);
            EXPECT_EQ(right, r.margin);
            break;
        case Stand::Placed:
            // Twips at 15 to the pixel: (5520, 4320) and (7440, 4320), 1215 x 495 each.
            EXPECT_EQ(a, QRect(368, 288, 81, 33));
            EXPECT_EQ(c, QRect(496, 288, 81, 33));
            break;
        }
    }
}

}  // namespace
}  // namespace tlrx
