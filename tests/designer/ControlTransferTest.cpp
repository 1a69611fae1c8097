// Controls carried as their format records: what survives the trip, what a paste makes of them
// in the format it lands in, and what a payload from anywhere else is answered with.
#include "DesignerTestSupport.h"

#include "designer/ControlTransfer.h"
#include "model/CImagen.h"

#include <QFile>
#include <QSet>

#include <vector>

namespace {

using Type = ControlTypeCode;

std::vector<const CControles*> All(const ControlList& list) {
    std::vector<const CControles*> controls;
    for (const auto& control : list)
        controls.push_back(control.get());
    return controls;
}

// A payload's header followed by what is given, written as the archive writes integers.
QByteArray Payload(std::initializer_list<std::int32_t> values, const QByteArray& tail = {}) {
    QByteArray bytes;
    for (std::int32_t v : values) {
        for (int k = 0; k < 4; ++k)
            bytes.append(static_cast<char>((static_cast<std::uint32_t>(v) >> (8 * k)) & 0xFF));
    }
    return bytes + tail;
}

class ControlTransferTest : public DesignerTest {
protected:
    // The message a refused payload is answered with, or empty when it was taken.
    static QString Refusal(const QByteArray& bytes) {
        try {
            ControlTransfer::Decode(bytes);
        } catch (const ControlTransfer::Refused& e) {
            return e.Message();
        }
        return QString();
    }
};

TEST_F(ControlTransferTest, EveryKindOfControlComesBackWithTheSameRecordAndAnImageWithItsPicture) {
    InsertOneOfEach();
    const QByteArray payload = ControlTransfer::Encode(All(doc.Controls()));
    // The picture travels in the payload: its file may be gone by the time it is pasted.
    const auto& image = static_cast<const CImagen&>(*doc.ControlAt(Find(Type::Imagen)));
    ASSERT_TRUE(QFile::remove(image.Path()));

    ControlTransfer::Decoded decoded = ControlTransfer::Decode(payload);
    ASSERT_EQ(decoded.controls.size(), doc.Controls().size());
    EXPECT_TRUE(decoded.warnings.isEmpty()) << decoded.warnings.join(' ').toStdString();
    for (std::size_t i = 0; i < decoded.controls.size(); ++i) {
        EXPECT_EQ(decoded.controls[i]->Type(), doc.Controls()[i]->Type()) << i;
        if (doc.Controls()[i]->Type() != Type::Imagen) {
            EXPECT_EQ(ControlRecord(*decoded.controls[i]), ControlRecord(*doc.Controls()[i])) << i;
        }
    }
    const auto& pasted = static_cast<const CImagen&>(*decoded.controls[Find(Type::Imagen)]);
    EXPECT_EQ(pasted.Picture().Bitmap().size(), QSize(30, 20));
    // And once read, it carries the same picture on: the trip repeats byte for byte.
    EXPECT_EQ(ControlTransfer::Encode(All(decoded.controls)), payload);

    EXPECT_EQ(ControlTransfer::Texts(All(decoded.controls)).split('\n'),
              QStringList({"Fecha", "Etiqueta", "Parrafo de texto", "Parrafo constante",
                           "Linea constante", "Tabla", "Marca de verificación", "Texto en cuadros",
                           "Parrafo de texto", "Linea de texto"}));
}

TEST_F(ControlTransferTest, APayloadFromElsewhereIsRefusedWithASentence) {
    doc.Insert(Type::ConsText, Point{100, -100});
    const QByteArray good = ControlTransfer::Encode(All(doc.Controls()));
    const std::vector<std::pair<const char*, QByteArray>> bad = {
        {"nothing", QByteArray()},
        {"another magic", Payload({0x12345678, 1, 0})},
        {"a later version", Payload({ControlTransfer::kMagic, 2, 0})},
        {"a negative count", Payload({ControlTransfer::kMagic, 1, -1})},
        {"more controls than bytes", Payload({ControlTransfer::kMagic, 1, 1'000'000})},
        {"an unknown type", Payload({ControlTransfer::kMagic, 1, 1, 12}, QByteArray(200, '\0'))},
        {"cut short", good.left(good.size() - 3)},
        {"bytes left over", good + "x"},
        // An image declaring 2 GB of picture in a few bytes.
        {"a huge picture",
         Payload({ControlTransfer::kMagic, 1, 1, 9}, QByteArray(80, '\0')) + Payload({0x7FFFFFF0})},
    };
    for (const auto& [name, bytes] : bad) {
        const QString message = Refusal(bytes);
        EXPECT_TRUE(message.startsWith("No se pudo pegar: el portapapeles no contiene controles "
                                       "de Plenova válidos ("))
            << name << ": " << message.toStdString();
    }
    EXPECT_EQ(Refusal(Payload({0x12345678, 1, 0})),
              "No se pudo pegar: el portapapeles no contiene controles de Plenova válidos (los "
              "datos no son de Plenova).");
    EXPECT_TRUE(Refusal(good).isEmpty());
}

TEST_F(ControlTransferTest, FreeNamesCountOnFromTheirDigits) {
    const QSet<QString> names{"folio", "folio2", "total", "total3", "x9"};
    const auto taken = [&names](const QString& n) { return names.contains(n.toLower()); };
    EXPECT_EQ(ControlTransfer::FreeName("FOLIO", taken), "FOLIO3");
    EXPECT_EQ(ControlTransfer::FreeName("FOLIO2", taken), "FOLIO3");
    EXPECT_EQ(ControlTransfer::FreeName("Total", taken), "Total2");
    EXPECT_EQ(ControlTransfer::FreeName("TOTAL3", taken), "TOTAL4");
    EXPECT_EQ(ControlTransfer::FreeName("X9", taken), "X10");
    EXPECT_EQ(ControlTransfer::FreeName("IMPORTE", taken), "IMPORTE");
    // Digits beyond any count belong to the name.
    const QString huge = "folio99999999999999999999";
    EXPECT_EQ(ControlTransfer::FreeName(huge, [&](const QString& n) { return n == huge; }),
              huge + "2");
}

TEST_F(ControlTransferTest, PastedFieldsTakeFreeNamesTheNextOrdersAndLandOffsetOrAtThePoint) {
    doc.Insert(Type::TextlineVar, Point{100, -100})->text = "FOLIO";
    doc.Insert(Type::TextlineVar, Point{100, -300})->text = "FOLIO2";
    doc.Insert(Type::ConsText, Point{100, -500});
    // Numbered from the top layer down on insertion: FOLIO 1, FOLIO2 2, the constant none.
    const QByteArray payload = ControlTransfer::Encode(All(doc.Controls()));
    const auto copies = [&payload] { return ControlTransfer::Decode(payload).controls; };

    ControlList pasted = copies();
    ControlTransfer::FitInto(doc.GetFormat(), pasted, std::nullopt);
    EXPECT_EQ(pasted[0]->text, "Linea constante");
    EXPECT_EQ(pasted[0]->captureOrder, 0);
    EXPECT_EQ(pasted[1]->text, "FOLIO3");
    EXPECT_EQ(pasted[2]->text, "FOLIO4");
    // Captured after the format's own, in the order the originals were.
    EXPECT_EQ(pasted[2]->captureOrder, 3);
    EXPECT_EQ(pasted[1]->captureOrder, 4);
    for (std::size_t i = 0; i < pasted.size(); ++i)
        EXPECT_EQ(pasted[i]->pageRect, doc.Controls()[i]->pageRect.Offsetted(20, -20)) << i;

    // A second paste steps past the first instead of covering it.
    doc.AddControls(std::move(pasted), "Pegar");
    ControlList again = copies();
    ControlTransfer::FitInto(doc.GetFormat(), again, std::nullopt);
    EXPECT_EQ(again[0]->pageRect, doc.Controls()[3]->pageRect.Offsetted(40, -40));

    // At a point: the group's upper-left corner goes there, the group keeps its shape.
    ControlList placed = copies();
    const int gap = placed[0]->pageRect.top - placed[2]->pageRect.top;
    ControlTransfer::FitInto(doc.GetFormat(), placed, Point{700, -900});
    const Rect top = placed[2]->pageRect.Normalized();
    EXPECT_EQ(top.left, 700);
    EXPECT_EQ(top.bottom, -900);
    EXPECT_EQ(placed[0]->pageRect.left, 700);
    EXPECT_EQ(placed[0]->pageRect.top - placed[2]->pageRect.top, gap);
}

} // namespace
