#include "core/SharedRoutines.h"

#include <tuple>
#include <utility>

#include "core/Errors.h"
#include "platform/FileDialog.h"

namespace tlrx {

std::string ParseFileName(const std::string& path, bool preset) {
    // Besides the drive colon and the backslash of the stored Windows-style
    // names, "/" separates the folders of paths on this system.
    const size_t sep = path.find_last_of(":\\/");
    std::string title = path;
    std::string folder;
    if (sep != std::string::npos) {
        title = path.substr(sep + 1);
        folder = path.substr(0, sep);
    }
    if (preset) {
        FileDialogState& dlg = FileSaveLoad();
        dlg.FileName = title;
        if (!folder.empty()) dlg.InitDir = folder;
    }
    return title;
}

void SortStrings(std::vector<std::string>& list, int32_t first, int32_t count) {
    if (count <= 0) return;
    const int64_t last = static_cast<int64_t>(first) + count - 1;
    if (first < 0 || last >= static_cast<int64_t>(list.size())) Raise(kSubscriptOutOfRange);

    // Pending ranges on a growable stack, so that no list can exhaust it.
    std::vector<std::pair<int32_t, int32_t>> pending;
    int32_t lo = first;
    int32_t hi = static_cast<int32_t>(last);
    for (;;) {
        while (lo < hi) {
            const std::string pivot = list[static_cast<size_t>(lo + (hi - lo) / 2)];
            int32_t i = lo;
            int32_t j = hi;
            for (;;) {
                while (list[static_cast<size_t>(i)] < pivot) ++i;
                while (list[static_cast<size_t>(j)] > pivot) --j;
                if (i > j) break;
                if (i < j) std::swap(list[static_cast<size_t>(i)], list[static_cast<size_t>(j)]);
                ++i;
                --j;
                if (i > j) break;
            }
            if (i < hi) pending.emplace_back(i, hi);
            hi = j;
        }
        if (pending.empty()) return;
        std::tie(lo, hi) = pending.back();
        pending.pop_back();
    }
}

}  // namespace tlrx
