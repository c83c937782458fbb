#include "dialogs/content/InputFileParams.h"

#include <QEvent>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cctype>
#include <cmath>

#include "core/DesignState.h"
#include "core/Errors.h"
#include "dialogs/content/InputFileChoices.h"
#include "dialogs/geo/DesignParts.h"
#include "platform/Host.h"
#include "platform/MessageBox.h"

namespace tlrx {

namespace {

const QColor kPlotted(0, 0, 0);
const QColor kNotPlotted(192, 192, 192);
const QColor kHeader(128, 128, 128);
constexpr int kColorRole = Qt::UserRole;
// Header texts wider than their column take two lines.
const Qt::Alignment kWrappedCentre = Qt::Alignment(int(Qt::AlignCenter) | int(Qt::TextWordWrap));

constexpr const char* kFocusStyle =
    "QTableWidget { background-color: rgb(255, 255, 255); }"
    "QTableWidget:focus { background-color: rgb(0, 255, 255); }"
    "QHeaderView::section { background-color: rgb(128, 128, 128); color: rgb(255, 255, 255); }";

// Paints a colour cell in its colour alone. The style marks the current cell
// of the focused grid with a translucent fill, which would show another
// colour than the one chosen; where the style would show that mark, the
// current colour cell gets an outline that stands out from its colour.
class ColorCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const QColor color = index.data(Qt::BackgroundRole).value<QBrush>().color();
        painter->fillRect(option.rect, color);
        const QStyle::State focusShown = QStyle::State_HasFocus | QStyle::State_KeyboardFocusChange;
        if ((option.state & focusShown) != focusShown) return;
        painter->save();
        painter->setPen(QPen(qGray(color.rgb()) < 128 ? Qt::white : Qt::black, 1, Qt::DotLine));
        painter->drawRect(option.rect.adjusted(1, 1, -2, -2));
        painter->restore();
    }
};

int PixelsOf(int twips) {
    const float perPixel = Design().TwipsPerPixelY;
    return perPixel > 0 ? static_cast<int>(std::lround(twips / perPixel)) : twips / 15;
}

QString Pixels4(int pixels) { return QString::asprintf("%04d", pixels); }

QColor ColorOf(int32_t color) { return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF); }

// The picture of a symbol type in the symbol-type list.
QPixmap SymbolPicture(int type) {
    QPixmap pixmap(24, 12);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(Qt::black, 1));
    const bool filled = type == 2 || type == 6 || type == 8 || type == 10 || type == 12;
    if (filled) p.setBrush(Qt::black);
    const QPointF c(12, 6);
    switch (type) {
    case 1: p.drawLine(2, 6, 22, 6); break;
    case 2: p.drawEllipse(c, 1.5, 1.5); break;
    case 3:
        p.drawLine(8, 6, 16, 6);
        p.drawLine(12, 2, 12, 10);
        break;
    case 4:
        p.drawLine(8, 2, 16, 10);
        p.drawLine(8, 10, 16, 2);
        break;
    case 5:
    case 6: p.drawRect(8, 2, 8, 8); break;
    case 7:
    case 8: p.drawPolygon(QPolygonF({{12, 1}, {17, 6}, {12, 11}, {7, 6}})); break;
    case 9:
    case 10: p.drawPolygon(QPolygonF({{12, 1}, {17, 10}, {7, 10}})); break;
    default: p.drawEllipse(c, 4.5, 4.5); break;
    }
    return pixmap;
}

QTableWidgetItem* FixedItem(const QString& text = {}) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

std::string LastThreeUpper(std::string_view path) {
    std::string s(path);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.pop_back();
    s = s.size() > 3 ? s.substr(s.size() - 3) : s;
    for (char& ch : s) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    return s;
}

}  // namespace

bool SymbolHasBorder(int symbolType) {
    switch (symbolType) {
    case SymPlus:
    case SymCross:
    case SymSquare:
    case SymDiamond:
    case SymTriangle:
    case SymCircle: return true;
    default: return false;
    }
}

// ---- SymbolSizeSpin ----

