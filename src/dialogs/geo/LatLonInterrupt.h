#pragma once
// "Longitudes of Projection Interruptions": the last dialog of the boundary
// chain for the interrupted Mollweide projection (code 42), shown by the OK
// of LatLonBounds once the boundaries are stored.
//
// Each hemisphere is cut at 0 to 3 interruption longitudes between the
// western and the eastern boundary; each lobe is drawn about its own central
// meridian and shifted by its lobe offset. The edges are kept in lobe order
// (LobeEdge, LobeEdgeText, LobeEdgeSec): with N northern and S southern
// interruptions, 0 the western boundary, 1..N the northern interruptions,
// N+1 the eastern boundary, N+2 the western boundary again, N+3..N+2+S the
// southern interruptions and N+3+S the eastern boundary; lobe L lies between
// edges L-1 and L.
//
// While the projection is not defined the dialog starts from two
// interruptions a hemisphere (100E, 100W; 140E, 70W). OK checks every
// enabled field, builds the edges aside and checks them; a rejected OK shows
// the error of the first fault and stores nothing. An accepted OK stores the
// texts, the edges and the lobe offsets, computes the projection parameters,
// marks the projection defined and closes the chain. Cancel or the close box
// puts back the interruption texts and returns to the boundary dialog.

#include <QDialog>
#include <array>
#include <cstdint>
#include <string>

#include "dialogs/common/DialogBase.h"

class QLabel;
class QPushButton;
class QSpinBox;

namespace tlrx {

class AngleField;

// Edge lists in lobe order: signed degrees, longitude texts with their
// blanks, signed arc-seconds (east positive).
struct LobeEdges {
    std::array<double, 10> degrees{};
    std::array<std::string, 10> texts;
    std::array<int32_t, 10> seconds{};
};

// The first fault of the edges of a map with north and south interruptions
// per hemisphere, northern first, as a code: k (1 to 3, the interruption;
// 4 the eastern boundary) for an edge beyond the map's longitude range,
// 4 + k for an edge west of the previous one, 8 + k for one equal to it,
// 12 + k for a difference that is not a whole number of grid spacings; 20
// more in the southern hemisphere; 0 when there is none. Reads LonWestSec,
// LonEastSec, FrameEastSec and LonSpacingSec of the design.
int LonInterruptErrors(const LobeEdges& edges, int north, int south);

// The x offset of each lobe (Earth radii): the x of the lobe's centre on the
// equator of the uninterrupted map (ProjectSelect), 0 for the single lobe of
// a hemisphere without interruptions. Only the lobes' elements are written.
void LonInterruptOffset(const LobeEdges& edges, int north, int south, std::array<double, 10>& offsets);

// The box of an error code: its text, and the LonInt element that gets the
// focus.
struct InterruptError {
    std::string title;
    std::string text;
    int focus;
};
InterruptError InterruptErrorMessage(int code, int north, int south);

class LatLonInterrupt : public DialogBase {
    Q_OBJECT
public:
    static constexpr uint32_t HelpContextID = 3500;

    // Placed 390 twips right of and below the boundary dialog that opens it.
    explicit LatLonInterrupt(QWidget& opener);

    std::array<QSpinBox*, 2> NumInterrupt;  // northern, southern
    std::array<AngleField*, 6> LonInt;      // northern 1-3, southern 1-3
    AngleField *LonW1, *LonW2, *LonE1, *LonE2, *LonGrid1, *LonGrid2;
    std::array<QLabel*, 3> InterruptLabel;  // "Interruption #1" to "#3"
    QPushButton* OK;
    QPushButton* Cancel;

    void Form_Load();
    void NumInterrupt_Change(int index);
    void OK_Click();
    void Cancel_Click();

protected:
    void SaveCopy() override;
    void RestoreCopy() override;

private:
    // The edges of the enabled fields and the boundaries, in lobe order.
    LobeEdges BuildEdges() const;

    QWidget& opener_;
    std::array<std::string, 10> copy_;
};

}  // namespace tlrx
