// The capture document without a screen: its operations are what the user does on the capture
// screen, and every change is signalled for the screens that show it.
#include "capture_model/CaptureDocument.h"
#include "CaptureScreenForm.h"
#include "capture_model/CCuadrosVar.h"
#include "capture_model/CDateInput.h"
#include "capture_model/CFmtGrid.h"
#include "capture_model/CMarcaVar.h"
#include "capture_model/CParrafoVar.h"
#include "capture_model/CTableData.h"
#include "capture_model/CaptureFileError.h"
#include "capture_model/FieldEntry.h"
#include "capture_model/FieldEntryError.h"
#include "model/FormatError.h"
#include "model/PlenovaSettings.h"
#include "platform/PlenovaError.h"

#include <QFile>
#include <QLocale>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Which fields the document said changed, by name, in order.
struct Changes {
    explicit Changes(CaptureDocument& document) {
        QObject::connect(&document, &CaptureDocument::fieldChanged,
                         [this](CCaptureControl* field) { fields << field->text; });
        QObject::connect(&document, &CaptureDocument::cellsChanged,
                         [this](CFmtGrid* table) { fields << table->text + QStringLiteral("[]"); });
    }
    QStringList Take() { return std::exchange(fields, QStringList()); }
    QStringList fields;
};

template <typename T>
T& Field(const CaptureDocument& document, const QString& name) {
    auto* field = dynamic_cast<T*>(document.FindField(name));
    if (!field)
        throw std::logic_error("the form has no such field");
    return *field;
}

// The fields of an invoice: a quantity, a price and their product, the product in words, a
// client in capitals, a tax number in 13 boxes, a date, a mark and the lines of the invoice
// with their total.
QString Invoice(const QTemporaryDir& dir, bool calculatedReadOnly = false) {
    CaptureScreenForm form;
    form.settings.calculatedReadOnly = calculatedReadOnly;
    form.Line(QStringLiteral("CANTIDAD"), 1, 10, 10);
    form.Line(QStringLiteral("PRECIO"), 2, 10, 40);
    form.Line(QStringLiteral("IMPORTE"), 3, 10, 70, QStringLiteral("cantidad*precio"));
    CTextlineVar& words =
        form.Line(QStringLiteral("LETRA"), 4, 10, 100, QStringLiteral("$IMPORTE"));
    words.dataType = DataTypeCode::Texto;
    CTextlineVar& client = form.Line(QStringLiteral("CLIENTE"), 5, 10, 130);
    client.dataType = DataTypeCode::Texto;
    client.ToggleUpperCase();
    auto rfc = CCuadrosVar::Create(100, -900);
    rfc->text = QStringLiteral("RFC");
    rfc->captureOrder = 6;
    rfc->SetBoxCount(13);
    form.format.controls.push_back(std::move(rfc));
    auto date = CDateInput::Create(100, -1000);
    date->text = QStringLiteral("FECHA");
    date->captureOrder = 7;
    form.format.controls.push_back(std::move(date));
    auto mark = CMarcaVar::Create(100, -1100);
    mark->text = QStringLiteral("PAGADO");
    mark->captureOrder = 8;
    form.format.controls.push_back(std::move(mark));
    form.Partidas(9, 10, 200);
    form.Line(QStringLiteral("SUBTOTAL"), 10, 10, 330, QStringLiteral("PARTIDAS&IMPORTE"));
    auto address = CParrafoVar::Create(100, -1300);
    address->text = QStringLiteral("DOMICILIO");
    address->captureOrder = 11;
    address->ToggleUpperCase();
    form.format.controls.push_back(std::move(address));
    return form.Save(dir, QStringLiteral("factura.fmt"));
}