SymbolSizeSpin::SymbolSizeSpin(QWidget* parent, int symbolType, int column, int value)
    : DialogBase(parent, "SymbolSizeSpin", HelpContextID) {
    const char* caption = "Symbol Radius";
    const char* label = "Symbol Radius:";
    if (symbolType == SymLine) {
        caption = "Line Width";
        label = "Line Width:";
    } else if (SymbolHasBorder(symbolType) && column == 2) {
        caption = "Border Width of Symbol";
        label = "Border Width:";
    }
    setWindowTitle(QString::fromUtf8(caption));
    FieldLabel = new QLabel(QString::fromUtf8(label), this);
    Spin = new QSpinBox(this);
    Spin->setRange(0, 600);
    Spin->setValue(value);
    ButtonOK = new QPushButton(QStringLiteral("OK"), this);
    ButtonOK->setDefault(true);
    SetFieldHelp(Spin, 2950);
    SetFieldHelp(ButtonOK, 2950);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(FieldLabel);
    layout->addWidget(Spin);
    layout->addWidget(ButtonOK);
    connect(ButtonOK, &QPushButton::clicked, this, &SymbolSizeSpin::ButtonOK_Click);
    FinishControls();
    adjustSize();
    if (parent) PlaceFrom(*parent->window(), 6165, 1800);
}

void SymbolSizeSpin::ButtonOK_Click() {
    result_ = Pixels4(Spin->value());
    accept();
}

// ---- InputFileParams ----

InputFileParams::InputFileParams(QWidget* parent, InputFileChoices* list)
    : DialogBase(parent, "InputFileParams", HelpContextID), list_(list) {
    setWindowTitle(QStringLiteral("Digital Map File Plot Parameters"));
    MapFileLabel = new QLabel(this);
    SymbolType1 = new QTableWidget(12, 1, this);
    GeoFeatures = new QTableWidget(0, 4, this);
    QBoxLayout* buttons = AddButtonRow(OK, Cancel);
    SetFieldHelp(GeoFeatures, 2960);
    SetFieldHelp(SymbolType1, 1630);
    setStyleSheet(QString::fromUtf8(kFocusStyle));

    for (QTableWidget* grid : {SymbolType1, GeoFeatures}) {
        grid->verticalHeader()->hide();
        grid->setSelectionMode(QAbstractItemView::SingleSelection);
        grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
        grid->horizontalHeader()->setFixedHeight(PixelsOf(495));
        grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        grid->horizontalHeader()->setDefaultAlignment(kWrappedCentre);
        grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
    // The grid marks its current cell only by the focus frame, so that the
    // colour cells always show their colour.
    GeoFeatures->setSelectionMode(QAbstractItemView::NoSelection);
    GeoFeatures->setItemDelegateForColumn(0, new ColorCellDelegate(GeoFeatures));
    SymbolType1->setSelectionBehavior(QAbstractItemView::SelectRows);
    SymbolType1->setHorizontalHeaderItem(0, FixedItem(QStringLiteral("Symbol Type")));
    SymbolType1->horizontalHeaderItem(0)->setTextAlignment(kWrappedCentre);
    SymbolType1->setIconSize(QSize(24, 12));
    for (int t = 1; t <= 12; ++t) {
        auto* item = FixedItem();
        item->setData(Qt::DecorationRole, SymbolPicture(t));
        SymbolType1->setItem(t - 1, 0, item);
        SymbolType1->setRowHeight(t - 1, std::max(PixelsOf(210), 14));
    }

    auto* grids = new QHBoxLayout;
    grids->addWidget(SymbolType1, 0, Qt::AlignTop);
    auto* features = new QVBoxLayout;
    features->addWidget(new QLabel(QStringLiteral("Geofeature Parameters"), this));
    features->addWidget(GeoFeatures);
    features->addStretch();
    grids->addLayout(features);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MapFileLabel);
    layout->addLayout(grids);
    layout->addLayout(buttons);

    connect(OK, &QPushButton::clicked, this, &InputFileParams::OK_Click);
    connect(Cancel, &QPushButton::clicked, this, &InputFileParams::Cancel_Click);
    connect(SymbolType1, &QTableWidget::currentCellChanged, this, [this] { SymbolType1_EnterCell(); });
    connect(GeoFeatures, &QTableWidget::cellClicked, this, [this](int row, int column) {
        if (column == 0) ColorPicBox_Click(row + 1 - FirstRowInView() + 1);
        else GeoFeatures_Click(row + 1, column);
    });
    connect(GeoFeatures->horizontalHeader(), &QHeaderView::sectionPressed, this,
            &InputFileParams::GeoFeatures_HeaderPressed);
    FinishControls();
    GeoFeatures->installEventFilter(this);
    Form_Load();
}

