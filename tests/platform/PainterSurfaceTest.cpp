#include "platform/PainterSurface.h"

#include <QFontDatabase>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>

#include <gtest/gtest.h>

#include <functional>

namespace {

// A white sheet at 254 dpi: one pixel is one tenth of a millimetre.
QImage Sheet(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.setDotsPerMeterX(10000);
    image.setDotsPerMeterY(10000);
    image.fill(Qt::white);
    return image;
}

// The bounding box of the pixels that are not white.
QRect InkBox(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(row[x]) < 160)
                box = box.united(QRect(x, y, 1, 1));
        }
    }
    return box;
}

} // namespace

TEST(PainterSurfaceTest, LowMetricMapsTenthsOfMillimetresWithYUpward) {
    QImage image = Sheet(100, 100);
    QPainter painter(&image);
    PainterSurface dc(painter);
    dc.SetMapMode(MapMode::LoMetric);
    EXPECT_EQ(dc.LPtoDP({100, -250}), (Point{100, 250}));
    dc.SetWindowOrg({-20, 30});
    EXPECT_EQ(dc.LPtoDP({0, 0}), (Point{20, 30}));
    EXPECT_EQ(dc.DPtoLP({20, 30}), (Point{0, 0}));
    dc.SetMapMode(MapMode::HiMetric);
    EXPECT_EQ(dc.LPtoDP({980, 0}), (Point{100, 3})); // hundredths, same origin
}

TEST(PainterSurfaceTest, TextIsUprightAndAnchoredByAlignment) {
    QImage image = Sheet(800, 300);
    {
        QPainter painter(&image);
        PainterSurface dc(painter);
        dc.SetMapMode(MapMode::LoMetric);
        dc.SetBkMode(BkMode::Transparent);
        dc.SelectFont(LogFont::Make(-60, 0, 400, QStringLiteral("Arial")));
        dc.SetTextAlign(TextAlign::Right | TextAlign::Bottom);
        dc.TextOut(700, -200, QStringLiteral("HLT"));
    }
    const QRect ink = InkBox(image);
    ASSERT_FALSE(ink.isNull());
    // Capitals 6 mm high sit on the bottom line at y 200 (less the descent) and end at x 700.
    EXPECT_LE(ink.right(), 700);
    EXPECT_GE(ink.right(), 690);
    EXPECT_LT(ink.bottom(), 200);
    EXPECT_GT(ink.bottom(), 170);
    EXPECT_NEAR(ink.height(), 43, 4); // cap height of a 6 mm em
    // Upright: the crossbar of the H is in the middle, the T's bar at the top right.
    const QRect topRight(ink.right() - 10, ink.top(), 10, 3);
    EXPECT_LT(qGray(image.pixel(topRight.center())), 160);
}

TEST(PainterSurfaceTest, MeasuringWrappedTextGrowsDownThePage) {
    QImage image = Sheet(10, 10);
    QPainter painter(&image);
    PainterSurface dc(painter);
    dc.SetMapMode(MapMode::LoMetric);
    dc.SelectFont(LogFont::Make(-40, 0, 400, QStringLiteral("Arial")));
    const TextMetrics tm = dc.GetTextMetrics();
    EXPECT_GE(tm.height, 40);
    EXPECT_GT(tm.aveCharWidth, 10);

    Rect box(100, -100, 400, -100);
    const int height = dc.DrawText(QStringLiteral("uno dos tres cuatro cinco seis siete ocho"), box,
                                   TextLayout::WordBreak | TextLayout::CalcRect);
    EXPECT_GT(height, 2 * tm.height - 2);
    EXPECT_EQ(box.left, 100);
    EXPECT_EQ(box.top, -100);
    EXPECT_EQ(box.bottom, -100 - height);
    EXPECT_LE(box.right, 400);

    Rect single(0, 0, 0, 0);
    dc.DrawText(QStringLiteral("Total"), single, TextLayout::CalcRect);
    EXPECT_NEAR(single.right, dc.GetTextExtent(QStringLiteral("Total")).x, 1);
    Rect empty(5, -5, 5, -5);
    dc.DrawText(QString(), empty, TextLayout::CalcRect);
    EXPECT_EQ(empty.right, 5);
}

