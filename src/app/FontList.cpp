#include "app/FontList.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <algorithm>

#include "core/SharedRoutines.h"

namespace tlrx {

std::string PlainFamilyName(std::string_view family) {
    if (!family.empty() && family.back() == ']') {
        const size_t open = family.rfind(" [");
        if (open != std::string_view::npos) family = family.substr(0, open);
    }
    return std::string(family);
}

std::vector<std::string> FontFamilyList(const std::vector<std::string>& families, const std::string& fallback) {
    std::vector<std::string> list;
    for (const std::string& f : families) {
        std::string name = PlainFamilyName(f);
        if (!name.empty() && std::find(list.begin(), list.end(), name) == list.end()) list.push_back(std::move(name));
    }
    if (list.empty()) list.push_back(fallback);
    SortStrings(list, 0, static_cast<int32_t>(list.size()));
    return list;
}

std::vector<std::string> InstalledFontFamilies() {
    std::vector<std::string> families;
    for (const QString& f : QFontDatabase::families()) {
        if (QFontDatabase::isPrivateFamily(f) || !QFontDatabase::isSmoothlyScalable(f)) continue;
        families.push_back(f.toStdString());
    }
    return FontFamilyList(families, QGuiApplication::font().family().toStdString());
}

std::string DefaultFontFamily(const std::vector<std::string>& sorted) {
    for (const char* wanted : {"Arial", "Times New Roman", "Liberation Sans", "Liberation Serif"}) {
        if (std::find(sorted.begin(), sorted.end(), wanted) != sorted.end()) return wanted;
    }
    return sorted.front();
}

}  // namespace tlrx
