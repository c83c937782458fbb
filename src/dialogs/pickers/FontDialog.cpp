#include "dialogs/pickers/FontDialog.h"

#include <QCheckBox>
#include <QFont>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "core/DesignState.h"
#include "core/Errors.h"
#include "core/Palette.h"
#include "dialogs/pickers/ColorGrid.h"
#include "dialogs/pickers/Pickers.h"
#include "platform/ScreenMetrics.h"

namespace tlrx {

namespace {

constexpr char kSampleWord[] = "Ypiranga";
constexpr double kDefaultSize = 12;
// The largest size the font system is asked for; larger typed sizes are
// taken as this.
constexpr double kLargestSize = 1638;

QColor ColorOf(int32_t value) { return {value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF}; }

float PerPixel(float designValue, float screenValue) { return designValue > 0 ? designValue : screenValue; }

// A size text as a number of points: a positive number, else the default.
double SizeOfText(const QString& text) {
    bool ok = false;
    const double size = text.trimmed().toDouble(&ok);
    if (!ok || !(size > 0)) return kDefaultSize;
    return std::min(size, kLargestSize);
}

}  // namespace

// ---- ListCombo ----

ListCombo::ListCombo(bool typedTextSelects, QWidget* parent) : QWidget(parent), typedTextSelects_(typedTextSelects) {
    Edit = new QLineEdit(this);
    List = new QListWidget(this);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(Edit);
    column->addWidget(List);
    connect(List, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) Edit->setText(List->item(row)->text());
        emit Clicked();
    });
    connect(Edit, &QLineEdit::textEdited, this, [this](const QString& text) {
        int match = -1;
        if (typedTextSelects_) {
            const auto found = List->findItems(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
            if (!found.isEmpty()) match = List->row(found.front());
        }
        {
            // The field keeps what was typed, whatever the list shows.
            const QSignalBlocker quiet(List);
            List->setCurrentRow(match);
            if (match < 0) List->clearSelection();
        }
        emit Typed();
    });
}

int ListCombo::ListIndex() const {
    return List->currentItem() && List->currentItem()->isSelected() ? List->currentRow() : -1;
}

void ListCombo::SetListIndex(int index) {
    List->setCurrentRow(index);
    if (index < 0) List->clearSelection();
}

QString ListCombo::SelectedText() const {
    const int index = ListIndex();
    return index >= 0 ? List->item(index)->text() : QString();
}

// ---- SampleBox ----

SampleBox::SampleBox(QWidget* parent) : QWidget(parent) { setFocusPolicy(Qt::TabFocus); }

QFont SampleBox::SampleFont() const {
    QFont font(FontName);
    font.setPointSizeF(FontSize);
    font.setBold(FontBold);
    font.setItalic(FontItalic);
    font.setUnderline(FontUnderline);
    font.setStrikeOut(FontStrikethru);
    return font;
}

QPoint SampleBox::TextTopLeft() const {
    const QFontMetrics metrics(SampleFont());
    const int tw = metrics.horizontalAdvance(QString::fromLatin1(kSampleWord));
    const int th = metrics.height();
    // A word larger than the box starts at its left edge and keeps its
    // lower part, where the baseline lies, in view.
    const int x = tw > width() ? 0 : static_cast<int>(std::lround((width() - tw) / 2.0));
    const int y = th > height() ? height() - th : static_cast<int>(std::lround((height() - th) / 2.0));
    return {x, y};
}

void SampleBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    const QFont font = SampleFont();
    const QPoint at = TextTopLeft();
    p.setFont(font);
    p.setPen(ColorOf(ForeColor));
    p.drawText(at.x(), at.y() + QFontMetrics(font).ascent(), QString::fromLatin1(kSampleWord));
}

// ---- FontDialog ----

