#include "CalculationForm.h"
#include "capture_model/CFmtGrid.h"
#include "capture_model/CTableData.h"
#include "capture_model/CalculatedFields.h"

#include <gtest/gtest.h>

namespace {

// An invoice's lines: quantity, price and their product.
CFmtGrid& AddPartidas(CalculationForm& form) {
    auto table = CFmtGrid::Create(0, 0);
    table->text = QStringLiteral("Partidas");
    table->captureOrder = static_cast<int>(form.controls.size()) + 1;
    table->SetColumnCount(3);
    table->SetRowCount(3);
    const QStringList titles = {QStringLiteral("CANTIDAD"), QStringLiteral("PRECIO"),
                                QStringLiteral("IMPORTE")};
    for (int i = 0; i < 3; ++i) {
        TableColumn column = table->Columns()[static_cast<std::size_t>(i)];
        column.title = titles[i];
        column.dataType = i == 2 ? DataTypeCode::NumeroCalculado : DataTypeCode::Numero;
        column.expression = i == 2 ? QStringLiteral("C1*C2") : QString();
        table->SetColumn(i, column);
    }
    CFmtGrid& made = *table;
    form.controls.push_back(std::move(table));
    return made;
}

// What the capture document does when the user edits a cell.
void Edit(CalculatedFields& engine, CFmtGrid& table, int column, int row, const QString& text) {
    table.Cells().SetCell(column, row, text, false);
    engine.RecalculateTableTotals(table);
}

TEST(TableTotalsTest, TotalsFollowCellChangesAndRowDeletions) {
    CalculationForm form;
    CFmtGrid& table = AddPartidas(form);
    CTextlineVar& total = form.Line(QStringLiteral("TOTAL"), QStringLiteral("PARTIDAS&importe"));
    CTextlineVar& iva = form.Line(QStringLiteral("IVA"), QStringLiteral("Total*0.16"));
    CTextlineVar& missing = form.Line(QStringLiteral("NADA"), QStringLiteral("PARTIDAS&FALTA"));
    CTextlineVar& joined = form.Line(QStringLiteral("JUNTO"), QStringLiteral("PARTIDAS&IMPORTE*2"));
    auto engine = form.Engine();

    Edit(*engine, table, 1, 1, QStringLiteral("2"));
    Edit(*engine, table, 2, 1, QStringLiteral("10"));
    EXPECT_EQ(total.Value(), "20.00");
    EXPECT_EQ(iva.Value(), "3.20");
    Edit(*engine, table, 1, 2, QStringLiteral("1"));
    Edit(*engine, table, 2, 2, QStringLiteral("5.5"));
    EXPECT_EQ(total.Value(), "25.50");
    EXPECT_EQ(total.CopyNumber(), 25.5);
    EXPECT_EQ(iva.Value(), "4.08");

    table.Cells().DeleteRow(1);
    engine->RecalculateTableTotals(table);
    EXPECT_EQ(total.Value(), "5.50");
    EXPECT_EQ(iva.Value(), "0.88");
    // No column of that title, nor one titled with the arithmetic after it.
    EXPECT_EQ(missing.Value(), "0.00");
    EXPECT_EQ(joined.Value(), "0.00");
}

TEST(TableTotalsTest, ManyTotalsOfALongTableEachSeeEveryEdit) {
    // A thousand fields totalling the columns of a table of 200,000 rows: were each field to sum
    // its column on every edit, the edits below would take minutes.
    CalculationForm form;
    CFmtGrid& table = AddPartidas(form);
    table.SetRowCount(200000);
    std::vector<CTextlineVar*> totals;
    for (int i = 0; i < 1000; ++i)
        totals.push_back(
            &form.Line(QStringLiteral("T%1").arg(i), i % 2 ? QStringLiteral("PARTIDAS&precio")
                                                           : QStringLiteral("PARTIDAS&CANTIDAD")));
    auto engine = form.Engine();
    for (int row = 1; row <= 20; ++row) {
        Edit(*engine, table, 1, row * 9000, QStringLiteral("2"));
        Edit(*engine, table, 2, row * 9000, QStringLiteral("0.25"));
    }
    EXPECT_EQ(totals.front()->Value(), "40.00");
    EXPECT_EQ(totals.back()->Value(), "5.00");
    EXPECT_EQ(totals[998]->CopyNumber(), 40);
}

TEST(TableTotalsTest, ATableNamedInArithmeticCountsZeroAndChangesNoLookup) {
    CalculationForm form;
    AddPartidas(form);
    CTextlineVar& x = form.Line(QStringLiteral("X"));
    CTextlineVar& mixed = form.Line(QStringLiteral("MEZCLA"), QStringLiteral("X+PARTIDAS+X"));
    CTextlineVar& after = form.Line(QStringLiteral("DESPUES"), QStringLiteral("X*2+CANTIDAD"));
    auto engine = form.Engine();
    EXPECT_EQ(engine->FindFieldByName(QStringLiteral("partidas")), 1174);
    EXPECT_EQ(engine->OperandValue(QStringLiteral("PARTIDAS")), 0);

    Leave(*engine, x, QStringLiteral("5"));
    EXPECT_EQ(mixed.Value(), "10.00");
    EXPECT_EQ(engine->FindFieldByName(QStringLiteral("X")), 1175);
    EXPECT_EQ(engine->FindFieldByName(QStringLiteral("CANTIDAD")), 0);
    EXPECT_EQ(after.Value(), "10.00");
    EXPECT_EQ(engine->EvaluateExpression(QStringLiteral("PARTIDAS*3+X")), 5);
}

} // namespace
