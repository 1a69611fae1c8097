#include "capture_model/CaptureFile.h"
#include "CalculationForm.h"
#include "capture_model/CDateInput.h"
#include "capture_model/CFmtGrid.h"
#include "capture_model/CMarcaVar.h"
#include "capture_model/CParrafoVar.h"
#include "capture_model/CTableData.h"
#include "capture_model/CaptureFileError.h"
#include "model/CConsText.h"
#include "platform/Archive.h"
#include "platform/ArchiveException.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString kFactura = QStringLiteral("factura.fmt");

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// A name line at the head and a check mark: the smallest format with two kinds of value.
struct NameAndMark {
    ControlList controls;
    CTextlineVar* name = nullptr;
    CMarcaVar* mark = nullptr;

    NameAndMark() {
        auto line = std::make_unique<CTextlineVar>();
        line->text = QStringLiteral("NOMBRE");
        line->captureOrder = 2;
        name = line.get();
        controls.push_back(std::move(line));
        auto box = CMarcaVar::Create(0, 0);
        box->captureOrder = 1;
        mark = box.get();
        controls.push_back(std::move(box));
    }
};

std::unique_ptr<CFmtGrid> TextTable(int rows, int columns, int order) {
    auto table = CFmtGrid::Create(0, 0);
    table->captureOrder = order;
    table->SetColumnCount(columns);
    table->SetRowCount(rows);
    for (int i = 0; i < columns; ++i) {
        TableColumn column = table->Columns()[static_cast<std::size_t>(i)];
        column.title = QStringLiteral("C%1").arg(i + 1);
        column.dataType = DataTypeCode::Texto;
        table->SetColumn(i, column);
    }
    return table;
}

QByteArray Saved(const ControlList& controls, const QString& formatName = kFactura) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    Archive ar(buffer, Archive::Mode::Store);
    ar.WriteString(formatName);
    for (const auto& control : controls)
        control->SaveValue(ar);
    ar.Flush();
    return bytes;
}

TEST(CaptureFileTest, FormatNameIsThePathAfterItsLastSeparator) {
    EXPECT_EQ(CaptureFile::FormatNameOf(QStringLiteral("C:\\datos/formatos\\factura.fmt")),
              "factura.fmt");
    EXPECT_EQ(CaptureFile::FormatNameOf(QStringLiteral("C:factura.fmt")), "factura.fmt");
    EXPECT_EQ(CaptureFile::FormatNameOf(QStringLiteral("/home/ana/factura.fmt")), "factura.fmt");
    EXPECT_EQ(CaptureFile::FormatNameOf(QStringLiteral("factura.fmt")), "factura.fmt");
    EXPECT_EQ(CaptureFile::FormatNameOf(QStringLiteral("carpeta/")), "");
}

TEST(CaptureFileTest, SavesTheFormatNameThenEachValueRecordFromTheHead) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("datos.cap"));
    NameAndMark form;
    form.name->SetValue(QStringLiteral("JUAN"));
    form.mark->SetChecked(true);
    CaptureFile::Save(path, CaptureFile::FormatNameOf(QStringLiteral("C:\\f\\factura.fmt")),
                      form.controls);
    EXPECT_EQ(ReadAll(path).toHex(' '), "0b 66 61 63 74 75 72 61 2e 66 6d 74 "
                                        "02 00 00 00 04 4a 55 41 4e "
                                        "01 00 00 00 01 00 00 00");

    // Constants carry no value and write no record.
    ControlList constants;
    constants.push_back(CConsText::Create(0, 0, QStringLiteral("FACTURA")));
    CaptureFile::Save(path, kFactura, constants);
    EXPECT_EQ(ReadAll(path), QByteArray("\x0b"
                                        "factura.fmt"));
    EXPECT_EQ(CaptureFile::Load(path, kFactura, constants), 0);
}

