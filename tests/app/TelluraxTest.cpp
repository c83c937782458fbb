#include <gtest/gtest.h>

#include <QCoreApplication>

#include "app/Tellurax.h"
#include "core/DesignState.h"

namespace tlrx {
namespace {

TEST(Tellurax, StartsWithTheDefaultDesignAndItsCaption) {
    Tellurax window;
    EXPECT_EQ(window.windowTitle(), "Tellurax: Equirectangular projection");
    const DesignState& d = Design();
    EXPECT_EQ(d.ProjCode, 2);
    const std::string appDir = QCoreApplication::applicationDirPath().toStdString() + "/";
    EXPECT_EQ(d.AppDir, appDir);
    EXPECT_EQ(d.InputFileName[1], appDir + "Tlrx4.map");
    EXPECT_EQ(d.HelpFilePath, appDir + "Tlrx.chm");
}

}  // namespace
}  // namespace tlrx