int InputFileParams::DataRows() const { return GeoFeatures->rowCount(); }

int InputFileParams::FirstRowInView() const {
    const int row = GeoFeatures->rowAt(0);
    return row < 0 ? 1 : row + 1;
}

void InputFileParams::Form_Load() {
    DesignState& d = Design();
    BeginEdit();
    d.ColorTarget = TargetGeofeature;
    adding_ = d.AddingInputFile;

    // The symbol-type list and the columns of the grid.
    const QFontMetrics metrics(font());
    const int symbolWidth = metrics.horizontalAdvance(QStringLiteral("Symbol   ")) + 24;
    SymbolType1->setColumnWidth(0, symbolWidth);
    SymbolType1->setFixedWidth(symbolWidth + 2 * SymbolType1->frameWidth());
    SymbolType1->setFixedHeight(PixelsOf(495) + 12 * SymbolType1->rowHeight(0) + PixelsOf(30) +
                                2 * SymbolType1->frameWidth());

    table_ = GeofeatureTableOf(d.CurInputFile);
    struct Size {
        int visible, heightTwips, spareTwips;
    };
    Size size{1, 780, 45};
    switch (table_) {
    case GeofeatureTable::MwdbFeatures: size = {10, 2940, 45}; break;
    case GeofeatureTable::DlgFeatures: size = {14, 3900, 295}; break;
    case GeofeatureTable::WdbFeatures: size = {14, 3900, 295}; break;
    case GeofeatureTable::AllFeatures: break;
    }
    visibleRows_ = size.visible;
    const auto texts = GeofeatureRowTexts(table_);
    const int rows = static_cast<int>(texts.size()) - 1;
    GeoFeatures->setRowCount(rows);
    const int headerHeight = PixelsOf(495);
    const int gridHeight = PixelsOf(size.heightTwips);
    // Rows keep room for their text where the screen's font is larger.
    const int rowHeight =
        std::max({(gridHeight - headerHeight) / visibleRows_, QFontMetrics(GeoFeatures->font()).height() + 2,
                  GeoFeatures->verticalHeader()->minimumSectionSize()});
    for (int r = 0; r < rows; ++r) GeoFeatures->setRowHeight(r, rowHeight);
    GeoFeatures->setFixedHeight(headerHeight + rowHeight * visibleRows_ + 2 * GeoFeatures->frameWidth());

    const int widths[3] = {metrics.horizontalAdvance(QStringLiteral("Color    ")),
                           metrics.horizontalAdvance(QStringLiteral("Symbol    ")),
                           metrics.horizontalAdvance(QStringLiteral("Border    "))};
    int nameWidth = 0;
    for (int r = 1; r <= rows; ++r)
        nameWidth = std::max(nameWidth, metrics.horizontalAdvance(
                                            QString::fromUtf8(texts[static_cast<size_t>(r)].data(),
                                                              static_cast<int>(texts[static_cast<size_t>(r)].size()))));
    const char* headers[4] = {"Color", "Line Width", "", "Geographic Feature"};
    for (int c = 0; c < 4; ++c) {
        auto* header = FixedItem(QString::fromUtf8(headers[c]));
        header->setTextAlignment(c == 3 ? Qt::AlignLeft | Qt::AlignVCenter : kWrappedCentre);
        GeoFeatures->setHorizontalHeaderItem(c, header);
    }
    // The feature column holds its longest name and its one-line heading.
    const int nameColumn = std::max(nameWidth + 16, GeoFeatures->horizontalHeader()->sectionSizeHint(3));
    const int gridWidth = widths[0] + widths[1] + widths[2] + nameColumn + PixelsOf(size.spareTwips);
    GeoFeatures->setFixedWidth(gridWidth);
    for (int c = 0; c < 3; ++c) GeoFeatures->setColumnWidth(c, widths[c]);
    GeoFeatures->setColumnWidth(3, nameColumn);
    for (int r = 1; r <= rows; ++r) {
        for (int c = 0; c < 3; ++c) {
            auto* item = FixedItem();
            item->setTextAlignment(Qt::AlignCenter);
            GeoFeatures->setItem(r - 1, c, item);
        }
        const std::string_view text = texts[static_cast<size_t>(r)];
        auto* name = FixedItem(QString::fromUtf8(text.data(), static_cast<int>(text.size())));
        name->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        GeoFeatures->setItem(r - 1, 3, name);
    }

    // The path, its start dropped until it fits beside the label text.
    const int room = SymbolType1->width() + gridWidth;
    const QString prefix = QStringLiteral("Map File: ");
    QString path = QString::fromStdString(d.CurInputFile);
    bool dropped = false;
    while (!path.isEmpty() && room <= metrics.horizontalAdvance(prefix) +
                                          metrics.horizontalAdvance(QStringLiteral("...")) +
                                          metrics.horizontalAdvance(path)) {
        path.remove(0, 1);
        dropped = true;
    }
    MapFileLabel->setText(prefix + (dropped ? QStringLiteral("...") : QString()) + path);

    // The values: a new file's defaults, or the listed file's own.
    const QSignalBlocker block(SymbolType1);
    if (adding_) {
        SelectSymbolType(SymLine);
        for (int r = 1; r <= rows; ++r) {
            SetRowColor(r, GeofeatureDefaultColor(table_, r));
            GeoFeatures->item(r - 1, 1)->setText(QStringLiteral("0001"));
            SetRowPlotted(r, true);
        }
    } else {
        const int f = d.CurInputFileIndex + 1;
        const int type = d.InputFileSymbolType(f);
        SelectSymbolType(type);
        GeoFeatures->horizontalHeaderItem(1)->setText(type >= 2 ? QStringLiteral("Symbol Radius")
                                                                : QStringLiteral("Line Width"));
        GeoFeatures->horizontalHeaderItem(2)->setText(SymbolHasBorder(type) ? QStringLiteral("Border Width")
                                                                            : QString());
        for (int r = 1; r <= rows; ++r) {
            SetRowColor(r, d.FeatureColor(r, f));
            const int16_t width = type == SymLine ? d.FeatureLineWidth(r, f) : d.FeatureSymbolRadius(r, f);
            GeoFeatures->item(r - 1, 1)->setText(Pixels4(PixelsOfTwips(width)));
            GeoFeatures->item(r - 1, 2)->setText(
                SymbolHasBorder(type) ? Pixels4(PixelsOfTwips(d.FeatureBorderWidth(r, f))) : QString());
            SetRowPlotted(r, d.FeatureSelected(r, f));
        }
    }
    GeoFeatures->setCurrentCell(0, 0);
    adjustSize();
    if (parentWidget()) PlaceFrom(*parentWidget()->window(), 120, 195);
}

