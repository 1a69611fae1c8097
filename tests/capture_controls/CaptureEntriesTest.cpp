// The entry widgets of a capture document: what the user does in them reaches the document, and
// what the document does shows in them.
#include "capture_controls/CaptureEntries.h"
#include "capture_controls/CCaptureEdit.h"
#include "capture_model/CCuadrosVar.h"
#include "capture_model/CDateInput.h"
#include "capture_model/CMarcaVar.h"
#include "capture_model/CParrafoVar.h"
#include "capture_model/CTableData.h"
#include "capture_model/CaptureDocument.h"
#include "capture_model/CaptureScreenForm.h"
#include "grid/CEditCell.h"
#include "grid/CVrGrid.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// A quantity, a price, their product, a code in 5 boxes, a mark and an invoice's lines.
struct Screen {
    Screen() {
        QLocale::setDefault(QLocale::c());
        CaptureScreenForm form;
        form.Line(QStringLiteral("CANTIDAD"), 1, 10, 10);
        form.Line(QStringLiteral("PRECIO"), 2, 10, 40);
        form.Line(QStringLiteral("IMPORTE"), 3, 10, 70, QStringLiteral("CANTIDAD*PRECIO"));
        auto code = CCuadrosVar::Create(100, -900);
        code->text = QStringLiteral("CLAVE");
        code->captureOrder = 4;
        code->SetBoxCount(5);
        form.format.controls.push_back(std::move(code));
        auto mark = CMarcaVar::Create(100, -1100);
        mark->text = QStringLiteral("PAGADO");
        mark->captureOrder = 5;
        form.format.controls.push_back(std::move(mark));
        form.Partidas(6, 10, 100);
        CTextlineVar& client = form.Line(QStringLiteral("CLIENTE"), 7, 200, 10);
        client.dataType = DataTypeCode::Texto;
        client.alignment = 2;
        client.ToggleUpperCase();
        auto address = CParrafoVar::Create(100, -1300);
        address->text = QStringLiteral("DOMICILIO");
        address->captureOrder = 8;
        form.format.controls.push_back(std::move(address));
        auto date = CDateInput::Create(100, -1500);
        date->text = QStringLiteral("FECHA");
        date->captureOrder = 9;
        form.format.controls.push_back(std::move(date));
        document.OpenFormat(form.Save(dir));
        widget.resize(400, 300);
        entries.Build();
        widget.show();
        widget.activateWindow();
        active = QTest::qWaitForWindowActive(&widget);
    }
    template <typename W>
    W* Entry(const QString& name) {
        return qobject_cast<W*>(entries.Widget(*document.FindField(name)));
    }
    QString Text(const QString& name) {
        return dynamic_cast<CTextlineVar*>(document.FindField(name))->Value();
    }

    QTemporaryDir dir;
    CaptureDocument document;
    QWidget widget;
    QFont font{QStringLiteral("Liberation Sans"), 11};
    CaptureEntries entries{document, widget, font};
    bool active = false;
};

TEST(CaptureEntriesTest, EveryCaptureFieldGetsItsWidgetInListOrder) {
    Screen screen;
    ASSERT_EQ(screen.entries.Entries().size(), 9u);
    EXPECT_EQ(screen.entries.Entries()[0].field->text, "CANTIDAD");
    EXPECT_NE(screen.Entry<QLineEdit>(QStringLiteral("CLAVE")), nullptr);
    EXPECT_NE(screen.Entry<QCheckBox>(QStringLiteral("PAGADO")), nullptr);
    EXPECT_NE(screen.Entry<CVrGrid>(QStringLiteral("PARTIDAS")), nullptr);
    EXPECT_EQ(screen.Entry<QLineEdit>(QStringLiteral("PRECIO"))->geometry(),
              QRect(10, 40, 150, 20));
    // A text line's box: its identifier, the line's alignment, the screen's font, capitals.
    auto* client = qobject_cast<CCaptureEdit*>(screen.Entry<QLineEdit>(QStringLiteral("CLIENTE")));
    ASSERT_NE(client, nullptr);
    EXPECT_EQ(client->Identifier(), 1180);
    EXPECT_EQ(client->property("captureId").toInt(), 1180);
    EXPECT_TRUE(client->alignment() & Qt::AlignRight);
    EXPECT_EQ(client->font().pointSize(), 11);
    QTest::keyClicks(client, QStringLiteral("calle 5"));
    EXPECT_EQ(client->text(), "CALLE 5");
    EXPECT_EQ(screen.Text(QStringLiteral("CLIENTE")), "CALLE 5");
    // Building again replaces the widgets rather than adding to them.
    screen.entries.Build();
    EXPECT_EQ(screen.entries.Entries().size(), 9u);
    EXPECT_EQ(screen.widget.findChildren<QCheckBox*>().size(), 1);
}