FontDialog::FontDialog(QWidget* parent, TextFontHost* text)
    : DialogBase(parent, "FontDialog", HelpContextID), text_(text) {
    const int16_t s = Design().FontSlotIndex;
    slot_ = s >= FontSlotText && s <= FontSlotReport ? s : 0;
    setWindowTitle(QStringLiteral("Select Font"));

    lblFontNames = new QLabel(this);
    comFontName = new ListCombo(true, this);
    lblFontSizes = new QLabel(QStringLiteral("Font Size"), this);
    comFontSize = new ListCombo(false, this);
    frmAppearance = new QGroupBox(QStringLiteral(" Appearance "), this);
    chkItalic = new QCheckBox(QStringLiteral("Italic"), frmAppearance);
    chkBold = new QCheckBox(QStringLiteral("Bold"), frmAppearance);
    chkUnderline = new QCheckBox(QStringLiteral("Underline"), frmAppearance);
    chkStrikethru = new QCheckBox(QStringLiteral("Strikeout"), frmAppearance);
    lblFontColor = new QLabel(QStringLiteral("Font Color"), this);
    ColorSquare = new ColorGrid(this);
    ColorSquare->SetMarkerOnTop(true);
    lblSampleText = new QLabel(QStringLiteral("Sample Text"), this);
    picSampleText = new SampleBox(this);
    // Not the base's button row: every control of this dialog is placed in twips.
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);

    const DesignState& d = Design();
    const float tx = PerPixel(d.TwipsPerPixelX, GetScreenInfo().twipsPerPixelX);
    const float ty = PerPixel(d.TwipsPerPixelY, GetScreenInfo().twipsPerPixelY);
    auto place = [tx, ty](QWidget* w, int left, int top, int width, int height) {
        w->setGeometry(static_cast<int>(left / tx), static_cast<int>(top / ty), static_cast<int>(width / tx),
                       static_cast<int>(height / ty));
    };
    place(lblFontNames, 240, 240, 2100, 255);
    place(comFontName, 240, 540, 2220, 1740);
    place(lblFontSizes, 2700, 240, 810, 255);
    place(comFontSize, 2700, 540, 810, 1740);
    place(frmAppearance, 3750, 240, 1410, 2070);
    // The check boxes reach to the frame's edge, so that their captions are
    // not cut off in the toolkit's larger default font.
    place(chkItalic, 150, 300, 1230, 255);
    place(chkBold, 150, 705, 1230, 255);
    place(chkUnderline, 150, 1110, 1230, 255);
    place(chkStrikethru, 150, 1515, 1230, 255);
    place(lblFontColor, 5400, 240, 1215, 255);
    ColorSquare->move(static_cast<int>(5400 / tx), static_cast<int>(540 / ty));
    place(lblSampleText, 240, 2700, 1200, 255);
    place(picSampleText, 240, 3000, 4920, 3090);
    place(cmdOK, 5520, 4320, 1215, 495);
    place(cmdCancel, 7440, 4320, 1215, 495);
    setFixedSize(static_cast<int>(8940 / tx), static_cast<int>(6360 / ty));

    const QWidget* order[] = {comFontName->Edit, comFontName->List, comFontSize->Edit, comFontSize->List, chkItalic,
                              chkBold,           chkUnderline,      chkStrikethru,     picSampleText,     cmdOK,
                              cmdCancel};
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(const_cast<QWidget*>(order[i]), const_cast<QWidget*>(order[i + 1]));

    Form_Load();
    Form_Activate();

    connect(comFontName, &ListCombo::Clicked, this, [this] {
        if (comFontName->ListIndex() >= 0) DisplaySampleText();
    });
    connect(comFontName, &ListCombo::Typed, this, &FontDialog::DisplaySampleText);
    connect(comFontSize, &ListCombo::Clicked, this, [this] {
        if (comFontSize->ListIndex() >= 0) DisplaySampleText();
    });
    connect(comFontSize, &ListCombo::Typed, this, &FontDialog::DisplaySampleText);
    connect(chkBold, &QCheckBox::toggled, this, [this] { StyleClicked(chkBold, &SampleBox::FontBold); });
    connect(chkItalic, &QCheckBox::toggled, this, [this] { StyleClicked(chkItalic, &SampleBox::FontItalic); });
    connect(chkUnderline, &QCheckBox::toggled, this, [this] { StyleClicked(chkUnderline, &SampleBox::FontUnderline); });
    connect(chkStrikethru, &QCheckBox::toggled, this,
            [this] { StyleClicked(chkStrikethru, &SampleBox::FontStrikethru); });
    connect(ColorSquare, &ColorGrid::CellClicked, this, &FontDialog::ColorSquare_Click);
    connect(cmdOK, &QPushButton::clicked, this, &FontDialog::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &FontDialog::cmdCancel_Click);
    cmdOK->setDefault(true);
    FinishControls();
}

void FontDialog::Form_Load() {
    lblFontNames->setText(QStringLiteral("TrueType Fonts (%1)").arg(Design().FontNames.size()));
    ColorSquare->HideHover();
}

