#include "cli/FillCommand.h"

#include "capture_model/BatchFill.h"
#include "capture_model/CCuadrosVar.h"
#include "capture_model/CDateInput.h"
#include "capture_model/CFmtGrid.h"
#include "capture_model/CMarcaVar.h"
#include "capture_model/CParrafoVar.h"
#include "capture_model/CTextlineVar.h"
#include "capture_model/CaptureDocument.h"
#include "capture_model/CaptureFileError.h"
#include "capture_model/CsvTable.h"
#include "capture_model/FieldEntry.h"
#include "capture_model/UnreadNumbers.h"
#include "cli/CliArgs.h"
#include "cli/CliError.h"
#include "cli/JsonWriter.h"
#include "cli/PrintOutput.h"
#include "cli/ProgressLine.h"
#include "cli/ValueTextCommand.h"
#include "model/FormatError.h"
#include "model/PlenovaSettings.h"

#include <QLocale>
#include <QTextStream>

#include <memory>
#include <vector>

#include <unistd.h>

QString FillCommand::Usage() const {
    return QStringLiteral("fill FORMATO.fmt [--cap DATOS.cap] [--set NOMBRE=VALOR]... "
                          "[--set TABLA[RENGLON,COLUMNA]=VALOR]... [--save-cap DATOS.cap] [") +
           PrintOutput::Usage() +
           QStringLiteral("] [--values] [--locale xx_YY]\n"
                          "       fill FORMATO.fmt --csv DATOS.csv [--cap BASE.cap] "
                          "[--set NOMBRE=VALOR]... [--save-cap CARPETA/] [-o LOTE.pdf ...] "
                          "[--quiet]");
}

int FillCommand::RunBatch(const CliArgs& args, const PrintOutput& output,
                          std::vector<FieldEntry> entries) {
    if (args.Flag(QStringLiteral("--values")))
        throw CliError(QStringLiteral("--values no se usa con --csv"));
    if (output.Requested() && !output.IsPdf())
        throw CliError(QStringLiteral("con --csv cada renglón es una hoja: la salida (-o) debe "
                                      "ser un PDF"));
    const std::optional<QString> folder = args.Value(QStringLiteral("--save-cap"));
    if (!output.Requested() && !folder)
        throw CliError(QStringLiteral("con --csv diga dónde van los renglones llenos: -o LOTE.pdf, "
                                      "--save-cap CARPETA/ o ambos"));
    const CsvTable table = CsvTable::Read(*args.Value(QStringLiteral("--csv")));
    std::unique_ptr<BatchFill> batch;
    try {
        batch = std::make_unique<BatchFill>(args.Positional().first());
    } catch (const FormatError& e) {
        throw CliError(e.Message());
    }
    if (const std::optional<QString> base = args.Value(QStringLiteral("--cap"))) {
        batch->SetBase(*base);
        WarnUnreadNumbers(*base, batch->Document());
    }
    batch->SetExtraEntries(std::move(entries));
    // A person watching a long batch on a terminal sees how far it has gone; a script reading
    // the error stream gets only errors.
    const bool watched = table.RowCount() > 1 && !args.Flag(QStringLiteral("--quiet")) &&
                         ::isatty(STDERR_FILENO) == 1;
    ProgressLine line(watched, static_cast<int>(table.RowCount()));
    const BatchFill::Progress progress = [&line](int done, int) {
        line.Show(done);
        return true;
    };
    if (!output.Requested()) {
        batch->Run(table, BatchFill::Output{nullptr, {}, *folder, {}}, progress);
        batch->DeliverCaptures();
        return 0;
    }
    // The PDF takes the place of an old one only when every row went onto it.
    output.Write(
        {[&](QPagedPaintDevice& printer, FormatPrinter::Offsets offsets) {
             return batch->Run(table,
                               BatchFill::Output{&printer, offsets, folder.value_or(QString()), {}},
                               progress) == BatchFill::Outcome::Done;
         },
         {}});
    batch->DeliverCaptures();
    return 0;
}

