#pragma once
// The main window: its menus, its drawing area with the kept picture, the
// drawing run with its Stop handling, the keys, help and plot time, the
// settings file, the font list and the caption's size display. It is the
// Host the plotting code draws on.

#include <QMainWindow>
#include <QSizeF>
#include <array>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Host.h"
#include "plot/export/Bmp.h"

class QAction;
class QMenu;

namespace tlrx {

class DrawingArea;
class PrinterSurface;

class Tellurax : public QMainWindow, public Host {
    Q_OBJECT
public:
    static constexpr uint32_t HelpContextID = 100;

    // Builds the window and runs start-up (Form_Load); registers the window
    // as the plotting code's main window.
    explicit Tellurax(QWidget* parent = nullptr);
    ~Tellurax() override;

    // ---- Menus: each array indexed as its items, separators included ----
    // "&File", "&Projection", "Design &Map", "&Draw Map", "&Help", "&Stop".
    std::array<QAction*, 6> mnuBar{};
    std::array<QAction*, 18> mnuInput{};  // the File menu
    // The Projection menu and its Mollweide submenu, built from the
    // projection table; each projection's item carries its code.
    std::vector<QAction*> mnuProj;
    std::vector<QAction*> mnuProjMollweide;
    std::array<QAction*, 14> mnuDesign{};  // the Design Map menu
    // "Show Window &Pixel Size" in mnuDesign: its mark switches the caption's
    // size display.
    static constexpr size_t kPixelSizeItem = 10;
    std::array<QAction*, 5> mnuAbout{};  // the Help menu

    // ---- Window members ----
    int32_t TextX = 0;  // text placement point, twips
    int32_t TextY = 0;
    bool CrossShown = false;  // the placement cross is on screen
    bool Plotting = false;    // a drawing run is in progress
    bool Spooling = false;    // a printing run waits while its page is ended
    BmpRecord WindowPicture;  // the picture kept for repainting placed text
    // The screen under the text preview: its rectangle in pixels of the
    // drawing area, the corner its pixels go back to, and the pixels.
    struct SavedBackground {
        PixelRect rect;
        int32_t left = 0;
        int32_t top = 0;
        BmpRecord pixels;
    };
    SavedBackground PreviewBackground;

    DrawingArea& Area() { return *area_; }

    // ---- Host ----
    float ScaleWidth() const override;
    float ScaleHeight() const override;
    std::string Caption() const override;
    void SetCaption(std::string_view caption) override;
    void Refresh() override;
    void Beep() override;
    float TextWidth(std::string_view text) const override;
    bool GetTextMetrics(TextMetric& metric) const override;
    Surface& DC() override;
    int32_t ClientWidthPx() const override;
    int32_t ClientHeightPx() const override;
    int32_t ScreenBitDepth() const override;
    bool GrabPixels(int32_t left, int32_t top, int32_t width, int32_t height, Bitmap& out) override;
    void PutPixels(int32_t left, int32_t top, const Bitmap& pixels) override;

    // ---- Start-up and shut-down ----
    // Caption, program folder and help file, printer component, menu marks,
    // the start-up design and scaling, the window geometry and print units
    // from the settings file, and the print layout fitted to the paper.
    void Form_Load();
    // Writes the settings file and releases what drawing left behind.
    void Form_Unload();
    // First activation only: the font list, the default text font, the font
    // slots and the report font's name.
    void Form_Activate();
    // Keeps the caption's size display (and the picture's size) up to date,
    // and the size of a maximised window's drawing area once it is seen.
    void Form_Resize();

    // ---- Keys and menus ----
    // Esc stops a run, cancels export requests or ends a text placement;
    // Space, the arrows and the digits 1 to 3 steer a text placement.
    // keyCode is a Qt key; modifiers tell the keypad's digits apart.
    void Form_KeyDown(int keyCode, Qt::KeyboardModifiers modifiers = {});
    // F1: the main window's help topic.
    void Form_KeyUp(int keyCode);
    // A mouse button pressed in the drawing area at (x, y) twips: the text
    // placement point moves there and the preview is toggled.
    void Form_MouseDown(Qt::MouseButton button, float x, float y);
    // The mouse moved over the drawing area: while a text is placed the
    // caption shows (x, y) in twips.
    void Form_MouseMove(float x, float y);
    // A top-level menu opened or chosen: 0 File, 3 Draw Map, 5 Stop.
    void mnuBar_Click(int16_t index);
    // The File menu: its check mark; the exports (items 5 to 9), the circle
    // files (11, 12), saving and recalling the design (14, 15) and Exit (17).
    void mnuInput_Click(int16_t index);
    // The Projection menu: commits the projection of the item and opens its
    // boundary dialog; an edit not completed puts the previous projection
    // back. Separators and the item that opens the submenu choose nothing.
    void mnuProj_Click(int16_t index);
    // The Mollweide submenu: as mnuProj_Click, for its items.
    void mnuProjMollweide_Click(int16_t index);
    // The Design Map menu: its check mark, the dialog of the item (the
    // boundary dialog of the current projection, the great circle, computed
    // after an accepted dialog, the small circles, labels, grid and line
    // width scaling), "Show Window &Pixel Size" and the two report windows
    // (the great circle report only while a great circle is defined).
    void mnuDesign_Click(int16_t index);
    // The Help menu: contents, index, About, plot time.
    void mnuAbout_Click(int16_t index);