int InputFileParams::SelectedSymbolType() const { return std::clamp(SymbolType1->currentRow() + 1, 1, 12); }

void InputFileParams::SelectSymbolType(int symbolType) {
    SymbolType1->setCurrentCell(std::clamp(symbolType, 1, 12) - 1, 0);
}

void InputFileParams::SymbolType1_EnterCell() {
    ShowWidths(SelectedSymbolType(), !adding_);
    if (GeoFeatures->rowCount() > 0) GeoFeatures->setCurrentCell(0, 0);
}

// Columns 1 and 2 for symbol type t: a new file's start values, or the
// listed file's stored ones with a stored 0 shown as the start value.
void InputFileParams::ShowWidths(int t, bool fromDesign) {
    const DesignState& d = Design();
    const bool border = SymbolHasBorder(t);
    GeoFeatures->horizontalHeaderItem(1)->setText(t == SymLine ? QStringLiteral("Line Width")
                                                               : QStringLiteral("Symbol Radius"));
    GeoFeatures->horizontalHeaderItem(2)->setText(border ? QStringLiteral("Border Width") : QString());
    const int f = d.CurInputFileIndex + 1;
    for (int r = 1; r <= DataRows(); ++r) {
        int first = t == SymLine ? 1 : 3;
        int second = 1;
        if (fromDesign) {
            const int stored = PixelsOfTwips(t == SymLine ? d.FeatureLineWidth(r, f) : d.FeatureSymbolRadius(r, f));
            if (stored != 0) first = stored;
            const int storedBorder = PixelsOfTwips(d.FeatureBorderWidth(r, f));
            if (storedBorder != 0) second = storedBorder;
        }
        GeoFeatures->item(r - 1, 1)->setText(Pixels4(first));
        GeoFeatures->item(r - 1, 2)->setText(border ? Pixels4(second) : QString());
    }
}