TEST(CaptureDocumentTest, OpeningAFormatStartsItsCaptureAndABadOneChangesNothing) {
    QLocale::setDefault(QLocale::c());
    QTemporaryDir dir;
    const QString path = Invoice(dir);
    CaptureDocument document;
    QSignalSpy opened(&document, &CaptureDocument::formatOpened);
    EXPECT_TRUE(document.OpenFormat(path).isEmpty());
    EXPECT_EQ(opened.count(), 1);
    EXPECT_EQ(document.FormatPath(), path);
    EXPECT_EQ(document.FormatName(), "factura.fmt");
    EXPECT_TRUE(document.CapturedDataPath().isEmpty());
    EXPECT_EQ(document.Controls().size(), 11u);
    EXPECT_EQ(document.Calculation()->FieldList(), (std::vector<std::int32_t>{1176, 1177, 1183}));
    EXPECT_EQ(Field<CDateInput>(document, QStringLiteral("fecha")).Date()->date(),
              QDate::currentDate());
    EXPECT_TRUE(Field<CTextlineVar>(document, QStringLiteral("IMPORTE")).Value().isEmpty());
    EXPECT_FALSE(document.HasChanges());

    // A file that is not a format, or none at all, leaves the document as it was.
    const QString damaged = dir.filePath(QStringLiteral("dañado.fmt"));
    QFile file(damaged);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray::fromHex("0500000041424344"));
    file.close();
    document.TypeText(Field<CTextlineVar>(document, QStringLiteral("CANTIDAD")),
                      QStringLiteral("7"));
    EXPECT_THROW(document.OpenFormat(damaged), FormatError);
    EXPECT_THROW(document.OpenFormat(dir.filePath(QStringLiteral("no.fmt"))), FormatError);
    EXPECT_EQ(opened.count(), 1);
    EXPECT_EQ(document.FormatPath(), path);
    EXPECT_EQ(Field<CTextlineVar>(document, QStringLiteral("CANTIDAD")).Value(), "7");
}

TEST(CaptureDocumentTest, TheSettingsBesideTheFormatGiveItsWordingAndPaper) {
    QLocale::setDefault(QLocale::c());
    QTemporaryDir dir;
    const QString path = Invoice(dir);
    const auto writeBeside = [&path](const QByteArray& json) {
        QFile file(PlenovaSettings::PathFor(path));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(json);
    };
    const auto wordsOf = [](CaptureDocument& document, const QString& quantity) {
        auto& count = Field<CTextlineVar>(document, QStringLiteral("CANTIDAD"));
        auto& price = Field<CTextlineVar>(document, QStringLiteral("PRECIO"));
        document.TypeText(count, quantity);
        document.LeaveField(count);
        document.TypeText(price, QStringLiteral("1"));
        document.LeaveField(price);
        return Field<CTextlineVar>(document, QStringLiteral("LETRA")).Value();
    };
    CaptureDocument document;
    EXPECT_TRUE(document.OpenFormat(path).isEmpty());
    EXPECT_FALSE(document.OwnSettings().NamesPaper());
    EXPECT_EQ(wordsOf(document, QStringLiteral("1")), "UN PESOS 00/100 M.N.");

    writeBeside(R"({"wording": "gramatical", "paper": {"size": "legal"}})");
    EXPECT_TRUE(document.OpenFormat(path).isEmpty());
    EXPECT_TRUE(document.OwnSettings().NamesPaper());
    EXPECT_EQ(document.OwnSettings().paper.size, Paper::Size::Legal);
    EXPECT_EQ(wordsOf(document, QStringLiteral("1")), "UN PESO 00/100 M.N.");
    EXPECT_EQ(wordsOf(document, QStringLiteral("1001")), "MIL UN PESOS 00/100 M.N.");

    // Damaged, the format still opens, with the defaults and a sentence saying so.
    writeBeside("{\"wording\": ");
    const QStringList warnings = document.OpenFormat(path);
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(warnings.first().contains(QStringLiteral("factura.fmt.plenova")))
        << warnings.first().toStdString();
    EXPECT_EQ(wordsOf(document, QStringLiteral("1000")), "UN MIL  PESOS 00/100 M.N.");
}

