#pragma once
// Labels of the ASCII point files (.prn, .utm): placed beside their points,
// drawn, and appended to the map text items so that the exports write them.
//
// The plotting pass collects the labels of a pass in MapLabels (each the
// text item it becomes, with its point's projection input and file; labels
// 1..n, element 0 empty). After
// its files and circles, with DisplayLabels, it calls LabelPrint and then
// LabelConvert, which appends the labels as temporary text items; they stay
// until the run's last pass has drawn or exported the text, and
// RemoveTemporaryLabelItems takes them away again. The label option
// dialog's " Convert labels to text" calls LabelConvert on its own, which
// then makes the labels of the last drawing permanent text items.

namespace tlrx {

// Places, measures and draws labels 1..n (n = upper bound of MapLabels).
// For each label: projects its point (ProjInLat, ProjInLon = MapLabelLat,
// MapLabelLon, ProjectSelect); sets the main window's ForeColor, FontName,
// FontSize and font flags from the label; measures the font (the window's
// GetTextMetrics, converted to twips: the item's TextItemAscent,
// TextItemDescent, TextItemCharWidth; height) and the text (TextWidth, w); then the text
// starts r = FeatureSymbolRadius(1, file) twips right of the point (two more
// pixels when the file draws squares, symbol types 5 and 6) with the top of
// its box level with the point, in twips of the window, also while printing
// (the window's transform is computed with ScaleScreen for it and the run's
// transforms put back after). A label that would pass the drawing area's
// right edge (w + x > DrawWidthTwips) goes to the left of the symbol (x - w -
// 2r), one that would pass its bottom (height + y > DrawHeightTwips) above
// the point (y - height); there is no test against the left and top edges.
// TextItemX = x, TextItemY = y + ascent (the baseline), and the label is
// drawn there unrotated by PrintRotatedText, on the window or, while
// printing, on the page. MapLabels is left holding only the labels placed,
// and MapLabelsPlaced is set:
// a label whose point cannot be projected (CalcError) is neither drawn nor
// kept, so it is never put at another label's point. CurrentText is empty
// afterwards and the window's text properties are the last label's.
// A failed GetTextMetrics shows "GetTextMetrics error in LabelPrint" under
// ApiErrorTitle and the label is measured with the previous label's metrics
// (0 for the first). A run-time error (a position beyond 32 bits) shows
// "Error in LabelPrint" and ends it; the labels not yet placed are dropped.
void LabelPrint();

// Appends the labels LabelPrint placed to the text items: NumTextItems grows
// by n and item NumTextItems(before) + k is label k's text item (its text,
// font, size, colour and flags, rotation 0, its place, ascent, descent and
// character width, and TextItemFromLabel set). Does nothing when there is no
// label or the labels were not placed since the list was last emptied
// (MapLabelsPlaced clear). A run-time error (more items than a Long counts)
// shows "Error in LabelConvert" and appends nothing.
void LabelConvert();

// Takes the temporary label items of the current run away: when the run's
// first plotting pass has kept NumTextItemsSaved (TextItemsSaved),
// NumTextItems goes back to it and the TextItem lists are cut to it, and
// TextItemsSaved is cleared. Nothing happens otherwise, so it may be called
// at every end of a run: the plotting pass calls it after its last pass and
// when a pass is stopped or fails; the drawing and printing runs call it
// when they end, whatever ended them (a stop or failure in the graticule
// drawing of a later lobe never reaches the plotting pass).
void RemoveTemporaryLabelItems();

}  // namespace tlrx
