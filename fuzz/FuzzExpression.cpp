// The expression language against any text, through the engine of the calculated fields: text
// lines whose expressions name each other, tables with formula columns whose totals they ask
// for, and a user who types values into fields and cells and deletes rows. The engine must come
// back from every change (cycles included) within bounded time and memory, and whatever it
// leaves in the fields must print.
//
// The input is text, one record per line, the first letter naming the record:
//   L NAME=EXPRESSION  a text line (a number; typed when the expression is empty)
//   M NAME=EXPRESSION  the same as a currency amount
//   T NAME             a table of four rows; the columns that follow are its own
//   C TITLE=FORMULA    a number column of the last table (typed when the formula is empty)
//   K TITLE=FORMULA    the same as a currency column
//   V NAME=TEXT        once the engine is built: the user leaves the field NAME with TEXT
//   E COLUMN,ROW=TEXT  the user stores TEXT in a cell of the last table
//   D ROW              the user deletes a row of the last table
//   X EXPRESSION       the expression evaluated on its own
#include "capture_model/CFmtGrid.h"
#include "capture_model/CTextlineVar.h"
#include "capture_model/CalculatedFields.h"
#include "capture_model/CaptureControlTypes.h"
#include "model/FormatSettings.h"
#include "platform/RecordingSurface.h"

#include <QGuiApplication>
#include <QLocale>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <vector>

namespace {

// Enough for cycles and chains through many fields and the columns of a wide table, few enough
// to keep each run short.
constexpr int kMostRecords = 64;
constexpr int kMostTables = 4;
constexpr int kMostColumns = 48;
constexpr int kRows = 4;

struct Record {
    QChar kind;
    QString name; // before the first "=", or all of it
    QString rest; // after the first "="
    QString body; // all after the letter and its blank
};

Record ReadRecord(const QString& line) {
    Record record;
    record.kind = line.isEmpty() ? QChar() : line[0];
    const QString body = line.mid(2);
    record.body = body;
    const qsizetype equals = body.indexOf(QLatin1Char('='));
    record.name = equals < 0 ? body : body.left(equals);
    record.rest = equals < 0 ? QString() : body.mid(equals + 1);
    return record;
}

struct Form {
    ControlList controls;
    std::vector<CFmtGrid*> tables;

    void AddLine(const Record& record, bool currency) {
        auto line = CTextlineVar::Create(0, 0);
        line->text = record.name;
        line->expression = record.rest;
        if (record.rest.isEmpty())
            line->dataType = currency ? DataTypeCode::Moneda : DataTypeCode::Numero;
        else
            line->dataType =
                currency ? DataTypeCode::MonedaCalculado : DataTypeCode::NumeroCalculado;
        Add(std::move(line));
    }

    void AddTable(const Record& record) {
        auto table = CFmtGrid::Create(0, 0);
        table->text = record.name;
        table->SetColumnCount(0);
        table->SetRowCount(kRows);
        tables.push_back(table.get());
        Add(std::move(table));
    }

    void AddColumn(const Record& record, bool currency) {
        CFmtGrid& table = *tables.back();
        if (table.ColumnCount() >= kMostColumns)
            return;
        const int index = table.ColumnCount();
        table.SetColumnCount(index + 1);
        TableColumn column = table.Columns()[static_cast<std::size_t>(index)];
        column.title = record.name;
        column.expression = record.rest;
        const bool calculated = !record.rest.isEmpty();
        column.dataType = currency
                              ? (calculated ? DataTypeCode::MonedaCalculado : DataTypeCode::Moneda)
                              : (calculated ? DataTypeCode::NumeroCalculado : DataTypeCode::Numero);
        table.SetColumn(index, column);
    }

    void Add(std::unique_ptr<CControles> control) {
        control->captureOrder = static_cast<int>(controls.size()) + 1;
        controls.push_back(std::move(control));
    }

    CTextlineVar* LineWithId(int id) const {
        for (const auto& control : controls) {
            auto* line = dynamic_cast<CTextlineVar*>(control.get());
            if (line && CalculatedFields::Identifier(*line) == id)
                return line;
        }
        return nullptr;
    }
};

int CellNumber(const QString& text) {
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    // One past each end too: cells outside the table must be refused, not reached.
    return ok && n >= 0 && n <= kMostColumns + 1 ? n : 0;
}

void Act(const Record& record, Form& form, CalculatedFields& engine) {
    const ushort kind = record.kind.unicode();
    if (kind == u'V') {
        if (CTextlineVar* field = form.LineWithId(engine.FindFieldByName(record.name))) {
            field->SetValue(record.rest);
            engine.Recalculate(CalculatedFields::Identifier(*field));
        }
    } else if (kind == u'X') {
        const QString& expression = record.body;
        (void)engine.EvaluateExpression(expression);
        (void)engine.OperandValue(expression);
        if (!engine.FieldList().empty())
            (void)engine.ReferencesName(engine.FieldList().front(), expression);
    } else if (!form.tables.empty() && (kind == u'E' || kind == u'D')) {
        CFmtGrid& table = *form.tables.back();
        if (kind == u'E') {
            const QStringList place = record.name.split(QLatin1Char(','));
            if (place.size() != 2)
                return;
            table.Cells().SetCell(CellNumber(place[0]), CellNumber(place[1]), record.rest, false);
        } else {
            table.Cells().DeleteRow(CellNumber(record.name));
        }
        // What the capture document does after every change the grid makes.
        engine.RecalculateTableTotals(table);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The controls measure their fonts: they need a GUI application, kept for the whole run.
    new QGuiApplication(*argc, *argv);
    CaptureControlTypes::RegisterAll();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QStringList lines =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size))
            .split(QLatin1Char('\n'));
    std::vector<Record> records;
    for (const QString& line : lines) {
        if (static_cast<int>(records.size()) == kMostRecords)
            break;
        if (line.size() >= 2 && line[1] == QLatin1Char(' '))
            records.push_back(ReadRecord(line));
    }

    Form form;
    for (const Record& record : records) {
        switch (record.kind.unicode()) {
        case u'L':
        case u'M':
            form.AddLine(record, record.kind == QLatin1Char('M'));
            break;
        case u'T':
            if (static_cast<int>(form.tables.size()) < kMostTables)
                form.AddTable(record);
            break;
        case u'C':
        case u'K':
            if (!form.tables.empty())
                form.AddColumn(record, record.kind == QLatin1Char('K'));
            break;
        default:
            break;
        }
    }

    // The user's locale, as the capture window has it.
    FormatSettings settings;
    CalculatedFields engine(form.controls, settings, QLocale(QStringLiteral("es_MX")));
    for (const Record& record : records)
        Act(record, form, engine);

    RecordingSurface printer(MapMode::LoMetric);
    for (const auto& control : form.controls)
        control->Print(printer);
    return 0;
}
