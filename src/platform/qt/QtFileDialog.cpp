#include "platform/qt/QtFileDialog.h"
#include "platform/qt/WindowActivation.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>
#include <algorithm>

namespace tlrx {

namespace {

// "BMP Files (*.bmp)|*.bmp|All (*.*)|*.*" as Qt's name filters; a
// description without its patterns in brackets gets them.
QStringList NameFilters(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split(QChar('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        QString patterns = parts[i + 1];
        patterns.replace(QChar(';'), QChar(' '));
        filters << (description.contains(QChar('(')) ? description : description + " (" + patterns + ")");
    }
    return filters;
}

// The widget dialog, so that the default extension goes on before the
// question about replacing a file.
class SaveDialog : public QFileDialog {
public:
    SaveDialog(QWidget* parent, const QString& title, std::string defaultExt)
        : QFileDialog(parent, title), defaultExt_(std::move(defaultExt)) {
        setOption(QFileDialog::DontUseNativeDialog);
    }

    void accept() override {
        const QStringList chosen = selectedFiles();
        if (!defaultExt_.empty() && chosen.size() == 1 && !QFileInfo(chosen.first()).isDir()) {
            const std::string name = chosen.first().toStdString();
            const std::string full = WithDefaultExtension(name, defaultExt_);
            if (full != name) {
                // The name field takes a selected file only while it has no focus.
                if (QWidget* focused = focusWidget()) focused->clearFocus();
                selectFile(QString::fromStdString(full));
            }
        }
        QFileDialog::accept();
    }

private:
    std::string defaultExt_;
};

}  // namespace

FileDialogResult QtFileDialog::Show(const FileDialogRequest& r) {
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) return {kFileDialogFailure, {}};

    const bool save = r.kind == FileDialogKind::Save;
    SaveDialog dialog(DialogOwner(), QString::fromStdString(r.title), save ? r.defaultExt : "");
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(!save && (r.flags & kFileDialogFileMustExist) ? QFileDialog::ExistingFile
                                                                     : QFileDialog::AnyFile);
    if (save && !(r.flags & kFileDialogOverwritePrompt)) dialog.setOption(QFileDialog::DontConfirmOverwrite);

    const QStringList filters = NameFilters(r.filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const qsizetype index = std::clamp<qsizetype>(r.filterIndex, 1, filters.size()) - 1;
        dialog.selectNameFilter(filters[index]);
    }

    // A preset path names its own folder; a title lies in the given folder.
    const QString name = QString::fromStdString(r.fileName);
    QString folder = QString::fromStdString(!r.initDir.empty() ? r.initDir : lastDir_);
    if (!name.isEmpty() && QFileInfo(name).isAbsolute()) folder = QFileInfo(name).absolutePath();
    if (!folder.isEmpty()) dialog.setDirectory(folder);
    if (!name.isEmpty()) dialog.selectFile(QFileInfo(name).isAbsolute() ? name : QDir(folder).filePath(name));

    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {kFileDialogCancel, {}};
    const QString chosen = dialog.selectedFiles().first();
    lastDir_ = QFileInfo(chosen).absolutePath().toStdString();
    return {0, QDir::toNativeSeparators(chosen).toStdString()};
}

}  // namespace tlrx
