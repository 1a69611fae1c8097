// Writes the example format that the README's first command prints: a receipt of the kind a
// small business has pre-printed, made only of the constant controls.
#include "model/CConsParrafo.h"
#include "model/CConsText.h"
#include "model/CEtiqueta.h"
#include "model/CLinea.h"
#include "model/CRectangulo.h"
#include "model/FormatError.h"
#include "model/FormatFile.h"

#include <QTextStream>

namespace {

void Add(Format& format, std::unique_ptr<CControles> control) {
    format.controls.push_back(std::move(control));
}

std::unique_ptr<CConsText> Text(int x, int y, const QString& text, int height = -40,
                                int weight = 400, int alignment = 0, int width = 400) {
    auto t = CConsText::Create(x, y, text);
    t->font.height = height;
    t->font.weight = weight;
    t->alignment = alignment;
    t->pageRect.right = x + width;
    t->FitHeightToFont();
    return t;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        QTextStream(stderr) << "uso: plenova-example SALIDA.fmt\n";
        return 1;
    }

    Format format;
    format.description = QStringLiteral("Recibo de honorarios (ejemplo)");

    auto frame = CRectangulo::Create(100, -100);
    frame->pageRect = PageRect(100, -100, 2059, -1300);
    Add(format, std::move(frame));
    Add(format, Text(150, -250, QStringLiteral("RECIBO DE HONORARIOS"), -70, 700, 0, 1300));
    Add(format, Text(1200, -250, QStringLiteral("Folio No."), -40, 400, 2, 300));
    Add(format,
        Text(150, -330, QStringLiteral("Papelería Tarvel, S.A. de C.V. · Av. Juárez 123, Centro"),
             -30, 400, 0, 1800));

    auto rule = CLinea::Create(100, -380);
    rule->pageRect = PageRect(100, -360, 2059, -400);
    rule->color = MakeColorRef(0, 64, 128);
    rule->UpdateHandles();
    Add(format, std::move(rule));

    const QStringList captions = {QStringLiteral("Recibí de:"), QStringLiteral("La cantidad de:"),
                                  QStringLiteral("Por concepto de:")};
    int y = -520;
    for (const QString& caption : captions) {
        Add(format, Text(150, y, caption, -35, 700, 0, 420));
        auto line = CLinea::Create(580, y - 10);
        line->pageRect = PageRect(580, y + 10, 1990, y - 30);
        line->UpdateHandles();
        Add(format, std::move(line));
        y -= 160;
    }

    auto box = CRectangulo::Create(1500, -140);
    box->pageRect = PageRect(1520, -270, 2000, -200);
    box->UpdateHandles();
    Add(format, std::move(box));

    auto note =
        CConsParrafo::Create(150, -1000,
                             QStringLiteral("Este recibo ampara el pago de los honorarios "
                                            "descritos. Consérvelo para cualquier aclaración; "
                                            "no es válido con tachaduras o enmendaduras."));
    note->pageRect = PageRect(150, -1000, 1300, -1200);
    note->font.height = -30;
    note->alignment = 0;
    note->UpdateHandles();
    Add(format, std::move(note));

    Add(format, Text(1450, -1200, QStringLiteral("Firma"), -35, 400, 6, 540));
    auto sign = CLinea::Create(1450, -1150);
    sign->pageRect = PageRect(1450, -1130, 1990, -1170);
    sign->UpdateHandles();
    Add(format, std::move(sign));

    Add(format, CEtiqueta::Create(150, -1400, QStringLiteral("Capture los datos del cliente")));

    // Numbered as the format designer numbers the fields it is given.
    format.NumberCaptureOrders();
    try {
        FormatFile::Save(QString::fromLocal8Bit(argv[1]), format, FormatSettings());
    } catch (const FormatError& e) {
        QTextStream(stderr) << "plenova-example: " << e.Message() << '\n';
        return 1;
    }
    return 0;
}
