#pragma once

#include "cli/CliArgs.h"
#include "model/FormatPrinter.h"
#include "model/Paper.h"

#include <QImage>
#include <QList>
#include <QSizeF>
#include <QString>

#include <functional>

class QPagedPaintDevice;

// Where a command prints its sheet: "-o" names a PDF file, written through Qt's printer, or a PNG
// picture on white (or "-", standard output, with "--as pdf|png"), on the paper "--paper" asks for
// (the format's own paper, or letter, unless told), shifted by the margin offsets of the
// installation unless "--facx"/"--facy" give them. The file takes the place of an old one only when
// it is complete.
class PrintOutput {
public:
    // What goes on the sheet, drawn onto a printer whose job is named, or onto a picture of the
    // paper at a resolution; the same page either way.
    struct Sheet {
        std::function<bool(QPagedPaintDevice& printer, FormatPrinter::Offsets offsets)> print;
        std::function<QImage(QSizeF paperMillimetres, int dpi, FormatPrinter::Offsets offsets)>
            picture;
    };

    // The options of a command that prints: -o/--output, --paper, --dpi, --facx and --facy.
    static QList<CliArgs::Option> Options();
    // How those options are written in a command's usage.
    static QString Usage();
    // "letter", "a4" or "WIDTHxHEIGHT" in millimetres.
    static QSizeF ParsePaper(const QString& text);

    // Reads the options; a file that is neither .pdf nor .png, a paper or an offset that does
    // not read is a CliError. Without "-o" nothing is to be printed. Without "--paper" the sheet
    // is the paper given.
    explicit PrintOutput(const CliArgs& args, const Paper& paper = Paper());

    bool Requested() const { return !m_path.isEmpty(); }
    const QString& Path() const { return m_path; }
    bool IsPdf() const { return m_pdf; }
    FormatPrinter::Offsets Offsets() const { return m_offsets; }
    // Prints the sheet into the file; any failure is a CliError naming it, and leaves a file
    // that was there as it was.
    void Write(const Sheet& sheet) const;

private:
    void WritePicture(const Sheet& sheet) const;
    void WritePdf(const Sheet& sheet) const;

    const CliArgs& m_args;
    QString m_path;
    bool m_pdf = false;
    QSizeF m_paper;
    FormatPrinter::Offsets m_offsets;
};
