#include "SampleValues.h"

#include "capture_model/CCuadrosVar.h"
#include "capture_model/CDateInput.h"
#include "capture_model/CFmtGrid.h"
#include "capture_model/CMarcaVar.h"
#include "capture_model/CParrafoVar.h"
#include "capture_model/CTableData.h"
#include "capture_model/CTextlineVar.h"
#include "capture_model/CalculatedFields.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

#include <stdexcept>

namespace {

template <typename T>
T& Field(const ControlList& controls, const QString& name) {
    T* field = dynamic_cast<T*>(SampleValues::Find(controls, name));
    if (!field)
        throw std::logic_error("the example has no such field");
    return *field;
}

// The user types text into a field and leaves it.
void Leave(CalculatedFields& engine, CTextlineVar& field, const QString& text) {
    field.SetValue(text);
    engine.Recalculate(CalculatedFields::Identifier(field));
}

QDateTime SampleDate() {
    return QDateTime(QDate(2026, 12, 7), QTime(0, 0));
}

} // namespace

CControles* SampleValues::Find(const ControlList& controls, const QString& name) {
    for (const auto& control : controls)
        if (control->IsCaptureControl() && control->text == name)
            return control.get();
    return nullptr;
}

void SampleValues::FillFactura(ControlList& controls, const FormatSettings& settings,
                               const QLocale& locale) {
    Field<CFmtGrid>(controls, QStringLiteral("PARTIDAS")).UseSettings(settings);
    CalculatedFields engine(controls, settings, locale);
    FillFactura(controls, engine);
}

void SampleValues::FillFactura(ControlList& controls, CalculatedFields& engine) {
    CFmtGrid& lines = Field<CFmtGrid>(controls, QStringLiteral("PARTIDAS"));

    Leave(engine, Field<CTextlineVar>(controls, QStringLiteral("FOLIO")), QStringLiteral("A-1024"));
    Field<CDateInput>(controls, QStringLiteral("FECHA")).SetDate(SampleDate());
    Leave(engine, Field<CTextlineVar>(controls, QStringLiteral("CLIENTE")),
          QStringLiteral("María Guadalupe López Hernández"));
    Field<CParrafoVar>(controls, QStringLiteral("DOMICILIO"))
        .SetValue(QStringLiteral("Blvd. Adolfo López Mateos 1520 Ote., Col. Jardines del Moral\n"
                                 "C.P. 37160, León, Guanajuato"));
    Field<CCuadrosVar>(controls, QStringLiteral("RFC")).SetValue(QStringLiteral("LOHG850312QX5"));

    const QString rows[][3] = {
        {QStringLiteral("2"), QStringLiteral("Papel bond carta, paquete de 500 hojas"),
         QStringLiteral("150.00")},
        {QStringLiteral("1"), QStringLiteral("Engrapadora de escritorio metálica"),
         QStringLiteral("99.50")},
    };
    int row = 1;
    for (const auto& cells : rows) {
        for (int column = 0; column < 3; ++column) {
            // The grid's columns are quantity, description and price, then the amount.
            lines.Cells().SetCell(column + 1, row, cells[column], false);
            engine.RecalculateTableTotals(lines);
        }
        ++row;
    }
    Field<CMarcaVar>(controls, QStringLiteral("TRANSFERENCIA")).SetChecked(true);
}

void SampleValues::FillCheque(ControlList& controls, const FormatSettings& settings,
                              const QLocale& locale) {
    CalculatedFields engine(controls, settings, locale);
    Field<CDateInput>(controls, QStringLiteral("FECHA")).SetDate(SampleDate());
    Leave(engine, Field<CTextlineVar>(controls, QStringLiteral("PAGUESE A")),
          QStringLiteral("Papelería y Suministros del Bajío, S.A. de C.V."));
    Leave(engine, Field<CTextlineVar>(controls, QStringLiteral("IMPORTE")),
          QStringLiteral("1250.50"));
}
