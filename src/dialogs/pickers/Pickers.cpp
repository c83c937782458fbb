#include "dialogs/pickers/Pickers.h"

#include <QString>

#include "dialogs/pickers/Colors256.h"
#include "dialogs/pickers/FontDialog.h"

namespace tlrx {

void ShowColors256(QWidget* opener, GeofeatureColorHost* geofeature) {
    Colors256 picker(opener, geofeature);
    picker.exec();
}

void ShowFontDialog(QWidget* parent, TextFontHost* text) {
    FontDialog dialog(parent, text);
    dialog.exec();
}

std::string FontStyleText(bool bold, bool italic, bool underline, bool strikeout) {
    std::string text = "Font style is ";
    if (bold) text += "Bold";
    if (italic) text += bold ? " Italic" : "Italic";
    if (!bold && !italic) text += "Regular";
    if (underline) text += " Underline";
    if (strikeout) text += " Strikeout";
    return text + ".";
}

std::string CurrentFontText(double size, const std::string& name) {
    return "Current Font is " + QString::number(size, 'g', 15).toStdString() + " point " + name + ".";
}

}  // namespace tlrx