TEST(CaptureDocumentTest, TypingAndLeavingAFieldRecomputeAsOnTheScreen) {
    QLocale::setDefault(QLocale::c());
    QTemporaryDir dir;
    CaptureDocument document;
    document.OpenFormat(Invoice(dir));
    Changes changes(document);
    auto& quantity = Field<CTextlineVar>(document, QStringLiteral("CANTIDAD"));
    auto& price = Field<CTextlineVar>(document, QStringLiteral("PRECIO"));
    auto& amount = Field<CTextlineVar>(document, QStringLiteral("IMPORTE"));
    auto& words = Field<CTextlineVar>(document, QStringLiteral("LETRA"));

    // Typing changes the field alone; leaving it reformats it and recomputes what names it.
    document.TypeText(quantity, QStringLiteral("3"));
    document.TypeText(price, QStringLiteral("2.5"));
    EXPECT_EQ(changes.Take(), QStringList({"CANTIDAD", "PRECIO"}));
    EXPECT_TRUE(amount.Value().isEmpty());
    document.LeaveField(quantity);
    document.LeaveField(price);
    EXPECT_EQ(quantity.Value(), "3.00");
    EXPECT_EQ(amount.Value(), "7.50");
    EXPECT_EQ(words.Value(), "SIETE PESOS 50/100 M.N.");
    EXPECT_EQ(changes.Take(), QStringList({"CANTIDAD", "IMPORTE", "LETRA", "SUBTOTAL", "PRECIO",
                                           "IMPORTE", "LETRA"}));
    // Leaving a field without changing it recomputes nothing.
    document.LeaveField(price);
    EXPECT_TRUE(changes.Take().isEmpty());
    document.TypeText(quantity, QStringLiteral("3.00"));
    EXPECT_TRUE(changes.Take().isEmpty()) << "the same text is no change";

    // Each field takes what its entry takes.
    document.TypeText(Field<CTextlineVar>(document, QStringLiteral("CLIENTE")),
                      QStringLiteral("josé pérez"));
    EXPECT_EQ(Field<CTextlineVar>(document, QStringLiteral("CLIENTE")).Value(), "JOSÉ PÉREZ");
    auto& rfc = Field<CCuadrosVar>(document, QStringLiteral("RFC"));
    document.TypeText(rfc, QStringLiteral("lohg850312qx5xyz"));
    EXPECT_EQ(rfc.Value(), "lohg850312qx5");
    auto& address = Field<CParrafoVar>(document, QStringLiteral("DOMICILIO"));
    document.TypeText(address, QStringLiteral("calle 1\r\ncentro"));
    EXPECT_EQ(address.Value(), "CALLE 1\nCENTRO");
    document.EditText(address, QStringLiteral("CALLE 1\nCentro"));
    EXPECT_EQ(address.Value(), "CALLE 1\nCentro") << "what the box shows, as it shows it";

    auto& mark = Field<CMarcaVar>(document, QStringLiteral("PAGADO"));
    auto& date = Field<CDateInput>(document, QStringLiteral("FECHA"));
    changes.Take();
    document.SetChecked(mark, true);
    document.SetChecked(mark, true);
    EXPECT_TRUE(document.PickDate(date, QDate(2026, 12, 7)));
    EXPECT_FALSE(document.PickDate(date, QDate(10000, 1, 1)));
    EXPECT_EQ(date.Date()->date(), QDate(2026, 12, 7));
    EXPECT_EQ(changes.Take(), QStringList({"PAGADO", "FECHA"}));
    EXPECT_TRUE(document.HasChanges());
}

TEST(CaptureDocumentTest, CellsConfirmedAsTheGridsEditorDoes) {
    QLocale::setDefault(QLocale::c());
    QTemporaryDir dir;
    CaptureDocument document;
    document.OpenFormat(Invoice(dir, true));
    Changes changes(document);
    auto& table = Field<CFmtGrid>(document, QStringLiteral("PARTIDAS"));
    auto& subtotal = Field<CTextlineVar>(document, QStringLiteral("SUBTOTAL"));

    for (int row = 1; row <= 4; ++row) {
        EXPECT_TRUE(document.ConfirmCell(table, 1, row, QString::number(row)));
        EXPECT_TRUE(document.ConfirmCell(table, 2, row, QStringLiteral("2")));
    }
    EXPECT_EQ(table.Cells().GetCell(1, 4), "4.00");
    EXPECT_EQ(table.Cells().GetCell(3, 4), "8.00");
    EXPECT_EQ(subtotal.Value(), "20.00");
    const QStringList told = changes.Take();
    EXPECT_EQ(told.count(QStringLiteral("PARTIDAS[]")), 8);
    EXPECT_EQ(told.first(), "SUBTOTAL") << "the total reaches its field before the table is told";

    // A calculated column is read-only under the format's setting, and cells outside the table
    // take nothing.
    EXPECT_FALSE(document.ConfirmCell(table, 3, 1, QStringLiteral("99")));
    EXPECT_FALSE(document.ConfirmCell(table, 4, 1, QStringLiteral("1")));
    EXPECT_FALSE(document.ConfirmCell(table, 1, 5, QStringLiteral("1")));
    EXPECT_EQ(table.Cells().GetCell(3, 1), "2.00");
    EXPECT_TRUE(changes.Take().isEmpty());

    // Rows 2 and 3 go: 4 moves up to 2, the last two come in empty, the total follows.
    document.DeleteRows(table, 2, 3);
    EXPECT_EQ(table.Cells().GetCell(1, 2), "4.00");
    EXPECT_EQ(table.Cells().GetCell(1, 3), "");
    EXPECT_EQ(subtotal.Value(), "10.00");
}

