#include "dialogs/content/TextAdd.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>
#include <cstdio>

#include "core/DesignState.h"
#include "core/Errors.h"
#include "core/SharedRoutines.h"
#include "dialogs/content/VectorScale.h"
#include "platform/Host.h"
#include "platform/MessageBox.h"
#include "platform/ScreenMetrics.h"

namespace tlrx {

namespace {

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QColor SwatchColor(int32_t color) {
    const auto c = static_cast<Rgb>(PaletteRgb(color));
    return QColor(RgbRed(c), RgbGreen(c), RgbBlue(c));
}

// A length in twips as pixels of the screen.
int Px(double twips, bool vertical) {
    const ScreenInfo& s = GetScreenInfo();
    return static_cast<int>(std::lround(twips / (vertical ? s.twipsPerPixelY : s.twipsPerPixelX)));
}

// The guide in twips: the cross's centre lies kReach right of and below the
// guide's corner; the labels' corners are offsets from the centre.
constexpr int kArm = 450;
constexpr int kReach = 700;
constexpr int kLabelOffset[4][2] = {{50, -230}, {-230, -40}, {-40, 230}, {240, 70}};

}  // namespace

// ---- The rotation guide ----

RotationGuide::RotationGuide(QWidget* parent) : QWidget(parent) {}

QSize RotationGuide::sizeHint() const { return {Px(2 * kReach, false), Px(2 * kReach, true)}; }

QPoint RotationGuide::Centre() const { return {Px(kReach, false), Px(kReach, true)}; }

QPoint RotationGuide::LabelCorner(int k) const {
    return Centre() + QPoint(Px(kLabelOffset[k][0], false), Px(kLabelOffset[k][1], true));
}

void RotationGuide::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    const QPoint c = Centre();
    const int armX = Px(kArm, false), armY = Px(kArm, true);
    painter.drawLine(c.x(), c.y() - armY, c.x(), c.y() + armY);
    painter.drawLine(c.x() - armX, c.y(), c.x() + armX, c.y());

    // A 10-point character height, each label turned by its own angle about
    // the corner of its character cell.
    QFont labelFont(QStringLiteral("Arial"));
    labelFont.setPixelSize(std::max(1, static_cast<int>(std::nearbyint(10 * 20 / GetScreenInfo().twipsPerPixelY))));
    painter.setFont(labelFont);
    const int ascent = QFontMetrics(labelFont).ascent();
    for (int k = 0; k < 4; ++k) {
        char text[8];
        std::snprintf(text, sizeof text, "%03d", 90 * k);
        painter.save();
        painter.translate(LabelCorner(k));
        painter.rotate(-90.0 * k);
        painter.drawText(0, ascent, QString::fromLatin1(text) + QChar(0x00B0));
        painter.restore();
    }
}

// ---- The dialog ----

