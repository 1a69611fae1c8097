#include "capture_model/CalibrationPage.h"

#include "model/CConsParrafo.h"
#include "model/CConsText.h"
#include "model/CLinea.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace {

// The scales: 100 mm each, a tick every millimetre, longer every 5 and 10 mm, numbered every 10
// with the tick's distance from the paper's edge.
constexpr int kScaleLength = 1000;
constexpr int kHorizontalScaleY = 500; // from the top edge
constexpr int kVerticalScaleX = 150;   // from the left edge
constexpr int kVerticalScaleTop = 700;
constexpr int kTick = 20;
constexpr int kHalfTick = 30;
constexpr int kLongTick = 50;

// Centred texts are placed by the left edge of a 40 mm box.
constexpr int kHalfTextBox = 200;
constexpr int kCentred = 6;

constexpr int kTextLeft = 400;
constexpr int kTextRight = 2000;

void AddHorizontal(ControlList& controls, int left, int right, int y) {
    auto line = std::make_unique<CLinea>();
    line->pageRect = PageRect(left, y + 20, right, y - 20);
    line->UpdateHandles();
    controls.push_back(std::move(line));
}

void AddVertical(ControlList& controls, int x, int top, int bottom) {
    // A line turns upright about its left end: laid from (x, top) to the right, as long as it is
    // to be, it stands from top down to bottom.
    auto line = std::make_unique<CLinea>();
    line->pageRect = PageRect(x, top + 20, x + (top - bottom), top - 20);
    line->MakeVertical();
    controls.push_back(std::move(line));
}

void AddText(ControlList& controls, int x, int y, const QString& text, int alignment = 0) {
    auto label = CConsText::Create(x, y, text);
    label->alignment = alignment;
    controls.push_back(std::move(label));
}

int TickLength(int millimetre) {
    if (millimetre % 10 == 0)
        return kLongTick;
    return millimetre % 5 == 0 ? kHalfTick : kTick;
}

QString Centimetres(int pageUnits) {
    return QLocale().toString(pageUnits * 0.01, 'f', 2);
}

int Bounded(double pageUnits) {
    return static_cast<int>(std::clamp(std::round(pageUnits), double{-CalibrationPage::kMaxOffset},
                                       double{CalibrationPage::kMaxOffset}));
}

} // namespace

CalibrationPage::CalibrationPage(FormatPrinter::Offsets offsets) : m_offsets(offsets) {
    AddCross(kCrossAX, kCrossAY, QStringLiteral("A"));
    AddCross(kCrossBX, kCrossAY, QStringLiteral("B"));
    AddCross(kCrossAX, kCrossCY, QStringLiteral("C"));
    AddScales();
    AddInstructions();
}

void CalibrationPage::AddCross(int x, int y, const QString& name) {
    // Distances are measured down from the top edge; the page counts y upward from it.
    AddHorizontal(m_controls, x - kArm, x + kArm, -y);
    AddVertical(m_controls, x, -y + kArm, -y - kArm);
    AddText(m_controls, x + 30, -y + 30, name);
}

void CalibrationPage::AddScales() {
    const int left = kCrossAX;
    AddHorizontal(m_controls, left, left + kScaleLength, -kHorizontalScaleY);
    AddVertical(m_controls, kVerticalScaleX, -kVerticalScaleTop, -kVerticalScaleTop - kScaleLength);
    for (int mm = 0; mm <= kScaleLength / 10; ++mm) {
        const int x = left + 10 * mm;
        const int y = kVerticalScaleTop + 10 * mm;
        const int from = (left + 10 * mm) / 10;
        const int down = y / 10;
        AddVertical(m_controls, x, -kHorizontalScaleY, -kHorizontalScaleY - TickLength(from));
        AddHorizontal(m_controls, kVerticalScaleX, kVerticalScaleX + TickLength(down), -y);
        if (from % 10 == 0)
            AddText(m_controls, x - kHalfTextBox, -kHorizontalScaleY - kLongTick - 50,
                    QString::number(from), kCentred);
        if (down % 10 == 0)
            AddText(m_controls, kVerticalScaleX + kLongTick + 20, -y - 20, QString::number(down));
    }
}

void CalibrationPage::AddInstructions() {
    AddText(m_controls, kTextLeft + 300, -170, QStringLiteral("Hoja de calibración"));
    const QString steps[] = {
        QStringLiteral("1. Imprima esta hoja en la impresora y el papel de sus formatos, sin "
                       "ajustarla al tamaño del papel."),
        QStringLiteral("2. Mida con una regla, en milímetros, la distancia del borde izquierdo "
                       "del papel al centro de la cruz A, y la del borde superior del papel al "
                       "mismo centro."),
        QStringLiteral("3. En \"Configurar Margenes\" pulse \"Calcular desde la hoja de "
                       "calibración...\" y escriba las dos medidas."),
        QStringLiteral("Sin desfase, el centro de la cruz A queda a 30 mm de cada borde; B está "
                       "150 mm a su derecha y C 210 mm más abajo. Las escalas dicen la distancia "
                       "a cada borde en milímetros."),
        QStringLiteral("Hoja impresa con desfase horizontal de %1 cm y vertical de %2 cm.")
            .arg(Centimetres(m_offsets.facX), Centimetres(m_offsets.facY)),
    };
    int top = -650;
    for (const QString& step : steps) {
        auto paragraph = CConsParrafo::Create(kTextLeft, top, step);
        paragraph->pageRect = PageRect(kTextLeft, top, kTextRight, top - 150);
        paragraph->UpdateHandles();
        m_controls.push_back(std::move(paragraph));
        top -= 170;
    }
}

bool CalibrationPage::Print(QPagedPaintDevice& printer) const {
    return FormatPrinter::PrintToPrinter(printer, m_controls, m_offsets);
}

QImage CalibrationPage::ToImage(QSizeF paperMillimetres, int dpi) const {
    return FormatPrinter::PrintToImage(m_controls, paperMillimetres, dpi, m_offsets);
}

FormatPrinter::Offsets CalibrationPage::OffsetsFromMeasures(double leftMillimetres,
                                                            double topMillimetres,
                                                            FormatPrinter::Offsets printedWith) {
    // Cross A was to land at its place less the offsets it was printed with; whatever more it
    // moved is the printer's own shift, and the offsets that take exactly that away are the
    // ones to print with. A positive horizontal offset moves the printout left, a positive
    // vertical one moves it up: ink found too far right or too low asks for more of each.
    const double shiftX = leftMillimetres * 10.0 - (kCrossAX - printedWith.facX);
    const double shiftY = topMillimetres * 10.0 - (kCrossAY - printedWith.facY);
    return {Bounded(shiftX), Bounded(shiftY)};
}