void InputFileParams::GeoFeatures_Click(int row, int column) {
    if (row < 1 || row > DataRows()) return;
    QTableWidgetItem* item = GeoFeatures->item(row - 1, column);
    if (!item) return;
    switch (column) {
    case 1:
    case 2: {
        if (item->text().isEmpty()) return;  // a type without a border
        GeoFeatures->setCurrentCell(row - 1, column);
        SymbolSizeSpin size(this, SelectedSymbolType(), column, item->text().trimmed().toInt());
        size.exec();
        if (!size.Result().isEmpty()) item->setText(size.Result());
        break;
    }
    case 3: SetRowPlotted(row, item->foreground().color() != kPlotted); break;
    default: break;
    }
}

void InputFileParams::GeoFeatures_HeaderPressed(int column) {
    if (column == 3 && DataRows() > 0) {
        const bool plotted = !RowPlotted(1);
        for (int r = 1; r <= DataRows(); ++r) SetRowPlotted(r, plotted);
    }
}

void InputFileParams::ColorPicBox_Click(int index) {
    if (index < 1 || index > visibleRows_) return;
    const int row = FirstRowInView() + index - 1;
    if (row > DataRows()) return;
    Design().ColorPicBoxIndex = static_cast<int16_t>(index);
    GeoFeatures->setCurrentCell(row - 1, 0);
    ShowColors256(this, this);
    GeoFeatures->setFocus();
}

int32_t InputFileParams::SwatchColor() const { return RowColor(FirstRowInView() + Design().ColorPicBoxIndex - 1); }

void InputFileParams::ApplyPickedColor(int32_t color) {
    const int row = FirstRowInView() + Design().ColorPicBoxIndex - 1;
    if (row < 1 || row > DataRows()) return;
    GeoFeatures->setCurrentCell(row - 1, 0);
    SetRowColor(row, color);
}

QString InputFileParams::CellText(int row, int column) const {
    const QTableWidgetItem* item = GeoFeatures->item(row - 1, column);
    return item ? item->text() : QString();
}

int32_t InputFileParams::RowColor(int row) const {
    const QTableWidgetItem* item = GeoFeatures->item(row - 1, 0);
    return item ? item->data(kColorRole).toInt() : 0;
}

bool InputFileParams::RowPlotted(int row) const {
    const QTableWidgetItem* item = GeoFeatures->item(row - 1, 3);
    return item && item->foreground().color() == kPlotted;
}

void InputFileParams::SetRowColor(int row, int32_t color) {
    QTableWidgetItem* item = GeoFeatures->item(row - 1, 0);
    item->setData(kColorRole, color);
    item->setBackground(ColorOf(color));
}

void InputFileParams::SetRowPlotted(int row, bool plotted) {
    GeoFeatures->item(row - 1, 3)->setForeground(plotted ? kPlotted : kNotPlotted);
}

void InputFileParams::StoreRow(int row, int file, int symbolType) {
    DesignState& d = Design();
    const auto twips = [&](int column) {
        return ToInt16(CellText(row, column).trimmed().toDouble() * d.TwipsPerPixelY);
    };
    d.FeatureColor(row, file) = RowColor(row);
    if (symbolType == SymLine) d.FeatureLineWidth(row, file) = twips(1);
    else d.FeatureSymbolRadius(row, file) = twips(1);
    if (SymbolHasBorder(symbolType)) d.FeatureBorderWidth(row, file) = twips(2);
    d.FeatureSelected(row, file) = RowPlotted(row);
}

