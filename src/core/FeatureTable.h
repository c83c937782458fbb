#pragma once
// A table of per-feature-class values for each input file, indexed
// (feature class, file) as the symbology arrays are: feature classes 0 to
// NumGeoFeatures, files 0 to NumInputFiles.

#include <cstddef>
#include <vector>

#include "core/Errors.h"

namespace tlrx {

template <typename T>
class FeatureTable {
public:
    // Re-sizes to features 0..maxFeature and files 0..maxFile, keeping the
    // values of the cells that remain; new cells are T{}.
    void Resize(int maxFeature, int maxFile) {
        const size_t rows = static_cast<size_t>(maxFeature) + 1;
        std::vector<std::vector<T>> cells(static_cast<size_t>(maxFile) + 1, std::vector<T>(rows));
        for (size_t f = 0; f < cells.size() && f < files_.size(); ++f)
            for (size_t r = 0; r < rows && r < files_[f].size(); ++r) cells[f][r] = files_[f][r];
        files_ = std::move(cells);
    }

    // Removes file column `file`, moving the later files down by one.
    void EraseFile(int file) { files_.erase(files_.begin() + file); }

    // A reference, or the element proxy of a flag table; "Subscript out of
    // range" outside the table.
    decltype(auto) operator()(int feature, int file) { return Item(Item(files_, file), feature); }
    decltype(auto) operator()(int feature, int file) const { return Item(Item(files_, file), feature); }

    int MaxFeature() const { return files_.empty() ? -1 : static_cast<int>(files_[0].size()) - 1; }
    int MaxFile() const { return static_cast<int>(files_.size()) - 1; }

private:
    std::vector<std::vector<T>> files_;  // files_[file][feature]
};

}  // namespace tlrx
