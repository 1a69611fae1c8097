#include "capture_model/CFmtGrid.h"
#include "CaptureTestSupport.h"
#include "capture_model/CaptureControlTypes.h"
#include "model/ControlFactory.h"
#include "model/FormatError.h"
#include "model/FormatFile.h"
#include "platform/ArchiveException.h"
#include "platform/RecordingSurface.h"

#include <gtest/gtest.h>

namespace {

QStringList Texts(const RecordingSurface& dc, const char* op) {
    QStringList texts;
    for (const SurfaceCall& c : dc.CallsNamed(QLatin1String(op)))
        texts << c.text;
    return texts;
}

std::vector<int> Widths(const CFmtGrid& table) {
    std::vector<int> widths;
    for (const TableColumn& c : table.Columns())
        widths.push_back(c.pageWidth);
    return widths;
}

// Columns 1 and 2 typed as numbers, column 3 C1*C2 and column 4 C3+1, both calculated.
std::unique_ptr<CFmtGrid> InvoiceTable() {
    auto table = CFmtGrid::Create(1000, -2000);
    const char* formulas[] = {"", "", "C1*C2", "C3+1"};
    for (int i = 0; i < 4; ++i) {
        TableColumn c = table->Columns()[static_cast<std::size_t>(i)];
        c.expression = QString::fromLatin1(formulas[i]);
        c.dataType = c.expression.isEmpty() ? DataTypeCode::Numero : DataTypeCode::NumeroCalculado;
        c.alignment = i == 0 ? 0 : 2;
        c.screenWidth = 70;
        table->SetColumn(i, c);
    }
    table->screenRect = ScreenRect(0, 0, 400, 200);
    return table;
}

// The record of an unnamed table of the given size, every column and row present.
QByteArray TableRecord(int columns, int rows) {
    const QByteArray empty = Store([](Archive& ar) { CFmtGrid().Serialize(ar); });
    return empty.left(empty.size() - 8) + Store([&](Archive& ar) {
               ar.WriteInt32(columns);
               for (int i = 0; i < columns; ++i) {
                   ar.WriteInt32(0);
                   ar.WriteString(QString());
                   ar.WriteInt32(400);
                   ar.WriteInt32(60);
                   ar.WriteInt32(0);
                   ar.WriteString(QString());
               }
               ar.WriteInt32(rows);
               for (int i = 0; i < rows; ++i)
                   ar.WriteInt32(45);
           });
}

TEST(CFmtGridTest, NewTableIsLaidOutAndLabelledButPrintsNothing) {
    auto table = CFmtGrid::Create(1000, -2000);
    EXPECT_EQ(table->text, "Tabla");
    EXPECT_EQ(table->pageRect, Rect(1000, -2000, 2600, -2270));
    EXPECT_EQ(table->Columns()[3].title, "Columna 4");
    EXPECT_EQ(table->Columns()[2].xPosition, 1800);
    EXPECT_EQ(table->Rows()[5].yPosition, -2225);
    EXPECT_EQ(table->CellRect(0, 0), Rect(1002, -2002, 1398, -2043));
    EXPECT_TRUE(table->CellRect(4, 0).IsNull());
    EXPECT_EQ(table->HitDivider(Point{1405, -2110}), (CFmtGrid::Hit{0, -1}));
    EXPECT_EQ(table->HitDivider(Point{1500, -2090}), (CFmtGrid::Hit{-1, 1}));
    EXPECT_EQ(table->HitHeader(Point{1500, -1990}), (CFmtGrid::Hit{1, -1}));
    EXPECT_EQ(table->HitHeader(Point{990, -2100}), (CFmtGrid::Hit{-1, 2}));
    EXPECT_EQ(HandleCount(*table), 4);

    RecordingSurface printer(MapMode::LoMetric);
    table->Print(printer);
    EXPECT_TRUE(Texts(printer, "DrawText").isEmpty());

    RecordingSurface view(MapMode::LoMetric);
    table->SelectColumn(1);
    table->Draw(view);
    const QStringList labels = Texts(view, "DrawText");
    ASSERT_EQ(labels.size(), 24);
    EXPECT_EQ(labels.first(), "C-1,F-1");
    EXPECT_EQ(labels.last(), "C-4,F-6");
    EXPECT_EQ(Texts(view, "ExtTextOut").first(), "Columna 1");
    EXPECT_EQ(view.CallsNamed(QStringLiteral("FillSolidRect")).size(), 6u); // column 2 is grey
    // The designer gives the columns their widths on the capture screen, at true scale.
    EXPECT_EQ(table->Columns()[0].screenWidth, 0);
    table->SetScreenWidthsFromPage();
    EXPECT_EQ(table->Columns()[0].screenWidth, 151); // 40 mm at 96 pixels to the inch
}

TEST(CFmtGridTest, DesignerChangesColumnsRowsAndWidths) {
    auto table = CFmtGrid::Create(0, 0);
    table->SetColumnCount(5);
    EXPECT_EQ(table->Columns()[4].title, "Columna 5");
    EXPECT_EQ(table->pageRect.right, 2000);
    table->SetRowCount(2);
    EXPECT_EQ(table->pageRect.bottom, -90);
    table->SetRowCount(0);
    table->SetRowCount(1); // no row left to copy: a new table's height
    EXPECT_EQ(table->Rows()[0].height, 45);
    table->AddToColumnWidth(0, -360); // 40 left: refused
    EXPECT_EQ(table->Columns()[0].pageWidth, 400);
    table->AddToColumnWidth(0, 100);
    EXPECT_EQ(table->Columns()[0].pageWidth, 500);
    EXPECT_EQ(table->pageRect.right, 2100);
    EXPECT_EQ(table->Columns()[1].xPosition, 500);
    table->AddToRowHeight(0, -10); // the lower edge goes down by 1 mm
    EXPECT_EQ(table->Rows()[0].height, 55);
    EXPECT_EQ(table->pageRect.bottom, -55);
    EXPECT_EQ(table->Cells().ColumnCount(), 5);
    EXPECT_EQ(table->Cells().RowCount(), 1);
    table->SetRowCount(1024);
    table->SetColumnCount(1 << 30); // no more than kMostCells cells
    EXPECT_EQ(table->ColumnCount(), 1024);
}

TEST(CFmtGridTest, ResizingSharesTheWidthAndRemembersWhereSpareUnitsGo) {
    auto table = CFmtGrid::Create(0, 0);
    table->ResizeByHandle(Handle::Right, 100, 0);
    EXPECT_EQ(Widths(*table), (std::vector<int>{425, 425, 425, 425}));

    auto other = CFmtGrid::Create(0, 0);
    other->ResizeByHandle(Handle::Right, 1, 0);
    EXPECT_EQ(Widths(*other), (std::vector<int>{401, 400, 400, 400}));
    other->ResizeByHandle(Handle::Right, 1, 0);
    EXPECT_EQ(Widths(*other), (std::vector<int>{401, 401, 400, 400}));
    other->ResizeByHandle(Handle::Left, 1442, 0); // would leave 160, not more than 4 x 40
    EXPECT_EQ(other->pageRect.left, 0);
    other->ResizeByHandle(Handle::Lower, 0, -30);
    EXPECT_EQ(other->Rows()[0].height, 50);
    EXPECT_EQ(other->Rows()[5].height, 50);
    EXPECT_EQ(other->Rows()[5].yPosition, -250);
}

TEST(CFmtGridTest, FormatRecordReadsBackByteForByte) {
    CaptureControlTypes::RegisterAll();
    ASSERT_STREQ(ControlFactory::Create(ControlTypeCode::FmtGrid)->GetRuntimeClass(), "CFmtGrid");
    Format format;
    auto table = InvoiceTable();
    table->SetRowCount(3);
    TableColumn first = table->Columns()[0];
    first.screenWidth = -80; // written as 80
    table->SetColumn(0, first);
    table->screenPlaced = true;
    format.controls.push_back(std::move(table));
    const QByteArray bytes =
        Store([&format](Archive& ar) { FormatFile::Write(ar, format, FormatSettings()); });
    Format read;
    FormatSettings settings;
    Load(bytes, [&](Archive& ar) { FormatFile::Read(ar, read, settings); });
    ASSERT_EQ(read.controls.size(), 1u);
    auto& back = static_cast<CFmtGrid&>(*read.controls[0]);
    EXPECT_EQ(back.Columns()[0].screenWidth, 80);
    EXPECT_EQ(back.Columns()[3].expression, "C3+1");
    EXPECT_EQ(back.Columns()[3].dataType, DataTypeCode::NumeroCalculado);
    EXPECT_EQ(back.Columns()[2].xPosition, 1800);
    EXPECT_EQ(back.RowCount(), 3);
    EXPECT_EQ(back.Cells().RowCount(), 3);
    EXPECT_EQ(Store([&read](Archive& ar) { FormatFile::Write(ar, read, FormatSettings()); }),
              bytes);

    // The own record after the base record: C, the columns, R, the heights.
    const QByteArray record = Store([&back](Archive& ar) { back.Serialize(ar); });
    const QByteArray own = record.mid(112 + 6); // the base record holds the name Tabla
    EXPECT_EQ(own.left(4 + 4 + 10).toHex(), QByteArray("04000000"
                                                       "00000000"
                                                       "09436f6c756d6e612031"));
    EXPECT_EQ(own.right(16).toHex(), QByteArray("03000000"
                                                "2d000000"
                                                "2d000000"
                                                "2d000000"));
}

TEST(CFmtGridTest, ReadingMovesTheScreenRectangleOnScreenAndRefusesHugeTables) {
    auto table = CFmtGrid::Create(0, 0);
    table->screenRect = ScreenRect(-30, -5, 70, 95);
    table->screenPlaced = true;
    const QByteArray bytes = Store([&table](Archive& ar) { table->Serialize(ar); });
    CFmtGrid back;
    EXPECT_EQ(Load(bytes, [&back](Archive& ar) { back.Serialize(ar); }), 0);
    EXPECT_EQ(back.screenRect, Rect(0, 0, 100, 100));

    // 1025 columns of 1024 rows, every entry present: too many cells to make.
    const QByteArray huge = Store([](Archive& ar) { CFmtGrid().Serialize(ar); });
    const QByteArray damaged = TableRecord(1025, 1024);
    CFmtGrid refused;
    EXPECT_THROW(Load(damaged, [&refused](Archive& ar) { refused.Serialize(ar); }), FormatError);
    // A count larger than the file ends in the end of the file.
    QByteArray cut =
        huge.left(huge.size() - 8) + Store([](Archive& ar) { ar.WriteInt32(1 << 30); });
    CFmtGrid truncated;
    EXPECT_THROW(Load(cut, [&truncated](Archive& ar) { truncated.Serialize(ar); }),
                 ArchiveException);
}

TEST(CFmtGridTest, TheTablesOfOneFormatShareABoundOnCells) {
    // Tables of 1024 x 1024 cells, each as large as one table may be: four fit in one format,
    // the fifth is refused with the reason.
    const QByteArray record = TableRecord(1024, 1024);
    QString why;
    const qint64 left = Load(record.repeated(5), [&why](Archive& ar) {
        for (int i = 0; i < 4; ++i)
            CFmtGrid().Serialize(ar);
        try {
            CFmtGrid().Serialize(ar);
        } catch (const FormatError& e) {
            why = e.Message();
        }
    });
    EXPECT_EQ(left, 0);
    EXPECT_EQ(why, QStringLiteral("las tablas del formato pasan de 4194304 celdas entre todas (la "
                                  "tabla «» añade 1024 columnas por 1024 filas)"));
    // Each file has a bound of its own.
    EXPECT_EQ(Load(record, [](Archive& ar) { CFmtGrid().Serialize(ar); }), 0);
}

// A damaged table is refused or read; whatever is read can be laid out, resized, drawn, printed,
// captured and saved without overflowing, crashing or hanging.
TEST(CFmtGridTest, DamagedTablesStaySafe) {
    CaptureControlTypes::RegisterAll();
    Format format;
    auto table = InvoiceTable();
    table->SetRowCount(3);
    format.controls.push_back(std::move(table));
    const QByteArray bytes =
        Store([&format](Archive& ar) { FormatFile::Write(ar, format, FormatSettings()); });
    const QByteArray values = Store([](Archive& ar) {
        ar.WriteInt32(2);
        ar.WriteInt32(2);
        for (const char* text : {"1", "2", "3", "4"})
            ar.WriteString(QString::fromLatin1(text));
    });
    FormatDamage damage(4242);
    int exercised = 0;
    for (int round = 0; round < 300; ++round) {
        Format read; // damaged beyond the file's header, in the table's records
        if (!ReadOrRefuse(damage.Damage(bytes, 34), read))
            continue;
        for (const auto& control : read.controls) {
            RecordingSurface dc(MapMode::LoMetric);
            control->selected = true;
            control->ResizeByHandle(Handle::Right, 7, 0);
            control->ResizeByHandle(Handle::Lower, 0, -7);
            control->Draw(dc);
            control->DrawOnScreenLayout(dc, true);
            if (auto* capture = dynamic_cast<CCaptureControl*>(control.get()))
                capture->StartCapture();
            Load(values, [&control](Archive& ar) { control->LoadValue(ar); });
            control->Print(dc);
            Store([&control](Archive& ar) { control->SaveValue(ar); });
        }
        ++exercised;
    }
    // The damage is the same on every run: 47 of the 300 are refused, the rest exercised.
    EXPECT_EQ(exercised, 253);
}

TEST(CFmtGridTest, CapturedValuesLiveInTheTable) {
    auto table = InvoiceTable();
    table->captureOrder = 3;
    // A file made for a table of 10 rows: row r holds r, 2r, and two computed texts.
    const QByteArray saved = Store([](Archive& ar) {
        ar.WriteInt32(10);
        ar.WriteInt32(4);
        for (int r = 1; r <= 10; ++r) {
            for (int c = 1; c <= 4; ++c)
                ar.WriteString(QString::number(r * c));
        }
        ar.WriteInt32(0x5EED);
    });
    qint64 left = 0;
    Load(saved, [&](Archive& ar) {
        table->LoadValue(ar);
        EXPECT_EQ(ar.ReadInt32(), 0x5EED); // the rows beyond the sixth were read and dropped
        left = ar.BytesLeft();
    });
    EXPECT_EQ(left, 0);
    EXPECT_EQ(table->Cells().GetCell(2, 6), "12.00");
    EXPECT_EQ(table->Cells().GetCell(4, 6), "24.00"); // loaded as saved, not recomputed
    const QByteArray out = Store([&table](Archive& ar) { table->SaveValue(ar); });
    EXPECT_EQ(out.left(12).toHex(), QByteArray("03000000"
                                               "06000000"
                                               "04000000"));
    EXPECT_EQ(out.mid(12, 5), QByteArray("\x04"
                                         "1.00"));

    RecordingSurface printer(MapMode::LoMetric);
    table->Print(printer);
    const auto printed = printer.CallsNamed(QStringLiteral("DrawText"));
    ASSERT_EQ(printed.size(), 24u);
    EXPECT_EQ(printed[1].text, "2.00");
    EXPECT_EQ(printed[1].args,
              Args({1402, -2002, 1798, -2043, static_cast<int>(TextLayout::Right)}));

    table->StartCapture();
    EXPECT_EQ(table->Cells().GetCell(1, 1), "1.00"); // the capture keeps what the table held
    table->ClearValue();
    EXPECT_EQ(table->Cells().GetCell(2, 6), "");
}

TEST(CFmtGridTest, ScreenDesignerDrawsTheGridPictureAndScreenHandles) {
    auto table = InvoiceTable();
    table->screenHandles = true;
    table->selected = true;
    table->UpdateHandles();
    EXPECT_EQ(table->handles[0], Rect(-4, 96, 4, 104));
    RecordingSurface dc(MapMode::Text);
    table->DrawOnScreenLayout(dc, true);
    const QStringList titles = Texts(dc, "ExtTextOut");
    ASSERT_GE(titles.size(), 4);
    EXPECT_EQ(titles.mid(0, 4), (QStringList{"Columna 1", "Columna 2", "Columna 3", "Columna 4"}));
    EXPECT_TRUE(Texts(dc, "TextOut").contains(QStringLiteral("Tabla:")));
}

} // namespace
