#include "platform/Help.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

#include "platform/MessageBox.h"

namespace tlrx {

namespace {
HelpService* g_help = nullptr;
}

void HtmlHelp(std::string_view helpFile, HelpCommand command, uint32_t data) {
    if (g_help) g_help->Show(HelpRequest{std::string(helpFile), command, data});
}

void SetHelpService(HelpService* service) { g_help = service; }

void DesktopHelp::Show(const HelpRequest& request) {
    const QString path = QString::fromStdString(request.file);
    std::string why;
    if (!QFileInfo(path).isFile()) why = request.file + " was not found.";
    else if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        why = "no program to show " + request.file + " is installed.";
    if (!why.empty()) MsgBox("Help is not installed: " + why, "Help", MsgButtons::Ok, MsgIcon::Information);
}

}  // namespace tlrx
