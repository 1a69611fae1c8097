#include "capture/PrinterSettings.h"

#include "platform/Profile.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace {

const QString kSection = QStringLiteral("Impresora");
const QString kName = QStringLiteral("Nombre");
const QString kPaper = QStringLiteral("Papel");
const QString kOrientation = QStringLiteral("Orientacion");

} // namespace

QPageSize::PageSizeId PrinterSettings::PaperOfKey(const QString& key) {
    const QString wanted = key.trimmed();
    for (int id = 0; id <= QPageSize::LastPageSize; ++id) {
        const auto paper = static_cast<QPageSize::PageSizeId>(id);
        if (paper != QPageSize::Custom && QPageSize::key(paper) == wanted)
            return paper;
    }
    return QPageSize::Letter;
}

PrinterSettings PrinterSettings::Read(const Profile& profile) {
    PrinterSettings settings;
    settings.printerName = profile.GetString(kSection, kName).trimmed();
    settings.paper = PaperOfKey(profile.GetString(kSection, kPaper));
    settings.orientation = profile.GetInt(kSection, kOrientation, 0) == 1 ? QPageLayout::Landscape
                                                                          : QPageLayout::Portrait;
    return settings;
}

void PrinterSettings::Write(Profile& profile) const {
    profile.WriteString(kSection, kName, printerName);
    profile.WriteString(kSection, kPaper, QPageSize::key(paper));
    profile.WriteInt(kSection, kOrientation, orientation == QPageLayout::Landscape ? 1 : 0);
}

PrinterSettings PrinterSettings::Of(const QPrinter& printer) {
    PrinterSettings settings;
    if (printer.outputFormat() == QPrinter::NativeFormat)
        settings.printerName = printer.printerName();
    const QPageLayout layout = printer.pageLayout();
    const QPageSize::PageSizeId paper = layout.pageSize().id();
    // A size of the printer's own has no standard key: it is kept as letter.
    settings.paper = paper == QPageSize::Custom ? QPageSize::Letter : paper;
    settings.orientation = layout.orientation();
    return settings;
}

void PrinterSettings::ApplyTo(QPrinter& printer) const {
    QString name = printerName;
    if (name.isEmpty() || !QPrinterInfo::availablePrinterNames().contains(name))
        name = QPrinterInfo::defaultPrinterName();
    // An empty name would turn the printer to a PDF file: without a printer of the system it
    // already writes one.
    if (!name.isEmpty() &&
        (printer.outputFormat() != QPrinter::NativeFormat || printer.printerName() != name))
        printer.setPrinterName(name);
    printer.setPageOrientation(orientation);
    printer.setPageSize(QPageSize(paper));
}

std::shared_ptr<QPrinter> PrinterSettings::MakePrinter() {
    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    Read(Profile()).ApplyTo(*printer);
    return printer;
}

void PrinterSettings::Keep(const QPrinter& printer) {
    Profile profile;
    Of(printer).Write(profile);
    profile.Sync();
}
