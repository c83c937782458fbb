#pragma once
// Reading printed PDF files in tests with poppler-utils (pdfinfo, pdftoppm),
// the test oracle for what a print job put on paper.

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>

namespace tlrx::test {

inline bool HavePopplerTools() {
    return !QStandardPaths::findExecutable("pdfinfo").isEmpty() &&
           !QStandardPaths::findExecutable("pdftoppm").isEmpty();
}

// Number of pages as pdfinfo reads it; -1 when it cannot read the file.
inline int PdfPageCount(const QString& file) {
    QProcess tool;
    tool.start("pdfinfo", {file});
    if (!tool.waitForFinished(60000) || tool.exitCode() != 0) return -1;
    const QRegularExpression pages("^Pages:\\s+(\\d+)", QRegularExpression::MultilineOption);
    const QRegularExpressionMatch m = pages.match(QString::fromUtf8(tool.readAllStandardOutput()));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// Page 1 rendered by pdftoppm in grey at dpi pixels per inch, without
// anti-aliasing; a null image when it fails.
inline QImage PdfFirstPage(const QString& file, int dpi) {
    const QString prefix = file + "-page1";
    QProcess tool;
    tool.start("pdftoppm", {"-f", "1", "-l", "1", "-r", QString::number(dpi), "-gray", "-aa", "no", "-aaVector", "no",
                            "-singlefile", file, prefix});
    if (!tool.waitForFinished(60000) || tool.exitCode() != 0) return {};
    return QImage(prefix + ".pgm");
}

}  // namespace tlrx::test
