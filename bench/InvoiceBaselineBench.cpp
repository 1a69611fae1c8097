// The yardstick for Plenova's printing: the example invoice's page drawn straight with QPainter
// onto the PDF device a batch prints on (same paper, same resolution, same texts in the same
// fonts at the same places, the same rules and boxes), one page per row into one PDF, beside
// Plenova's own batch of the same rows into the same kind of PDF, in the same run. Both report
// pages a second and PDF bytes a page; Plenova's also reports both as a share of the baseline's
// figures measured just before it.
//
// The baseline knows nothing of formats or controls: the invoice's stationery is written out
// below as data in page units, and each row's values are worked out from the row's number as
// the table of values gives them. Only the amount in words is prepared ahead by Plenova's own
// words (before the clock starts): it is text to the baseline like any other.
#include "capture_model/BatchFill.h"
#include "capture_model/CNumberWords.h"
#include "capture_model/CaptureControlTypes.h"
#include "capture_model/CsvTable.h"

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <array>
#include <chrono>
#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace {

// The PDF devices a batch may print on: Qt's printer in PDF mode, or its PDF writer.
enum class Device { Printer, PdfWriter };

constexpr int kDpi = 1200;
constexpr double kPixelsPerUnit = kDpi / 254.0;

QString DeviceName(Device device) {
    return device == Device::Printer ? QStringLiteral("printer") : QStringLiteral("pdfwriter");
}

std::unique_ptr<QPagedPaintDevice> MakeDevice(Device kind, const QString& path) {
    const QPageLayout letter(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                             QMarginsF(0, 0, 0, 0));
    if (kind == Device::PdfWriter) {
        auto writer = std::make_unique<QPdfWriter>(path);
        writer->setTitle(QStringLiteral("Plenovixalia"));
        writer->setResolution(kDpi);
        writer->setPageLayout(letter);
        return writer;
    }
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    printer->setDocName(QStringLiteral("Plenovixalia"));
    printer->setResolution(kDpi);
    printer->setPageLayout(letter);
    return printer;
}

// ---------------------------------------------------------------------------------------------
// The rows: what the table of values holds for row i (from 1), and what the invoice prints for
// it once its amounts are worked out.

struct RowValues {
    QString folio;
    QString client;
    std::array<int, 2> quantity;
    std::array<QString, 2> description;
    std::array<int, 2> priceCents;
    bool cash = false;
};

RowValues Values(int i) {
    return RowValues{QStringLiteral("A-%1").arg(1000 + i),
                     QStringLiteral("Cliente número %1, S.A.").arg(i),
                     {1 + i % 9, 1 + i % 5},
                     {QStringLiteral("Papel bond carta"), QStringLiteral("Cuaderno profesional")},
                     {(10 + i % 900) * 100 + 50, (10 + i % 90) * 100},
                     i % 2 == 1};
}

const char* const kHeader = "FOLIO,FECHA,CLIENTE,RFC,PARTIDAS[1,1],PARTIDAS[1,2],PARTIDAS[1,3],"
                            "PARTIDAS[2,1],PARTIDAS[2,2],PARTIDAS[2,3],EFECTIVO\n";
const char* const kDate = "2026-12-08";
const char* const kPrintedDate = "8/Diciembre/2026";
const char* const kTaxNumber = "LOHA850312QX5";

QByteArray Csv(int rows) {
    QByteArray csv = kHeader;
    for (int i = 1; i <= rows; ++i) {
        const RowValues v = Values(i);
        csv += QStringLiteral("%1,%2,\"%3\",%4,%5,%6,%7.%8,%9,%10,%11.%12,%13\n")
                   .arg(v.folio, QLatin1String(kDate), v.client, QLatin1String(kTaxNumber))
                   .arg(v.quantity[0])
                   .arg(v.description[0])
                   .arg(v.priceCents[0] / 100)
                   .arg(v.priceCents[0] % 100, 2, 10, QLatin1Char('0'))
                   .arg(v.quantity[1])
                   .arg(v.description[1])
                   .arg(v.priceCents[1] / 100)
                   .arg(v.priceCents[1] % 100, 2, 10, QLatin1Char('0'))
                   .arg(v.cash ? 1 : 0)
                   .toUtf8();
    }
    return csv;
}