TextAdd::TextAdd(QWidget* parent) : DialogBase(parent, "TextAdd", HelpContextID) {
    setWindowTitle(QStringLiteral("Select Text and Rotation"));
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);

    TextStrings = new QComboBox(this);
    TextStrings->setEditable(true);
    TextStrings->setInsertPolicy(QComboBox::NoInsert);
    TextStrings->setMinimumWidth(Px(3500, false));
    TextRotation = new QLineEdit(this);
    TextRotation->setInputMask(QStringLiteral("000"));  // three digit places, each may stay blank
    TextRotation->setText(QStringLiteral("000"));
    TextRotation->setMaximumWidth(Px(700, false));
    QBoxLayout* buttons = AddButtonRow(OK, Cancel, QStringLiteral("OK"), ButtonRowStyle::Column);
    DeleteText = new QPushButton(QStringLiteral("Delete Text"), this);
    DeleteAllText = new QPushButton(QStringLiteral("Delete All Text"), this);
    Label1 = new QLabel(this);
    Label1->setWordWrap(true);
    QPalette red = Label1->palette();
    red.setColor(QPalette::WindowText, QColor(255, 0, 0));
    Label1->setPalette(red);
    Label2 = new QLabel(this);
    Label2->setWordWrap(true);
    Label2->setMinimumWidth(Px(6825, false));
    Label5 = new QLabel(QStringLiteral("Text:"), this);
    Label6 = new QLabel(QStringLiteral("Text Rotation in Degrees:"), this);
    CurrentFont = new QLabel(QStringLiteral("Current Font is"), this);
    FontStyle = new QLabel(QStringLiteral("Font style is"), this);
    Label3 = new QLabel(QStringLiteral("Color is"), this);
    FontColor = new QLabel(QStringLiteral("  "), this);
    FontColor->setAutoFillBackground(true);
    FontColor->setFixedSize(Px(495, false), Px(165, true));
    Guide = new RotationGuide(this);

    auto* menuBar = new QMenuBar(this);
    QMenu* mnuSelectFont = menuBar->addMenu(QStringLiteral("&Font and Color Selection"));
    mnuFont[0] = mnuSelectFont->addAction(QStringLiteral("Select &Font and Color"));
    mnuFont[1] = mnuSelectFont->addAction(QStringLiteral("&Scale Factor (CGM, DXF)"));
    for (QAction* item : mnuFont) item->setCheckable(true);

    auto* text = new QHBoxLayout;
    text->addWidget(Label5);
    text->addWidget(TextStrings, 1);
    auto* rotation = new QHBoxLayout;
    rotation->addWidget(Label6);
    rotation->addWidget(TextRotation);
    rotation->addWidget(Guide);
    rotation->addStretch();
    auto* colour = new QHBoxLayout;
    colour->addWidget(Label3);
    colour->addWidget(FontColor);
    colour->addStretch();
    auto* left = new QVBoxLayout;
    left->addLayout(text);
    left->addLayout(rotation);
    left->addWidget(CurrentFont);
    left->addWidget(FontStyle);
    left->addLayout(colour);
    buttons->addWidget(DeleteText);
    buttons->addWidget(DeleteAllText);
    buttons->addStretch();
    auto* lower = new QHBoxLayout;
    lower->addLayout(left, 1);
    lower->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar);
    layout->addWidget(Label1);
    layout->addWidget(Label2);
    layout->addLayout(lower);

    setTabOrder(TextStrings, TextRotation);
    setTabOrder(TextRotation, OK);
    setTabOrder(OK, Cancel);
    setTabOrder(Cancel, DeleteText);
    setTabOrder(DeleteText, DeleteAllText);
    SetFieldHelp(TextStrings, 2980);
    SetFieldHelp(TextRotation, 2990);
    SetFieldHelp(OK, 390);
    SetFieldHelp(Cancel, 390);
    SetFieldHelp(DeleteText, 3000);
    SetFieldHelp(DeleteAllText, 3010);
    AddFieldCheck(TextRotation, [this] { return TextRotation_LostFocus(); });

    // Only an entry chosen from the list marks an item for editing: text
    // typed into the box that happens to equal an entry does not, when the
    // box is left or Enter pressed.
    QObject::disconnect(TextStrings->lineEdit(), SIGNAL(editingFinished()), TextStrings, nullptr);
    QObject::disconnect(TextStrings->lineEdit(), SIGNAL(returnPressed()), TextStrings, nullptr);
    connect(TextStrings, qOverload<int>(&QComboBox::activated), this, &TextAdd::TextStrings_Click);
    connect(TextStrings, &QComboBox::editTextChanged, this, &TextAdd::TextStrings_Change);
    connect(OK, &QPushButton::clicked, this, &TextAdd::OK_Click);
    connect(Cancel, &QPushButton::clicked, this, &TextAdd::Cancel_Click);
    connect(DeleteText, &QPushButton::clicked, this, &TextAdd::DeleteText_Click);
    connect(DeleteAllText, &QPushButton::clicked, this, &TextAdd::DeleteAllText_Click);
    for (int i = 0; i < 2; ++i)
        connect(mnuFont[static_cast<size_t>(i)], &QAction::triggered, this, [this, i] { mnuFont_Click(i); });
    FinishControls();
    Form_Load();
}

void TextAdd::ShowFont(double size, const std::string& name, int32_t color, bool bold, bool italic, bool underline,
                       bool strikeout) {
    // The dialog's own sizes are whole points.
    SetCurrentFontText(CurrentFontText(std::nearbyint(size), name).c_str());
    SetFontStyleText(FontStyleText(bold, italic, underline, strikeout).c_str());
    SetFontColor(color);
}

void TextAdd::SetCurrentFontText(const char* utf8) { CurrentFont->setText(QString::fromUtf8(utf8)); }