void FontDialog::Form_Activate() {
    const DesignState& d = Design();
    const auto s = static_cast<size_t>(slot_);

    // The names in alphabetical order, case aside; the sizes as offered.
    QStringList names;
    for (const std::string& name : d.FontNames) names << QString::fromStdString(name);
    std::stable_sort(names.begin(), names.end(),
                     [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    comFontName->List->addItems(names);
    for (int32_t size : d.FontSizes) comFontSize->List->addItem(QStringLiteral(" %1").arg(size));

    const QString slotName = QString::fromStdString(d.FontSlotName[s]);
    const int nameRow = static_cast<int>(names.indexOf(slotName));
    comFontName->SetListIndex(nameRow);
    if (nameRow < 0) comFontName->Edit->setText(slotName);

    int sizeRow = -1;
    for (size_t i = 0; i < d.FontSizes.size() && sizeRow < 0; ++i)
        if (d.FontSizes[i] == d.FontSlotSize[s]) sizeRow = static_cast<int>(i);
    comFontSize->SetListIndex(sizeRow);
    if (sizeRow < 0) comFontSize->Edit->setText(QStringLiteral(" %1").arg(d.FontSlotSize[s]));

    picSampleText->ForeColor = d.FontSlotColor[s];
    picSampleText->FontName = slotName;

    int marked = 0;
    if (slot_ == FontSlotReport) {
        marked = d.RptFontColorIndex;
    } else {
        const int32_t shown = slot_ == FontSlotText && text_ ? text_->FontColorShown() : picSampleText->ForeColor;
        marked = std::max(PaletteIndexOf(shown), 0);
    }
    ColorSquare->ShowPreviousColor(marked);

    chkBold->setChecked(d.FontSlotBold[s]);
    chkItalic->setChecked(d.FontSlotItalic[s]);
    chkUnderline->setChecked(d.FontSlotUnderline[s]);
    chkStrikethru->setChecked(d.FontSlotStrikethru[s]);
    picSampleText->FontBold = d.FontSlotBold[s];
    picSampleText->FontItalic = d.FontSlotItalic[s];
    picSampleText->FontUnderline = d.FontSlotUnderline[s];
    picSampleText->FontStrikethru = d.FontSlotStrikethru[s];
    DisplaySampleText();
}

void FontDialog::DisplaySampleText() {
    SampleBox& box = *picSampleText;
    // Without a chosen name the sample keeps the name it has: the slot's.
    if (comFontName->ListIndex() >= 0) box.FontName = comFontName->SelectedText();
    box.FontSize =
        comFontSize->ListIndex() >= 0 ? SizeOfText(comFontSize->SelectedText()) : SizeOfText(comFontSize->Edit->text());
    box.FontItalic = chkItalic->isChecked();
    box.FontBold = chkBold->isChecked();
    box.FontUnderline = chkUnderline->isChecked();
    box.FontStrikethru = chkStrikethru->isChecked();
    box.update();
}

void FontDialog::StyleClicked(QCheckBox* box, bool SampleBox::*attribute) {
    picSampleText->*attribute = box->isChecked();
    DisplaySampleText();
}

void FontDialog::ColorSquare_Click(int cell) {
    if (cell < 0 || cell >= kPaletteSize) return;
    picSampleText->ForeColor = PaletteColors()[static_cast<size_t>(cell)];
    DisplaySampleText();
    ColorSquare->ShowPreviousColor(cell);
    pickedCell_ = cell;
}

void FontDialog::cmdOK_Click() {
    DesignState& d = Design();
    // The sample takes a size typed after its last redraw.
    DisplaySampleText();
    const SampleBox& box = *picSampleText;
    d.FontDialogOK = true;
    if (slot_ != 0) {
        const auto s = static_cast<size_t>(slot_);
        d.FontSlotName[s] = box.FontName.toStdString();
        d.FontSlotSize[s] = static_cast<int32_t>(RoundHalfEven(box.FontSize));
        d.FontSlotColor[s] = box.ForeColor;
        d.FontSlotItalic[s] = box.FontItalic;
        d.FontSlotBold[s] = box.FontBold;
        d.FontSlotUnderline[s] = box.FontUnderline;
        d.FontSlotStrikethru[s] = box.FontStrikethru;
    }
    // Without a click the colour is unchanged, and so is its index.
    if (slot_ == FontSlotReport && pickedCell_ >= 0) d.RptFontColorIndex = static_cast<int16_t>(pickedCell_);
    if (slot_ == FontSlotText && text_) {
        text_->SetCurrentFontText(CurrentFontText(box.FontSize, box.FontName.toStdString()).c_str());
        text_->SetFontStyleText(
            FontStyleText(box.FontBold, box.FontItalic, box.FontUnderline, box.FontStrikethru).c_str());
        text_->SetFontColor(box.ForeColor);
    }
    accept();
}

void FontDialog::cmdCancel_Click() { reject(); }

void FontDialog::reject() {
    // The window's close box and Esc leave as Cancel does.
    Design().FontDialogOK = false;
    DialogBase::reject();
}

}  // namespace tlrx
