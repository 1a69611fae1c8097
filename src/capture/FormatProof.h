#pragma once

#include "model/PlenovaSettings.h"

#include <QByteArray>
#include <QString>

#include <memory>

class CaptureDocument;
class QPrinter;
class QWidget;

// A format being designed, printed before any capture so that its layout can be checked on
// paper: every field shows its name, every table its columns' titles, every mark is ticked
// (CaptureDocument::FillWithNames). It prints as a capture of the format would, through the
// same document, on the format's paper and shifted by the installation's margin offsets.
class FormatProof {
public:
    // The format as the designer holds it: the bytes a save would write, the settings beside it
    // and its path (empty while it has none). A copy that does not read is a PlenovaError.
    FormatProof(const QByteArray& formatBytes, const PlenovaSettings& own, const QString& path);
    ~FormatProof();
    FormatProof(const FormatProof&) = delete;
    FormatProof& operator=(const FormatProof&) = delete;

    const CaptureDocument& Document() const { return *m_document; }

    // "Vista preliminar" of the designer: the proof in the preview on printer, from which it can
    // be printed. True when it was printed from there.
    bool Preview(QPrinter& printer, QWidget* parent) const;
    // "Exportar a PDF..." of the designer: the proof written into the PDF file at path on the
    // printer's paper; a failure is a PlenovaError and leaves a file that was there as it was.
    void ExportPdf(QPrinter& printer, const QString& path) const;
    // What a printout to a file is offered as: "factura-muestra.pdf" beside the format.
    QString OfferedFile() const;

private:
    // The format's paper laid on the printer, when the format names one.
    void LayPaper(QPrinter& printer) const;

    std::unique_ptr<CaptureDocument> m_document;
    PlenovaSettings m_own;
    QString m_path;
};