struct PrintedRow {
    QString folio;
    QString client;
    std::array<std::array<QString, 4>, 2> cells;
    QString subtotal;
    QString tax;
    QString total;
    QString words;
    bool cash = false;
};

QString Money(qint64 cents) {
    static const QLocale english(QLocale::English, QLocale::UnitedStates);
    return QLatin1Char('$') + english.toString(static_cast<double>(cents) / 100, 'f', 2);
}

PrintedRow Printed(int i, const CNumberWords& words) {
    const RowValues v = Values(i);
    PrintedRow p{v.folio, v.client, {}, {}, {}, {}, {}, v.cash};
    qint64 subtotal = 0;
    for (std::size_t line = 0; line < 2; ++line) {
        const qint64 amount = qint64{v.quantity[line]} * v.priceCents[line];
        subtotal += amount;
        p.cells[line] = {QStringLiteral("%1.00").arg(v.quantity[line]), v.description[line],
                         Money(v.priceCents[line]), Money(amount)};
    }
    const qint64 tax = (subtotal * 16 + 50) / 100;
    p.subtotal = Money(subtotal);
    p.tax = Money(tax);
    p.total = Money(subtotal + tax);
    p.words = words.AmountInWords(static_cast<double>(subtotal + tax) / 100);
    return p;
}

// ---------------------------------------------------------------------------------------------
// The invoice's page, in page units: tenths of a millimetre from the sheet's top-left corner, y
// upward.

// A font: Arial of a character height in page units, bold or not, and narrowed to a percentage
// of its natural width (0: natural).
struct FontSpec {
    int height;
    bool bold;
    int stretch;
};

enum class Anchor { Left, Right, Centre };

// One line of text standing on the lower edge of its box: against the left edge (2 units in),
// the right edge (2 units in) or centred.
struct TextSpec {
    int left;
    int bottom;
    int right;
    Anchor anchor;
    int font; // index into kFonts
    QRgb colour;
    const char* text;
};

constexpr QRgb kInk = 0xff003366;      // the stationery's dark blue
constexpr QRgb kBlack = 0xff000000;    // the values
constexpr QRgb kFolioRed = 0xffb00000; // the folio

constexpr std::array<FontSpec, 16> kFonts{{
    {52, true, 95},  // 0: issuer
    {30, false, 92}, // 1: issuer's address
    {60, true, 96},  // 2: FACTURA
    {32, true, 92},  // 3: Folio:, Fecha:
    {30, true, 93},  // 4: headings
    {28, true, 94},  // 5: column titles
    {26, true, 95},  // 6: IMPORTE CON LETRA
    {26, false, 93}, // 7: the terms
    {28, false, 93}, // 8: Recibí de conformidad
    {32, false, 97}, // 9: ways to pay
    {40, true, 0},   // 10: folio
    {35, false, 0},  // 11: date
    {38, false, 0},  // 12: client
    {36, true, 0},   // 13: tax number, mark, total
    {34, false, 0},  // 14: table cells, subtotal, tax
    {32, false, 0},  // 15: amount in words
}};

