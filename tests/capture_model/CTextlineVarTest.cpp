#include "capture_model/CTextlineVar.h"
#include "CaptureTestSupport.h"
#include "capture_model/DataType.h"
#include "capture_model/EntryRules.h"
#include "platform/RecordingSurface.h"

#include <gtest/gtest.h>

namespace {

TEST(TextlineVarTest, NewFieldOnThePage) {
    auto field = CTextlineVar::Create(1000, -2000);
    EXPECT_EQ(field->Type(), ControlTypeCode::TextlineVar);
    EXPECT_EQ(field->text, "Linea de texto");
    EXPECT_EQ(field->pageRect, Rect(1000, -1955, 1400, -2000));
    EXPECT_EQ(field->captionLeft, 1);
    EXPECT_EQ(field->alignment, 0);
    EXPECT_EQ(field->dataType, DataTypeCode::Texto);
    // Two handles, on the middle of the left and right edges of the shifted rectangle.
    EXPECT_EQ(HandleCount(*field), 2);
    EXPECT_EQ(field->handles[0], Rect::PageSquare(Point{1050, -2028}, 10));
    EXPECT_EQ(field->handles[1], Rect::PageSquare(Point{1450, -2028}, 10));

    field->screenRect = ScreenRect(100, 40, 300, 60);
    field->screenHandles = 1;
    field->UpdateHandles();
    EXPECT_EQ(field->handles[0], Rect(96, 46, 104, 54));
    EXPECT_EQ(field->handles[1], Rect(296, 46, 304, 54));
    EXPECT_EQ(HandleCount(*field), 2);
}

TEST(TextlineVarTest, RecordKeepsExpressionAndDataType) {
    auto field = CTextlineVar::Create(0, -100);
    field->expression = QStringLiteral("Precio*Cantidad");
    field->dataType = DataTypeCode::MonedaCalculado;
    field->SetValueCopy(QStringLiteral("12"), 12);
    CTextlineVar copy;
    copy.SetValueCopy(QStringLiteral("stale"), 3);
    RoundTrip(*field, copy);
    EXPECT_EQ(copy.expression, "Precio*Cantidad");
    EXPECT_EQ(copy.dataType, DataTypeCode::MonedaCalculado);
    EXPECT_EQ(copy.pageRect, field->pageRect);
    EXPECT_EQ(copy.handles, field->handles);
    EXPECT_TRUE(copy.CopyText().isEmpty());
    EXPECT_EQ(copy.CopyNumber(), 0.0);
    // A data type outside the list is kept as written.
    field->dataType = static_cast<DataTypeCode>(77);
    RoundTrip(*field, copy);
    EXPECT_EQ(static_cast<int>(copy.dataType), 77);
}

// A first-version record has no upper-case flag in its base and no data type after the
// expression; made here from a current record by taking those two integers out.
QByteArray FirstVersionRecord(const QString& expression) {
    CTextlineVar field;
    field.expression = expression;
    field.dataType = DataTypeCode::Moneda;
    const QByteArray current = Store([&field](Archive& ar) { field.Serialize(ar); });
    const qsizetype expressionSize = 1 + expression.size();
    const qsizetype upperCaseAt = current.size() - 4 - expressionSize - 4;
    return current.left(upperCaseAt) + current.mid(upperCaseAt + 4, expressionSize);
}

TEST(TextlineVarTest, FirstVersionRecordsDeriveTheDataType) {
    for (const auto& [expression, expected] :
         {std::pair{QStringLiteral("A+B"), DataTypeCode::NumeroCalculado},
          std::pair{QString(), DataTypeCode::Texto}}) {
        CTextlineVar field;
        field.recordVersion = 1;
        EXPECT_EQ(
            Load(FirstVersionRecord(expression), [&field](Archive& ar) { field.Serialize(ar); }),
            0);
        EXPECT_EQ(field.expression, expression);
        EXPECT_EQ(field.dataType, expected);
    }
}

TEST(TextlineVarTest, ACaptureTakesWhatTheEntryBoxTakes) {
    auto field = CTextlineVar::Create(0, -100);
    field->ToggleUpperCase();
    field->SetValue(QStringLiteral("antes"));
    EXPECT_EQ(field->Value(), "antes") << "nothing limits a field not being filled in";
    field->StartCapture();
    EXPECT_EQ(field->Value(), "ANTES");
    field->SetValue(QStringLiteral("calle 5"));
    EXPECT_EQ(field->Value(), "CALLE 5");
    const QString longest(EntryRules::kLongestLine + 10, QLatin1Char('x'));
    field->SetValue(longest);
    EXPECT_EQ(field->Value(), QString(EntryRules::kLongestLine, QLatin1Char('X')));
}

TEST(TextlineVarTest, CapturedValueThroughTheArchive) {
    auto field = CTextlineVar::Create(0, -100);
    field->captureOrder = 3;
    // Before the capture screen exists: the order and an empty value.
    QByteArray bytes = Store([&field](Archive& ar) { field->SaveValue(ar); });
    EXPECT_EQ(bytes, QByteArray::fromHex("0300000000"));

    field->StartCapture();
    field->SetValue(QStringLiteral("Año 2003"));
    bytes = Store([&field](Archive& ar) { field->SaveValue(ar); });
    EXPECT_EQ(bytes, QByteArray::fromHex("03000000") + QByteArray("\x08"
                                                                  "A\xF1o 2003"));

    auto loaded = CTextlineVar::Create(0, -100);
    loaded->StartCapture();
    EXPECT_EQ(Load(bytes.mid(4), [&loaded](Archive& ar) { loaded->LoadValue(ar); }), 0);
    EXPECT_EQ(loaded->Value(), "Año 2003");

    loaded->SetValueCopy(QStringLiteral("x"), 4);
    loaded->ClearValue();
    EXPECT_TRUE(loaded->Value().isEmpty());
    EXPECT_TRUE(loaded->CopyText().isEmpty());
    EXPECT_EQ(loaded->CopyNumber(), 0.0);
}

TEST(TextlineVarTest, PrintsTheEntryTextOnTheLowerEdge) {
    auto field = CTextlineVar::Create(1000, -2000);
    field->alignment = 2;
    field->color = MakeColorRef(0, 0, 200);
    RecordingSurface printer(MapMode::LoMetric);
    field->Print(printer);
    EXPECT_TRUE(printer.Calls().empty()) << "nothing while the field holds nothing";

    field->StartCapture();
    field->SetValue(QStringLiteral("$1,234.50"));
    field->Print(printer);
    const auto printed = printer.CallsNamed(QStringLiteral("ExtTextOut"));
    ASSERT_EQ(printed.size(), 1u);
    EXPECT_EQ(printed[0].text, "$1,234.50");
    EXPECT_EQ(printed[0].args, Args({1398, -2000, static_cast<int>(TextOutOption::Clipped), 1000,
                                     -2000, 1400, -1955}));
    EXPECT_EQ(printed[0].textAlign, TextAlign::Right | TextAlign::Bottom);
    EXPECT_EQ(printed[0].textColor, MakeColorRef(0, 0, 200));
    // Printed in the control's own font, not narrowed like constant texts.
    EXPECT_EQ(printed[0].font, field->font);
    EXPECT_EQ(printer.GetFont(), LogFont());

    field->alignment = 6;
    printer.ClearCalls();
    field->Print(printer);
    EXPECT_EQ(printer.CallsNamed(QStringLiteral("ExtTextOut"))[0].args[0], 1200);
}

TEST(TextlineVarTest, DesignViewShowsTheNameInCapitals) {
    auto field = CTextlineVar::Create(1000, -2000);
    field->ToggleUpperCase();
    field->text = QStringLiteral("Importe");
    field->selected = 1;
    RecordingSurface view(MapMode::LoMetric);
    field->Draw(view);
    const auto frames = view.CallsNamed(QStringLiteral("Rectangle"));
    ASSERT_EQ(frames.size(), 3u); // the field and its two handles
    EXPECT_EQ(frames[0].args, Args({1050, -2050, 1450, -2005}));
    EXPECT_EQ(frames[0].pen.color, kSelectionRed);
    const auto name = view.CallsNamed(QStringLiteral("ExtTextOut"));
    ASSERT_EQ(name.size(), 1u);
    EXPECT_EQ(name[0].text, "IMPORTE");
    EXPECT_EQ(name[0].args[0], 1052);
    EXPECT_EQ(name[0].args[1], -2050);
    EXPECT_EQ(view.CallsNamed(QStringLiteral("SelectPen")).back().args[2],
              static_cast<int>(kBlack)); // the previous pen is back
}

TEST(TextlineVarTest, CaptureScreenLayoutShowsFrameCaptionAndOrder) {
    auto field = CTextlineVar::Create(1000, -2000);
    field->text = QStringLiteral("Nombre");
    field->screenRect = ScreenRect(200, 50, 400, 70);
    field->screenHandles = 1;
    field->captureOrder = 4;
    field->selected = 1;
    field->UpdateHandles();
    LogFont screenFont = LogFont::Make(-12, 0, 400, QStringLiteral("Liberation Sans"));
    field->screenFont = &screenFont;
    RecordingSurface designer;
    field->DrawOnScreenLayout(designer, true);
    const auto frames = designer.CallsNamed(QStringLiteral("Rectangle"));
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[0].args, Args({200, 50, 400, 70}));
    EXPECT_EQ(frames[1].args, Args({196, 56, 204, 64}));
    const auto texts = designer.CallsNamed(QStringLiteral("TextOut"));
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "Nombre:");
    EXPECT_EQ(texts[0].args, Args({198, 52}));
    EXPECT_EQ(texts[0].font, screenFont);
    EXPECT_EQ(texts[1].text, " 4 ");
    EXPECT_EQ(designer.GetFont(), LogFont());
}

} // namespace
