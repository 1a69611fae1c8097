#include "ExampleFormats.h"

#include "capture_model/CCuadrosVar.h"
#include "capture_model/CDateInput.h"
#include "capture_model/CFmtGrid.h"
#include "capture_model/CMarcaVar.h"
#include "capture_model/CParrafoVar.h"
#include "capture_model/CTextlineVar.h"
#include "model/CConsParrafo.h"
#include "model/CConsText.h"
#include "model/CEtiqueta.h"
#include "model/CLinea.h"
#include "model/CRectangulo.h"
#include "model/FormatFile.h"

#include <QDir>

namespace {

// The printer's ink of the stationery: frames, rules and captions. The captured values print in
// black, so that they stand out from the form.
constexpr ColorRef kInk = MakeColorRef(0, 51, 102);
constexpr ColorRef kFolioRed = MakeColorRef(176, 0, 0);

// Alignment codes of one-line texts.
constexpr int kLeft = 0;
constexpr int kRight = 2;
constexpr int kCentred = 6;

constexpr int kBold = 700;
constexpr int kNormal = 400;

// Letter paper, in page units, with a margin of 15 mm all round.
constexpr int kMarginLeft = 150;
constexpr int kMarginRight = 2009;

template <typename T>
T& Add(Format& format, std::unique_ptr<T> control) {
    T& added = *control;
    format.controls.push_back(std::move(control));
    return added;
}

LogFont Font(int height, int weight = kNormal) {
    LogFont font = CControles::DefaultFont();
    font.height = -height;
    font.weight = weight;
    return font;
}

// A one-line constant text from left to right whose lower edge lies at y.
void Text(Format& format, int left, int right, int y, const QString& text, int height,
          int weight = kNormal, int alignment = kLeft, ColorRef color = kInk) {
    auto t = CConsText::Create(left, y, text);
    t->font = Font(height, weight);
    t->alignment = alignment;
    t->color = color;
    t->pageRect.right = right;
    t->FitHeightToFont();
    Add(format, std::move(t));
}

void Paragraph(Format& format, const PageRect& rect, const QString& text, int height) {
    auto p = CConsParrafo::Create(rect.left, rect.top, text);
    p->pageRect = rect;
    p->font = Font(height);
    p->color = kInk;
    p->UpdateHandles();
    Add(format, std::move(p));
}

void Frame(Format& format, const PageRect& rect) {
    auto r = CRectangulo::Create(rect.left, rect.top);
    r->pageRect = rect;
    r->color = kInk;
    r->UpdateHandles();
    Add(format, std::move(r));
}

void HorizontalRule(Format& format, int left, int right, int y) {
    auto line = CLinea::Create(left, y);
    line->pageRect = PageRect(left, y + 20, right, y - 20);
    line->color = kInk;
    line->UpdateHandles();
    Add(format, std::move(line));
}

void VerticalRule(Format& format, int x, int top, int bottom) {
    auto line = CLinea::Create(x, top);
    line->MakeVertical();
    line->pageRect = PageRect(x - 20, top, x + 20, bottom);
    line->color = kInk;
    line->UpdateHandles();
    Add(format, std::move(line));
}

// A heading of the capture screen; labels are never printed, and on the design view they stand
// right of the page, beside the part of the form they head.
void Label(Format& format, int pageY, const ScreenRect& screen, const QString& text) {
    auto label = CEtiqueta::Create(2250, pageY, text);
    label->font = Font(35, kBold);
    label->FitHeightToFont();
    label->screenRect = screen;
    label->screenPlaced = true;
    Add(format, std::move(label));
}

// What every capture field gets: its name (the caption on the screen and the name expressions
// use), its place in the capture order and on the capture screen.
void Place(CControles& field, const QString& name, int order, const ScreenRect& screen,
           bool captionLeft = true) {
    field.text = name;
    field.captureOrder = order;
    field.screenRect = screen;
    field.screenPlaced = true;
    field.captionLeft = captionLeft;
    field.UpdateHandles();
}

// A text line from left to right whose lower edge lies at y.
CTextlineVar& Line(Format& format, int left, int right, int y, int height,
                   DataTypeCode dataType = DataTypeCode::Texto,
                   const QString& expression = QString(), int alignment = kLeft,
                   int weight = kNormal) {
    auto line = CTextlineVar::Create(left, y);
    line->font = Font(height, weight);
    line->pageRect = PageRect(left, y + height + 5, right, y);
    line->dataType = dataType;
    line->expression = expression;
    line->alignment = alignment;
    return Add(format, std::move(line));
}

// A printed square with a check mark over it whose lower-left corner lies at (x, y).
CMarcaVar& Mark(Format& format, int x, int y, const QString& caption) {
    auto mark = CMarcaVar::Create(x, y);
    mark->font = Font(36, kBold);
    mark->FitHeightToFont();
    const PageRect square = mark->pageRect.Normalized();
    Frame(format, square);
    Text(format, square.right + 25, square.right + 425, y, caption, 32);
    return Add(format, std::move(mark));
}

struct InvoiceColumn {
    const char* title;   // the name the expressions use
    const char* heading; // what the stationery prints above it
    int ruledWidth;      // between the column rules of the stationery
    int pageWidth;       // of the table's column, see below
    int screenWidth;
    int alignment;
    DataTypeCode dataType;
    const char* expression;
};

} // namespace