    // ---- Drawing ----
    // Draws the design lobe by lobe (graticule, map files, map text) with
    // the menus locked; writes the requested export on the way. Stop or Esc
    // ends it after the pass under way.
    void MapDraw();
    // Prints the design on one page of the printer chosen in PrnDlg, at the
    // size and place of the print layout, with the menus locked. Stop or
    // Esc, while the page is drawn or handed to the printer, cancels the job
    // so that nothing is printed. A printer that cannot be opened is
    // reported; every way out ends or aborts the job and lets the printer go.
    void MapPrint();
    // "Print Set&up": the printer set-up dialog; a confirmed choice is
    // measured anew (the print layout is held against it when it next opens).
    void VbPrnDlgDisplay();
    // The print layout fitted to the chosen printer's page the first time
    // anything needs the printers (the File menu, a printing command, saving
    // or recalling a design): start-up does not ask for them. The layout is
    // the one a measure at start-up gave: the page of the printer then
    // current, the window's aspect at start-up.
    void SettlePrintLayout();
    // Clears the drawing area.
    void Cls();
    // Puts or removes the drawing area's size in pixels in front of the
    // caption, as "Show Window &Pixel Size" says.
    void ToggleCaption();
    // While maximised, the drawing area's size is that of a maximised
    // window on this screen: it replaces the start-up estimate, so that a
    // design saved in a maximised window recalls there unchanged.
    void MeasureMaximisedArea();

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildMenus();
    // The Projection menu from the projection table, in its order: a
    // separator between families, consecutive rows of one submenu gathered
    // under the item that opens it.
    void BuildProjectionMenu();
    void ConnectHandlers();
    // Locks the menu bar for a run (only Stop enabled) or unlocks it.
    void LockMenus(bool running);
    // The projections whose dialogs exist are enabled.
    void EnableProjectionItems();
    QAction* CheckedProjectionItem() const;
    // Moves the Projection menu's one mark to item (none for nullptr).
    void CheckProjectionItem(QAction* item);
    // The Projection menu's item of a projection code, found by the code it
    // carries; nullptr for a code that is no projection.
    QAction* ProjectionItem(int16_t code) const;
    // Commits the projection of the item chosen and opens its dialogs.
    void ChooseProjection(QAction* item);

    // Gives the picture the drawing area's size; a run's device that was the
    // old picture's surface becomes the new one's.
    void FitPicture();

    void RestoreWindow();
    // The printed map's width fitted to the measured page (when measured)
    // and its height to the start-up aspect.
    void FitPrintLayout(bool pageMeasured);
    // Once the window has its frame: the saved outer size less the frame
    // becomes the window's size, at the saved place.
    void ApplySavedGeometry();
    // The window's outer geometry in pixels, as the settings file keeps it.
    QRect OuterGeometry() const;

    // Draws every lobe of the design: one, or the interrupted Mollweide's
    // northern and then southern lobes, on the window or (printing) on the
    // printer. False when a pass was stopped.
    bool DrawLobes(bool printing);
    bool DrawLobeRange(int first, int last, bool printing);
    // Puts the drawing pen back and deletes it; a failure names its site.
    void ReleaseDrawingPen(int site, std::string_view procedure = "MapDraw");
    // The end of a run that failed: as after a stop.
    void EndFailedRun();
    float ElapsedSeconds() const;

    // File menu: Save as BMP, CGM, DXF or WMF (the item's index), and Save as ASCII.
    void SaveMapAs(int16_t index);
    void SaveMapAsAscii();
    // File menu: Save Great Circle or Save Small Circle (the item's index).
    void SaveCircle(int16_t index);
    // File menu: Save Map Design and Recall Map Design.
    void SaveMapDesign();
    void RecallMapDesign();
    // The window of a recalled design: normal state, the given outer size in
    // twips, at the top left corner of the screen.
    void RestoreDesignWindow(float width, float height);
    friend class MainDesignWindow;
    // File menu: Print Map, the print layout dialog and then the printing run.
    void PrintMapItem();
    // The printers looked up again before a printing command: the
    // printer-selection component, made now when a printer was installed
    // after start-up; false (reported) when there is none to be had.
    bool PrinterComponent();
    // The printing run from the start of the job to the end of its page;
    // the job is left open or ended.
    void PrintPage(PrinterSurface& dc);

    // Text placement: the cross at (TextX, TextY) drawn by inverting the
    // pixels it covers, so a second call at the same point erases it; the
    // preview toggled on and off; the end of the placement, storing the
    // item when its preview is on screen.
    void TextCursor();
    void TextPrint();
    void TextDone();
    // Inverts a rectangle of the drawing area, pixels.
    void InvertPixels(int32_t left, int32_t top, int32_t width, int32_t height);

    DrawingArea* area_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QMenu* projMenu_ = nullptr;
    QMenu* designMenu_ = nullptr;
    QMenu* helpMenu_ = nullptr;
    bool activated_ = false;
    // A drawing run is on the stack: Plotting ends with the stop, the run
    // only when its pass has seen it.
    bool runActive_ = false;
    bool closePending_ = false;
    bool geometryPending_ = false;     // the saved size waits for the frame
    QRect savedOuter_;                 // pixels
    bool printLayoutPending_ = false;  // the page is still to be measured
    QSizeF layoutAspect_;              // the drawing area at start-up, twips
    std::chrono::steady_clock::time_point runStart_{};
};

}  // namespace tlrx