TEST(CaptureEntriesTest, TypingReachesTheDocumentAndItsResultsShowInTheWidgets) {
    Screen screen;
    ASSERT_TRUE(screen.active);
    QLineEdit* quantity = screen.Entry<QLineEdit>(QStringLiteral("CANTIDAD"));
    QLineEdit* price = screen.Entry<QLineEdit>(QStringLiteral("PRECIO"));
    QLineEdit* amount = screen.Entry<QLineEdit>(QStringLiteral("IMPORTE"));
    quantity->setFocus();
    QTest::keyClicks(quantity, QStringLiteral("3"));
    EXPECT_EQ(screen.Text(QStringLiteral("CANTIDAD")), "3");
    price->setFocus();
    QTest::keyClicks(price, QStringLiteral("2.5"));
    quantity->setFocus();
    EXPECT_EQ(screen.Text(QStringLiteral("IMPORTE")), "7.50");
    EXPECT_EQ(amount->text(), "7.50");
    EXPECT_EQ(price->text(), "2.50") << "leaving the field reformats it on the screen too";

    // The boxes stop the keyboard at the last box.
    QLineEdit* code = screen.Entry<QLineEdit>(QStringLiteral("CLAVE"));
    code->setFocus();
    QTest::keyClicks(code, QStringLiteral("abcdefg"));
    EXPECT_EQ(code->text(), "abcde");
    EXPECT_EQ(
        dynamic_cast<CCuadrosVar*>(screen.document.FindField(QStringLiteral("CLAVE")))->Value(),
        "abcde");

    QTest::mouseClick(screen.Entry<QCheckBox>(QStringLiteral("PAGADO")), Qt::LeftButton);
    EXPECT_TRUE(
        dynamic_cast<CMarcaVar*>(screen.document.FindField(QStringLiteral("PAGADO")))->IsChecked());

    // A paragraph's box and a date's picker go both ways too.
    auto* address = screen.Entry<QPlainTextEdit>(QStringLiteral("DOMICILIO"));
    auto& addressField =
        dynamic_cast<CParrafoVar&>(*screen.document.FindField(QStringLiteral("DOMICILIO")));
    address->setFocus();
    QTest::keyClicks(address, QStringLiteral("Centro"));
    EXPECT_EQ(addressField.Value(), "Centro");
    screen.document.TypeText(addressField, QStringLiteral("Calle 1\r\nColonia"));
    EXPECT_EQ(address->toPlainText(), "Calle 1\nColonia");
    auto* picker = screen.Entry<QDateEdit>(QStringLiteral("FECHA"));
    auto& date = dynamic_cast<CDateInput&>(*screen.document.FindField(QStringLiteral("FECHA")));
    EXPECT_EQ(picker->date(), QDate::currentDate());
    picker->setDate(QDate(2001, 1, 1));
    EXPECT_EQ(date.Date()->date(), QDate(2001, 1, 1));
    screen.document.PickDate(date, QDate(2003, 9, 5));
    EXPECT_EQ(picker->date(), QDate(2003, 9, 5));

    // What the document does without the keyboard shows as well, and clearing empties the screen.
    screen.document.TypeText(*screen.document.FindField(QStringLiteral("CANTIDAD")),
                             QStringLiteral("8"));
    EXPECT_EQ(quantity->text(), "8");
    screen.document.ClearValues();
    EXPECT_TRUE(quantity->text().isEmpty());
    EXPECT_TRUE(amount->text().isEmpty());
    EXPECT_TRUE(code->text().isEmpty());
    EXPECT_TRUE(address->toPlainText().isEmpty());
    EXPECT_EQ(picker->date(), QDate::currentDate()) << "a date field is never empty";
    EXPECT_FALSE(screen.Entry<QCheckBox>(QStringLiteral("PAGADO"))->isChecked());

    // Half a megabyte without a blank, as a file or the clipboard may bring, shows at once
    // (broken anywhere, it would otherwise take minutes) and stays as it came.
    const QString unbroken(512 * 1024, QLatin1Char('x'));
    screen.document.TypeText(addressField, unbroken);
    QApplication::processEvents();
    EXPECT_EQ(address->toPlainText().size(), unbroken.size());
    address->setFocus();
    QTest::keyClick(address, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(address, QStringLiteral(" fin"));
    EXPECT_EQ(addressField.Value(), unbroken + QStringLiteral(" fin"));
}

TEST(CaptureEntriesTest, BoxesGivenALongerTextLetTheKeyboardShortenItButNotLengthenIt) {
    Screen screen;
    ASSERT_TRUE(screen.active);
    auto& field = dynamic_cast<CCuadrosVar&>(*screen.document.FindField(QStringLiteral("CLAVE")));
    field.SetValue(QStringLiteral("ABCDEFG")); // as a captured-data file gives it, whole
    screen.entries.Build();
    QLineEdit* code = screen.Entry<QLineEdit>(QStringLiteral("CLAVE"));
    EXPECT_EQ(code->text(), "ABCDEFG");
    code->setFocus();
    QTest::keyClick(code, Qt::Key_End);
    QTest::keyClicks(code, QStringLiteral("H"));
    EXPECT_EQ(field.Value(), "ABCDEFG");
    QTest::keyClick(code, Qt::Key_Backspace);
    QTest::keyClick(code, Qt::Key_Backspace);
    QTest::keyClick(code, Qt::Key_Backspace);
    EXPECT_EQ(field.Value(), "ABCD");
    // Once the field is left the shorter text rules: five boxes.
    screen.Entry<QLineEdit>(QStringLiteral("CANTIDAD"))->setFocus();
    code->setFocus();
    QTest::keyClick(code, Qt::Key_End);
    QTest::keyClicks(code, QStringLiteral("XYZ"));
    EXPECT_EQ(field.Value(), "ABCDX");
    EXPECT_EQ(code->text(), "ABCDX");
}

// A table of four number columns, the third their product and the fourth that plus one, placed
// on the capture screen, in a format that keeps calculated columns read-only or not.
struct TableScreen {
    explicit TableScreen(bool calculatedReadOnly) {
        QLocale::setDefault(QLocale::c());
        CaptureScreenForm form;
        form.settings.calculatedReadOnly = calculatedReadOnly;
        auto table = CFmtGrid::Create(1000, -2000);
        table->text = QStringLiteral("TABLA");
        table->captureOrder = 1;
        const char* formulas[] = {"", "", "C1*C2", "C3+1"};
        for (int i = 0; i < 4; ++i) {
            TableColumn c = table->Columns()[static_cast<std::size_t>(i)];
            c.expression = QString::fromLatin1(formulas[i]);
            c.dataType =
                c.expression.isEmpty() ? DataTypeCode::Numero : DataTypeCode::NumeroCalculado;
            c.alignment = i == 0 ? 0 : 2;
            c.screenWidth = 70;
            table->SetColumn(i, c);
        }
        table->screenRect = ScreenRect(0, 0, 400, 200);
        table->screenPlaced = true;
        form.format.controls.push_back(std::move(table));
        document.OpenFormat(form.Save(dir));
        widget.resize(500, 300);
        entries.Build();
        grid = qobject_cast<CVrGrid*>(entries.Widget(*document.FindField(QStringLiteral("TABLA"))));
        cells = &dynamic_cast<CFmtGrid&>(*document.FindField(QStringLiteral("TABLA"))).Cells();
    }
    void Type(int column, int row, char character) {
        grid->SetCurrentCell(column, row);
        grid->BeginEdit(character);
        grid->EndEdit(Qt::Key_Return);
    }

    QTemporaryDir dir;
    CaptureDocument document;
    QWidget widget;
    CaptureEntries entries{document, widget, QFont()};
    CVrGrid* grid = nullptr;
    CTableData* cells = nullptr;
};

TEST(CaptureEntriesTest, ATablesGridShowsItsColumnsAndEditsRecomputeTheRow) {
    TableScreen screen(true);
    ASSERT_NE(screen.grid, nullptr);
    CVrGrid& grid = *screen.grid;
    EXPECT_EQ(grid.ColumnCount(), 5);
    EXPECT_EQ(grid.GetRowLimit(), 7);
    EXPECT_EQ(grid.Column(3).caption, "Columna 3");
    EXPECT_EQ(grid.Column(3).width, 70);
    EXPECT_EQ(grid.Column(2).alignment, TextAlign::Right);
    EXPECT_TRUE(grid.Column(3).readOnly);
    EXPECT_FALSE(grid.Column(2).readOnly);

    screen.Type(1, 2, '3');
    screen.Type(2, 2, '4');
    EXPECT_EQ(screen.cells->GetCell(3, 2), "12.00");
    EXPECT_EQ(screen.cells->GetCell(4, 2), "13.00");
    screen.Type(1, 2, '5');
    EXPECT_EQ(screen.cells->GetCell(3, 2), "20.00");
    grid.SetCurrentCell(3, 2);
    grid.BeginEdit('9');
    EXPECT_FALSE(grid.IsEditing()) << "a calculated column is read-only";

    grid.SelectRows(1, 1);
    QTest::keyClick(&grid, Qt::Key_Delete);
    EXPECT_EQ(screen.cells->GetCell(3, 1), "20.00"); // row 2 moved up
    EXPECT_EQ(screen.cells->GetCell(3, 2), "");
    EXPECT_EQ(grid.GetRowLimit(), 6);

    // With the setting off the column takes typing until its row is recomputed.
    TableScreen open(false);
    open.Type(3, 1, '9');
    EXPECT_EQ(open.cells->GetCell(3, 1), "9.00");
    EXPECT_EQ(open.cells->GetCell(4, 1), "10.00");
    open.Type(1, 1, '2');
    EXPECT_EQ(open.cells->GetCell(3, 1), "0.00");
}

TEST(CaptureEntriesTest, ACellConfirmedInTheGridIsTheDocumentsWithItsRow) {
    Screen screen;
    auto* grid = screen.Entry<CVrGrid>(QStringLiteral("PARTIDAS"));
    auto& table = dynamic_cast<CFmtGrid&>(*screen.document.FindField(QStringLiteral("PARTIDAS")));
    int told = 0;
    QObject::connect(&screen.entries, &CaptureEntries::tableEdited, [&told] { ++told; });
    grid->SetCurrentCell(1, 1);
    grid->BeginEdit(0);
    grid->EditBox()->setText(QStringLiteral("2"));
    grid->EndEdit(Qt::Key_Return);
    grid->SetCurrentCell(2, 1);
    grid->BeginEdit(0);
    grid->EditBox()->setText(QStringLiteral("4"));
    grid->EndEdit(Qt::Key_Return);
    EXPECT_EQ(table.Cells().GetCell(1, 1), "2.00");
    EXPECT_EQ(table.Cells().GetCell(3, 1), "8.00");
    EXPECT_EQ(told, 2);
}

} // namespace