TEST(CaptureDocumentTest, SavingLoadingAndClearingKeepTheValuesAndTheirFile) {
    QLocale::setDefault(QLocale::c());
    QTemporaryDir dir;
    CaptureDocument document;
    document.OpenFormat(Invoice(dir));
    QSignalSpy cleared(&document, &CaptureDocument::valuesCleared);
    QSignalSpy loaded(&document, &CaptureDocument::valuesLoaded);
    FieldEntry(QStringLiteral("CANTIDAD"), QStringLiteral("2")).TypeInto(document);
    FieldEntry(QStringLiteral("PRECIO"), QStringLiteral("4")).TypeInto(document);
    FieldEntry(QStringLiteral("PARTIDAS[1,1]"), QStringLiteral("5")).TypeInto(document);
    EXPECT_TRUE(document.HasChanges());
    const QString cap = dir.filePath(QStringLiteral("datos.cap"));
    document.SaveCapturedData(cap);
    EXPECT_EQ(document.CapturedDataPath(), cap);
    EXPECT_FALSE(document.HasChanges());

    document.ClearValues();
    EXPECT_EQ(cleared.count(), 1);
    EXPECT_TRUE(Field<CTextlineVar>(document, QStringLiteral("IMPORTE")).Value().isEmpty());
    EXPECT_EQ(Field<CDateInput>(document, QStringLiteral("FECHA")).Date()->date(),
              QDate::currentDate());
    EXPECT_EQ(document.CapturedDataPath(), cap) << "the file stays the current one";
    EXPECT_FALSE(document.HasChanges());

    document.LoadCapturedData(cap);
    EXPECT_EQ(loaded.count(), 1);
    EXPECT_EQ(Field<CTextlineVar>(document, QStringLiteral("IMPORTE")).Value(), "8.00");
    EXPECT_EQ(Field<CFmtGrid>(document, QStringLiteral("PARTIDAS")).Cells().GetCell(1, 1), "5.00");

    // A file cut short becomes the current one all the same, and changes no value.
    QFile whole(cap);
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    const QByteArray bytes = whole.readAll();
    const QString cut = dir.filePath(QStringLiteral("corto.cap"));
    QFile file(cut);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes.left(bytes.size() - 2));
    file.close();
    document.TypeText(Field<CTextlineVar>(document, QStringLiteral("CANTIDAD")),
                      QStringLiteral("9"));
    EXPECT_THROW(document.LoadCapturedData(cut), CaptureFileError);
    EXPECT_EQ(document.CapturedDataPath(), cut);
    EXPECT_EQ(Field<CTextlineVar>(document, QStringLiteral("CANTIDAD")).Value(), "9");
    EXPECT_EQ(loaded.count(), 1);
}

