#include "capture_model/FieldEntry.h"

#include "capture_model/CCuadrosVar.h"
#include "capture_model/CDateInput.h"
#include "capture_model/CFmtGrid.h"
#include "capture_model/CMarcaVar.h"
#include "capture_model/CParrafoVar.h"
#include "capture_model/CTextlineVar.h"
#include "capture_model/CaptureDocument.h"
#include "capture_model/Currency.h"
#include "capture_model/FieldEntryError.h"
#include "capture_model/ValueText.h"

#include <QLocale>
#include <QRegularExpression>

namespace {

// What a number or amount field takes, with examples in the locale's forms, and what it was
// given instead.
QString NotANumber(const QString& name, DataTypeCode type, const QString& value) {
    const QLocale locale;
    if (type == DataTypeCode::Numero || type == DataTypeCode::NumeroCalculado)
        return QStringLiteral("«%1» es un número: toma un número como %2, no «%3»")
            .arg(name, ValueText::FormatNumber(1234.5, 1, locale), value);
    return QStringLiteral("«%1» es un importe: toma una cantidad como %2 o %3, no «%4»")
        .arg(name, ValueText::FormatNumber(1234.5, 2, locale),
             ValueText::FormatCurrency(
                 Currency::FromUnits(1234 * Currency::kScale + Currency::kScale / 2), false, false,
                 locale),
             value);
}

} // namespace

FieldEntry FieldEntry::Parse(const QString& text) {
    const qsizetype equals = text.indexOf(QLatin1Char('='));
    if (equals < 0)
        throw FieldEntryError(
            QStringLiteral("--set espera NOMBRE=VALOR o TABLA[RENGLON,COLUMNA]=VALOR, no «%1»")
                .arg(text));
    return FieldEntry(text.left(equals), text.mid(equals + 1));
}

void FieldEntry::TypeInto(CaptureDocument& document) const {
    const Target target = Find(document);
    if (target.table)
        TypeIntoCell(document, *target.table, target.row, target.column);
    else
        TypeIntoField(document, *target.field);
}

void FieldEntry::CheckName(CaptureDocument& document) const {
    Find(document);
}

FieldEntry::Target FieldEntry::Find(CaptureDocument& document) const {
    if (CCaptureControl* field = document.FindField(m_name)) {
        if (dynamic_cast<CFmtGrid*>(field))
            throw FieldEntryError(
                QStringLiteral("«%1» es una tabla: dé la celda, como %1[1,1]=VALOR").arg(m_name));
        return Target{field, nullptr, 0, 0};
    }
    static const QRegularExpression cellPattern(
        QStringLiteral("^(.+)\\[\\s*([+-]?\\d+)\\s*,\\s*([+-]?\\d+)\\s*\\]$"));
    const QRegularExpressionMatch cell = cellPattern.match(m_name);
    CCaptureControl* found = cell.hasMatch() ? document.FindField(cell.captured(1)) : nullptr;
    if (!found)
        throw FieldEntryError(
            QStringLiteral("%1 no tiene un campo de captura llamado «%2»")
                .arg(document.FormatName(), cell.hasMatch() ? cell.captured(1) : m_name));
    auto* table = dynamic_cast<CFmtGrid*>(found);
    if (!table)
        throw FieldEntryError(
            QStringLiteral("«%1» no es una tabla: no tiene celdas").arg(found->text));
    // A row or column beyond any table (negative, or too many digits for a number) is still a
    // cell of this table the user meant: the message names the table's real size.
    const auto index = [](const QString& digits) {
        bool ok = false;
        const int at = digits.toInt(&ok);
        return ok ? at : -1;
    };
    const int row = index(cell.captured(2));
    const int column = index(cell.captured(3));
    if (row < 1 || row > table->RowCount() || column < 1 || column > table->ColumnCount())
        throw FieldEntryError(QStringLiteral("«%1»: la tabla %2 tiene %3 renglones y %4 columnas, "
                                             "contados desde 1")
                                  .arg(m_name, table->text)
                                  .arg(table->RowCount())
                                  .arg(table->ColumnCount()));
    return Target{nullptr, table, row, column};
}

void FieldEntry::TypeIntoField(CaptureDocument& document, CCaptureControl& field) const {
    if (auto* line = dynamic_cast<CTextlineVar*>(&field)) {
        // A calculated field takes a value too, which stands until what it names changes: it
        // must be a number all the same.
        if (line->TakesNumbers() && !ValueText::Reads(m_value, line->dataType))
            throw FieldEntryError(NotANumber(m_name, line->dataType, m_value));
        document.TypeText(*line, m_value);
        document.LeaveField(*line);
        return;
    }
    if (dynamic_cast<CCuadrosVar*>(&field) || dynamic_cast<CParrafoVar*>(&field)) {
        document.TypeText(field, m_value);
        document.LeaveField(field);
        return;
    }
    if (auto* mark = dynamic_cast<CMarcaVar*>(&field)) {
        if (m_value != QLatin1String("1") && m_value != QLatin1String("0"))
            throw FieldEntryError(
                QStringLiteral("«%1» es una marca: toma 1 (marcada) o 0 (vacía), no «%2»")
                    .arg(m_name, m_value));
        document.SetChecked(*mark, m_value == QLatin1String("1"));
        return;
    }
    if (auto* date = dynamic_cast<CDateInput*>(&field)) {
        static const QRegularExpression datePattern(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
        if (!datePattern.match(m_value).hasMatch())
            throw FieldEntryError(QStringLiteral("«%1» es una fecha: escríbala AAAA-MM-DD, no «%2»")
                                      .arg(m_name, m_value));
        const QDate typed = QDate::fromString(m_value, QStringLiteral("yyyy-MM-dd"));
        if (!typed.isValid())
            throw FieldEntryError(
                QStringLiteral("«%1»: %2 no es una fecha del calendario").arg(m_name, m_value));
        if (!document.PickDate(*date, typed))
            throw FieldEntryError(QStringLiteral("«%1» no acepta la fecha %2: va del %3 al %4")
                                      .arg(m_name, m_value,
                                           CDateInput::FirstDate().toString(Qt::ISODate),
                                           CDateInput::LastDate().toString(Qt::ISODate)));
        return;
    }
    throw FieldEntryError(
        QStringLiteral("«%1» no tiene dónde escribirse en la pantalla de captura").arg(m_name));
}

void FieldEntry::TypeIntoCell(CaptureDocument& document, CFmtGrid& table, int row,
                              int column) const {
    if (table.IsColumnReadOnly(column))
        throw FieldEntryError(QStringLiteral("«%1»: la columna %2 de %3 es de solo lectura")
                                  .arg(m_name,
                                       table.Columns()[static_cast<std::size_t>(column - 1)].title,
                                       table.text));
    const DataTypeCode type = table.Columns()[static_cast<std::size_t>(column - 1)].dataType;
    if (!ValueText::Reads(m_value, type))
        throw FieldEntryError(NotANumber(m_name, type, m_value));
    // As the user does: the value typed into the cell's editor and confirmed with Enter, which
    // stores the cell and recomputes the row and the totals that name the table.
    document.ConfirmCell(table, column, row, m_value);
}