TEST(CaptureFileTest, LoadsOnlyIntoAFormatOfTheSameFileName) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("datos.cap"));
    NameAndMark saved;
    saved.name->SetValue(QStringLiteral("JUAN"));
    CaptureFile::Save(path, kFactura, saved.controls);

    NameAndMark other;
    other.name->SetValue(QStringLiteral("PEDRO"));
    for (const QString& name : {QStringLiteral("Factura.fmt"), QStringLiteral("factura2.fmt")}) {
        try {
            CaptureFile::Load(path, name, other.controls);
            ADD_FAILURE() << name.toStdString();
        } catch (const CaptureFileError& e) {
            EXPECT_EQ(e.GetCause(), CaptureFileError::Cause::WrongFormat);
            EXPECT_EQ(e.Message(), QStringLiteral("El archivo seleccionado es del tipo factura.fmt "
                                                  "y no del formato %1 actual")
                                       .arg(name));
        }
        EXPECT_EQ(other.name->Value(), "PEDRO");
    }
    const QString elsewhere =
        CaptureFile::FormatNameOf(QStringLiteral("/otra/carpeta/factura.fmt"));
    EXPECT_EQ(CaptureFile::Load(path, elsewhere, other.controls), 2);
    EXPECT_EQ(other.name->Value(), "JUAN");
}

TEST(CaptureFileTest, TablesWriteTheirCellsRowByRowAndLoadingTwiceIsLoadingOnce) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("datos.cap"));
    ControlList controls;
    controls.push_back(TextTable(3, 2, 1));
    auto& table = static_cast<CFmtGrid&>(*controls.back());
    for (int r = 1; r <= 3; ++r) {
        for (int c = 1; c <= 2; ++c)
            table.Cells().SetCell(c, r, QStringLiteral("r%1c%2").arg(r).arg(c), false);
    }
    auto date = CDateInput::Create(0, 0);
    date->captureOrder = 2;
    date->SetDate(AutomationDate::Status::Valid, 46000.5);
    controls.push_back(std::move(date));
    auto paragraph = CParrafoVar::Create(0, 0);
    paragraph->captureOrder = 3;
    paragraph->SetValue(QStringLiteral("Calle 5\nColonia Centro"));
    controls.push_back(std::move(paragraph));
    CaptureFile::Save(path, kFactura, controls);

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    Archive ar(file, Archive::Mode::Load);
    EXPECT_EQ(ar.ReadString(), kFactura);
    EXPECT_EQ(ar.ReadInt32(), 1);
    EXPECT_EQ(ar.ReadInt32(), 3);
    EXPECT_EQ(ar.ReadInt32(), 2);
    for (const char* cell : {"r1c1", "r1c2", "r2c1", "r2c2", "r3c1", "r3c2"})
        EXPECT_EQ(ar.ReadString(), QLatin1String(cell));
    const QByteArray once = ReadAll(path);

    // Into a fresh copy of the format, twice: the second load changes nothing more.
    ControlList fresh;
    fresh.push_back(TextTable(3, 2, 1));
    fresh.push_back(CDateInput::Create(0, 0));
    fresh.back()->captureOrder = 2;
    fresh.push_back(CParrafoVar::Create(0, 0));
    fresh.back()->captureOrder = 3;
    EXPECT_EQ(CaptureFile::Load(path, kFactura, fresh), 3);
    EXPECT_EQ(Saved(fresh), once);
    EXPECT_EQ(CaptureFile::Load(path, kFactura, fresh), 3);
    EXPECT_EQ(Saved(fresh), once);
}

TEST(CaptureFileTest, EmptyCellsOfNumberColumnsComeBackEmpty) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("datos.cap"));
    auto numbers = [] {
        auto table = TextTable(2, 1, 1);
        TableColumn column = table->Columns()[0];
        column.dataType = DataTypeCode::Numero;
        table->SetColumn(0, column);
        return table;
    };
    ControlList controls;
    controls.push_back(numbers());
    static_cast<CFmtGrid&>(*controls.back()).Cells().SetCell(1, 1, QStringLiteral("2"), false);
    CaptureFile::Save(path, kFactura, controls);

    ControlList fresh;
    fresh.push_back(numbers());
    auto& table = static_cast<CFmtGrid&>(*fresh.back());
    table.Cells().SetCell(1, 2, QStringLiteral("7"), false);
    CaptureFile::Load(path, kFactura, fresh);
    EXPECT_EQ(table.Cells().GetCell(1, 1), "2.00");
    EXPECT_EQ(table.Cells().GetCell(1, 2), "");
    EXPECT_EQ(table.Cells().CellValue(1, 2), 0);
}

