#pragma once
// "Add or Edit Digital Map File": the numbered list of the design's digital
// map files (line i stands for file i + 1; one more line holding only the
// next number marks the place after the last file). Add chooses a file in
// the main window's file dialog and opens the symbology dialog for it, Edit
// opens that dialog for the selected file, Delete removes the selected file
// with all its settings. Every change is made at once; OK and Cancel only
// close the dialog.

#include <string>
#include <string_view>

#include "dialogs/common/DialogBase.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace tlrx {

// A line of the list: the file's number with at least two digits ("01",
// "100"), three blanks, then the path (empty for the closing line).
std::string InputFileLine(int number, std::string_view path);

// The open dialog's group for a file name, from its last three characters
// in any case: 1 ASCII ... 7 World, 4 (TLRX) for an empty name, 0 for an
// ending of no group.
int16_t InputFileFilterIndex(std::string_view path);

class InputFileChoices : public DialogBase {
    Q_OBJECT
public:
    static constexpr uint32_t HelpContextID = 1620;

    explicit InputFileChoices(QWidget* parent = nullptr);

    QListWidget* InputFilesOpen;
    QPushButton* InputFileAdd;
    QPushButton* InputFileEdit;
    QPushButton* InputFileDelete;
    QPushButton* OK;
    QPushButton* Cancel;
    QLabel* Instructions;

    void Form_Load();
    void InputFileAdd_Click();
    void InputFileEdit_Click();
    void InputFileDelete_Click();

    // Rebuilds every line from the design's files and selects `line`.
    void RebuildList(int line);

private:
    // The selected line when it names a file (it becomes CurInputFileIndex
    // either way), else -1.
    int ChosenFileLine();
};

}  // namespace tlrx
