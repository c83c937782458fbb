#pragma once
// "Enter Filenames for ASCII Output Files": the name of the coordinate file
// of each graticule output and of each map file of the input list, chosen
// row by row with the main window's file dialog (a click on a name, or Space
// on it). OK checks the names, stores them in AscFileName (row i in element
// i) and sets OutAscii, after which the File menu draws the map into them;
// Cancel and the close box store nothing and leave OutAscii clear.

#include <cstdint>
#include <string>
#include <vector>

#include "dialogs/common/DialogBase.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace tlrx {

class AscOutput : public DialogBase {
    Q_OBJECT
public:
    static constexpr uint32_t HelpContextID = 2030;

    explicit AscOutput(QWidget* parent = nullptr);

    QLabel* Label1;
    // A header row; per output a row of its number (" 01"), its source
    // (" Grid points", " Grid lines", " Grid", or a map file's title) and
    // its output name (a blank and the name). Only the names can be chosen.
    QTableWidget* AscGrid;
    QPushButton* OK;
    QPushButton* Cancel;

    int16_t AscOutputRowCount = 0;  // GridOutputCount + NumInputFiles

    // Clears OutAscii, centres the dialog and fills the grid from
    // AscFileName (resized to the rows, keeping its names); with no rows at
    // all it says so and prepares none.
    void Form_Load();
    // A click or Space on a name: the file dialog for that row.
    void AscGrid_Click();
    void AscGrid_KeyPress(int keyAscii);
    // The file dialog "Save As ASCII File" for the current row, preset with
    // its name; the chosen name, with ".txt" unless it ends so, becomes the
    // row's. Cancel and dialog errors leave the row as it was, silently.
    void AscFileSelect();
    // Refuses an empty name and a name that is one of the input map files
    // (it would be truncated while it is read), asks before replacing an
    // existing file (No: the file dialog for that row, then the checks
    // again), refuses two rows naming the same file; names are compared as
    // absolute, clean paths, letter case counting, and as files on disk (a
    // link, a hard link or a linked folder names its file). The dialog stays open on
    // the offending row. Then stores the names, sets OutAscii and closes.
    void OK_Click();
    void Cancel_Click();

    // The output name of row (1 to AscOutputRowCount), without the blanks around it.
    std::string RowName(int row) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetCurrentRow(int row);
};

// The first of outputs that is one of the input map files (compared as
// AscOutput compares names), or the empty text.
std::string OutputThatIsInput(const std::vector<std::string>& outputs);
// "The output file <name>\nis one of the input map files!"
void ShowOutputIsInput(const std::string& name);

}  // namespace tlrx