TEST(CaptureFileTest, LoadedTextLinesCountInCalculationsWithoutBeingReformatted) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("datos.cap"));
    CalculationForm form;
    CTextlineVar& a = form.Line(QStringLiteral("A"));
    CTextlineVar& b = form.Line(QStringLiteral("B"));
    CTextlineVar& sum = form.Line(QStringLiteral("SUMA"), QStringLiteral("A+B"));
    a.SetValue(QStringLiteral("10"));
    CaptureFile::Save(path, kFactura, form.controls);
    a.ClearValue();

    CaptureFile::Load(path, kFactura, form.controls, QLocale::c());
    EXPECT_EQ(a.Value(), "10"); // as saved, not "10.00"
    EXPECT_EQ(a.CopyText(), "10");
    EXPECT_EQ(a.CopyNumber(), 10);
    EXPECT_EQ(sum.Value(), ""); // nothing recomputed on load
    auto engine = form.Engine();
    Leave(*engine, b, QStringLiteral("5"));
    EXPECT_EQ(sum.Value(), "15.00");
}

TEST(CaptureFileTest, FieldsSharingACaptureOrderKeepTheirOwnValues) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("datos.cap"));
    // A hand-made format: the name and a second line both numbered 2, then the mark at 1.
    NameAndMark form;
    auto line = std::make_unique<CTextlineVar>();
    line->text = QStringLiteral("CIUDAD");
    line->captureOrder = 2;
    CTextlineVar& city = *line;
    form.controls.insert(form.controls.begin() + 1, std::move(line));
    form.name->SetValue(QStringLiteral("JUAN"));
    city.SetValue(QStringLiteral("MERIDA"));
    form.mark->SetChecked(true);
    CaptureFile::Save(path, kFactura, form.controls);
    EXPECT_EQ(ReadAll(path).mid(12).toHex(' '), "02 00 00 00 04 4a 55 41 4e "
                                                "02 00 00 00 06 4d 45 52 49 44 41 "
                                                "01 00 00 00 01 00 00 00");
    for (const auto& control : form.controls)
        control->ClearValue();

    EXPECT_EQ(CaptureFile::Load(path, kFactura, form.controls), 3);
    EXPECT_EQ(form.name->Value(), "JUAN");
    EXPECT_EQ(city.Value(), "MERIDA");
    EXPECT_TRUE(form.mark->IsChecked());

    // A file with one record of that order (saved before the second field came) fills the
    // first; one with more than there are fields gives the extra to the last of them.
    city.ClearValue();
    WriteAll(path, QByteArray("\x0b"
                              "factura.fmt") +
                       QByteArray::fromHex("02000000") +
                       QByteArray("\x04"
                                  "LUIS"));
    EXPECT_EQ(CaptureFile::Load(path, kFactura, form.controls), 1);
    EXPECT_EQ(form.name->Value(), "LUIS");
    EXPECT_EQ(city.Value(), "");
    QByteArray three = QByteArray("\x0b"
                                  "factura.fmt");
    for (const char* value : {"\x01"
                              "A",
                              "\x01"
                              "B",
                              "\x01"
                              "C"})
        three += QByteArray::fromHex("02000000") + QByteArray(value);
    WriteAll(path, three);
    EXPECT_EQ(CaptureFile::Load(path, kFactura, form.controls), 3);
    EXPECT_EQ(form.name->Value(), "A");
    EXPECT_EQ(city.Value(), "C");
}

