#include "capture_model/BatchFill.h"

#include "capture_model/BatchError.h"
#include "capture_model/CaptureDocument.h"
#include "capture_model/CsvTable.h"
#include "capture_model/FieldEntryError.h"
#include "platform/FileError.h"
#include "platform/PainterSurface.h"

#include <QDir>
#include <QFileInfo>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTemporaryDir>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <optional>

BatchFill::BatchFill(const QString& formatPath) : m_document(std::make_unique<CaptureDocument>()) {
    m_document->OpenFormat(formatPath);
}

BatchFill::~BatchFill() = default;

void BatchFill::SetBase(const QString& capturedDataPath) {
    m_document->LoadCapturedData(capturedDataPath);
    m_base = capturedDataPath;
}

void BatchFill::Fill(const CsvTable& table, std::size_t index) {
    const CsvTable::Row row = table.RowAt(index);
    m_document->ClearValues();
    if (!m_base.isEmpty())
        m_document->LoadCapturedData(m_base);
    try {
        // Every column must name a field even where its value is empty: a misspelt column left
        // empty in the rows checked would otherwise be ignored without a word.
        for (qsizetype column = 0; column < row.values.size(); ++column) {
            const FieldEntry entry(table.Header()[column], row.values[column]);
            if (entry.Value().isEmpty())
                entry.CheckName(*m_document);
            else
                entry.TypeInto(*m_document);
        }
        for (const FieldEntry& extra : m_extras)
            extra.TypeInto(*m_document);
    } catch (const FieldEntryError& e) {
        throw BatchError(
            QStringLiteral("%1, línea %2: %3").arg(table.Name()).arg(row.line).arg(e.Message()));
    }
}

BatchFill::Outcome BatchFill::Check(const CsvTable& table, const Progress& progress) {
    const int total = static_cast<int>(table.RowCount());
    for (std::size_t i = 0; i < table.RowCount(); ++i) {
        Fill(table, i);
        if (progress && !progress(static_cast<int>(i) + 1, total))
            return Outcome::Stopped;
    }
    return Outcome::Done;
}

BatchFill::Outcome BatchFill::Run(const CsvTable& table, const Output& output,
                                  const Progress& progress) {
    const std::size_t count = table.RowCount();
    m_staging.reset();
    if (!output.captureFolder.isEmpty())
        StartStaging(output.captureFolder);
    QPainter painter;
    if (output.printer && count > 0 && !painter.begin(output.printer))
        return Outcome::PrinterFailed;
    // One surface prints every sheet, so that the fonts and texts it has measured serve them all.
    std::optional<PainterSurface> dc;
    if (painter.isActive())
        dc.emplace(painter);
    for (std::size_t i = 0; i < count; ++i) {
        Fill(table, i);
        if (dc) {
            if (i > 0 && !output.printer->newPage())
                return Outcome::PrinterFailed;
            dc->SelectDefaults();
            FormatPrinter::PrintPage(*dc, m_document->Controls(), output.offsets);
        }
        if (m_staging)
            m_document->SaveCapturedData(
                QDir(m_staging->path())
                    .filePath(CaptureFileName(m_document->FormatPath(), i, count)));
        if (progress && !progress(static_cast<int>(i) + 1, static_cast<int>(count))) {
            // A job for paper that is stopped prints none of its sheets.
            dc.reset();
            if (output.abort)
                output.abort();
            return Outcome::Stopped;
        }
    }
    dc.reset();
    if (painter.isActive() && !painter.end())
        return Outcome::PrinterFailed;
    return Outcome::Done;
}

void BatchFill::StartStaging(const QString& folder) {
    if (!QDir().mkpath(folder))
        throw BatchError(QStringLiteral("%1: no se puede crear la carpeta").arg(folder));
    // Beside the folder, on the same disk, so that each file moves in by a rename.
    const QFileInfo target(QDir(folder).absolutePath());
    auto staging = std::make_unique<QTemporaryDir>(
        target.dir().filePath(QStringLiteral(".%1.lote-XXXXXX").arg(target.fileName())));
    if (!staging->isValid())
        throw BatchError(QStringLiteral("%1: no se puede preparar la carpeta del lote (%2)")
                             .arg(folder, staging->errorString()));
    m_staging = std::move(staging);
    m_stagedFor = target.filePath();
}

void BatchFill::DeliverCaptures() {
    if (!m_staging)
        return;
    const QDir from(m_staging->path());
    const QDir to(m_stagedFor);
    for (const QString& name : from.entryList(QDir::Files, QDir::Name)) {
        const QByteArray source = QFile::encodeName(from.filePath(name));
        const QByteArray target = QFile::encodeName(to.filePath(name));
        if (std::rename(source.constData(), target.constData()) != 0)
            throw FileError(to.filePath(name), QStringLiteral("no se puede reemplazar"), errno);
    }
    m_staging.reset();
}

QString BatchFill::CaptureFileName(const QString& formatPath, std::size_t index,
                                   std::size_t count) {
    const int digits = std::max<int>(4, static_cast<int>(QString::number(count).size()));
    return QStringLiteral("%1-%2.cap")
        .arg(QFileInfo(formatPath).completeBaseName())
        .arg(index + 1, digits, 10, QLatin1Char('0'));
}
