#include "FormatBytes.h"
#include "model/CConsParrafo.h"
#include "model/CConsText.h"
#include "model/CEtiqueta.h"
#include "model/CLinea.h"
#include "model/CRectangulo.h"
#include "platform/RecordingSurface.h"

#include <gtest/gtest.h>

namespace {

std::vector<int> Args(std::initializer_list<int> values) {
    return std::vector<int>(values);
}

int HandleCount(const CControles& c) {
    int n = 0;
    for (const Rect& h : c.handles)
        n += h.IsNull() ? 0 : 1;
    return n;
}

} // namespace

TEST(ConstantTextTest, RightAlignedTextOnPaperAndOnTheDesignView) {
    auto text = CConsText::Create(1000, -2000, QStringLiteral("Total"));
    text->alignment = 2;
    text->color = MakeColorRef(0, 0, 200);
    RecordingSurface printer(MapMode::LoMetric);
    printer.SetMetricsModel([](const LogFont& f) {
        TextMetrics tm = RecordingSurface::DefaultMetrics(f);
        if (f.width == 0)
            tm.aveCharWidth = 30;
        return tm;
    });
    text->Print(printer);
    const auto printed = printer.CallsNamed(QStringLiteral("ExtTextOut"));
    ASSERT_EQ(printed.size(), 1u);
    EXPECT_EQ(printed[0].args, Args({1398, -2000, static_cast<int>(TextOutOption::Clipped), 1000,
                                     -2000, 1400, -1955}));
    EXPECT_EQ(printed[0].textAlign, 10u);
    EXPECT_EQ(printed[0].font.width, 28);
    EXPECT_EQ(printed[0].textColor, MakeColorRef(0, 0, 200));
    // The printer's font is put back afterwards.
    EXPECT_EQ(printer.GetFont(), LogFont());

    RecordingSurface view(MapMode::LoMetric);
    text->Draw(view);
    const auto drawn = view.CallsNamed(QStringLiteral("ExtTextOut"));
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].args[0], 1448);
    EXPECT_EQ(drawn[0].args[1], -2050);
    EXPECT_EQ(drawn[0].font.width, 0);
    EXPECT_FALSE(view.HasCall(QStringLiteral("Rectangle")));

    text->alignment = 6;
    view.ClearCalls();
    text->Draw(view);
    EXPECT_EQ(view.CallsNamed(QStringLiteral("ExtTextOut"))[0].args[0], 1250);
}

TEST(ConstantTextTest, SelectedTextShowsFrameAndTwoHandlesInRed) {
    auto text = CConsText::Create(1000, -2000, QStringLiteral("x"));
    text->selected = 1;
    RecordingSurface view(MapMode::LoMetric);
    text->Draw(view);
    const auto rects = view.CallsNamed(QStringLiteral("Rectangle"));
    ASSERT_EQ(rects.size(), 3u);
    EXPECT_EQ(rects[0].args, Args({1050, -2050, 1450, -2005}));
    EXPECT_EQ(rects[1].args, Args({1040, -2018, 1060, -2038}));
    for (const auto& r : rects)
        EXPECT_EQ(r.pen, (Pen{PenStyle::Solid, 1, kSelectionRed}));
    EXPECT_EQ(view.Calls().back().op, QStringLiteral("SelectFont"));
}

TEST(ConstantParagraphTest, WrapsInsideTheRectangleWidenedByTwo) {
    auto paragraph = CConsParrafo::Create(100, -300, QStringLiteral("Texto largo del párrafo"));
    EXPECT_EQ(paragraph->pageRect, Rect(100, -300, 700, -425));
    paragraph->alignment = 1;
    RecordingSurface printer(MapMode::LoMetric);
    paragraph->Print(printer);
    const auto printed = printer.CallsNamed(QStringLiteral("DrawText"));
    ASSERT_EQ(printed.size(), 1u);
    EXPECT_EQ(printed[0].args,
              Args({98, -302, 702, -423,
                    static_cast<int>((TextLayout::WordBreak | TextLayout::Center).toInt())}));
    EXPECT_EQ(printed[0].font.width, 19); // 0.96 of the model's 20
    EXPECT_EQ(printed[0].textAlign, 0u);

    RecordingSurface view(MapMode::LoMetric);
    paragraph->selected = 1;
    paragraph->Draw(view);
    EXPECT_EQ(view.CallsNamed(QStringLiteral("DrawText"))[0].args,
              Args({148, -352, 752, -473,
                    static_cast<int>((TextLayout::WordBreak | TextLayout::Center).toInt())}));
    EXPECT_EQ(view.CallsNamed(QStringLiteral("Rectangle")).size(), 5u);
}

