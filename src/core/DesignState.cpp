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

void ResizeInputFiles(int numFiles) {
    DesignState& d = Design();
    const size_t n = static_cast<size_t>(numFiles) + 1;
    d.InputFileName.resize(n);
    d.InputFileSymbolType.resize(n);
    d.InputFileLabelFontName.resize(n);
    d.InputFileLabelFontSize.resize(n);
    d.InputFileLabelFontColor.resize(n);
    d.InputFileLabelFontBold.resize(n);
    d.InputFileLabelFontItalic.resize(n);
    d.InputFileLabelFontUnderline.resize(n);
    d.InputFileLabelFontStrikethru.resize(n);
    d.FeatureSelected.Resize(d.NumGeoFeatures, numFiles);
    d.FeatureColor.Resize(d.NumGeoFeatures, numFiles);
    d.FeatureLineWidth.Resize(d.NumGeoFeatures, numFiles);
    d.FeatureSymbolRadius.Resize(d.NumGeoFeatures, numFiles);
    d.FeatureBorderWidth.Resize(d.NumGeoFeatures, numFiles);
}

void ResizeTextItems(int maxIndex) {
    DesignState& d = Design();
    const size_t n = static_cast<size_t>(maxIndex) + 1;
    d.TextItemText.resize(n);
    d.TextItemRotation.resize(n);
    d.TextItemFontName.resize(n);
    d.TextItemFontSize.resize(n);
    d.TextItemColor.resize(n);
    d.TextItemBold.resize(n);
    d.TextItemItalic.resize(n);
    d.TextItemUnderline.resize(n);
    d.TextItemStrikethru.resize(n);
    d.TextItemX.resize(n);
    d.TextItemY.resize(n);
    d.TextItemAscent.resize(n);
    d.TextItemDescent.resize(n);
    d.TextItemCharWidth.resize(n);
    d.TextItemFromLabel.resize(n);
}

void DefaultFileSymbology() {
    DesignState& d = Design();
    // Coastlines and islands green, lakes and rivers blue, borders red, state
    // and province lines magenta, the last two classes maroon.
    static constexpr int32_t kColors[11] = {
        0,
        RgbColor(0, 128, 0),   RgbColor(0, 128, 0),   RgbColor(0, 0, 255),   RgbColor(0, 0, 255),
        RgbColor(255, 0, 0),   RgbColor(255, 0, 255), RgbColor(255, 0, 255), RgbColor(255, 0, 255),
        RgbColor(128, 0, 0),   RgbColor(128, 0, 0),
    };
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
    d.InputFileName.assign(2, std::string());
    d.InputFileSymbolType.assign(2, 0);
    d.InputFileName[1] = appDir + "Tlrx4.map";
    d.CurInputFile = d.InputFileName[1];
    d.InputFileSymbolType[1] = SymLine;
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
