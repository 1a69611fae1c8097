#include "capture_model/CCuadrosVar.h"
#include "CaptureTestSupport.h"
#include "platform/RecordingSurface.h"

#include <gtest/gtest.h>

namespace {

QStringList Texts(const RecordingSurface& dc) {
    QStringList texts;
    for (const SurfaceCall& c : dc.CallsNamed(QStringLiteral("ExtTextOut")))
        texts << c.text;
    return texts;
}

TEST(CuadrosVarTest, NewRowOfBoxes) {
    auto boxes = CCuadrosVar::Create(1000, -2000);
    EXPECT_EQ(boxes->Type(), ControlTypeCode::CuadrosVar);
    EXPECT_EQ(boxes->text, "Texto en cuadros");
    EXPECT_EQ(boxes->alignment, 6);
    EXPECT_EQ(boxes->boxCount, 8);
    EXPECT_EQ(boxes->boxWidth, 50);
    EXPECT_EQ(boxes->boxDistance, 10);
    EXPECT_EQ(boxes->pageRect, Rect(1000, -1950, 1472, -2000));
    EXPECT_EQ(HandleCount(*boxes), 2);
}

TEST(CuadrosVarTest, GeometryRule) {
    auto boxes = CCuadrosVar::Create(0, -100);
    boxes->SetBoxCount(3);
    // (10 + 50 - 1) x 3 = 177 wide, while the last box ends at 170.
    EXPECT_EQ(boxes->pageRect, Rect(0, -50, 177, -100));
    int left = 0;
    int right = 0;
    boxes->BoxSpan(boxes->pageRect.Normalized(), 2, left, right);
    EXPECT_EQ(left, 120);
    EXPECT_EQ(right, 170);

    boxes->boxWidth = 80;
    boxes->boxDistance = 0;
    boxes->LayoutBoxes();
    EXPECT_EQ(boxes->pageRect, Rect(0, -20, 237, -100));
}

TEST(CuadrosVarTest, FontSetsBoxWidthAndDistance) {
    auto boxes = CCuadrosVar::Create(0, -100);
    boxes->font.height = 40;
    boxes->FitHeightToFont();
    EXPECT_EQ(boxes->font.height, -40);
    EXPECT_EQ(boxes->boxWidth, 45);
    EXPECT_EQ(boxes->boxDistance, 22);
    EXPECT_EQ(boxes->pageRect, Rect(0, -55, (22 + 40 + 4) * 8, -100));
}

TEST(CuadrosVarTest, ResizingSpreadsTheBoxes) {
    auto boxes = CCuadrosVar::Create(0, -100);
    boxes->ResizeByHandle(Handle::Right, 100, 0);
    EXPECT_EQ(boxes->pageRect.right, 572);
    EXPECT_EQ(boxes->boxDistance, 24); // (572 - 8 x 50) / 7
    boxes->ResizeByHandle(Handle::Left, 72, 0);
    EXPECT_EQ(boxes->boxDistance, 14); // (500 - 400) / 7

    // A single box has no gap to spread: the distance stays.
    boxes->SetBoxCount(1);
    boxes->ResizeByHandle(Handle::Right, 300, 0);
    EXPECT_EQ(boxes->boxDistance, 14);
    boxes->SetBoxCount(0);
    boxes->ResizeByHandle(Handle::Right, 300, 0);
    EXPECT_EQ(boxes->boxDistance, 14);
}

TEST(CuadrosVarTest, NoBoxesAtAllDrawAndTakeNothing) {
    for (int count : {0, -3}) {
        auto boxes = CCuadrosVar::Create(0, -100);
        boxes->SetBoxCount(count);
        EXPECT_EQ(boxes->pageRect.right, 0);
        RecordingSurface view(MapMode::LoMetric);
        boxes->Draw(view);
        EXPECT_FALSE(view.HasCall(QStringLiteral("Rectangle")));
        EXPECT_FALSE(view.HasCall(QStringLiteral("ExtTextOut")));

        boxes->StartCapture();
        boxes->TypeValue(QStringLiteral("ABC"));
        EXPECT_TRUE(boxes->Value().isEmpty());
    }
}

TEST(CuadrosVarTest, HugeCountsDrawABoundedRow) {
    auto boxes = CCuadrosVar::Create(0, -100);
    boxes->boxCount = 2000000000;
    boxes->boxWidth = 2000000000;
    RecordingSurface view(MapMode::LoMetric);
    boxes->Draw(view);
    EXPECT_EQ(view.CallsNamed(QStringLiteral("Rectangle")).size(),
              static_cast<size_t>(CCuadrosVar::kMostBoxesDrawn));
}

TEST(CuadrosVarTest, DesignViewShowsSampleCharacters) {
    auto boxes = CCuadrosVar::Create(1000, -2000);
    boxes->SetBoxCount(9);
    RecordingSurface view(MapMode::LoMetric);
    boxes->Draw(view);
    EXPECT_EQ(Texts(view), QStringList({"A", "i", "w", "o", "0", "1", "2", "3", "A"}));
    const auto frames = view.CallsNamed(QStringLiteral("Rectangle"));
    ASSERT_EQ(frames.size(), 9u);
    EXPECT_EQ(frames[1].args, Args({1110, -2050, 1160, -2000}));
    const auto samples = view.CallsNamed(QStringLiteral("ExtTextOut"));
    EXPECT_EQ(samples[1].args[0], 1135);
    EXPECT_EQ(samples[1].textAlign, TextAlign::Center | TextAlign::Bottom);

    boxes->ToggleUpperCase();
    view.ClearCalls();
    boxes->Draw(view);
    EXPECT_EQ(Texts(view), QStringList({"A", "I", "W", "O", "0", "1", "2", "3", "A"}));
}

TEST(CuadrosVarTest, EntryTakesNoMoreThanTheBoxes) {
    auto boxes = CCuadrosVar::Create(0, -100);
    boxes->ToggleUpperCase();
    boxes->TypeValue(QStringLiteral("abcdefghijk"));
    EXPECT_EQ(boxes->Value(), "abcdefghijk") << "nothing limits a field not being filled in";
    boxes->StartCapture();
    EXPECT_EQ(boxes->Value(), "ABCDEFGHIJK") << "a text given before stays whole, in capitals";
    boxes->ClearValue();
    boxes->TypeValue(QStringLiteral("abcdefghijk"));
    EXPECT_EQ(boxes->Value(), "ABCDEFGH");
}

TEST(CuadrosVarTest, PrintsOneCharacterPerBox) {
    auto boxes = CCuadrosVar::Create(1000, -2000);
    RecordingSurface printer(MapMode::LoMetric);
    boxes->Print(printer);
    EXPECT_TRUE(printer.Calls().empty());

    boxes->StartCapture();
    boxes->SetValue(QStringLiteral("AB"));
    boxes->Print(printer);
    const auto printed = printer.CallsNamed(QStringLiteral("ExtTextOut"));
    ASSERT_EQ(printed.size(), 2u);
    EXPECT_EQ(printed[0].text, "A");
    EXPECT_EQ(printed[0].args, Args({1025, -2000, static_cast<int>(TextOutOption::Clipped), 1000,
                                     -2000, 1472, -1950}));
    EXPECT_EQ(printed[1].text, "B");
    EXPECT_EQ(printed[1].args[0], 1085);
    EXPECT_EQ(printed[1].textAlign, TextAlign::Center | TextAlign::Bottom);
}

TEST(CuadrosVarTest, RecordAndCapturedValue) {
    auto boxes = CCuadrosVar::Create(0, -100);
    boxes->boxCount = 5;
    boxes->boxDistance = 7;
    boxes->boxWidth = 44;
    boxes->pageRect = PageRect(3, 4, 5, 6);
    CCuadrosVar copy;
    RoundTrip(*boxes, copy);
    EXPECT_EQ(copy.boxCount, 5);
    EXPECT_EQ(copy.boxDistance, 7);
    EXPECT_EQ(copy.boxWidth, 44);
    EXPECT_EQ(copy.pageRect, Rect(3, 4, 5, 6)); // as stored, not rebuilt

    boxes->captureOrder = 9;
    boxes->StartCapture();
    boxes->SetValue(QStringLiteral("RFC"));
    const QByteArray bytes = Store([&](Archive& ar) { boxes->SaveValue(ar); });
    EXPECT_EQ(bytes, QByteArray::fromHex("09000000") + QByteArray("\x03RFC"));
    copy.StartCapture();
    Load(bytes.mid(4), [&](Archive& ar) { copy.LoadValue(ar); });
    EXPECT_EQ(copy.Value(), "RFC");
    copy.ClearValue();
    EXPECT_TRUE(copy.Value().isEmpty());
}

TEST(CuadrosVarTest, ALoadedTextLongerThanTheBoxesStaysWhole) {
    auto boxes = CCuadrosVar::Create(1000, -2000);
    boxes->SetBoxCount(3);
    boxes->captureOrder = 2;
    RecordingSurface printer(MapMode::LoMetric);
    boxes->StartCapture();
    Load(QByteArray("\x06"
                    "ABCDEF"),
         [&](Archive& ar) { boxes->LoadValue(ar); });
    EXPECT_EQ(boxes->Value(), "ABCDEF");
    EXPECT_EQ(boxes->EntryLimit(), 6);
    // Saved again as it came; printed one character per box, the rest past the last box where
    // the rectangle clips it.
    EXPECT_EQ(Store([&](Archive& ar) { boxes->SaveValue(ar); }),
              QByteArray::fromHex("02000000") + QByteArray("\x06"
                                                           "ABCDEF"));
    boxes->Print(printer);
    const auto printed = printer.CallsNamed(QStringLiteral("ExtTextOut"));
    ASSERT_EQ(printed.size(), 6u);
    EXPECT_EQ(printed[5].text, "F");
    EXPECT_EQ(printed[5].args[0], 1325);
    EXPECT_EQ(printed[5].args[5], 1177); // the clip ends at the third box
    // The keyboard may shorten it but adds nothing past its end; once shortened and left, or
    // emptied, the boxes rule.
    boxes->TypeValue(QStringLiteral("ABCDEFG"));
    EXPECT_EQ(boxes->Value(), "ABCDEF");
    boxes->TypeValue(QStringLiteral("ABCDE"));
    EXPECT_EQ(boxes->Value(), "ABCDE");
    boxes->TypeValue(QStringLiteral("ABCDEF"));
    EXPECT_EQ(boxes->Value(), "ABCDEF") << "the limit moves only when the field is left";
    boxes->TypeValue(QStringLiteral("ABCD"));
    boxes->Leave();
    EXPECT_EQ(boxes->EntryLimit(), 4);
    boxes->ClearValue();
    EXPECT_EQ(boxes->EntryLimit(), 3);
    boxes->TypeValue(QStringLiteral("WXYZ"));
    EXPECT_EQ(boxes->Value(), "WXY");
}

} // namespace