void InputFileParams::OK_Click() {
    DesignState& d = Design();
    const int n = d.CurInputFileIndex + 1;
    const int type = SelectedSymbolType();
    try {
        if (d.AddingInputFile) {
            d.AddingInputFile = false;
            d.InsertInputFile(n);
            // The new place starts as a copy of the file that follows it.
            if (n <= d.NumInputFiles) d.InputFile(n) = d.InputFile(n + 1);
            d.InputFileName(n) = d.CurInputFile;
            for (int k = 1; k <= d.NumGeoFeatures; ++k) {
                d.FeatureSelected(k, n) = false;
                if (k <= DataRows()) StoreRow(k, n, type);
            }
            ++d.NumInputFiles;
        } else if (d.EditingInputFile) {
            d.EditingInputFile = false;
            for (int k = 1; k <= d.NumGeoFeatures; ++k) {
                d.FeatureSelected(k, n) = false;
                if (k <= DataRows()) StoreRow(k, n, type);
            }
            constexpr int slot = FontSlotLabel;
            d.FontSlotName[slot] =
                d.InputFileLabelFontName(n).empty() ? d.DefaultFontName : d.InputFileLabelFontName(n);
            d.FontSlotSize[slot] = d.InputFileLabelFontSize(n) < 8 ? d.DefaultFontSize : d.InputFileLabelFontSize(n);
            d.FontSlotColor[slot] = d.InputFileLabelFontColor(n);
            d.FontSlotItalic[slot] = d.InputFileLabelFontItalic(n);
            d.FontSlotBold[slot] = d.InputFileLabelFontBold(n);
            d.FontSlotStrikethru[slot] = d.InputFileLabelFontStrikethru(n);
            d.FontSlotUnderline[slot] = d.InputFileLabelFontUnderline(n);
        } else {
            AcceptEdit();
            return;
        }
        if (list_) list_->RebuildList(d.CurInputFileIndex);
        d.InputFileSymbolType(n) = static_cast<int16_t>(type);
        const std::string ending = LastThreeUpper(d.CurInputFile);
        if (ending == "PRN" || ending == "UTM") AskLabelFont(n);
    } catch (const RuntimeError& e) {
        ShowProcError("OK_Click", e.what());
    }
    AcceptEdit();
}

void InputFileParams::AskLabelFont(int file) {
    DesignState& d = Design();
    MsgBox(
        "Tellurax .PRN and .UTM files may contain labels that can be displayed next to the point they "
        "represent.\n\nWhen you press OK, a Font selection dialog box will appear.  Use this box to select the "
        "font that will be used to display any labels contained in this file.",
        "Select Label Font", MsgButtons::Ok, MsgIcon::Information);
    d.FontSlotIndex = FontSlotLabel;
    ShowFontDialog(this);
    if (!d.FontDialogOK) return;
    d.FontDialogOK = false;
    // The label font is the one the main window reports once it has taken
    // the chosen font; the window keeps it.
    constexpr int slot = FontSlotLabel;
    Host& window = MainWindow();
    window.FontName = d.FontSlotName[slot];
    window.FontSize = static_cast<float>(d.FontSlotSize[slot]);
    window.ForeColor = static_cast<Rgb>(d.FontSlotColor[slot]);
    window.FontItalic = d.FontSlotItalic[slot];
    window.FontBold = d.FontSlotBold[slot];
    window.FontStrikethru = d.FontSlotStrikethru[slot];
    window.FontUnderline = d.FontSlotUnderline[slot];
    d.InputFileLabelFontName(file) = window.FontName;
    d.InputFileLabelFontSize(file) = ToInt16(window.FontSize);
    d.InputFileLabelFontColor(file) = static_cast<int32_t>(window.ForeColor);
    d.InputFileLabelFontItalic(file) = window.FontItalic;
    d.InputFileLabelFontBold(file) = window.FontBold;
    d.InputFileLabelFontStrikethru(file) = window.FontStrikethru;
    d.InputFileLabelFontUnderline(file) = window.FontUnderline;
}

void InputFileParams::Cancel_Click() { reject(); }

bool InputFileParams::eventFilter(QObject* watched, QEvent* event) {
    if (watched == GeoFeatures && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space) {
        const int row = GeoFeatures->currentRow() + 1;
        const int column = GeoFeatures->currentColumn();
        if (column == 0) ColorPicBox_Click(row - FirstRowInView() + 1);
        else GeoFeatures_Click(row, column);
        return true;
    }
    return DialogBase::eventFilter(watched, event);
}

void InputFileParams::done(int result) {
    DialogBase::done(result);
    DesignState& d = Design();
    d.DialogCancelled = false;
    d.AddingInputFile = false;
    d.EditingInputFile = false;
}

}  // namespace tlrx