void TextAdd::SetFontStyleText(const char* utf8) { FontStyle->setText(QString::fromUtf8(utf8)); }

void TextAdd::SetFontColor(int32_t color) {
    swatch_ = color;
    QPalette p = FontColor->palette();
    p.setColor(QPalette::Window, SwatchColor(color));
    FontColor->setPalette(p);
}

void TextAdd::Form_Load() {
    BeginEdit();
    DesignState& d = Design();
    d.FontSlotIndex = FontSlotText;
    d.SavedCaption = MainWindow().Caption();
    const auto s = static_cast<size_t>(d.FontSlotIndex);
    ShowFont(d.FontSlotSize[s], d.FontSlotName[s], d.FontSlotColor[s], d.FontSlotBold[s], d.FontSlotItalic[s],
             d.FontSlotUnderline[s], d.FontSlotStrikethru[s]);
    d.TextFirstMove = false;
    d.TextEditing = false;

    // Entry k of the list is item k + 1.
    const QSignalBlocker quiet(TextStrings);
    for (int32_t i = 1; i <= copy_.count; ++i)
        TextStrings->addItem(FromUtf8(copy_.items[static_cast<size_t>(i)].TextItemText));
    TextStrings->setCurrentIndex(-1);
    TextStrings->setEditText(QString());
    selected_ = -1;

    Label1->setText(
        QStringLiteral("Use the above Font and Color Selection menu to change the font name, size, style, and color."));
    Label2->setText(QStringLiteral(
        "To enter new text, click on the text box, type the text, and press OK.  Position text on the map by "
        "clicking the left mouse button at the desired location.  Clicking the left mouse buttom toggles the text "
        "on and off.  To end text addition, click on any menu item.\n\n"
        "To edit existing text, open the combo box, and click on the item to be edited.  Edit the item in the text "
        "box, and press OK.\n\n"
        "To delete an item, select the item, and press Delete Text.  To delete every item in the list, press Delete "
        "All Text."));
    adjustSize();
    CenterOnScreen(0, 120);
}

void TextAdd::SaveCopy() {
    const DesignState& d = Design();
    Items& c = copy_;
    c.count = std::max(0, std::min<int32_t>(d.NumTextItems, static_cast<int32_t>(d.TextItems.size()) - 1));
    const auto n = static_cast<size_t>(c.count) + 1;
    c.items.assign(d.TextItems.begin(),
                   d.TextItems.begin() + static_cast<std::ptrdiff_t>(std::min(n, d.TextItems.size())));
    c.items.resize(n);
}

void TextAdd::RestoreCopy() {
    DesignState& d = Design();
    const Items& c = copy_;
    d.DialogCancelled = false;
    d.TextItems = c.items;
    d.NumTextItems = c.count;
    d.CurrentText.clear();
}

void TextAdd::TextStrings_Click(int index) {
    DesignState& d = Design();
    if (index < 0 || index >= TextStrings->count()) return;
    const int32_t i = index + 1;
    try {
        d.TextEditing = true;
        d.TextItemIndex = i;
        d.CurrentText = TextStrings->itemText(index).toStdString();
        {
            const QSignalBlocker quiet(TextStrings);
            TextStrings->setEditText(TextStrings->itemText(index));
        }
        selected_ = index;
        const TextItem& item = d.TextItemAt(i);
        char rotation[16];
        std::snprintf(rotation, sizeof rotation, "%03d", static_cast<int>(item.TextItemRotation));
        TextRotation->setText(QString::fromLatin1(rotation));
        ShowFont(item.TextItemFontSize, item.TextItemFontName, item.TextItemColor, item.TextItemBold,
                 item.TextItemItalic, item.TextItemUnderline, item.TextItemStrikethru);
        // The item keeps its font when it is placed again.
        const auto s = static_cast<size_t>(d.FontSlotIndex);
        d.FontSlotColor[s] = item.TextItemColor;
        d.FontSlotName[s] = item.TextItemFontName;
        d.FontSlotSize[s] = item.TextItemFontSize;
        d.FontSlotBold[s] = item.TextItemBold;
        d.FontSlotItalic[s] = item.TextItemItalic;
        d.FontSlotStrikethru[s] = item.TextItemStrikethru;
        d.FontSlotUnderline[s] = item.TextItemUnderline;
    } catch (const RuntimeError& e) {
        ShowProcError("TextStrings_Click", e.what());
    }
}