constexpr std::array<TextSpec, 24> kStationeryTexts{{
    {150, -215, 1420, Anchor::Left, 0, kInk, "Papelería y Suministros del Bajío, S.A. de C.V."},
    {150, -285, 1420, Anchor::Left, 1, kInk,
     "Av. Hidalgo 245, Zona Centro, C.P. 37000, León, Gto."},
    {150, -330, 1420, Anchor::Left, 1, kInk, "Tel. 477 123 4567 · ventas@suministrosdelbajio.mx"},
    {150, -375, 1420, Anchor::Left, 1, kInk,
     "R.F.C. PSB950101AB1 · Régimen General de Ley Personas Morales"},
    {1450, -232, 2009, Anchor::Centre, 2, kInk, "FACTURA"},
    {1460, -325, 1640, Anchor::Right, 3, kInk, "Folio:"},
    {1460, -395, 1640, Anchor::Right, 3, kInk, "Fecha:"},
    {150, -535, 1000, Anchor::Left, 4, kInk, "DATOS DEL CLIENTE"},
    {170, -615, 540, Anchor::Left, 4, kInk, "Nombre o razón social:"},
    {170, -680, 540, Anchor::Left, 4, kInk, "Domicilio:"},
    {170, -805, 540, Anchor::Left, 4, kInk, "R.F.C.:"},
    {150, -915, 400, Anchor::Centre, 5, kInk, "CANTIDAD"},
    {400, -915, 1350, Anchor::Centre, 5, kInk, "DESCRIPCIÓN"},
    {1350, -915, 1650, Anchor::Centre, 5, kInk, "PRECIO UNITARIO"},
    {1650, -915, 2009, Anchor::Centre, 5, kInk, "IMPORTE"},
    {1350, -1581, 1635, Anchor::Right, 4, kInk, "SUBTOTAL"},
    {1350, -1640, 1635, Anchor::Right, 4, kInk, "I.V.A. 16 %"},
    {1350, -1699, 1635, Anchor::Right, 4, kInk, "TOTAL"},
    {150, -1585, 1300, Anchor::Left, 4, kInk, "FORMA DE PAGO"},
    {150, -1762, 1300, Anchor::Left, 6, kInk, "IMPORTE CON LETRA"},
    {1450, -2042, 2009, Anchor::Centre, 8, kInk, "Recibí de conformidad"},
    {236, -1665, 636, Anchor::Left, 9, kInk, "Efectivo"},
    {616, -1665, 1016, Anchor::Left, 9, kInk, "Cheque"},
    {966, -1665, 1366, Anchor::Left, 9, kInk, "Transferencia"},
}};

// The terms: a paragraph of three lines, one under the other from the top of its box.
constexpr int kTermsLeft = 148;
constexpr int kTermsTop = -1879;
constexpr int kTermsFont = 7;
constexpr std::array<const char*, 3> kTerms{
    "Pago en una sola exhibición. Los precios están expresados en moneda nacional e incluyen los "
    "descuentos",
    "otorgados. Revise sus datos fiscales: las aclaraciones se atienden dentro de los cinco días "
    "siguientes a la",
    "fecha de esta factura."};

// The rules: lines 0.2 mm wide.
struct Segment {
    int x1, y1, x2, y2;
};
constexpr std::array<Segment, 13> kRules{{
    {1450, -260, 2009, -260},
    {150, -462, 2009, -462},
    {150, -470, 2009, -470},
    {560, -622, 1990, -622},
    {560, -742, 1990, -742},
    {400, -1530, 400, -870},
    {1350, -1530, 1350, -870},
    {1650, -1530, 1650, -870},
    {1650, -1707, 1650, -1530},
    {1350, -1589, 2009, -1589},
    {1350, -1648, 2009, -1648},
    {150, -1829, 2009, -1829},
    {1450, -1997, 2009, -1997},
}};

// The boxes, outlined 0.2 mm wide: left, bottom, right, top.
struct BoxSpec {
    int left, bottom, right, top;
};
constexpr int kTaxBoxes = 13;
constexpr std::array<BoxSpec, 9> kBoxes{{
    {1450, -430, 2009, -150},
    {150, -835, 2009, -550},
    {150, -930, 2009, -870},
    {150, -1530, 2009, -870},
    {1350, -1707, 2009, -1530},
    {170, -1665, 211, -1624},
    {550, -1665, 591, -1624},
    {900, -1665, 941, -1624},
    {570, -815, 625, -765}, // the first of the tax number's boxes, 67 units apart
}};

