// The Projection menu: choosing an item commits its projection (code, name,
// caption, check mark) and opens the projection's boundary dialog. An edit
// that is not completed puts the previous projection back, so that a map is
// never drawn with one projection's code and another's parameters.

#include <QAction>
#include <QMenu>
#include <string_view>

#include "app/Tellurax.h"
#include "core/DesignState.h"
#include "core/ProjectionTable.h"
#include "dialogs/geo/BoundaryDialogs.h"

namespace tlrx {

namespace {

// The projection row of a menu item; nullptr for a separator and the item
// that opens a submenu, which carry no code.
const ProjectionInfo* ItemProjection(const QAction* item) {
    return item ? FindProjection(static_cast<int16_t>(item->data().toInt())) : nullptr;
}

QString Text(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

void Tellurax::BuildProjectionMenu() {
    mnuProj.clear();
    mnuProjMollweide.clear();
    const ProjectionInfo* previous = nullptr;
    QMenu* submenu = nullptr;
    for (const ProjectionInfo& p : Projections()) {
        if (previous && p.family != previous->family) {
            mnuProj.push_back(projMenu_->addSeparator());
            submenu = nullptr;
        }
        if (p.submenu.empty()) {
            submenu = nullptr;
        } else if (!submenu || previous->submenu != p.submenu) {
            submenu = projMenu_->addMenu(Text(p.submenu));
            mnuProj.push_back(submenu->menuAction());
        }
        QAction* item = (submenu ? submenu : projMenu_)->addAction(Text(p.menuItem));
        item->setCheckable(true);
        item->setData(int{p.code});
        (submenu ? mnuProjMollweide : mnuProj).push_back(item);
        previous = &p;
    }
}

void Tellurax::EnableProjectionItems() {
    for (QAction* item : mnuProjMollweide)
        if (const ProjectionInfo* p = ItemProjection(item)) item->setEnabled(HasBoundaryDialog(p->code));
    for (QAction* item : mnuProj) {
        if (const ProjectionInfo* p = ItemProjection(item)) item->setEnabled(HasBoundaryDialog(p->code));
        if (QMenu* submenu = item->menu()) {
            bool any = false;
            for (const QAction* sub : submenu->actions()) any = any || sub->isEnabled();
            item->setEnabled(any);
        }
    }
}

void Tellurax::mnuProj_Click(int16_t index) {
    if (index < 0 || index > Design().ProjMenuMax || static_cast<size_t>(index) >= mnuProj.size()) return;
    ChooseProjection(mnuProj[static_cast<size_t>(index)]);
}

void Tellurax::mnuProjMollweide_Click(int16_t index) {
    if (index < 0 || static_cast<size_t>(index) >= mnuProjMollweide.size()) return;
    ChooseProjection(mnuProjMollweide[static_cast<size_t>(index)]);
}

QAction* Tellurax::ProjectionItem(int16_t code) const {
    if (!FindProjection(code)) return nullptr;
    for (const auto* items : {&mnuProj, &mnuProjMollweide})
        for (QAction* item : *items)
            if (const ProjectionInfo* p = ItemProjection(item); p && p->code == code) return item;
    return nullptr;
}

QAction* Tellurax::CheckedProjectionItem() const {
    for (QAction* item : mnuProj)
        if (item->isChecked()) return item;
    for (QAction* item : mnuProjMollweide)
        if (item->isChecked()) return item;
    return nullptr;
}

void Tellurax::CheckProjectionItem(QAction* item) {
    for (QAction* other : mnuProjMollweide) other->setChecked(false);
    for (QAction* other : mnuProj) other->setChecked(false);
    if (item) item->setChecked(true);
}

void Tellurax::ChooseProjection(QAction* item) {
    const ProjectionInfo* info = ItemProjection(item);
    // A projection without its dialog could not be given its parameters.
    if (!info || !HasBoundaryDialog(info->code)) return;
    const int16_t code = info->code;
    DesignState& d = Design();
    QAction* previousItem = CheckedProjectionItem();
    const int16_t previousCode = d.ProjCode;
    const std::string previousName = d.ProjName;
    const std::string previousCaption = Caption();

    CheckProjectionItem(item);
    d.ProjName = std::string(info->name);
    d.ProjCode = code;
    SetCaption(info->caption);

    ShowBoundaryDialog(code, this, [&] {
        CheckProjectionItem(previousItem);
        d.ProjName = previousName;
        d.ProjCode = previousCode;
        SetCaption(previousCaption);
    });
}

}  // namespace tlrx
