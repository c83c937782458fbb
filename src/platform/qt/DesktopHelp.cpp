#include "platform/qt/DesktopHelp.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

#include "platform/MessageBox.h"

namespace tlrx {

void DesktopHelp::Show(const HelpRequest& request) {
    const QString path = QString::fromStdString(request.file);
    std::string why;
    if (!QFileInfo(path).isFile()) why = request.file + " was not found.";
    else if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        why = "no program to show " + request.file + " is installed.";
    if (!why.empty()) MsgBox("Help is not installed: " + why, "Help", MsgButtons::Ok, MsgIcon::Information);
}

}  // namespace tlrx