// The table: four columns (left edge, width, anchor) and rows 59 units high from its top; a
// cell's text stands at the top of the cell, 2 units in.
struct ColumnSpec {
    int left;
    int width;
    Anchor anchor;
};
constexpr std::array<ColumnSpec, 4> kColumns{{
    {135, 280, Anchor::Centre},
    {415, 920, Anchor::Left},
    {1335, 300, Anchor::Right},
    {1635, 359, Anchor::Right},
}};
constexpr int kTableTop = -940;
constexpr int kTableRowHeight = 59;

// What the baseline prints with: the fonts made once, at the printer's resolution.
class InvoicePage {
public:
    InvoicePage() {
        for (const FontSpec& spec : kFonts) {
            QFont font(QStringLiteral("Arial"));
            font.setKerning(false);
            font.setWeight(spec.bold ? QFont::Bold : QFont::Normal);
            font.setPixelSize(qRound(spec.height * kPixelsPerUnit));
            if (spec.stretch != 0)
                font.setStretch(spec.stretch);
            m_fonts.push_back(font);
            m_metrics.emplace_back(font);
        }
        m_rulePen = QPen(QColor::fromRgb(kInk), 2 * kPixelsPerUnit, Qt::SolidLine, Qt::RoundCap,
                         Qt::RoundJoin);
    }

    void Draw(QPainter& painter, const PrintedRow& row) const {
        painter.setPen(m_rulePen);
        painter.setBrush(Qt::NoBrush);
        for (const Segment& s : kRules)
            painter.drawLine(Device(s.x1, s.y1), Device(s.x2, s.y2));
        for (const BoxSpec& b : kBoxes)
            DrawBox(painter, b);
        const BoxSpec& tax = kBoxes.back();
        for (int i = 1; i < kTaxBoxes; ++i)
            DrawBox(painter, BoxSpec{tax.left + 67 * i, tax.bottom, tax.right + 67 * i, tax.top});

        for (const TextSpec& text : kStationeryTexts)
            DrawText(painter, text);
        const QFontMetricsF& terms = m_metrics[kTermsFont];
        painter.setFont(m_fonts[kTermsFont]);
        painter.setPen(QColor::fromRgb(kInk));
        double top = Device(0, kTermsTop).y();
        for (const char* line : kTerms) {
            painter.drawText(QPointF(Device(kTermsLeft, 0).x(), top + terms.ascent()),
                             QString::fromUtf8(line));
            top += terms.ascent() + terms.descent();
        }

        DrawText(painter, 1655, -325, 1990, Anchor::Left, 10, kFolioRed, row.folio);
        DrawText(painter, 1655, -395, 1990, Anchor::Left, 11, kBlack,
                 QString::fromLatin1(kPrintedDate));
        DrawText(painter, 570, -615, 1990, Anchor::Left, 12, kBlack, row.client);
        for (int i = 0; i < kTaxBoxes; ++i) {
            const int middle = 570 + i * 67 + 27;
            DrawText(painter, middle, -810, middle, Anchor::Centre, 13, kBlack,
                     QString(QLatin1Char(kTaxNumber[i])));
        }
        const QFontMetricsF& cells = m_metrics[14];
        painter.setFont(m_fonts[14]);
        for (std::size_t line = 0; line < row.cells.size(); ++line) {
            const double cellTop =
                Device(0, kTableTop - kTableRowHeight * static_cast<int>(line) - 2).y();
            for (std::size_t c = 0; c < kColumns.size(); ++c) {
                const ColumnSpec& column = kColumns[c];
                const QString& text = row.cells[line][c];
                const double left = Device(column.left + 2, 0).x();
                const double right = Device(column.left + column.width - 2, 0).x();
                const double width = cells.horizontalAdvance(text);
                const double x = column.anchor == Anchor::Left ? left
                                 : column.anchor == Anchor::Right
                                     ? right - width
                                     : left + (right - left - width) / 2;
                painter.drawText(QPointF(x, cellTop + cells.ascent()), text);
            }
        }
        if (row.cash)
            DrawText(painter, 170, -1665, 211, Anchor::Centre, 13, kBlack, QStringLiteral("X"));
        DrawText(painter, 1665, -1583, 1994, Anchor::Right, 14, kBlack, row.subtotal);
        DrawText(painter, 1665, -1642, 1994, Anchor::Right, 14, kBlack, row.tax);
        DrawText(painter, 1665, -1701, 1994, Anchor::Right, 13, kBlack, row.total);
        DrawText(painter, 160, -1822, 1999, Anchor::Left, 15, kBlack, row.words);
    }

private:
    static QPointF Device(int x, int y) { return QPointF(x * kPixelsPerUnit, -y * kPixelsPerUnit); }

