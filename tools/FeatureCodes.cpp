#include "FeatureCodes.h"

#include <cctype>

namespace tlrx::convert {

int MwdbRank(int row) {
    //                          row: 0  1  2  3  4  5  6  7  8  9  10
    static const int kRankOfRow[] = {0, 1, 5, 6, 7, 2, 8, 3, 9, 4, 10};
    return (row >= 1 && row <= 10) ? kRankOfRow[row] : 0;
}

int DlgRow(int row, double lengthKm) {
    switch (row) {
    case 1: return 25;
    case 2:
    case 3: return lengthKm < 30 ? 26 : lengthKm < 80 ? 27 : 28;
    case 4: return lengthKm < 30 ? 3 : lengthKm < 100 ? 4 : lengthKm < 350 ? 5 : 6;
    case 5: return 54;
    default: return 56;
    }
}

namespace {
struct DlgCodes {
    int row, grf, grv;
};
constexpr DlgCodes kDlg[] = {{3, 3003, 4},   {4, 3005, 6},   {5, 3010, 11},  {6, 3016, 17},   {25, 4000, 76},
                             {26, 4001, 77}, {27, 4010, 86}, {28, 4014, 90}, {54, 6001, 158}, {56, 6005, 160}};
}  // namespace

int GrvCodeByte(int dlgRow) {
    for (const auto& c : kDlg)
        if (c.row == dlgRow) return c.grv;
    return -1;
}

int GrfCode(int dlgRow) {
    for (const auto& c : kDlg)
        if (c.row == dlgRow) return c.grf;
    return -1;
}

int WdbRow(int row) {
    //                         row: 0  1   2   3   4   5  6   7   8  9   10
    static const int kWdbOfRow[] = {0, 9, 10, 11, 21, 1, 35, 33, 0, 32, 0};
    return (row >= 1 && row <= 10) ? kWdbOfRow[row] : 0;
}

int WdbTitleOffset(const std::string& title) {
    if (title.size() < 3) return 0;
    switch (std::toupper(static_cast<unsigned char>(title[2]))) {
    case 'C': return 8;
    case 'R': return 23;
    case 'P': return 36;
    default: return 0;
    }
}

int WdbFold(int v) {
    if (v >= 14 && v <= 18) return v - 1;
    if (v >= 21 && v <= 31) return v - 3;
    if (v == 33 || v == 34) return v - 4;
    if (v >= 36 && v <= 41) return v - 5;
    return v;
}

int WdbCodeByte(int wdbRow, int offset) {
    for (int code = 1; code <= 255; ++code)
        if (WdbFold(code + offset) == wdbRow) return code;
    return -1;
}

bool WdbThemeHolds(int offset, bool pkv, int wdbRow) {
    if (pkv) return wdbRow >= 1 && wdbRow <= 36;
    switch (offset) {
    case 8: return wdbRow >= 9 && wdbRow <= 20;
    case 23: return wdbRow >= 21 && wdbRow <= 31;
    case 36: return wdbRow >= 32 && wdbRow <= 36;
    default: return wdbRow >= 1 && wdbRow <= 8;
    }
}

}  // namespace tlrx::convert