TEST(LabelTest, NeverPrintsAndFitsItsRectangleToItsText) {
    auto label = CEtiqueta::Create(1000, -2000, QStringLiteral("Nota"));
    EXPECT_EQ(label->alignment, 8);
    EXPECT_EQ(HandleCount(*label), 0);
    RecordingSurface printer(MapMode::LoMetric);
    label->Print(printer);
    EXPECT_TRUE(printer.Calls().empty());

    // Measured at true scale: "Nota" in Arial at 4 mm, one line; the upper-left corner stays.
    label->FitToText();
    EXPECT_EQ(label->pageRect, Rect(1000, -1955, 1084, -1999));
    // Never placed on the capture screen, it lies there where its page does, 20 pixels high.
    EXPECT_EQ(label->CaptureScreenRect(), Rect(378, 739, 410, 759));

    // Drawing shows the rectangle as it is and changes nothing.
    const QByteArray before = Store([&label](Archive& ar) { label->WriteRecord(ar); });
    RecordingSurface view(MapMode::LoMetric);
    label->Draw(view);
    const auto drawn = view.CallsNamed(QStringLiteral("ExtTextOut"));
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].args, Args({1050, -2049, static_cast<int>(TextOutOption::Clipped), 1050,
                                   -2049, 1134, -2005}));
    EXPECT_EQ(drawn[0].textAlign, TextAlign::Bottom);
    EXPECT_EQ(Store([&label](Archive& ar) { label->WriteRecord(ar); }), before);

    label->screenPlaced = 1;
    label->screenRect = ScreenRect(4, 8, 60, 28);
    label->text.clear();
    label->FitToText();
    EXPECT_EQ(label->pageRect.Width(), 0);
    EXPECT_EQ(label->CaptureScreenRect(), Rect(4, 8, 60, 28));
}

TEST(LabelTest, ScreenLayoutUsesTheScreenFontWithTheLabelsWeight) {
    CEtiqueta label;
    label.text = QStringLiteral("Datos del cliente");
    label.font.weight = 700;
    label.screenRect = ScreenRect(10, 20, 110, 40);
    const LogFont screen = LogFont::Make(-11, 0, 400, QStringLiteral("Liberation Sans"));
    label.screenFont = &screen;
    RecordingSurface dc;
    label.DrawOnScreenLayout(dc, true);
    const auto texts = dc.CallsNamed(QStringLiteral("TextOut"));
    ASSERT_EQ(texts.size(), 1u); // no capture order for a label
    EXPECT_EQ(texts[0].text, QStringLiteral("Datos del cliente:"));
    EXPECT_EQ(texts[0].args, Args({10, 22}));
    EXPECT_EQ(texts[0].font.height, -11);
    EXPECT_EQ(texts[0].font.weight, 700);
    EXPECT_FALSE(dc.HasCall(QStringLiteral("Rectangle")));
}

TEST(LineTest, TurningKeepsTheLengthAndTurnsBack) {
    auto line = CLinea::Create(1000, -500);
    EXPECT_EQ(line->pageRect, Rect(1000, -480, 1400, -520));
    EXPECT_EQ(HandleCount(*line), 2);
    line->MakeVertical();
    EXPECT_EQ(line->pageRect, Rect(980, -500, 1020, -900));
    EXPECT_FALSE(line->IsHorizontal());
    EXPECT_TRUE(line->handles[0].IsNull());
    EXPECT_FALSE(line->handles[2].IsNull());
    line->MakeVertical();
    EXPECT_EQ(line->pageRect, Rect(980, -500, 1020, -900));
    line->MakeHorizontal();
    EXPECT_EQ(line->pageRect, Rect(1000, -480, 1400, -520));
    line->MakeHorizontal();
    EXPECT_EQ(line->pageRect, Rect(1000, -480, 1400, -520));
}