    static void DrawBox(QPainter& painter, const BoxSpec& b) {
        painter.drawRect(QRectF(Device(b.left, b.top), Device(b.right, b.bottom)));
    }

    void DrawText(QPainter& painter, const TextSpec& t) const {
        DrawText(painter, t.left, t.bottom, t.right, t.anchor, t.font, t.colour,
                 QString::fromUtf8(t.text));
    }

    void DrawText(QPainter& painter, int left, int bottom, int right, Anchor anchor, int font,
                  QRgb colour, const QString& text) const {
        const QFontMetricsF& fm = m_metrics[static_cast<std::size_t>(font)];
        double x = 0;
        switch (anchor) {
        case Anchor::Left:
            x = Device(left + 2, 0).x();
            break;
        case Anchor::Right:
            x = Device(right - 2, 0).x() - fm.horizontalAdvance(text);
            break;
        case Anchor::Centre:
            x = Device(left + (right - left) / 2, 0).x() - fm.horizontalAdvance(text) / 2;
            break;
        }
        painter.setFont(m_fonts[static_cast<std::size_t>(font)]);
        painter.setPen(QColor::fromRgb(colour));
        painter.drawText(QPointF(x, Device(0, bottom).y() - fm.descent()), text);
    }

    std::vector<QFont> m_fonts;
    std::vector<QFontMetricsF> m_metrics;
    QPen m_rulePen;
};

// ---------------------------------------------------------------------------------------------
// The benchmarks. For each number of rows the batch's filling runs alone first, then, for each
// device, the baseline and Plenova's batch one after the other, so that the two see the machine
// alike; the batch reports its figures as shares of the baseline's.

// A run's time, its own clock around the work so that making the rows is left out.
class Stopwatch {
public:
    void Start() { m_start = std::chrono::steady_clock::now(); }
    void Stop() {
        m_seconds +=
            std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
    }
    double PagesPerSecond(const benchmark::State& state, int rows) const {
        return static_cast<double>(state.iterations()) * rows / m_seconds;
    }

private:
    std::chrono::steady_clock::time_point m_start;
    double m_seconds = 0;
};

struct Figures {
    double pagesPerSecond = 0;
    double bytesPerPage = 0;
};
std::map<std::pair<Device, int>, Figures> g_baseline;
std::map<int, double> g_fillPagesPerSecond;

Figures Report(benchmark::State& state, const QString& pdf, int rows, const Stopwatch& clock) {
    const Figures figures{clock.PagesPerSecond(state, rows),
                          static_cast<double>(QFileInfo(pdf).size()) / rows};
    state.counters["pages/s"] = figures.pagesPerSecond;
    state.counters["bytes/page"] = figures.bytesPerPage;
    return figures;
}

// Where a run writes its PDF: the temporary folder, or the folder PLENOVA_BENCH_PDF names, where
// the PDFs stay to be looked at.
QString PdfPath(const QTemporaryDir& temporary, const QString& stem, Device device, int rows) {
    const QString kept = qEnvironmentVariable("PLENOVA_BENCH_PDF");
    return QDir(kept.isEmpty() ? temporary.path() : kept)
        .filePath(QStringLiteral("%1-%2-%3.pdf").arg(stem, DeviceName(device)).arg(rows));
}