TEST(PainterSurfaceTest, FontHeightSignsAndNarrowing) {
    QImage image = Sheet(10, 10);
    QPainter painter(&image);
    PainterSurface dc(painter);
    dc.SetMapMode(MapMode::LoMetric);
    const QFont character = dc.MakeQFont(LogFont::Make(-100, 0, 400, QStringLiteral("Arial")));
    const QFont cell = dc.MakeQFont(LogFont::Make(100, 0, 400, QStringLiteral("Arial")));
    EXPECT_EQ(character.pixelSize(), 100);
    EXPECT_LT(cell.pixelSize(), 100); // the cell includes the leading
    EXPECT_NEAR(QFontMetricsF(cell).ascent() + QFontMetricsF(cell).descent(), 100, 3);

    LogFont narrow = LogFont::Make(-100, 0, 400, QStringLiteral("Arial"));
    dc.SelectFont(narrow);
    const int natural = dc.GetTextMetrics().aveCharWidth;
    narrow.width = natural * 96 / 100;
    dc.SelectFont(narrow);
    EXPECT_NEAR(dc.GetTextMetrics().aveCharWidth, narrow.width, 2);
    EXPECT_LT(dc.GetTextExtent(QStringLiteral("MMMMMMMMMM")).x,
              dc.MakeQFont(LogFont::Make(-100, 0, 400, QStringLiteral("Arial"))).pixelSize() * 10);
}

// A printer reports its unprintable margin as the physical offset and the rest of the sheet as
// the printable size, unless the painter may reach the paper's edge.
TEST(PainterSurfaceTest, PrintersReportTheirMarginAsThePhysicalOffset) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setResolution(600);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                      QMarginsF(4, 6, 4, 6), QPageLayout::Millimeter));
    printer.setFullPage(false);
    PainterSurface::DeviceInfo info = PainterSurface::DescribeDevice(printer);
    EXPECT_EQ(info.dpiX, 600);
    EXPECT_EQ(info.dpiY, 600);
    EXPECT_EQ(info.physicalWidth, 5100); // 8.5 x 11 inches
    EXPECT_EQ(info.physicalHeight, 6600);
    // The margins, as near as the page layout keeps them (whole points).
    EXPECT_NEAR(info.physicalOffsetX, 4 / 25.4 * 600, 3);
    EXPECT_NEAR(info.physicalOffsetY, 6 / 25.4 * 600, 3);
    EXPECT_EQ(info.horzRes, 5100 - 2 * info.physicalOffsetX);
    EXPECT_EQ(info.vertRes, 6600 - 2 * info.physicalOffsetY);

    printer.setFullPage(true);
    info = PainterSurface::DescribeDevice(printer);
    EXPECT_EQ(info.physicalOffsetX, 0);
    EXPECT_EQ(info.physicalOffsetY, 0);
    EXPECT_EQ(info.horzRes, 5100);
    EXPECT_EQ(info.vertRes, 6600);
}

// A text is cut by its rectangle only where its ink reaches past it; one well inside prints
// exactly as if it had no rectangle, and drawing leaves the painter as it found it.
TEST(PainterSurfaceTest, ClippedTextIsCutOnlyWhereItCrossesItsRectangle) {
    const LogFont font = LogFont::Make(-60, 0, 400, QStringLiteral("Arial"));
    auto draw = [&font](TextOutOptions options, const Rect& rect, int turn = 0) {
        QImage image = Sheet(800, 300);
        QPainter painter(&image);
        {
            PainterSurface dc(painter);
            dc.SetMapMode(MapMode::LoMetric);
            LogFont turned = font;
            turned.escapement = turn;
            dc.SelectFont(turned);
            dc.SetTextAlign(TextAlign::Left | TextAlign::Bottom);
            dc.ExtTextOut(100, -200, options, rect, QStringLiteral("Cuaderno"));
            EXPECT_FALSE(painter.hasClipping());
            EXPECT_TRUE(painter.worldTransform().isIdentity());
        }
        painter.end();
        return image;
    };
    const QImage free = draw({}, Rect());
    const QImage roomy = draw(TextOutOption::Clipped, Rect(50, -50, 750, -250));
    EXPECT_EQ(roomy, free);

    const QImage cut = draw(TextOutOption::Clipped, Rect(50, -50, 250, -250));
    const QRect ink = InkBox(cut);
    ASSERT_FALSE(ink.isNull());
    EXPECT_LT(ink.right(), 250);
    EXPECT_GT(InkBox(free).right(), 300);

    // An opaque background is held to the rectangle as well.
    QImage grey = Sheet(800, 300);
    {
        QPainter painter(&grey);
        PainterSurface dc(painter);
        dc.SetMapMode(MapMode::LoMetric);
        dc.SelectFont(font);
        dc.SetBkColor(MakeColorRef(0, 0, 0));
        dc.SetTextColor(MakeColorRef(255, 255, 255));
        dc.SetTextAlign(TextAlign::Left | TextAlign::Bottom);
        dc.ExtTextOut(100, -200, TextOutOption::Clipped, Rect(50, -50, 250, -250),
                      QStringLiteral("Cuaderno"));
    }
    EXPECT_LT(InkBox(grey).right(), 250);
    EXPECT_GT(InkBox(grey).width(), 100);

    const QImage turned = draw(TextOutOption::Clipped, Rect(50, -50, 250, -290), 900);
    EXPECT_FALSE(InkBox(turned).isNull());
}