TEST(LineTest, PrintsThroughTheMiddleWithItsColourPen) {
    auto line = CLinea::Create(1000, -500);
    line->color = MakeColorRef(0, 128, 0);
    line->selected = 1;
    RecordingSurface printer(MapMode::LoMetric);
    line->Print(printer);
    ASSERT_EQ(printer.CallsNamed(QStringLiteral("LineTo")).size(), 1u);
    EXPECT_EQ(printer.CallsNamed(QStringLiteral("MoveTo"))[0].args, Args({1000, -500}));
    const auto to = printer.CallsNamed(QStringLiteral("LineTo"))[0];
    EXPECT_EQ(to.args, Args({1400, -500}));
    EXPECT_EQ(to.pen, (Pen{PenStyle::Solid, 2, MakeColorRef(0, 128, 0)}));

    line->MakeVertical();
    RecordingSurface view(MapMode::LoMetric);
    line->Draw(view);
    EXPECT_EQ(view.CallsNamed(QStringLiteral("Rectangle"))[0].pen.color, kSelectionRed);
    const auto segment = view.CallsNamed(QStringLiteral("LineTo"))[0];
    EXPECT_EQ(segment.args, Args({1050, -500 - 50}));
    EXPECT_EQ(view.CallsNamed(QStringLiteral("MoveTo"))[0].args, Args({1050, -950}));
    EXPECT_EQ(segment.pen.color, MakeColorRef(0, 128, 0));
}

TEST(RectangleTest, OutlineInColourOnPaperAndInRedWhenSelected) {
    auto box = CRectangulo::Create(100, -100);
    box->color = MakeColorRef(10, 20, 30);
    RecordingSurface printer(MapMode::LoMetric);
    box->Print(printer);
    const auto sides = printer.CallsNamed(QStringLiteral("LineTo"));
    ASSERT_EQ(sides.size(), 4u);
    EXPECT_EQ(printer.CallsNamed(QStringLiteral("MoveTo"))[0].args, Args({100, -700}));
    EXPECT_EQ(sides[1].args, Args({700, -100}));
    EXPECT_EQ(sides[3].args, Args({100, -700}));
    for (const auto& s : sides)
        EXPECT_EQ(s.pen, (Pen{PenStyle::Solid, 2, MakeColorRef(10, 20, 30)}));
    EXPECT_FALSE(printer.HasCall(QStringLiteral("Rectangle")));

    box->selected = 1;
    RecordingSurface view(MapMode::LoMetric);
    box->Draw(view);
    EXPECT_EQ(view.CallsNamed(QStringLiteral("Rectangle")).size(), 4u);
    for (const auto& s : view.CallsNamed(QStringLiteral("LineTo")))
        EXPECT_EQ(s.pen.color, kSelectionRed);
}

TEST(ConstantControlsTest, HandlesAreReadyRightAfterReading) {
    Format format;
    format.controls.push_back(CConsText::Create(0, 0, QStringLiteral("t")));
    format.controls.push_back(CConsParrafo::Create(0, 0, QStringLiteral("p")));
    format.controls.push_back(CLinea::Create(0, 0));
    format.controls.push_back(CRectangulo::Create(0, 0));
    format.controls.push_back(CEtiqueta::Create(0, 0, QStringLiteral("e")));
    auto vertical = CLinea::Create(0, 0);
    vertical->MakeVertical();
    format.controls.push_back(std::move(vertical));
    const QByteArray bytes = WriteFormat(format, FormatSettings());
    Format read;
    FormatSettings settings;
    ReadFormat(bytes, read, settings);
    const int expected[] = {2, 4, 2, 4, 0, 2};
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(HandleCount(*read.controls[i]), expected[i]) << i;
        EXPECT_EQ(read.controls[i]->handles, format.controls[i]->handles) << i;
    }
    EXPECT_FALSE(static_cast<CLinea&>(*read.controls[5]).IsHorizontal());
}
