#include "capture_model/CParrafoVar.h"
#include "CaptureTestSupport.h"
#include "platform/RecordingSurface.h"

#include <gtest/gtest.h>

namespace {

TEST(ParrafoVarTest, NewParagraphAndItsHandles) {
    auto paragraph = CParrafoVar::Create(1000, -2000);
    EXPECT_EQ(paragraph->Type(), ControlTypeCode::ParrafoVar);
    EXPECT_EQ(paragraph->text, "Parrafo de texto");
    EXPECT_EQ(paragraph->pageRect, Rect(1000, -2000, 1600, -2125));
    EXPECT_EQ(paragraph->captionLeft, 0);
    EXPECT_EQ(paragraph->SingleLineFlag(), 0);
    // Left, right, lower and upper edges of the shifted rectangle, in that order.
    ASSERT_EQ(HandleCount(*paragraph), 4);
    EXPECT_EQ(paragraph->handles[0].Center(), (Point{1050, -2113}));
    EXPECT_EQ(paragraph->handles[1].Center(), (Point{1650, -2113}));
    EXPECT_EQ(paragraph->handles[2].Center(), (Point{1350, -2175}));
    EXPECT_EQ(paragraph->handles[3].Center(), (Point{1350, -2050}));

    paragraph->screenRect = ScreenRect(10, 100, 210, 160);
    paragraph->screenHandles = 1;
    paragraph->UpdateHandles();
    EXPECT_EQ(paragraph->handles[2], Rect(106, 156, 114, 164));
    EXPECT_EQ(paragraph->handles[3], Rect(106, 96, 114, 104));
}

TEST(ParrafoVarTest, FittingTheFontKeepsTheRectangle) {
    auto paragraph = CParrafoVar::Create(0, 0);
    const Rect before = paragraph->pageRect;
    paragraph->font.height = 60;
    paragraph->FitHeightToFont();
    EXPECT_EQ(paragraph->font.height, -60);
    EXPECT_EQ(paragraph->pageRect, before);
}

TEST(ParrafoVarTest, MultiLineEntryAndItsValue) {
    auto paragraph = CParrafoVar::Create(0, -100);
    paragraph->ToggleUpperCase();
    paragraph->captureOrder = 2;
    EXPECT_EQ(Store([&](Archive& ar) { paragraph->SaveValue(ar); }),
              QByteArray::fromHex("0200000000"));

    paragraph->StartCapture();
    paragraph->TypeValue(QStringLiteral("av. juarez\r\n12"));
    EXPECT_EQ(paragraph->Value(), "AV. JUAREZ\n12");

    // A text set whole takes the box's line breaks but keeps its small letters, as the box
    // does.
    paragraph->SetValue(QStringLiteral("Calle 1\rColonia Centro"));
    EXPECT_EQ(paragraph->Value(), "Calle 1\nColonia Centro");
    const QByteArray bytes = Store([&](Archive& ar) { paragraph->SaveValue(ar); });
    auto other = CParrafoVar::Create(0, -100);
    other->StartCapture();
    EXPECT_EQ(Load(bytes.mid(4), [&](Archive& ar) { other->LoadValue(ar); }), 0);
    EXPECT_EQ(other->Value(), "Calle 1\nColonia Centro");
    other->ClearValue();
    EXPECT_TRUE(other->Value().isEmpty());
}

TEST(ParrafoVarTest, PrintsWordWrappedWithTheParagraphAlignment) {
    auto paragraph = CParrafoVar::Create(1000, -2000);
    paragraph->alignment = 1;
    RecordingSurface printer(MapMode::LoMetric);
    paragraph->Print(printer);
    EXPECT_TRUE(printer.Calls().empty());

    paragraph->StartCapture();
    paragraph->SetValue(QStringLiteral("Primera linea\nsegunda"));
    paragraph->Print(printer);
    const auto printed = printer.CallsNamed(QStringLiteral("DrawText"));
    ASSERT_EQ(printed.size(), 1u);
    EXPECT_EQ(printed[0].text, "Primera linea\nsegunda");
    EXPECT_EQ(printed[0].args,
              Args({1000, -2000, 1600, -2125,
                    static_cast<int>((TextLayout::Center | TextLayout::WordBreak).toInt())}));
    EXPECT_EQ(printed[0].textAlign, 0u);
    EXPECT_EQ(printed[0].font, paragraph->font);
}

TEST(ParrafoVarTest, DesignViewDrawsTheNameOnOneLine) {
    auto paragraph = CParrafoVar::Create(1000, -2000);
    paragraph->alignment = 2;
    RecordingSurface view(MapMode::LoMetric);
    paragraph->Draw(view);
    const auto frames = view.CallsNamed(QStringLiteral("Rectangle"));
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].args, Args({1050, -2050, 1650, -2175}));
    const auto name = view.CallsNamed(QStringLiteral("DrawText"));
    ASSERT_EQ(name.size(), 1u);
    EXPECT_EQ(name[0].text, "Parrafo de texto");
    EXPECT_EQ(name[0].args[4],
              static_cast<int>((TextLayout::Right | TextLayout::SingleLine).toInt()));
}

TEST(ParrafoVarTest, RecordIsTheBaseRecord) {
    auto paragraph = CParrafoVar::Create(10, -20);
    CParrafoVar copy;
    RoundTrip(*paragraph, copy);
    EXPECT_EQ(copy.pageRect, paragraph->pageRect);
    EXPECT_EQ(copy.handles, paragraph->handles);
    ControlFields fields;
    copy.DescribeOwnFields(fields);
    EXPECT_TRUE(fields.empty());
}

} // namespace