TEST(CaptureDocumentTest, FieldEntriesTypeEveryKindOrSayWhatTheFieldTakes) {
    QLocale::setDefault(QLocale::c());
    QTemporaryDir dir;
    CaptureDocument document;
    document.OpenFormat(Invoice(dir, true));
    for (const char* entry : {"cantidad=1.5", "CLIENTE=ana", "RFC=abc", "PAGADO=1",
                              "FECHA=2003-09-05", "DOMICILIO=a\nb", "PARTIDAS[2,1]=3"})
        FieldEntry::Parse(QString::fromUtf8(entry)).TypeInto(document);
    EXPECT_EQ(Field<CTextlineVar>(document, QStringLiteral("CANTIDAD")).Value(), "1.50");
    EXPECT_EQ(Field<CTextlineVar>(document, QStringLiteral("CLIENTE")).Value(), "ANA");
    EXPECT_EQ(Field<CCuadrosVar>(document, QStringLiteral("RFC")).Value(), "abc");
    EXPECT_TRUE(Field<CMarcaVar>(document, QStringLiteral("PAGADO")).IsChecked());
    EXPECT_EQ(Field<CDateInput>(document, QStringLiteral("FECHA")).Date()->date(),
              QDate(2003, 9, 5));
    EXPECT_EQ(Field<CParrafoVar>(document, QStringLiteral("DOMICILIO")).Value(), "A\nB");
    EXPECT_EQ(Field<CFmtGrid>(document, QStringLiteral("PARTIDAS")).Cells().GetCell(1, 2), "3.00");

    const auto refused = [&document](const char* entry) {
        try {
            FieldEntry::Parse(QString::fromUtf8(entry)).TypeInto(document);
        } catch (const FieldEntryError& e) {
            return e.Message();
        }
        return QString();
    };
    EXPECT_EQ(refused("NADA=1"), "factura.fmt no tiene un campo de captura llamado «NADA»");
    EXPECT_EQ(refused("PARTIDAS=1"),
              "«PARTIDAS» es una tabla: dé la celda, como PARTIDAS[1,1]=VALOR");
    EXPECT_EQ(
        refused("PARTIDAS[5,1]=1"),
        "«PARTIDAS[5,1]»: la tabla PARTIDAS tiene 4 renglones y 3 columnas, contados desde 1");
    EXPECT_EQ(refused("PARTIDAS[1,3]=1"),
              "«PARTIDAS[1,3]»: la columna IMPORTE de PARTIDAS es de solo lectura");
    EXPECT_EQ(refused("PRECIO=caro"),
              "«PRECIO» es un número: toma un número como 1234.5, no «caro»");
    EXPECT_EQ(refused("PAGADO=si"), "«PAGADO» es una marca: toma 1 (marcada) o 0 (vacía), no «si»");
    EXPECT_EQ(refused("FECHA=5/9/2003"),
              "«FECHA» es una fecha: escríbala AAAA-MM-DD, no «5/9/2003»");
    EXPECT_EQ(refused("FECHA=2003-02-30"), "«FECHA»: 2003-02-30 no es una fecha del calendario");
    EXPECT_EQ(refused("FECHA=0099-12-31"),
              "«FECHA» no acepta la fecha 0099-12-31: va del 0100-01-01 al 9999-12-31");
    EXPECT_EQ(Field<CTextlineVar>(document, QStringLiteral("PRECIO")).Value(), "");
    EXPECT_EQ(Field<CDateInput>(document, QStringLiteral("FECHA")).Date()->date(),
              QDate(2003, 9, 5));
}

} // namespace

TEST(CaptureDocumentTest, AProofOfTheFormatShowsEachFieldsNameAndEachTablesTitles) {
    QTemporaryDir dir;
    const QString path = Invoice(dir);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    PlenovaSettings own;
    own.wording = AmountWording::Grammatical;
    CaptureDocument document;
    // The designer's format, as it stands, need not be the file's: it comes as bytes.
    document.OpenFormat(file.readAll(), own, path);
    EXPECT_EQ(document.FormatName(), QStringLiteral("factura.fmt"));
    EXPECT_EQ(document.OwnSettings().wording, AmountWording::Grammatical);

    document.FillWithNames();
    // Calculated fields show their names rather than what they would compute.
    for (const char* name : {"CANTIDAD", "IMPORTE", "LETRA", "CLIENTE", "SUBTOTAL"})
        EXPECT_EQ(Field<CTextlineVar>(document, QString::fromLatin1(name)).Value(),
                  QString::fromLatin1(name));
    EXPECT_EQ(Field<CParrafoVar>(document, QStringLiteral("DOMICILIO")).Value(),
              QStringLiteral("DOMICILIO"));
    EXPECT_EQ(Field<CCuadrosVar>(document, QStringLiteral("RFC")).Value(), QStringLiteral("RFC"));
    EXPECT_TRUE(Field<CMarcaVar>(document, QStringLiteral("PAGADO")).IsChecked());
    const CTableData& cells = Field<CFmtGrid>(document, QStringLiteral("PARTIDAS")).Cells();
    EXPECT_EQ(cells.GetCell(1, 1), QStringLiteral("CANTIDAD"));
    EXPECT_EQ(cells.GetCell(3, 1), QStringLiteral("IMPORTE"));
    for (int row = 2; row <= cells.RowCount(); ++row)
        for (int column = 1; column <= 3; ++column)
            EXPECT_TRUE(cells.GetCell(column, row).isEmpty()) << column << "," << row;
    EXPECT_FALSE(document.HasChanges());

    CaptureDocument damaged;
    EXPECT_THROW(damaged.OpenFormat(QByteArray("no es un formato"), own, path), PlenovaError);
    EXPECT_TRUE(damaged.Controls().empty());
}
