#include "model/CConsParrafo.h"
#include "model/CConsText.h"
#include "model/CEtiqueta.h"
#include "model/CLinea.h"
#include "model/CRectangulo.h"
#include "model/ControlType.h"
#include "model/TrueScale.h"
#include "platform/PainterSurface.h"
#include "platform/RecordingSurface.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cstdint>
#include <type_traits>
#include <vector>

TEST(ControlTypeTest, TableOfCodes) {
    EXPECT_EQ(ControlType::DisplayName(ControlTypeCode{3}),
              QStringLiteral("Casilla de verificación"));
    EXPECT_EQ(ControlType::DisplayName(ControlTypeCode{10}), QStringLiteral("Etiqueta"));
    EXPECT_TRUE(ControlType::DisplayName(ControlTypeCode{12}).isEmpty());
    EXPECT_TRUE(ControlType::DisplayName(ControlTypeCode{-1}).isEmpty());
    EXPECT_EQ(CEtiqueta().ConstantFlag(), 0);
    EXPECT_EQ(CConsParrafo().SingleLineFlag(), 0);
    EXPECT_STREQ(CLinea().GetRuntimeClass(), "CLinea");
    EXPECT_FALSE(CRectangulo().HasFont());
    EXPECT_TRUE(CEtiqueta().HasFont());
}

TEST(ControlGeometryTest, NewConstantTextAndItsHandles) {
    auto text = CConsText::Create(1000, -2000, QStringLiteral("Hola"));
    EXPECT_EQ(text->pageRect, Rect(1000, -1955, 1400, -2000));
    EXPECT_EQ(text->handles[0], Rect(1040, -2018, 1060, -2038));
    EXPECT_TRUE(text->handles[2].IsNull());
    EXPECT_EQ(text->HitHandle(1000, -1978), Handle::Left);
    EXPECT_EQ(text->HitHandle(1400, -1978), Handle::Right);
    EXPECT_EQ(text->HitHandle(1200, -1978), Handle::None);
    text->screenHandles = 1;
    EXPECT_EQ(text->HitHandle(1000, -1978), Handle::None);
    EXPECT_EQ(text->HitHandle(1050, -2028), Handle::Left);
}

TEST(ControlGeometryTest, HitTestOnPageAndScreen) {
    auto text = CConsText::Create(1000, -2000, QStringLiteral("x"));
    EXPECT_TRUE(text->HitTestPage(1000, -2000));  // lower edge inside
    EXPECT_FALSE(text->HitTestPage(1000, -1955)); // upper edge outside
    EXPECT_FALSE(text->HitTestPage(1400, -1980));
    text->screenRect = ScreenRect(10, 10, 50, 30);
    EXPECT_TRUE(text->HitTestScreen(10, 10));
    EXPECT_FALSE(text->HitTestScreen(50, 20));
}

// Page and screen rectangles draw as plain rectangles but never pass for one another.
static_assert(std::is_convertible_v<const PageRect&, const Rect&>);
static_assert(std::is_convertible_v<const ScreenRect&, const Rect&>);
static_assert(!std::is_convertible_v<PageRect, ScreenRect>);
static_assert(!std::is_convertible_v<ScreenRect, PageRect>);
static_assert(!std::is_convertible_v<Rect, PageRect>);
static_assert(!std::is_convertible_v<Rect, ScreenRect>);
static_assert(std::is_same_v<decltype(PageRect().Normalized()), PageRect>);
static_assert(std::is_same_v<decltype(ScreenRect().Offsetted(1, 1)), ScreenRect>);

TEST(ControlGeometryTest, EachHandleMovesTheEdgeItSitsOn) {
    auto box = CRectangulo::Create(0, 0); // (0, 0, 600, -600)
    const struct {
        int x, y;
        Handle handle;
        PageRect after;
    } cases[] = {
        {0, -300, Handle::Left, PageRect(100, 0, 600, -600)},
        {600, -300, Handle::Right, PageRect(0, 0, 700, -600)},
        {300, -600, Handle::Lower, PageRect(0, 0, 600, -500)},
        {300, 0, Handle::Upper, PageRect(0, 100, 600, -600)},
    };
    for (const auto& c : cases) {
        box->pageRect = PageRect(0, 0, 600, -600);
        box->UpdateHandles();
        const Handle hit = box->HitHandle(c.x, c.y);
        EXPECT_EQ(hit, c.handle);
        box->ResizeByHandle(hit, 100, 100);
        EXPECT_EQ(box->pageRect, c.after);
    }
}

