#include "platform/qt/QtPrinters.h"

#include <QDialogButtonBox>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <algorithm>
#include <array>
#include <utility>

namespace tlrx {

namespace {

// Paper sources: device-mode value and Qt's name for it.
// clang-format off
constexpr std::array<std::pair<int16_t, QPrinter::PaperSource>, 13> kSources{{
    {1, QPrinter::OnlyOne},       {2, QPrinter::Lower},          {3, QPrinter::Middle},
    {4, QPrinter::Manual},        {5, QPrinter::Envelope},       {6, QPrinter::EnvelopeManual},
    {7, QPrinter::Auto},          {8, QPrinter::Tractor},        {9, QPrinter::SmallFormat},
    {10, QPrinter::LargeFormat},  {11, QPrinter::LargeCapacity}, {14, QPrinter::Cassette},
    {15, QPrinter::FormSource},
}};
// clang-format on

int16_t ClampInt16(int v) { return static_cast<int16_t>(std::clamp(v, 0, 32767)); }

std::string ToStd(const QString& s) { return s.toStdString(); }

// The component in Qt: the chosen printer's settings are put on a QPrinter
// for the dialog and read back from it when the user confirms.
class QtPrinterDialog : public PrinterDialog {
public:
    bool ShowPrinter(QWidget* owner) override {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        if (!PrinterName.empty()) printer->setPrinterName(QString::fromStdString(PrinterName));
        ApplyDevMode(*printer, Settings);

        QPrintDialog dialog(printer.get(), owner);
        if (Flags & kPdPrintSetup) {
            // Choosing the printer and its settings only: no pages, no file.
            dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize);
            // It prints nothing: its confirm button reads OK, not Print.
            for (QDialogButtonBox* box : dialog.findChildren<QDialogButtonBox*>())
                if (QPushButton* ok = box->button(QDialogButtonBox::Ok)) ok->setText(QStringLiteral("OK"));
        }
        if (dialog.exec() != QDialog::Accepted) return false;

        PrinterName = ToStd(printer->printerName());
        const QPrinterInfo info(*printer);
        DriverName = ToStd(info.makeAndModel());
        Port = ToStd(info.location());
        Settings = ReadDevMode(*printer);
        if (Flags & kPdReturnDc) dc_ = std::make_unique<QtPrinterSurface>(std::move(printer));
        return true;
    }
};

}  // namespace

void ApplyDevMode(QPrinter& printer, const DevModeSettings& s) {
    if (s.Copies > 0) printer.setCopyCount(s.Copies);
    if (s.Orientation == 1) printer.setPageOrientation(QPageLayout::Portrait);
    if (s.Orientation == 2) printer.setPageOrientation(QPageLayout::Landscape);
    if (s.Duplex == 1) printer.setDuplex(QPrinter::DuplexNone);
    if (s.Duplex == 2) printer.setDuplex(QPrinter::DuplexLongSide);
    if (s.Duplex == 3) printer.setDuplex(QPrinter::DuplexShortSide);
    if (s.ColorMode == 1) printer.setColorMode(QPrinter::GrayScale);
    if (s.ColorMode == 2) printer.setColorMode(QPrinter::Color);
    for (const auto& [code, source] : kSources)
        if (code == s.DefaultSource) printer.setPaperSource(source);
    const QPageSize::PageSizeId paper = QPageSize::id(s.PaperSize);
    if (paper != QPageSize::Custom) printer.setPageSize(QPageSize(paper));
    if (s.PrintQuality > 0) printer.setResolution(s.PrintQuality);
}

DevModeSettings ReadDevMode(const QPrinter& printer) {
    DevModeSettings s;
    s.DefaultSource = 7;
    for (const auto& [code, source] : kSources)
        if (source == printer.paperSource()) s.DefaultSource = code;
    s.ColorMode = printer.colorMode() == QPrinter::GrayScale ? 1 : 2;
    s.Copies = ClampInt16(printer.copyCount());
    switch (printer.duplex()) {
    case QPrinter::DuplexNone: s.Duplex = 1; break;
    case QPrinter::DuplexShortSide: s.Duplex = 3; break;
    default: s.Duplex = 2; break;  // long edge, also the printer's automatic choice
    }
    s.Orientation = printer.pageLayout().orientation() == QPageLayout::Landscape ? 2 : 1;
    s.PaperSize = ClampInt16(QPageSize::windowsId(printer.pageLayout().pageSize().id()));
    s.PrintQuality = ClampInt16(printer.resolution());
    return s;
}

QtPrinterService::QtPrinterService() = default;
QtPrinterService::~QtPrinterService() = default;

bool QtPrinterService::PrintersInstalled() { return !QPrinterInfo::availablePrinters().isEmpty(); }

bool QtPrinterService::TakeCurrentPrinter() {
    if (currentDc_) return true;
    QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        const QList<QPrinterInfo> all = QPrinterInfo::availablePrinters();
        if (all.isEmpty()) return false;
        info = all.front();
    }
    currentDc_ = std::make_unique<QtPrinterSurface>(std::make_unique<QPrinter>(info, QPrinter::HighResolution));
    driverName_ = ToStd(info.makeAndModel());
    port_ = ToStd(info.location());
    return true;
}

std::optional<PrinterInfo> QtPrinterService::CurrentPrinter() {
    if (!TakeCurrentPrinter()) return std::nullopt;
    const QPrinter& printer = currentDc_->Printer();
    return PrinterInfo{ToStd(printer.printerName()), driverName_, port_, ReadDevMode(printer)};
}

PrinterSurface* QtPrinterService::CurrentPrinterDC() { return TakeCurrentPrinter() ? currentDc_.get() : nullptr; }

std::unique_ptr<PrinterDialog> QtPrinterService::NewPrinterDialog() { return std::make_unique<QtPrinterDialog>(); }

std::unique_ptr<PrinterSurface> QtPrinterService::CreateDC(std::string_view deviceName,
                                                           const DevModeSettings& settings) {
    const QPrinterInfo info =
        QPrinterInfo::printerInfo(QString::fromUtf8(deviceName.data(), static_cast<qsizetype>(deviceName.size())));
    if (info.isNull()) return nullptr;
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    ApplyDevMode(*printer, settings);
    return std::make_unique<QtPrinterSurface>(std::move(printer));
}

}  // namespace tlrx
