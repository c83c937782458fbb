// The Projection menu: choosing an item commits its projection (code, name,
// caption, check mark) and opens the projection's boundary dialog. An edit
// that is not completed puts the previous projection back, so that a map is
// never drawn with one projection's code and another's parameters.

#include <QAction>
#include <optional>
#include <string_view>

#include "app/Tellurax.h"
#include "core/DesignState.h"
#include "core/ProjectionTable.h"
#include "dialogs/geo/BoundaryDialogs.h"

namespace tlrx {

namespace {

// The captions of the items: fixed texts, Albers' with "conic" in it.
struct ProjectionItem {
    int16_t code;
    std::string_view caption;
};

constexpr std::optional<ProjectionItem> kProjItems[] = {
    ProjectionItem{ProjMercator, "Tellurax: Mercator projection"},
    ProjectionItem{ProjEquirectangular, "Tellurax: Equirectangular projection"},
    ProjectionItem{ProjCylEqualArea, "Tellurax: Cylindrical Equal-Area projection"},
    std::nullopt,
    ProjectionItem{ProjHammer, "Tellurax: Hammer Equal-Area projection"},
    std::nullopt,  // opens the Mollweide submenu
    ProjectionItem{ProjRobinson, "Tellurax: Robinson projection"},
    std::nullopt,
    ProjectionItem{ProjEquidistantConic, "Tellurax: Equidistant Conic projection"},
    ProjectionItem{ProjConformalConic, "Tellurax: Conformal Conic projection"},
    ProjectionItem{ProjAlbers, "Tellurax: Albers Equal-Area conic projection"},
    std::nullopt,
    ProjectionItem{ProjGnomonic, "Tellurax: Gnomonic Azimuthal projection"},
    ProjectionItem{ProjStereographic, "Tellurax: Stereographic Azimuthal projection"},
    ProjectionItem{ProjOrthographic, "Tellurax: Orthographic Azimuthal projection"},
    ProjectionItem{ProjVerticalPerspective, "Tellurax: Vertical Perspective Azimuthal projection"},
    ProjectionItem{ProjAzEquidistant, "Tellurax: Azimuthal Equidistant projection"},
    ProjectionItem{ProjAzEqualArea, "Tellurax: Azimuthal Equal-Area projection"},
    std::nullopt,
    ProjectionItem{ProjUtm, "Tellurax: UTM projection"},
};

constexpr ProjectionItem kMollweideItems[] = {
    {ProjMollweide, "Tellurax: Mollweide Equal-Area projection"},
    {ProjInterruptedMollweide, "Tellurax: Interrupted Mollweide Equal-Area projection"},
};

}  // namespace

void Tellurax::EnableProjectionItems() {
    bool anyMollweide = false;
    for (size_t i = 0; i < mnuProjMollweide.size(); ++i) {
        const bool built = HasBoundaryDialog(kMollweideItems[i].code);
        mnuProjMollweide[i]->setEnabled(built);
        anyMollweide = anyMollweide || built;
    }
    for (size_t i = 0; i < mnuProj.size(); ++i) {
        if (kProjItems[i]) mnuProj[i]->setEnabled(HasBoundaryDialog(kProjItems[i]->code));
    }
    mnuProj[kMollweideMenuItem]->setEnabled(anyMollweide);
}

void Tellurax::mnuProj_Click(int16_t index) {
    if (index == kMollweideMenuItem || index < 0 || index > Design().ProjMenuMax ||
        static_cast<size_t>(index) >= mnuProj.size())
        return;
    const auto i = static_cast<size_t>(index);
    if (!kProjItems[i]) return;  // a separator
    ChooseProjection(mnuProj[i], kProjItems[i]->code, kProjItems[i]->caption);
}

void Tellurax::mnuProjMollweide_Click(int16_t index) {
    if (index < 0 || static_cast<size_t>(index) >= mnuProjMollweide.size()) return;
    const auto i = static_cast<size_t>(index);
    ChooseProjection(mnuProjMollweide[i], kMollweideItems[i].code, kMollweideItems[i].caption);
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

void Tellurax::ChooseProjection(QAction* item, int16_t code, std::string_view caption) {
    // A projection without its dialog could not be given its parameters.
    if (!HasBoundaryDialog(code)) return;
    DesignState& d = Design();
    QAction* previousItem = CheckedProjectionItem();
    const int16_t previousCode = d.ProjCode;
    const std::string previousName = d.ProjName;
    const std::string previousCaption = Caption();

    CheckProjectionItem(item);
    const ProjectionInfo* info = FindProjection(code);
    d.ProjName = info ? std::string(info->name) : std::string();
    d.ProjCode = code;
    SetCaption(caption);

    ShowBoundaryDialog(code, this, [&] {
        CheckProjectionItem(previousItem);
        d.ProjName = previousName;
        d.ProjCode = previousCode;
        SetCaption(previousCaption);
    });
}

}  // namespace tlrx