void TextAdd::TextStrings_Change(const QString& text) {
    Design().CurrentText = text.toStdString();
    // Text typed over a chosen entry no longer stands for it.
    if (selected_ >= 0 && text != TextStrings->itemText(selected_)) selected_ = -1;
}

bool TextAdd::TextRotation_LostFocus() {
    int value = 0;
    for (const QChar c : TextRotation->displayText())
        if (c.isDigit()) value = value * 10 + c.digitValue();
    if (value <= 359) return true;
    MsgBox("Text rotation cannot exceed 359\u00B0", "Error", MsgButtons::Ok, MsgIcon::Information);
    TextRotation->setFocus(Qt::OtherFocusReason);
    return false;
}

void TextAdd::DeleteText_Click() {
    DesignState& d = Design();
    d.TextEditing = false;
    const int s = selected_;
    if (TextStrings->currentText().isEmpty() || s < 0) {
        MsgBox("You did not select text to delete.", "Text Error", MsgButtons::Ok, MsgIcon::Exclamation);
        TextStrings->setFocus();
        return;
    }
    const int n = TextStrings->count();
    try {
        for (int k = s + 2; k <= n; ++k) d.TextItemAt(k - 1) = d.TextItemAt(k);
    } catch (const RuntimeError& e) {
        ShowProcError("DeleteText_Click", e.what());
        return;
    }
    {
        const QSignalBlocker quiet(TextStrings);
        TextStrings->removeItem(s);
        TextStrings->setCurrentIndex(-1);
        TextStrings->setEditText(QString());
    }
    selected_ = -1;
    d.CurrentText.clear();
    TextRotation->setText(QStringLiteral("000"));
    d.NumTextItems = n - 1;
    ResizeTextItems(d.NumTextItems);
}

void TextAdd::DeleteAllText_Click() {
    if (MsgBox("Do you really want to delete\nevery text item?", "Information", MsgButtons::YesNo, MsgIcon::Question) !=
        MsgAnswer::Yes) {
        TextStrings->setFocus();
        return;
    }
    DesignState& d = Design();
    d.NumTextItems = 0;
    // The items recreated empty, with element 0 only.
    d.TextItems.clear();
    ResizeTextItems(0);
    {
        const QSignalBlocker quiet(TextStrings);
        TextStrings->clear();
        TextStrings->setEditText(QString());
    }
    selected_ = -1;
    d.TextEditing = false;
}

void TextAdd::OK_Click() {
    DesignState& d = Design();
    d.DialogCancelled = false;
    const QString text = TextStrings->currentText();
    if (text.isEmpty()) {
        d.CurrentText.clear();
        accept();
        return;
    }
    if (!d.TextEditing) {
        {
            const QSignalBlocker quiet(TextStrings);
            TextStrings->addItem(text);
        }
        d.TextItemIndex = selected_ + 1;
        d.CurrentText = text.toStdString();
    }
    d.CurrentTextRotation = TextRotation->displayText().toStdString();
    d.TextErased = true;
    d.NumTextItems = TextStrings->count();
    // The main window previews and measures the text in the map text font.
    Host& window = MainWindow();
    const auto s = static_cast<size_t>(d.FontSlotIndex);
    window.FontName = d.FontSlotName[s];
    window.FontSize = static_cast<float>(d.FontSlotSize[s]);
    window.ForeColor = static_cast<Rgb>(d.FontSlotColor[s]);
    window.FontItalic = d.FontSlotItalic[s];
    window.FontBold = d.FontSlotBold[s];
    window.FontUnderline = d.FontSlotUnderline[s];
    window.FontStrikethru = d.FontSlotStrikethru[s];
    d.TextFirstMove = true;
    accept();
}

void TextAdd::Cancel_Click() { reject(); }

void TextAdd::mnuFont_Click(int index) {
    if (index < 0 || index > 1) return;
    for (QAction* item : mnuFont) item->setChecked(false);
    mnuFont[static_cast<size_t>(index)]->setChecked(true);
    if (index == 0) {
        ShowFontDialog(this, this);
    } else {
        VectorScale scale(this);
        scale.exec();
    }
    TextStrings->setFocus();
}

}  // namespace tlrx