// A value record for no field of the format, or bytes that cannot be the records they claim to
// be, stop the load before any value changes.
TEST(CaptureFileTest, DamagedFilesSayWhyAndLeaveEveryValueAsItWas) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("datos.cap"));
    NameAndMark saved;
    saved.name->SetValue(QStringLiteral("JUAN"));
    saved.mark->SetChecked(true);
    const QByteArray good = Saved(saved.controls);
    ASSERT_EQ(good.size(), 29);
    const QByteArray name = good.left(12);
    const QByteArray juan = good.mid(12, 9);

    NameAndMark form;
    auto constant = CConsText::Create(0, 0, QStringLiteral("FOLIO"));
    constant->captureOrder = 7;
    form.controls.push_front(std::move(constant));
    auto table = TextTable(2, 2, 3);
    table->Cells().SetCell(1, 1, QStringLiteral("antes"), false);
    form.controls.push_back(std::move(table));
    form.name->SetValue(QStringLiteral("PEDRO"));
    form.name->SetValueCopy(QStringLiteral("PEDRO"), 4);
    const QByteArray before = Saved(form.controls);

    QByteArray lying = good;
    lying[16] = 0x40;
    const std::vector<std::pair<QByteArray, QString>> cases = {
        {good.left(27), QStringLiteral("el valor con orden de captura 1 no cabe")},
        {good + QByteArray("\x01\x00", 2), QStringLiteral("termina a mitad de un registro")},
        {lying, QStringLiteral("el valor con orden de captura 2 no cabe")},
        {name + juan + QByteArray("\x09\x00\x00\x00", 4),
         QStringLiteral("el orden de captura 9 no es el de ningún campo de captura")},
        // The order of a constant is no field's: constants have no value to load.
        {name + juan + QByteArray("\x07\x00\x00\x00\x01\x00\x00\x00", 8),
         QStringLiteral("el orden de captura 7 no es el de ningún campo")},
        {name + juan + QByteArray("\x03\x00\x00\x00\x00\x00\x01\x00\x00\x00\x01\x00", 12),
         QStringLiteral("la tabla con orden de captura 3 dice tener 65536 × 65536 celdas")},
        {QByteArray(), QStringLiteral("fin de archivo inesperado")},
    };
    for (const auto& [bytes, reason] : cases) {
        WriteAll(path, bytes);
        try {
            CaptureFile::Load(path, kFactura, form.controls);
            ADD_FAILURE() << reason.toStdString();
        } catch (const CaptureFileError& e) {
            EXPECT_EQ(e.GetCause(), CaptureFileError::Cause::Damaged);
            EXPECT_TRUE(e.Message().startsWith(path + QStringLiteral(": ")));
            EXPECT_TRUE(e.Message().contains(reason)) << e.Message().toStdString();
            EXPECT_TRUE(e.Message().endsWith(QStringLiteral("No se cargó ningún valor.")));
        }
        EXPECT_EQ(Saved(form.controls), before) << reason.toStdString();
        EXPECT_EQ(form.name->CopyText(), "PEDRO");
        EXPECT_EQ(form.name->CopyNumber(), 4);
    }

    // The order of a constant ahead of a capture field of the same order is the field's.
    form.controls[0]->captureOrder = 1;
    WriteAll(path, good);
    EXPECT_EQ(CaptureFile::Load(path, kFactura, form.controls), 2);
    EXPECT_TRUE(form.mark->IsChecked());
}

// A field whose value cannot be written, as a full disk would refuse it.
class UnwritableLine : public CTextlineVar {
public:
    void SaveValue(Archive& ar) override {
        CTextlineVar::SaveValue(ar);
        throw ArchiveException(ArchiveException::Cause::WriteFailed, QStringLiteral("disco lleno"));
    }
};

TEST(CaptureFileTest, AFailedSaveKeepsThePreviousFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("datos.cap"));
    NameAndMark form;
    form.name->SetValue(QStringLiteral("JUAN"));
    CaptureFile::Save(path, kFactura, form.controls);
    const QByteArray previous = ReadAll(path);

    form.controls.push_back(std::make_unique<UnwritableLine>());
    try {
        CaptureFile::Save(path, kFactura, form.controls);
        ADD_FAILURE();
    } catch (const CaptureFileError& e) {
        EXPECT_EQ(e.GetCause(), CaptureFileError::Cause::CannotSave);
        EXPECT_EQ(e.Message(),
                  path + QStringLiteral(": error al escribir el archivo (disco lleno)"));
    }
    EXPECT_EQ(ReadAll(path), previous);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("datos.cap")});

    const QString nowhere = dir.filePath(QStringLiteral("no/existe/datos.cap"));
    EXPECT_THROW(CaptureFile::Save(nowhere, kFactura, form.controls), CaptureFileError);
    EXPECT_THROW(CaptureFile::Load(nowhere, kFactura, form.controls), CaptureFileError);
}

} // namespace