// The surface remembers fonts, measures and pens; what it remembers must follow the font, the
// mapping mode and the pen that are selected.
TEST(PainterSurfaceTest, RememberedFontsAndPensFollowWhatIsSelected) {
    QImage image = Sheet(400, 200);
    QPainter painter(&image);
    PainterSurface dc(painter);
    dc.SetMapMode(MapMode::LoMetric);
    const QString text = QStringLiteral("Total");
    dc.SelectFont(LogFont::Make(-40, 0, 400, QStringLiteral("Arial")));
    const Point small = dc.GetTextExtent(text);
    const TextMetrics smallMetrics = dc.GetTextMetrics();
    dc.SelectFont(LogFont::Make(-80, 0, 400, QStringLiteral("Arial")));
    EXPECT_NEAR(dc.GetTextExtent(text).x, 2 * small.x, 3);
    EXPECT_NEAR(dc.GetTextMetrics().height, 2 * smallMetrics.height, 3);
    dc.SetMapMode(MapMode::HiMetric); // the same record is now ten times smaller on the page
    EXPECT_NEAR(dc.GetTextExtent(text).x, 2 * small.x, 3);
    EXPECT_NEAR(dc.GetTextMetrics().height, 2 * smallMetrics.height, 3);
    dc.SetMapMode(MapMode::LoMetric);
    // Many fonts later, the first one measures as it did.
    for (int height = 10; height < 150; ++height) {
        dc.SelectFont(LogFont::Make(-height, 0, 400, QStringLiteral("Arial")));
        dc.GetTextExtent(text);
    }
    dc.SelectFont(LogFont::Make(-40, 0, 400, QStringLiteral("Arial")));
    EXPECT_EQ(dc.GetTextExtent(text), small);
    EXPECT_EQ(dc.GetTextMetrics().height, smallMetrics.height);

    dc.SelectPen(Pen{PenStyle::Solid, 5, MakeColorRef(255, 0, 0)});
    dc.MoveTo(20, -50);
    dc.LineTo(380, -50);
    dc.SelectPen(Pen{PenStyle::Solid, 5, MakeColorRef(0, 0, 255)});
    dc.MoveTo(20, -150);
    dc.LineTo(380, -150);
    painter.end();
    EXPECT_EQ(image.pixelColor(200, 50), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(200, 150), QColor(0, 0, 255));
}

// A surface that prints many sheets starts each one as a new surface would, whatever the sheet
// before left selected.
TEST(PainterSurfaceTest, DefaultsSelectedAgainDrawAsANewSurface) {
    auto sheet = [](const std::function<void(PainterSurface&)>& before) {
        QImage image = Sheet(300, 100);
        QPainter painter(&image);
        {
            PainterSurface dc(painter);
            before(dc);
            dc.FillSolidRect(Rect(0, 0, 300, 100), MakeColorRef(200, 200, 200));
            dc.TextOut(20, 20, QStringLiteral("Folio"));
            dc.MoveTo(10, 80);
            dc.LineTo(290, 80);
        }
        painter.end();
        return image;
    };
    const QImage fresh = sheet([](PainterSurface&) {});
    const QImage again = sheet([](PainterSurface& dc) {
        dc.SetMapMode(MapMode::LoMetric);
        dc.SetWindowOrg({40, -40});
        dc.SelectFont(LogFont::Make(-90, 0, 700, QStringLiteral("Arial")));
        dc.SelectPen(Pen{PenStyle::Dash, 9, MakeColorRef(255, 0, 0)});
        dc.SetTextColor(MakeColorRef(0, 0, 255));
        dc.SetBkMode(BkMode::Transparent);
        dc.SetTextAlign(TextAlign::Right | TextAlign::Bottom);
        dc.TextOut(100, -100, QStringLiteral("Hoja 1"));
        dc.SelectDefaults();
    });
    EXPECT_EQ(again, fresh);
}
