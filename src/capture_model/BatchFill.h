#pragma once

#include "capture_model/FieldEntry.h"
#include "model/FormatPrinter.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

class CaptureDocument;
class CsvTable;
class QPagedPaintDevice;
class QTemporaryDir;

// Fills a format in once for every row of a table of values, as a user would type each row on
// the capture screen, and prints each on a sheet of its own or keeps each in a captured-data
// file. The batch fills a capture document of its own, so that the values a user has on the
// capture window stay as they are; one row's values are gone once the next row starts, so a
// batch of any length holds one fill at a time.
//
// A column's name is a field's ("FOLIO") or a table cell's ("PARTIDAS[2,3]"), without regard to
// case; an empty value leaves its field empty. Before each row every field is emptied, the
// captured-data file of the base (when one is set) is loaded, the row's values are typed in
// their column order and then the extra entries, so that the calculated fields follow.
class BatchFill {
public:
    // Told after each row with the rows done and the rows in all; false stops the batch.
    using Progress = std::function<bool(int done, int total)>;
    enum class Outcome { Done, Stopped, PrinterFailed };

    // Reads the format; one that cannot be read throws its FormatError.
    explicit BatchFill(const QString& formatPath);
    ~BatchFill();
    BatchFill(const BatchFill&) = delete;
    BatchFill& operator=(const BatchFill&) = delete;

    // Values every row starts from, loaded now so that a bad file fails before the first row.
    void SetBase(const QString& capturedDataPath);
    void SetExtraEntries(std::vector<FieldEntry> entries) { m_extras = std::move(entries); }

    // Fills the row at index in; a value the format cannot take is a BatchError that names the
    // file, the line and the field.
    void Fill(const CsvTable& table, std::size_t index);
    // Fills every row in turn without keeping anything: the first bad row is a BatchError. A
    // printer that has started a sheet cannot take it back, so a batch for paper is checked
    // first.
    Outcome Check(const CsvTable& table, const Progress& progress = {});

    // Where each filled row goes: a sheet on the printer (whose job the caller has named), a
    // captured-data file for the folder (made when missing), or both. The files are kept apart
    // until DeliverCaptures, so that a batch whose printout fails or is killed leaves the folder
    // as it was. A batch stopped while it
    // prints calls abort, before the job ends, so that a printer may drop what it was given.
    struct Output {
        QPagedPaintDevice* printer = nullptr;
        FormatPrinter::Offsets offsets;
        QString captureFolder;
        std::function<void()> abort;
    };
    // Fills and delivers every row in turn. A bad row is a BatchError, thrown with the rows
    // before it delivered: printing into a file, the caller discards the file.
    Outcome Run(const CsvTable& table, const Output& output, const Progress& progress = {});
    // Moves the captured-data files of the last Run into its folder, replacing files of the same
    // name: called once the printout they go with is complete. Files never delivered go with
    // the BatchFill.
    void DeliverCaptures();

    // The captured-data file of the row at index (from 0) of count rows: the format's name, a
    // hyphen and the row's number from 1, padded to four digits or to the digits of count.
    static QString CaptureFileName(const QString& formatPath, std::size_t index, std::size_t count);

    CaptureDocument& Document() const { return *m_document; }

private:
    void StartStaging(const QString& folder);

    std::unique_ptr<CaptureDocument> m_document;
    std::unique_ptr<QTemporaryDir> m_staging;
    QString m_stagedFor;
    QString m_base;
    std::vector<FieldEntry> m_extras;
};
