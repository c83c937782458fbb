#include "app/Tellurax.h"

#include <QCoreApplication>
#include <QDir>

#include "core/DesignState.h"

namespace tlrx {

Tellurax::Tellurax(QWidget* parent) : QMainWindow(parent) {
    resize(800, 600);
    Form_Load();
}

QString Tellurax::ProjectionCaption() {
    return QStringLiteral("Tellurax: %1 projection").arg(QString::fromStdString(Design().ProjName));
}

void Tellurax::Form_Load() {
    DesignState& d = Design();
    const std::string appDir =
        QDir::toNativeSeparators(QCoreApplication::applicationDirPath()).toStdString() + "/";
    StartupDesign(appDir);
    d.HelpFilePath = appDir + "Tlrx.chm";
    setWindowTitle(ProjectionCaption());
}

}  // namespace tlrx
