#pragma once

#include <QPageLayout>
#include <QPageSize>
#include <QString>

#include <memory>

class Profile;
class QPrinter;

// The printer the installation prints on, as "Configurar impresora" left it: which printer, on
// which paper, which way up. It is kept in the settings file's "Impresora" section
// ("Nombre", "Papel" as the paper's standard key such as "Letter", "Orientacion" 0 upright or
// 1 turned) so that it holds from one start to the next. Stationery in Mexico is letter-sized:
// without settings, or with settings that do not read, the paper is letter, upright, on the
// system's default printer (or into a PDF file when the system has none).
struct PrinterSettings {
    // Empty: the system's default printer.
    QString printerName;
    QPageSize::PageSizeId paper = QPageSize::Letter;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;

    static PrinterSettings Read(const Profile& profile);
    void Write(Profile& profile) const;

    // What a printer is set to now. A printer that writes a PDF file has no name.
    static PrinterSettings Of(const QPrinter& printer);
    // Sets the printer to these settings. A printer that is no longer there gives way to the
    // system's default printer.
    void ApplyTo(QPrinter& printer) const;

    // A printer at high resolution with the settings the settings file keeps.
    static std::shared_ptr<QPrinter> MakePrinter();
    // Writes the settings of the printer to the settings file now; a file that cannot be
    // written is a FileError (the printer keeps them for this session).
    static void Keep(const QPrinter& printer);

    // The paper of a standard key ("Letter", "A4", "Legal"); letter for any other text.
    static QPageSize::PageSizeId PaperOfKey(const QString& key);
};
