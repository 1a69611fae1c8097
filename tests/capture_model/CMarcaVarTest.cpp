#include "capture_model/CMarcaVar.h"
#include "CaptureTestSupport.h"
#include "platform/RecordingSurface.h"

#include <gtest/gtest.h>

namespace {

TEST(MarcaVarTest, NewMarkIsA45Square) {
    auto mark = CMarcaVar::Create(1000, -2000);
    EXPECT_EQ(mark->Type(), ControlTypeCode::MarcaVar);
    EXPECT_EQ(mark->text, "Marca de verificación");
    EXPECT_EQ(mark->mark, "X");
    EXPECT_EQ(mark->alignment, 6);
    EXPECT_EQ(mark->pageRect, Rect(1000, -1955, 1045, -2000));
    EXPECT_EQ(HandleCount(*mark), 0);
    mark->screenHandles = 1;
    mark->UpdateHandles();
    EXPECT_EQ(HandleCount(*mark), 0);
}

TEST(MarcaVarTest, FontRebuildsTheSquare) {
    auto mark = CMarcaVar::Create(0, -100);
    mark->font.height = -60;
    mark->FitHeightToFont();
    EXPECT_EQ(mark->pageRect, Rect(0, -35, 65, -100));
    // A cell height from the font dialog is turned into a character height first, so the
    // square never turns inside out.
    mark->font.height = 30;
    mark->FitHeightToFont();
    EXPECT_EQ(mark->font.height, -30);
    EXPECT_EQ(mark->pageRect, Rect(0, -65, 35, -100));
}

TEST(MarcaVarTest, PrintsTheMarkOnlyWhenChecked) {
    auto mark = CMarcaVar::Create(1000, -2000);
    mark->color = MakeColorRef(0, 128, 0);
    RecordingSurface printer(MapMode::LoMetric);
    mark->Print(printer);
    EXPECT_TRUE(printer.Calls().empty());

    mark->StartCapture();
    mark->Print(printer);
    EXPECT_TRUE(printer.Calls().empty()) << "unchecked";

    mark->SetChecked(true);
    mark->Print(printer);
    const auto printed = printer.CallsNamed(QStringLiteral("ExtTextOut"));
    ASSERT_EQ(printed.size(), 1u);
    EXPECT_EQ(printed[0].text, "X");
    EXPECT_EQ(printed[0].args, Args({1022, -2000, static_cast<int>(TextOutOption::Clipped), 1000,
                                     -2000, 1045, -1955}));
    EXPECT_EQ(printed[0].textAlign, TextAlign::Center | TextAlign::Bottom);
    EXPECT_EQ(printed[0].textColor, MakeColorRef(0, 128, 0));
    EXPECT_EQ(printer.GetFont(), LogFont());

    // An emptied mark prints nothing that shows.
    mark->mark.clear();
    printer.ClearCalls();
    mark->Print(printer);
    for (const SurfaceCall& c : printer.CallsNamed(QStringLiteral("ExtTextOut")))
        EXPECT_TRUE(c.text.isEmpty());
}

TEST(MarcaVarTest, CheckStateThroughTheArchive) {
    auto mark = CMarcaVar::Create(0, -100);
    mark->captureOrder = 5;
    EXPECT_EQ(Store([&](Archive& ar) { mark->SaveValue(ar); }),
              QByteArray::fromHex("0500000000000000"));

    mark->StartCapture();
    Load(QByteArray::fromHex("01000000"), [&](Archive& ar) { mark->LoadValue(ar); });
    EXPECT_TRUE(mark->IsChecked());
    EXPECT_EQ(Store([&](Archive& ar) { mark->SaveValue(ar); }),
              QByteArray::fromHex("0500000001000000"));
    Load(QByteArray::fromHex("00000000"), [&](Archive& ar) { mark->LoadValue(ar); });
    EXPECT_FALSE(mark->IsChecked());
    mark->SetChecked(true);
    mark->ClearValue();
    EXPECT_FALSE(mark->IsChecked());
}

TEST(MarcaVarTest, DesignViewAndCaptureScreenLayout) {
    auto mark = CMarcaVar::Create(1000, -2000);
    RecordingSurface view(MapMode::LoMetric);
    mark->Draw(view);
    const auto frame = view.CallsNamed(QStringLiteral("Rectangle"));
    ASSERT_EQ(frame.size(), 1u);
    EXPECT_EQ(frame[0].args, Args({1050, -2050, 1095, -2005}));
    const auto drawn = view.CallsNamed(QStringLiteral("ExtTextOut"));
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].text, "X");
    EXPECT_EQ(drawn[0].args[0], 1072);

    mark->screenRect = ScreenRect(100, 100, 115, 115);
    mark->selected = 1;
    RecordingSurface designer;
    mark->DrawOnScreenLayout(designer, false);
    std::vector<std::vector<int>> lines;
    for (const SurfaceCall& c : designer.Calls()) {
        if (c.op == QLatin1String("MoveTo") || c.op == QLatin1String("LineTo"))
            lines.push_back(c.args);
    }
    EXPECT_EQ(lines,
              (std::vector<std::vector<int>>{{102, 102}, {113, 113}, {102, 113}, {113, 102}}));
    EXPECT_EQ(designer.CallsNamed(QStringLiteral("LineTo"))[0].pen.color, kSelectionRed);
    const auto caption = designer.CallsNamed(QStringLiteral("TextOut"));
    ASSERT_EQ(caption.size(), 1u);
    EXPECT_EQ(caption[0].text, "Marca de verificación:");
}

TEST(MarcaVarTest, RecordKeepsTheMark) {
    auto mark = CMarcaVar::Create(0, -100);
    mark->mark = QStringLiteral("✓");
    CMarcaVar copy;
    RoundTrip(*mark, copy);
    // The archive holds Windows-1252 text; a character outside it cannot be kept.
    EXPECT_EQ(copy.mark, "?");
    mark->mark = QStringLiteral("•");
    RoundTrip(*mark, copy);
    EXPECT_EQ(copy.mark, "•");
}

} // namespace