int FillCommand::Run(const QStringList& words, QTextStream& out) {
    QList<CliArgs::Option> options = PrintOutput::Options();
    options << CliArgs::Option{QStringLiteral("--cap"), QString(), true}
            << CliArgs::Option{QStringLiteral("--set"), QString(), true}
            << CliArgs::Option{QStringLiteral("--save-cap"), QString(), true}
            << CliArgs::Option{QStringLiteral("--values"), QString(), false}
            << CliArgs::Option{QStringLiteral("--locale"), QString(), true}
            << CliArgs::Option{QStringLiteral("--csv"), QString(), true}
            << CliArgs::Option{QStringLiteral("--quiet"), QString(), false};
    const CliArgs args(words, options);
    args.ExpectPositional(1, Usage());
    // "-o" with no file name is a slip, not a wish for no printout.
    if (const std::optional<QString> output = args.Value(QStringLiteral("--output"));
        output && output->isEmpty())
        throw CliError(QStringLiteral("uso: plenova-cli %1").arg(Usage()));
    // Everything the command line says is checked before any file is written. The sheet is the
    // format's own paper unless --paper names another; a damaged file beside the format is told
    // as the format is read.
    const PlenovaSettings::Loaded beside = PlenovaSettings::LoadFor(args.Positional().first());
    const PrintOutput output(args, beside.settings.paper);
    // The capture window reads and writes numbers, amounts and dates as a Mexican user does,
    // whatever the machine's own settings: so does its screen here, unless told otherwise.
    const std::optional<QString> localeName = args.Value(QStringLiteral("--locale"));
    QLocale::setDefault(localeName ? ValueTextCommand::ParseLocale(*localeName)
                                   : QLocale(QLocale::Spanish, QLocale::Mexico));
    std::vector<FieldEntry> entries;
    for (const QString& text : args.Values(QStringLiteral("--set")))
        entries.push_back(FieldEntry::Parse(text));
    if (args.Value(QStringLiteral("--csv"))) {
        if (!beside.warning.isEmpty())
            PrintWarnings({beside.warning});
        return RunBatch(args, output, std::move(entries));
    }

    CaptureDocument document;
    try {
        PrintWarnings(document.OpenFormat(args.Positional().first()));
    } catch (const FormatError& e) {
        throw CliError(e.Message());
    }

    if (const std::optional<QString> cap = args.Value(QStringLiteral("--cap"))) {
        try {
            document.LoadCapturedData(*cap);
        } catch (const CaptureFileError& e) {
            // The window's own sentence for the file of another format names no file.
            if (e.GetCause() != CaptureFileError::Cause::WrongFormat)
                throw;
            throw CliError(QStringLiteral("%1: %2").arg(*cap, e.Message()));
        }
    }
    for (const FieldEntry& entry : entries)
        entry.TypeInto(document);
    // What is left that reads as no number came from the file: "--set" takes only numbers.
    if (const std::optional<QString> cap = args.Value(QStringLiteral("--cap")))
        WarnUnreadNumbers(*cap, document);
    if (const std::optional<QString> cap = args.Value(QStringLiteral("--save-cap")))
        document.SaveCapturedData(*cap);
    output.Write({[&document](QPagedPaintDevice& printer, FormatPrinter::Offsets offsets) {
                      return document.Print(printer, offsets);
                  },
                  [&document](QSizeF paper, int dpi, FormatPrinter::Offsets offsets) {
                      return document.PrintToImage(paper, dpi, offsets);
                  }});
    if (args.Flag(QStringLiteral("--values"))) {
        JsonWriter json(out);
        WriteValues(json, document);
        json.Finish();
        out << '\n';
    }
    return 0;
}

void FillCommand::WarnUnreadNumbers(const QString& path, const CaptureDocument& document) {
    QStringList warnings;
    for (const UnreadNumbers::Place& place : document.FindUnreadNumbers())
        warnings << QStringLiteral("%1: «%2» tiene «%3», que no es un número: se toma como 0")
                        .arg(path, place.field, place.text);
    PrintWarnings(warnings);
}

void FillCommand::WriteValues(JsonWriter& json, const CaptureDocument& document) {
    json.BeginArray();
    for (const auto& control : document.Controls()) {
        if (!control->IsCaptureControl())
            continue;
        json.BeginObject();
        json.Value(QStringLiteral("name"), control->text);
        json.Value(QStringLiteral("type"), static_cast<int>(control->Type()));
        json.Value(QStringLiteral("captureOrder"), control->captureOrder);
        const CControles* field = control.get();
        if (const auto* line = dynamic_cast<const CTextlineVar*>(field)) {
            json.Value(QStringLiteral("text"), line->Value());
        } else if (const auto* paragraph = dynamic_cast<const CParrafoVar*>(field)) {
            json.Value(QStringLiteral("text"), paragraph->Value());
        } else if (const auto* boxes = dynamic_cast<const CCuadrosVar*>(field)) {
            json.Value(QStringLiteral("text"), boxes->Value());
        } else if (const auto* mark = dynamic_cast<const CMarcaVar*>(field)) {
            json.Value(QStringLiteral("checked"), mark->IsChecked());
        } else if (const auto* date = dynamic_cast<const CDateInput*>(field)) {
            const QDate shown = date->Date() ? date->Date()->date() : QDate();
            if (shown.isValid())
                json.Value(QStringLiteral("date"), shown.toString(QStringLiteral("yyyy-MM-dd")));
            else
                json.Null(QStringLiteral("date"));
        } else if (const auto* table = dynamic_cast<const CFmtGrid*>(field)) {
            QVariantList rows;
            for (int row = 1; row <= table->RowCount(); ++row) {
                QVariantList cells;
                for (int column = 1; column <= table->ColumnCount(); ++column)
                    cells << table->Cells().GetCell(column, row);
                rows << QVariant(cells);
            }
            json.Value(QStringLiteral("cells"), rows);
        }
        json.EndObject();
    }
    json.EndArray();
}