TEST(ControlGeometryTest, ResizeRefusesFortyUnitsOrLess) {
    auto box = CRectangulo::Create(0, 0); // 600 x 600
    box->pageRect = PageRect(0, 0, 100, -100);
    box->ResizeByHandle(Handle::Left, 60, 0);
    EXPECT_EQ(box->pageRect.left, 0);
    box->ResizeByHandle(Handle::Left, 59, 0);
    EXPECT_EQ(box->pageRect.left, 59);
    EXPECT_EQ(box->pageRect.Width(), 41);
    box->ResizeByHandle(Handle::Right, -1, 0);
    EXPECT_EQ(box->pageRect.right, 100);
    box->ResizeByHandle(Handle::Lower, 0, 60); // lower edge up to 40 from the top: refused
    EXPECT_EQ(box->pageRect.bottom, -100);
    box->ResizeByHandle(Handle::Lower, 0, 59);
    EXPECT_EQ(box->pageRect.bottom, -41);
    box->ResizeByHandle(Handle::Upper, 0, -2); // upper edge down to 39 from the bottom: refused
    EXPECT_EQ(box->pageRect.top, 0);
    box->ResizeByHandle(Handle::Upper, 0, 500);
    EXPECT_EQ(box->pageRect.top, 500);
    box->ResizeByHandle(Handle::None, 10, 10);
    EXPECT_EQ(box->pageRect, Rect(59, 500, 100, -41));
    // The handles follow every resize.
    // Design view rectangle (109, -91, 150, 450): handle 2 sits at x 150, y -91 + 541 / 2.
    EXPECT_EQ(box->handles[1], Rect(140, 189, 160, 169));
}

TEST(ControlGeometryTest, ScreenMovesStayOnTheScreen) {
    CEtiqueta label;
    label.screenRect = ScreenRect(5, 5, 50, 25);
    label.MoveOnScreen(-6, 0);
    EXPECT_EQ(label.screenRect, Rect(5, 5, 50, 25));
    label.MoveOnScreen(-5, -5);
    EXPECT_EQ(label.screenRect, Rect(0, 0, 45, 20));
    label.MoveOnPage(-3000, 4000);
    EXPECT_EQ(label.pageRect, Rect(-3000, 4000, -3000, 4000));
    label.ResizeOnScreen(Handle::Right, -5, 0);
    EXPECT_EQ(label.screenRect.right, 45); // 40 wide would be too narrow
    label.ResizeOnScreen(Handle::Right, 20, 0);
    EXPECT_EQ(label.screenRect.right, 65);
}

TEST(ControlGeometryTest, FitHeightToFont) {
    auto text = CConsText::Create(0, -500, QStringLiteral("x"));
    text->font.height = 60; // a cell height from the font dialog
    text->FitHeightToFont();
    EXPECT_EQ(text->font.height, -60);
    EXPECT_EQ(text->pageRect, Rect(0, -435, 400, -500));

    auto line = CLinea::Create(0, 0);
    const Rect before = line->pageRect;
    line->font.height = 90;
    line->FitHeightToFont();
    EXPECT_EQ(line->pageRect, before);
    EXPECT_EQ(line->font.height, 90);

    auto paragraph = CConsParrafo::Create(0, 0, QStringLiteral("p"));
    const Rect kept = paragraph->pageRect;
    paragraph->font.height = 50;
    paragraph->FitHeightToFont();
    EXPECT_EQ(paragraph->font.height, -50);
    EXPECT_EQ(paragraph->pageRect, kept);
}

TEST(ControlGeometryTest, UpperCaseTogglesByComplement) {
    CEtiqueta label;
    label.ToggleUpperCase();
    EXPECT_TRUE(label.IsUpperCase());
    label.ToggleUpperCase();
    EXPECT_FALSE(label.IsUpperCase());
}