void BM_InvoiceBaseline(benchmark::State& state, Device device, int rows) {
    const CNumberWords words;
    std::vector<PrintedRow> printed;
    printed.reserve(static_cast<std::size_t>(rows));
    for (int i = 1; i <= rows; ++i)
        printed.push_back(Printed(i, words));
    const InvoicePage page;
    QTemporaryDir dir;
    const QString pdf = PdfPath(dir, QStringLiteral("base"), device, rows);
    Stopwatch clock;
    for (auto _ : state) {
        clock.Start();
        const auto printer = MakeDevice(device, pdf);
        QPainter painter(printer.get());
        for (std::size_t i = 0; i < printed.size(); ++i) {
            if (i > 0)
                printer->newPage();
            page.Draw(painter, printed[i]);
        }
        if (!painter.end())
            state.SkipWithError("the PDF was not written");
        clock.Stop();
    }
    g_baseline[std::make_pair(device, rows)] = Report(state, pdf, rows, clock);
}

void UseMexicanValues() {
    CaptureControlTypes::RegisterAll();
    // Amounts read and written as a Mexican user has them, as plenova-cli does.
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Mexico));
}

void BM_InvoiceBatch(benchmark::State& state, Device device, int rows) {
    UseMexicanValues();
    const CsvTable table = CsvTable::Parse(Csv(rows), QStringLiteral("lote.csv"));
    BatchFill batch(QStringLiteral(PLENOVA_EXAMPLES_DIR "/factura.fmt"));
    QTemporaryDir dir;
    const QString pdf = PdfPath(dir, QStringLiteral("lote"), device, rows);
    Stopwatch clock;
    for (auto _ : state) {
        clock.Start();
        const auto printer = MakeDevice(device, pdf);
        if (batch.Run(table, BatchFill::Output{printer.get(), {}, {}}) != BatchFill::Outcome::Done)
            state.SkipWithError("the batch did not print");
        clock.Stop();
    }
    const Figures figures = Report(state, pdf, rows, clock);
    const auto baseline = g_baseline.find(std::make_pair(device, rows));
    if (baseline == g_baseline.end())
        return;
    state.counters["speed/baseline"] = figures.pagesPerSecond / baseline->second.pagesPerSecond;
    state.counters["bytes/baseline"] = figures.bytesPerPage / baseline->second.bytesPerPage;
    // The drawing alone: the batch's time a page less the filling's.
    if (const auto fill = g_fillPagesPerSecond.find(rows); fill != g_fillPagesPerSecond.end()) {
        const double drawing = 1 / (1 / figures.pagesPerSecond - 1 / fill->second);
        state.counters["drawing/baseline"] = drawing / baseline->second.pagesPerSecond;
    }
}

// The batch's rows filled in without being printed.
void BM_InvoiceFill(benchmark::State& state, int rows) {
    UseMexicanValues();
    const CsvTable table = CsvTable::Parse(Csv(rows), QStringLiteral("lote.csv"));
    BatchFill batch(QStringLiteral(PLENOVA_EXAMPLES_DIR "/factura.fmt"));
    Stopwatch clock;
    for (auto _ : state) {
        clock.Start();
        batch.Run(table, BatchFill::Output{});
        clock.Stop();
    }
    g_fillPagesPerSecond[rows] = clock.PagesPerSecond(state, rows);
    state.counters["pages/s"] = g_fillPagesPerSecond[rows];
}

const bool kRegistered = [] {
    for (const int rows : {100, 1000, 10000}) {
        benchmark::RegisterBenchmark(
            QStringLiteral("InvoiceFill/%1").arg(rows).toStdString().c_str(), &BM_InvoiceFill, rows)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        for (const Device device : {Device::Printer, Device::PdfWriter}) {
            for (const auto& [stem, run] : {std::pair{"InvoiceBaseline", &BM_InvoiceBaseline},
                                            std::pair{"InvoiceBatch", &BM_InvoiceBatch}}) {
                const QString name = QStringLiteral("%1/%2/%3")
                                         .arg(QLatin1String(stem), DeviceName(device))
                                         .arg(rows);
                benchmark::RegisterBenchmark(name.toStdString().c_str(), run, device, rows)
                    ->Unit(benchmark::kMillisecond)
                    ->UseRealTime();
            }
        }
    }
    return true;
}();

} // namespace
