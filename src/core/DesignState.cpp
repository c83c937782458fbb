#include "core/DesignState.h"

#include "core/Errors.h"
#include "core/Graticule.h"
#include "core/ProjParams.h"
#include "core/SharedRoutines.h"

namespace tlrx {

DesignState& Design() {
    static DesignState state;
    return state;
}

void DesignState::ResizeInputFiles(int numFiles) {
    InputFiles.resize(static_cast<size_t>(numFiles) + 1);
    for (InputFileRecord& file : InputFiles) file.Features.resize(static_cast<size_t>(NumGeoFeatures) + 1);
}

void DesignState::EraseInputFile(int file) {
    InputFile(file);  // raises outside the list
    InputFiles.erase(InputFiles.begin() + file);
}

void DesignState::InsertInputFile(int file) {
    if (file < 0 || file > MaxInputFile() + 1) Raise(kSubscriptOutOfRange);
    InputFileRecord record;
    record.Features.resize(static_cast<size_t>(NumGeoFeatures) + 1);
    InputFiles.insert(InputFiles.begin() + file, std::move(record));
}

void ResizeInputFiles(int numFiles) { Design().ResizeInputFiles(numFiles); }

void ResizeTextItems(int maxIndex) { Design().TextItems.resize(static_cast<size_t>(maxIndex) + 1); }

void DefaultFileSymbology() {
    DesignState& d = Design();
    // Coastlines and islands green, lakes and rivers blue, borders red, state
    // and province lines magenta, the last two classes maroon.
    // clang-format off
    static constexpr int32_t kColors[11] = {
        0,
        RgbColor(0, 128, 0),   RgbColor(0, 128, 0),   RgbColor(0, 0, 255),   RgbColor(0, 0, 255),
        RgbColor(255, 0, 0),   RgbColor(255, 0, 255), RgbColor(255, 0, 255), RgbColor(255, 0, 255),
        RgbColor(128, 0, 0),   RgbColor(128, 0, 0),
    };
    // clang-format on
    const int16_t onePixel = ToInt16(d.TwipsPerPixelY);
    const int16_t threePixels = ToInt16(3 * d.TwipsPerPixelY);
    for (int feature = 1; feature <= 10; ++feature) {
        d.FeatureSelected(feature, 1) = true;
        d.FeatureColor(feature, 1) = PaletteRgb(kColors[feature]);
        d.FeatureLineWidth(feature, 1) = onePixel;
        d.FeatureSymbolRadius(feature, 1) = threePixels;
        d.FeatureBorderWidth(feature, 1) = onePixel;
    }
}

void StartupDesign(const std::string& appDir) {
    DesignState& d = Design();
    d.AppDir = appDir;
    d.InputFiles.assign(2, InputFileRecord{});
    d.InputFileName(1) = appDir + "Tlrx4.map";
    d.CurInputFile = d.InputFileName(1);
    d.InputFileSymbolType(1) = SymLine;
    ConstantDefs();
    // The default texts pass every check, so the saved texts are never read.
    ConstantGrid();
    CalcGraticule({});
    ParamStdParallel();
    ParamSelect();
    ResizeInputFiles(1);
    DefaultFileSymbology();
}

void ResetDesignState(const std::string& appDir) {
    Design() = DesignState{};
    StartupDesign(appDir);
}

}  // namespace tlrx
