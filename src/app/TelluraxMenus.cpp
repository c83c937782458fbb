// The main window's menu bar: every menu with its captions, the handlers
// connected in one place, and the lock of a drawing run.

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <functional>

#include "app/DrawingArea.h"
#include "app/Tellurax.h"
#include "core/DesignState.h"

namespace tlrx {

void Tellurax::BuildMenus() {
    QMenuBar* bar = menuBar();
    const auto add = [](QMenu* menu, const char* caption) {
        QAction* item = menu->addAction(QString::fromUtf8(caption));
        item->setCheckable(true);
        return item;
    };
    const auto separator = [](QMenu* menu) { return menu->addSeparator(); };

    fileMenu_ = bar->addMenu(QStringLiteral("&File"));
    mnuBar[0] = fileMenu_->menuAction();
    const char* fileItems[] = {"&Open Digital Map File", nullptr,        "&Print Map",
                               "Print Set&up",           nullptr,        "Save as &BMP",
                               "Save as &CGM",           "Save as &DXF", "Save as &WMF",
                               "Save as &ASCII",         nullptr,        "Save &Great Circle",
                               "Save &Small Circle",     nullptr,        "Save &Map Design",
                               "&Recall Map Design",     nullptr,        "E&xit"};
    for (size_t i = 0; i < mnuInput.size(); ++i)
        mnuInput[i] = fileItems[i] ? add(fileMenu_, fileItems[i]) : separator(fileMenu_);

    projMenu_ = bar->addMenu(QStringLiteral("&Projection"));
    mnuBar[1] = projMenu_->menuAction();
    BuildProjectionMenu();
    EnableProjectionItems();

    designMenu_ = bar->addMenu(QStringLiteral("Design &Map"));
    mnuBar[2] = designMenu_->menuAction();
    const char* designItems[] = {"Map &Boundaries",
                                 "Great &Circle",
                                 "&Small Circle",
                                 nullptr,
                                 "Add &Text to Map",
                                 "&Labels",
                                 nullptr,
                                 "B&ackground Color",
                                 "&Grid Color, Width, Type",
                                 "Line &Width Scaling",
                                 "Show Window &Pixel Size",
                                 nullptr,
                                 "&Map Parameter Report",
                                 "G&reat Circle Report"};
    for (size_t i = 0; i < mnuDesign.size(); ++i)
        mnuDesign[i] = designItems[i] ? add(designMenu_, designItems[i]) : separator(designMenu_);

    // Draw Map and Stop act as soon as they are clicked.
    mnuBar[3] = bar->addAction(QStringLiteral("&Draw Map"));

    helpMenu_ = bar->addMenu(QStringLiteral("&Help"));
    mnuBar[4] = helpMenu_->menuAction();
    const char* helpItems[] = {"&Contents", "&Search for Help on ...", nullptr, "&About Tellurax", "Plot &Time"};
    for (size_t i = 0; i < mnuAbout.size(); ++i)
        mnuAbout[i] = helpItems[i] ? add(helpMenu_, helpItems[i]) : separator(helpMenu_);

    mnuBar[5] = bar->addAction(QStringLiteral("&Stop"));
    mnuBar[5]->setEnabled(false);
}

void Tellurax::ConnectHandlers() {
    // A checkable item toggles itself when chosen; the handlers set the
    // marks themselves, so the toggle is undone first.
    const auto connectItem = [this](QAction* item, std::function<void()> handler) {
        connect(item, &QAction::triggered, this, [item, handler = std::move(handler)] {
            if (item->isCheckable()) item->setChecked(!item->isChecked());
            handler();
        });
    };
    connect(fileMenu_, &QMenu::aboutToShow, this, [this] { mnuBar_Click(0); });
    connect(projMenu_, &QMenu::aboutToShow, this, [this] { mnuBar_Click(1); });
    connect(designMenu_, &QMenu::aboutToShow, this, [this] { mnuBar_Click(2); });
    connectItem(mnuBar[3], [this] { mnuBar_Click(3); });
    connect(helpMenu_, &QMenu::aboutToShow, this, [this] { mnuBar_Click(4); });
    connectItem(mnuBar[5], [this] { mnuBar_Click(5); });
    for (size_t i = 0; i < mnuInput.size(); ++i)
        connectItem(mnuInput[i], [this, i] { mnuInput_Click(static_cast<int16_t>(i)); });
    for (size_t i = 0; i < mnuProj.size(); ++i)
        if (!mnuProj[i]->menu()) connectItem(mnuProj[i], [this, i] { mnuProj_Click(static_cast<int16_t>(i)); });
    for (size_t i = 0; i < mnuProjMollweide.size(); ++i)
        connectItem(mnuProjMollweide[i], [this, i] { mnuProjMollweide_Click(static_cast<int16_t>(i)); });
    for (size_t i = 0; i < mnuDesign.size(); ++i)
        connectItem(mnuDesign[i], [this, i] { mnuDesign_Click(static_cast<int16_t>(i)); });
    for (size_t i = 0; i < mnuAbout.size(); ++i)
        connectItem(mnuAbout[i], [this, i] { mnuAbout_Click(static_cast<int16_t>(i)); });
    connect(area_, &DrawingArea::Resized, this, &Tellurax::Form_Resize);
    // Mouse positions reach the handlers in twips.
    connect(area_, &DrawingArea::MouseDown, this, [this](Qt::MouseButton button, QPoint at) {
        const DesignState& d = Design();
        Form_MouseDown(button, static_cast<float>(at.x()) * d.TwipsPerPixelX,
                       static_cast<float>(at.y()) * d.TwipsPerPixelY);
    });
    connect(area_, &DrawingArea::MouseMoved, this, [this](QPoint at) {
        const DesignState& d = Design();
        Form_MouseMove(static_cast<float>(at.x()) * d.TwipsPerPixelX, static_cast<float>(at.y()) * d.TwipsPerPixelY);
    });
}

void Tellurax::LockMenus(bool running) {
    for (int i = 0; i <= 4; ++i) mnuBar[static_cast<size_t>(i)]->setEnabled(!running);
    mnuBar[5]->setEnabled(running);
}

}  // namespace tlrx
