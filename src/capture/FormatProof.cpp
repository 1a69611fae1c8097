#include "capture/FormatProof.h"

#include "capture/PrinterDialogs.h"
#include "capture_model/CaptureDocument.h"
#include "capture_model/DefaultFileName.h"
#include "capture_model/PdfSheet.h"
#include "model/FormatPrinter.h"
#include "platform/ArchiveException.h"
#include "platform/PlenovaError.h"

#include <QPrinter>

namespace {

// Qt prints a PDF at 1200 dpi, whether through the print dialog or here.
constexpr int kPdfDpi = 1200;

} // namespace

FormatProof::FormatProof(const QByteArray& formatBytes, const PlenovaSettings& own,
                         const QString& path)
    : m_document(std::make_unique<CaptureDocument>()), m_own(own), m_path(path) {
    try {
        m_document->OpenFormat(formatBytes, own, path);
    } catch (const ArchiveException& e) {
        throw PlenovaError(e.Describe(path.isEmpty() ? QStringLiteral("(nuevo)") : path));
    }
    m_document->FillWithNames();
}

FormatProof::~FormatProof() = default;

void FormatProof::LayPaper(QPrinter& printer) const {
    printer.setDocName(QStringLiteral("Plenovixalia"));
    printer.setCopyCount(1);
    if (!m_own.NamesPaper())
        return;
    printer.setPageOrientation(m_own.paper.landscape ? QPageLayout::Landscape
                                                     : QPageLayout::Portrait);
    printer.setPageSize(m_own.paper.PageSize());
}

QString FormatProof::OfferedFile() const {
    return DefaultFileName::ForJob(m_path, QStringLiteral("muestra"), QStringLiteral("pdf"));
}

bool FormatProof::Preview(QPrinter& printer, QWidget* parent) const {
    LayPaper(printer);
    // The offsets are read as the page is drawn, as a print reads them.
    const auto paint = [this](QPrinter& shown) {
        m_document->Print(shown, FormatPrinter::Offsets::FromSettings());
    };
    return PrinterDialogs::Preview(printer, parent, paint, OfferedFile());
}

void FormatProof::ExportPdf(QPrinter& printer, const QString& path) const {
    LayPaper(printer);
    const FormatPrinter::Offsets offsets = FormatPrinter::Offsets::FromSettings();
    PdfSheet::Write(path, printer.pageLayout(), kPdfDpi, [this, offsets](QPagedPaintDevice& pdf) {
        return m_document->Print(pdf, offsets);
    });
}
