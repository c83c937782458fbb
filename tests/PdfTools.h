#pragma once
// Reading printed PDF files in tests with poppler-utils (pdfinfo, pdftoppm),
// the test oracle for what a print job put on paper.

#include <QByteArray>
#include <QFile>
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

// The inflated streams of a PDF file (page contents among them), one after
// the other; streams that are not Flate-compressed are left out.
inline QByteArray PdfInflatedStreams(const QString& file) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) return {};
    const QByteArray pdf = in.readAll();
    QByteArray streams;
    for (qsizetype at = pdf.indexOf("stream"); at >= 0; at = pdf.indexOf("stream", at + 1)) {
        if (at > 0 && pdf[at - 1] == 'd') continue;  // "endstream"
        qsizetype start = at + 6;
        if (start < pdf.size() && pdf[start] == '\r') ++start;
        if (start < pdf.size() && pdf[start] == '\n') ++start;
        const qsizetype end = pdf.indexOf("endstream", start);
        if (end < 0) break;
        // qUncompress takes a zlib stream behind its expected size, and
        // grows its buffer when the size falls short.
        QByteArray zipped(4, '\0');
        zipped[0] = 0x01;  // 16 MB expected
        zipped += pdf.mid(start, end - start);
        streams += qUncompress(zipped);
    }
    return streams;
}

// Inked pixels (grey below 128) of page a with no ink of page b within a
// pixel, and how many pixels a inks in all.
struct InkStrays {
    long inked = 0;
    long strays = 0;
};
inline InkStrays InkMissingNearby(const QImage& a, const QImage& b) {
    const auto dark = [](const QImage& page, int x, int y) {
        return x >= 0 && y >= 0 && x < page.width() && y < page.height() && qGray(page.pixel(x, y)) < 128;
    };
    InkStrays r;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            if (!dark(a, x, y)) continue;
            ++r.inked;
            bool near = false;
            for (int dy = -1; dy <= 1 && !near; ++dy)
                for (int dx = -1; dx <= 1 && !near; ++dx) near = dark(b, x + dx, y + dy);
            r.strays += !near;
        }
    return r;
}

}  // namespace tlrx::test