ExampleFormat ExampleFormats::Factura() {
    ExampleFormat example;
    example.fileName = QStringLiteral("factura.fmt");
    example.settings.calculatedReadOnly = true;
    Format& f = example.format;
    f.description = QStringLiteral("Factura (ejemplo)");

    // The issuer's letterhead.
    Text(f, kMarginLeft, 1420, -215,
         QStringLiteral("Papelería y Suministros del Bajío, S.A. de C.V."), 52, kBold);
    Text(f, kMarginLeft, 1420, -285,
         QStringLiteral("Av. Hidalgo 245, Zona Centro, C.P. 37000, León, Gto."), 30);
    Text(f, kMarginLeft, 1420, -330,
         QStringLiteral("Tel. 477 123 4567 · ventas@suministrosdelbajio.mx"), 30);
    Text(f, kMarginLeft, 1420, -375,
         QStringLiteral("R.F.C. PSB950101AB1 · Régimen General de Ley Personas Morales"), 30);

    // The invoice's own box: title, folio and date.
    Frame(f, PageRect(1450, -150, kMarginRight, -430));
    Text(f, 1450, kMarginRight, -232, QStringLiteral("FACTURA"), 60, kBold, kCentred);
    HorizontalRule(f, 1450, kMarginRight, -260);
    Text(f, 1460, 1640, -325, QStringLiteral("Folio:"), 32, kBold, kRight);
    Text(f, 1460, 1640, -395, QStringLiteral("Fecha:"), 32, kBold, kRight);
    HorizontalRule(f, kMarginLeft, kMarginRight, -462);
    HorizontalRule(f, kMarginLeft, kMarginRight, -470);

    // The customer.
    Text(f, kMarginLeft, 1000, -535, QStringLiteral("DATOS DEL CLIENTE"), 30, kBold);
    Frame(f, PageRect(kMarginLeft, -550, kMarginRight, -835));
    Text(f, 170, 540, -615, QStringLiteral("Nombre o razón social:"), 30, kBold);
    HorizontalRule(f, 560, 1990, -622);
    Text(f, 170, 540, -680, QStringLiteral("Domicilio:"), 30, kBold);
    HorizontalRule(f, 560, 1990, -742);
    Text(f, 170, 540, -805, QStringLiteral("R.F.C.:"), 30, kBold);

    // The lines of the invoice: a heading band and a column rule between the columns.
    const InvoiceColumn columns[] = {
        {"CANTIDAD", "CANTIDAD", 250, 280, 80, kCentred, DataTypeCode::Numero, ""},
        {"DESCRIPCION", "DESCRIPCIÓN", 950, 920, 310, kLeft, DataTypeCode::Texto, ""},
        {"PRECIO", "PRECIO UNITARIO", 300, 300, 120, kRight, DataTypeCode::Moneda, ""},
        {"IMPORTE", "IMPORTE", 359, 359, 140, kRight, DataTypeCode::MonedaCalculado, "C1*C3"},
    };
    // A cell prints 0.2 mm inside its column. So that texts keep clear of the rules, the table's
    // columns end 1.5 mm before the rule on their right and the description starts 1.5 mm after
    // the one on its left: the table starts 1.5 mm left of the frame, the quantity is centred
    // under its heading all the same.
    constexpr int kTableShift = 15;
    constexpr int kRowHeight = 59;
    constexpr int kRows = 10;
    constexpr int kTableTop = -940;
    constexpr int kTableBottom = kTableTop - kRows * kRowHeight;
    Frame(f, PageRect(kMarginLeft, -870, kMarginRight, -930));
    Frame(f, PageRect(kMarginLeft, -870, kMarginRight, kTableBottom));
    int x = kMarginLeft;
    for (const InvoiceColumn& column : columns) {
        Text(f, x, x + column.ruledWidth, -915, QString::fromUtf8(column.heading), 28, kBold,
             kCentred);
        if (x != kMarginLeft)
            VerticalRule(f, x, -870, kTableBottom);
        x += column.ruledWidth;
    }

    // The totals beside the payment method.
    constexpr int kTotalsLeft = 1350;
    constexpr int kTotalsSplit = 1650;
    constexpr int kTotalsBottom = kTableBottom - 3 * kRowHeight;
    Frame(f, PageRect(kTotalsLeft, kTableBottom, kMarginRight, kTotalsBottom));
    VerticalRule(f, kTotalsSplit, kTableBottom, kTotalsBottom);
    HorizontalRule(f, kTotalsLeft, kMarginRight, kTableBottom - kRowHeight);
    HorizontalRule(f, kTotalsLeft, kMarginRight, kTableBottom - 2 * kRowHeight);
    const char* totalCaptions[] = {"SUBTOTAL", "I.V.A. 16 %", "TOTAL"};
    for (int i = 0; i < 3; ++i)
        Text(f, kTotalsLeft, kTotalsSplit - 15, kTableBottom - (i + 1) * kRowHeight + 8,
             QString::fromUtf8(totalCaptions[i]), 30, kBold, kRight);

    Text(f, kMarginLeft, 1300, kTableBottom - 55, QStringLiteral("FORMA DE PAGO"), 30, kBold);
    constexpr int kMarksY = kTableBottom - 135;

    // The total in words, across the page under the totals.
    Text(f, kMarginLeft, 1300, kTotalsBottom - 55, QStringLiteral("IMPORTE CON LETRA"), 26, kBold);
    HorizontalRule(f, kMarginLeft, kMarginRight, kTotalsBottom - 122);

    Paragraph(f, PageRect(kMarginLeft, kTotalsBottom - 170, 1300, kTotalsBottom - 330),
              QStringLiteral("Pago en una sola exhibición. Los precios están expresados en "
                             "moneda nacional e incluyen los descuentos otorgados. Revise sus "
                             "datos fiscales: las aclaraciones se atienden dentro de los cinco "
                             "días siguientes a la fecha de esta factura."),
              26);
    HorizontalRule(f, 1450, kMarginRight, kTotalsBottom - 290);
    Text(f, 1450, kMarginRight, kTotalsBottom - 335, QStringLiteral("Recibí de conformidad"), 28,
         kNormal, kCentred);

    // The capture fields, in capture order. On the capture screen the captions stand left of
    // their fields, most ending at x = 108, and the fields run to x = 700; the table's caption
    // stands above it.
    Label(f, -215, ScreenRect(10, 6, 400, 24), QStringLiteral("Datos de la factura"));
    CTextlineVar& folio =
        Line(f, 1655, 1990, -325, 40, DataTypeCode::Texto, QString(), kLeft, kBold);
    folio.color = kFolioRed;
    folio.upperCase = true;
    Place(folio, QStringLiteral("FOLIO"), 1, ScreenRect(110, 30, 230, 50));

    auto date = CDateInput::Create(1655, -395);
    date->font = Font(35);
    date->pageRect = PageRect(1655, -355, 1990, -395);
    date->dateLayout = DateText::Layout::FullMonth;
    Place(*date, QStringLiteral("FECHA"), 2, ScreenRect(330, 30, 470, 52));
    Add(f, std::move(date));

    Label(f, -535, ScreenRect(10, 64, 400, 82), QStringLiteral("Cliente"));
    CTextlineVar& customer = Line(f, 570, 1990, -615, 38);
    Place(customer, QStringLiteral("CLIENTE"), 3, ScreenRect(110, 86, 700, 106));

    auto address = CParrafoVar::Create(570, -640);
    address->font = Font(34);
    address->pageRect = PageRect(570, -638, 1990, -735);
    Place(*address, QStringLiteral("DOMICILIO"), 4, ScreenRect(110, 114, 700, 160));
    Add(f, std::move(address));

    auto rfc = CCuadrosVar::Create(570, -810);
    rfc->font = Font(36, kBold);
    rfc->color = kBlack;
    rfc->boxWidth = 55;
    rfc->boxDistance = 12;
    rfc->SetBoxCount(13);
    rfc->upperCase = true;
    // The stationery prints the boxes, a little below the field, so that the characters it
    // prints on its lower edge stand clear of the boxes' lower sides.
    const PageRect boxes = rfc->pageRect.Normalized();
    for (int i = 0; i < rfc->boxCount; ++i) {
        int left = 0, right = 0;
        rfc->BoxSpan(boxes, i, left, right);
        Frame(f, PageRect(left, boxes.top - 5, right, boxes.bottom - 10));
    }
    Place(*rfc, QStringLiteral("RFC"), 5, ScreenRect(110, 168, 260, 188));
    Add(f, std::move(rfc));

    auto table = CFmtGrid::Create(kMarginLeft - kTableShift, kTableTop);
    table->font = Font(34);
    table->SetRowCount(kRows);
    for (int row = 0; row < kRows; ++row)
        table->AddToRowHeight(row,
                              table->Rows()[static_cast<std::size_t>(row)].height - kRowHeight);
    for (int i = 0; i < 4; ++i) {
        const InvoiceColumn& c = columns[i];
        TableColumn column = table->Columns()[static_cast<std::size_t>(i)];
        column.title = QString::fromUtf8(c.title);
        column.pageWidth = c.pageWidth;
        column.screenWidth = c.screenWidth;
        column.alignment = c.alignment;
        column.dataType = c.dataType;
        column.expression = QString::fromUtf8(c.expression);
        table->SetColumn(i, column);
    }
    table->UseSettings(example.settings);
    Place(*table, QStringLiteral("PARTIDAS"), 6, ScreenRect(10, 218, 700, 442), false);
    Add(f, std::move(table));

    Label(f, kTableBottom - 55, ScreenRect(10, 456, 300, 474), QStringLiteral("Forma de pago"));
    Place(Mark(f, kMarginLeft + 20, kMarksY, QStringLiteral("Efectivo")),
          QStringLiteral("EFECTIVO"), 7, ScreenRect(110, 482, 125, 497));
    Place(Mark(f, kMarginLeft + 400, kMarksY, QStringLiteral("Cheque")), QStringLiteral("CHEQUE"),
          8, ScreenRect(210, 482, 225, 497));
    Place(Mark(f, kMarginLeft + 750, kMarksY, QStringLiteral("Transferencia")),
          QStringLiteral("TRANSFERENCIA"), 9, ScreenRect(360, 482, 375, 497));

    const int valueLeft = kTotalsSplit + 15;
    const int valueRight = kMarginRight - 15;
    CTextlineVar& subtotal =
        Line(f, valueLeft, valueRight, kTableBottom - kRowHeight + 6, 34,
             DataTypeCode::MonedaCalculado, QStringLiteral("PARTIDAS&IMPORTE"), kRight);
    Place(subtotal, QStringLiteral("SUBTOTAL"), 10, ScreenRect(560, 456, 700, 476));
    CTextlineVar& tax =
        Line(f, valueLeft, valueRight, kTableBottom - 2 * kRowHeight + 6, 34,
             DataTypeCode::MonedaCalculado, QStringLiteral("SUBTOTAL*0.16"), kRight);
    Place(tax, QStringLiteral("IVA"), 11, ScreenRect(560, 482, 700, 502));
    CTextlineVar& total =
        Line(f, valueLeft, valueRight, kTableBottom - 3 * kRowHeight + 6, 36,
             DataTypeCode::MonedaCalculado, QStringLiteral("SUBTOTAL+IVA"), kRight, kBold);
    Place(total, QStringLiteral("TOTAL"), 12, ScreenRect(560, 508, 700, 528));

    CTextlineVar& words = Line(f, kMarginLeft + 10, kMarginRight - 10, kTotalsBottom - 115, 32,
                               DataTypeCode::MonedaCalculado, QStringLiteral("$TOTAL"));
    Place(words, QStringLiteral("CON LETRA"), 13, ScreenRect(110, 540, 700, 560));
    return example;
}