TEST(ControlGeometryTest, PrintFontIsNinetySixPercentTruncated) {
    CConsText text;
    TextMetrics tm;
    tm.aveCharWidth = 30;
    EXPECT_EQ(text.MakePrintFont(tm).width, 28);
    tm.aveCharWidth = 21;
    EXPECT_EQ(text.MakePrintFont(tm).width, 20);
    EXPECT_EQ(text.MakePrintFont(tm).height, -40);
}

namespace {

class NamedField : public CControles {
public:
    NamedField() : CControles(ControlTypeCode::TextlineVar) {}
};

} // namespace

TEST(ControlGeometryTest, CaptionsAndCaptureOrderOnTheScreenLayout) {
    NamedField field;
    field.text = QStringLiteral("Importe");
    field.screenRect = ScreenRect(100, 50, 200, 70);
    field.captureOrder = 3;
    RecordingSurface dc;
    dc.SetTextColor(MakeColorRef(0, 0, 128));
    field.DrawOnScreenLayout(dc, true);
    const auto texts = dc.CallsNamed(QStringLiteral("TextOut"));
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, QStringLiteral("Importe:"));
    EXPECT_EQ(texts[0].args, (std::vector<int>{98, 52}));
    EXPECT_EQ(texts[0].textAlign, TextAlign::Right | TextAlign::Top);
    EXPECT_EQ(texts[1].text, QStringLiteral(" 3 "));
    EXPECT_EQ(texts[1].args, (std::vector<int>{106, 46}));
    EXPECT_EQ(texts[1].bkMode, BkMode::Opaque);
    EXPECT_EQ(texts[1].bkColor, kSelectionRed);
    EXPECT_EQ(texts[1].textColor, kWhite);
    EXPECT_EQ(dc.Calls().back().op, QStringLiteral("SetTextColor"));
    EXPECT_EQ(dc.Calls().back().args[0], static_cast<int>(MakeColorRef(0, 0, 128)));

    field.captionLeft = 0;
    dc.ClearCalls();
    field.DrawOnScreenLayout(dc, false);
    ASSERT_EQ(dc.CallsNamed(QStringLiteral("TextOut")).size(), 1u);
    EXPECT_EQ(dc.CallsNamed(QStringLiteral("TextOut"))[0].args, (std::vector<int>{100, 34}));

    // Constant controls and labels have no caption, though a label's constant flag is 0.
    CEtiqueta label;
    label.text = QStringLiteral("nota");
    CConsText constant;
    dc.ClearCalls();
    label.DrawCaption(dc);
    constant.DrawCaption(dc);
    EXPECT_TRUE(dc.Calls().empty());
}

TEST(ControlGeometryTest, TrueScaleGivesThePixelsOfASurfaceAtNinetySixDots) {
    // What a drawing surface at 96 pixels to the inch, in page units, gives: where the format
    // designer used to put fields it had not placed, so formats keep their bytes.
    QImage image(1, 1, QImage::Format_RGB32);
    QPainter painter(&image);
    PainterSurface surface(painter, TrueScale::Device());
    surface.SetMapMode(MapMode::LoMetric);
    std::vector<int> values = {INT32_MIN, INT32_MIN + 1, -10'583'334, -10'583'333, -1,       0, 1,
                               127,       254,           10'583'333,  10'583'334,  INT32_MAX};
    for (int v = -600; v <= 600; ++v)
        values.push_back(v);
    std::uint32_t seed = 2718;
    for (int i = 0; i < 2000; ++i) {
        seed = seed * 1103515245u + 12345u;
        values.push_back(static_cast<int>(seed));
    }
    for (int v : values) {
        const Point p{v, -(v / 3)};
        EXPECT_EQ(TrueScale::ToScreen(p), surface.LPtoDP(p)) << v;
    }
    EXPECT_EQ(TrueScale::ToScreen(PageRect(1000, -1955, 1400, -2000)), Rect(378, 739, 529, 756));
    EXPECT_EQ(TrueScale::WidthOnScreen(400), 151);
}
