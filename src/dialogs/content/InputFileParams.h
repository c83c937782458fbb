#pragma once
// "Digital Map File Plot Parameters": how one digital map file is drawn. The
// symbol type of the whole file (a line or one of eleven point symbols) and,
// for each geofeature row of the file's family, whether it is plotted, its
// colour, its line width or symbol radius and its border width, shown in
// whole pixels and stored in twips. The grid is the only working copy: OK
// writes the file (inserting a new one into the design and the file list),
// Cancel changes nothing. For .prn and .utm files OK then asks for the font
// of the file's labels.
//
// Opened with exactly one of AddingInputFile, EditingInputFile set, for the
// file CurInputFile at number CurInputFileIndex + 1; both are clear again
// when it closes.

#include <QString>

#include "dialogs/common/DialogBase.h"
#include "dialogs/pickers/Pickers.h"
#include "plot/mapfiles/MapFeatureTables.h"

class QLabel;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace tlrx {

class InputFileChoices;

// Symbol types with a border width: plus, cross, square, diamond, triangle, circle.
bool SymbolHasBorder(int symbolType);

// The size dialog of one width or radius cell, in pixels up to 600.
class SymbolSizeSpin : public DialogBase {
    Q_OBJECT
public:
    static constexpr uint32_t HelpContextID = 2950;

    // symbolType: the selected type; column: 1 (width or radius) or 2 (border).
    SymbolSizeSpin(QWidget* parent, int symbolType, int column, int value);

    QLabel* FieldLabel;
    QSpinBox* Spin;
    QPushButton* ButtonOK;

    // The chosen value as the cell shows it ("0004"); empty unless OK was pressed.
    QString Result() const { return result_; }
    void ButtonOK_Click();

private:
    QString result_;
};

class InputFileParams : public DialogBase, public GeofeatureColorHost {
    Q_OBJECT
public:
    static constexpr uint32_t HelpContextID = 1630;

    // list: the file list dialog that opened it, brought up to date by OK.
    explicit InputFileParams(QWidget* parent = nullptr, InputFileChoices* list = nullptr);

    QLabel* MapFileLabel;
    QTableWidget* SymbolType1;  // rows 0..11: symbol types 1..12
    QTableWidget* GeoFeatures;  // row r - 1: geofeature row r; columns as the grid's
    QPushButton* OK;
    QPushButton* Cancel;

    GeofeatureTable Table() const { return table_; }
    int DataRows() const;
    int GeoVisibleRows() const { return visibleRows_; }

    void Form_Load();
    void OK_Click();
    void Cancel_Click();
    // The symbol type shown selected, 1 to 12.
    int SelectedSymbolType() const;
    void SelectSymbolType(int symbolType);
    void SymbolType1_EnterCell();
    // A click or the space key on data row `row` (1-based), column `column`.
    void GeoFeatures_Click(int row, int column);
    // A mouse press on the header of `column`.
    void GeoFeatures_HeaderPressed(int column);
    // A click on swatch i (1 to GeoVisibleRows) of the rows in view.
    void ColorPicBox_Click(int index);

    // The cells of data row `row` (1-based) as shown.
    QString CellText(int row, int column) const;
    int32_t RowColor(int row) const;
    bool RowPlotted(int row) const;

    // GeofeatureColorHost.
    int32_t SwatchColor() const override;
    void ApplyPickedColor(int32_t color) override;

    void done(int result) override;

protected:
    // The space key on a cell acts as a click.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetRowColor(int row, int32_t color);
    void SetRowPlotted(int row, bool plotted);
    void ShowWidths(int symbolType, bool fromDesign);
    void StoreRow(int row, int file, int symbolType);
    void AskLabelFont(int file);
    int FirstRowInView() const;

    InputFileChoices* list_;
    GeofeatureTable table_ = GeofeatureTable::AllFeatures;
    int visibleRows_ = 1;
    bool adding_ = false;
};

}  // namespace tlrx