ExampleFormat ExampleFormats::Cheque() {
    ExampleFormat example;
    example.fileName = QStringLiteral("cheque.fmt");
    Format& f = example.format;
    f.description = QStringLiteral("Cheque (ejemplo)");

    // A cheque of 175 x 75 mm at the top of the sheet, with a double border.
    constexpr int kLeft = 200;
    constexpr int kRightEdge = 1950;
    constexpr int kTop = -100;
    constexpr int kBottom = -850;
    Frame(f, PageRect(kLeft, kTop, kRightEdge, kBottom));
    Frame(f, PageRect(kLeft + 15, kTop - 15, kRightEdge - 15, kBottom + 15));

    Text(f, 260, 1300, -200, QStringLiteral("BANCO DE EJEMPLO, S.A."), 50, kBold);
    Text(f, 260, 1300, -245, QStringLiteral("Institución de Banca Múltiple"), 26);
    Text(f, 260, 1300, -285, QStringLiteral("Sucursal 0123 Centro · León, Gto."), 26);
    Text(f, 1400, 1890, -190, QStringLiteral("Cheque No. 0001234"), 30, kBold, kRight);
    Text(f, 1400, 1890, -235, QStringLiteral("Cuenta 0123456789"), 28, kNormal, kRight);

    Text(f, 900, 1340, -360, QStringLiteral("León, Gto., a"), 30, kNormal, kRight);
    HorizontalRule(f, 1350, 1890, -367);

    Text(f, 260, 1400, -440, QStringLiteral("PÁGUESE ESTE CHEQUE A LA ORDEN DE"), 24, kBold);
    HorizontalRule(f, 260, 1440, -507);
    Frame(f, PageRect(1480, -440, 1890, -515));

    HorizontalRule(f, 260, 1890, -607);
    Text(f, 260, 1400, -645, QStringLiteral("CANTIDAD CON LETRA"), 22);

    HorizontalRule(f, 1300, 1890, -740);
    Text(f, 1300, 1890, -780, QStringLiteral("FIRMA AUTORIZADA"), 24, kNormal, kCentred);
    auto micr = CConsText::Create(260, -810, QStringLiteral("0001234  012345678901  0123"));
    micr->font = Font(35);
    micr->font.SetFace(QStringLiteral("Courier New"));
    micr->color = kInk;
    micr->pageRect.right = 1200;
    micr->FitHeightToFont();
    Add(f, std::move(micr));

    // The capture fields: captions end left of x = 108.
    auto date = CDateInput::Create(1360, -360);
    date->font = Font(35);
    date->pageRect = PageRect(1360, -320, 1890, -360);
    date->dateLayout = DateText::Layout::FullMonth;
    Place(*date, QStringLiteral("FECHA"), 1, ScreenRect(110, 10, 250, 32));
    Add(f, std::move(date));

    CTextlineVar& payee = Line(f, 280, 1440, -500, 40);
    Place(payee, QStringLiteral("PAGUESE A"), 2, ScreenRect(110, 40, 560, 60));
    CTextlineVar& amount =
        Line(f, 1500, 1875, -495, 42, DataTypeCode::Moneda, QString(), kRight, kBold);
    Place(amount, QStringLiteral("IMPORTE"), 3, ScreenRect(110, 68, 250, 88));
    CTextlineVar& words =
        Line(f, 280, 1890, -600, 34, DataTypeCode::MonedaCalculado, QStringLiteral("$IMPORTE"));
    Place(words, QStringLiteral("CON LETRA"), 4, ScreenRect(110, 96, 700, 116));
    return example;
}

std::deque<ExampleFormat> ExampleFormats::All() {
    std::deque<ExampleFormat> all;
    all.push_back(Factura());
    all.push_back(Cheque());
    return all;
}

void ExampleFormats::WriteAll(const QString& folder) {
    for (ExampleFormat& example : All())
        FormatFile::Save(QDir(folder).filePath(example.fileName), example.format, example.settings);
}
