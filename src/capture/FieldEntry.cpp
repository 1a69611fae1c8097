#include "capture/FieldEntry.h"

#include "capture/CFmtcaptureView.h"
#include "capture_controls/CCaptureEdit.h"
#include "capture_model/CCuadrosVar.h"
#include "capture_model/CDateInput.h"
#include "capture_model/CFmtGrid.h"
#include "capture_model/CMarcaVar.h"
#include "capture_model/CParrafoVar.h"
#include "capture_model/CTextlineVar.h"
#include "capture_model/Currency.h"
#include "capture_model/FieldEntryError.h"
#include "capture_model/ValueText.h"
#include "grid/CEditCell.h"
#include "grid/CVrGrid.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QRegularExpression>

namespace {

CControles* FindCaptureField(const ControlList& controls, const QString& name) {
    for (const auto& control : controls) {
        if (control->IsCaptureControl() && control->text.compare(name, Qt::CaseInsensitive) == 0)
            return control.get();
    }
    return nullptr;
}

// What the window system tells a field when the user tabs into it or out of it: the field does
// its own handling, and a text line that is left has the fields that name it recomputed.
void Tab(QWidget* field, QEvent::Type focus) {
    QFocusEvent event(focus, Qt::TabFocusReason);
    QCoreApplication::sendEvent(field, &event);
}

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

// Typing over what the box holds: the box's own rules (a length limit, capitals only) apply to
// every character, as they do to the keyboard.
void TypeOver(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    edit->insert(text);
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

void FieldEntry::TypeInto(CFmtcaptureView& view) const {
    if (CControles* field = FindCaptureField(view.Controls(), m_name)) {
        if (dynamic_cast<CFmtGrid*>(field))
            throw FieldEntryError(
                QStringLiteral("«%1» es una tabla: dé la celda, como %1[1,1]=VALOR").arg(m_name));
        TypeIntoField(*field);
        return;
    }
    static const QRegularExpression cellPattern(
        QStringLiteral("^(.+)\\[\\s*(\\d{1,9})\\s*,\\s*(\\d{1,9})\\s*\\]$"));
    const QRegularExpressionMatch cell = cellPattern.match(m_name);
    CControles* table =
        cell.hasMatch() ? FindCaptureField(view.Controls(), cell.captured(1)) : nullptr;
    if (!table)
        throw FieldEntryError(
            QStringLiteral("%1 no tiene un campo de captura llamado «%2»")
                .arg(view.FormatName(), cell.hasMatch() ? cell.captured(1) : m_name));
    auto* grid = dynamic_cast<CFmtGrid*>(table);
    if (!grid)
        throw FieldEntryError(
            QStringLiteral("«%1» no es una tabla: no tiene celdas").arg(table->text));
    TypeIntoCell(*grid, cell.captured(2).toInt(), cell.captured(3).toInt());
}

void FieldEntry::TypeIntoField(CControles& field) const {
    if (auto* line = dynamic_cast<CTextlineVar*>(&field); line && line->Edit()) {
        // A calculated field takes a value too, which stands until what it names changes: it
        // must be a number all the same.
        if (line->TakesNumbers() && !ValueText::Reads(m_value, line->dataType))
            throw FieldEntryError(NotANumber(m_name, line->dataType, m_value));
        Tab(line->Edit(), QEvent::FocusIn);
        TypeOver(line->Edit(), m_value);
        Tab(line->Edit(), QEvent::FocusOut);
        return;
    }
    if (auto* boxes = dynamic_cast<CCuadrosVar*>(&field); boxes && boxes->Edit()) {
        Tab(boxes->Edit(), QEvent::FocusIn);
        TypeOver(boxes->Edit(), m_value);
        Tab(boxes->Edit(), QEvent::FocusOut);
        return;
    }
    if (auto* paragraph = dynamic_cast<CParrafoVar*>(&field); paragraph && paragraph->Edit()) {
        QPlainTextEdit* edit = paragraph->Edit();
        Tab(edit, QEvent::FocusIn);
        edit->selectAll();
        edit->insertPlainText(m_value);
        Tab(edit, QEvent::FocusOut);
        return;
    }
    if (auto* mark = dynamic_cast<CMarcaVar*>(&field); mark && mark->CheckBox()) {
        if (m_value != QLatin1String("1") && m_value != QLatin1String("0"))
            throw FieldEntryError(
                QStringLiteral("«%1» es una marca: toma 1 (marcada) o 0 (vacía), no «%2»")
                    .arg(m_name, m_value));
        // A click toggles the box; one that already shows the value is left alone.
        if (mark->CheckBox()->isChecked() != (m_value == QLatin1String("1")))
            mark->CheckBox()->click();
        return;
    }
    if (auto* date = dynamic_cast<CDateInput*>(&field); date && date->Picker()) {
        static const QRegularExpression datePattern(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
        if (!datePattern.match(m_value).hasMatch())
            throw FieldEntryError(QStringLiteral("«%1» es una fecha: escríbala AAAA-MM-DD, no «%2»")
                                      .arg(m_name, m_value));
        const QDate typed = QDate::fromString(m_value, QStringLiteral("yyyy-MM-dd"));
        if (!typed.isValid())
            throw FieldEntryError(
                QStringLiteral("«%1»: %2 no es una fecha del calendario").arg(m_name, m_value));
        QDateEdit* picker = date->Picker();
        picker->setDate(typed);
        if (picker->date() != typed)
            throw FieldEntryError(QStringLiteral("«%1» no acepta la fecha %2: va del %3 al %4")
                                      .arg(m_name, m_value,
                                           picker->minimumDate().toString(Qt::ISODate),
                                           picker->maximumDate().toString(Qt::ISODate)));
        return;
    }
    throw FieldEntryError(
        QStringLiteral("«%1» no tiene dónde escribirse en la pantalla de captura").arg(m_name));
}

void FieldEntry::TypeIntoCell(CFmtGrid& table, int row, int column) const {
    if (row < 1 || row > table.RowCount() || column < 1 || column > table.ColumnCount())
        throw FieldEntryError(QStringLiteral("«%1»: la tabla %2 tiene %3 renglones y %4 columnas, "
                                             "contados desde 1")
                                  .arg(m_name, table.text)
                                  .arg(table.RowCount())
                                  .arg(table.ColumnCount()));
    CVrGrid* grid = table.Grid();
    if (!grid)
        throw FieldEntryError(
            QStringLiteral("«%1» no tiene dónde escribirse en la pantalla de captura").arg(m_name));
    // As the user does: the cell is made current, its editor opens on its text, the value is
    // typed over it and Enter confirms it, which stores the cell and recomputes the row and the
    // totals that name the table.
    grid->SetCurrentCell(column, row);
    grid->BeginEdit(0);
    if (!grid->IsEditing() || !grid->EditBox()->isVisibleTo(grid))
        throw FieldEntryError(QStringLiteral("«%1»: la columna %2 de %3 es de solo lectura")
                                  .arg(m_name,
                                       table.Columns()[static_cast<std::size_t>(column - 1)].title,
                                       table.text));
    const DataTypeCode type = table.Columns()[static_cast<std::size_t>(column - 1)].dataType;
    if (!ValueText::Reads(m_value, type)) {
        grid->EndEdit(Qt::Key_Escape);
        throw FieldEntryError(NotANumber(m_name, type, m_value));
    }
    CEditCell* edit = grid->EditBox();
    TypeOver(edit, m_value);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(edit, &enter);
    // The editor reports the end of the edit once the key has been handled.
    QCoreApplication::sendPostedEvents(edit, QEvent::MetaCall);
    if (grid->IsEditing())
        throw FieldEntryError(QStringLiteral("«%1»: la celda no tomó el valor").arg(m_name));
}
