#include "designer/CRulerCornerView.h"
#include "designer/CRules.h"
#include "platform/PainterSurface.h"
#include "platform/RecordingSurface.h"

#include <QImage>
#include <QPainter>
#include <QPalette>

#include <gtest/gtest.h>

namespace {

const QSize kTopPane(600, 16);
const QSize kLeftPane(16, 600);

std::vector<SurfaceCall> Painted(const CRules& ruler, QSize pane) {
    RecordingSurface dc;
    ruler.Paint(dc, pane);
    return dc.Calls();
}

std::vector<SurfaceCall> Named(const std::vector<SurfaceCall>& calls, const char* op) {
    std::vector<SurfaceCall> named;
    for (const SurfaceCall& call : calls) {
        if (call.op == QLatin1String(op))
            named.push_back(call);
    }
    return named;
}

QStringList Numbers(const std::vector<SurfaceCall>& calls) {
    QStringList numbers;
    for (const SurfaceCall& call : Named(calls, "TextOut"))
        numbers << call.text;
    return numbers;
}

// The lines drawn in neither the ruler's ink nor its background: the marker.
std::vector<SurfaceCall> MarkerLines(const CRules& ruler, QSize pane) {
    const ColorRef ink = FromQColor(ruler.palette().color(QPalette::Text));
    const ColorRef paper = FromQColor(ruler.palette().color(QPalette::Base));
    std::vector<SurfaceCall> marker;
    for (const SurfaceCall& call : Named(Painted(ruler, pane), "LineTo")) {
        if (call.pen.color != ink && call.pen.color != paper)
            marker.push_back(call);
    }
    return marker;
}

QStringList ZeroToForty() {
    QStringList numbers;
    for (int i = 0; i <= 40; ++i)
        numbers << QString::number(i);
    return numbers;
}

TEST(RulersTest, FortyCentimetresAndTheirMillimetresAtTrueScale) {
    const CRules top(Qt::Horizontal);
    const std::vector<SurfaceCall> calls = Painted(top, kTopPane);
    EXPECT_EQ(Numbers(calls), ZeroToForty());
    for (const SurfaceCall& number : Named(calls, "TextOut")) {
        EXPECT_EQ(number.mapMode, MapMode::HiMetric);
        EXPECT_EQ(number.font.height, 400);
        EXPECT_EQ(number.textAlign, TextAlign::Right);
    }
    // The number 5 stands just left of the line 5 cm into the page, which begins 5 mm in.
    EXPECT_EQ(Named(calls, "TextOut")[5].args, (std::vector<int>{5400, 50}));
    std::vector<int> millimetres;
    for (const SurfaceCall& move : Named(calls, "MoveTo")) {
        if (move.args[1] == -300)
            millimetres.push_back(move.args[0]);
    }
    ASSERT_EQ(millimetres.size(), 399u);
    EXPECT_EQ(millimetres.front(), 600);
    EXPECT_EQ(millimetres.back(), 40400);

    const CRules left(Qt::Vertical);
    const std::vector<SurfaceCall> leftCalls = Painted(left, kLeftPane);
    EXPECT_EQ(Numbers(leftCalls), ZeroToForty());
    const SurfaceCall one = Named(leftCalls, "TextOut")[1];
    EXPECT_EQ(one.args, (std::vector<int>{0, -1400}));
    EXPECT_EQ(one.font.height, 300);
    EXPECT_EQ(one.font.escapement, -900);
    int leftMillimetres = 0;
    for (const SurfaceCall& move : Named(leftCalls, "MoveTo")) {
        if (move.args[0] == 300)
            ++leftMillimetres;
    }
    EXPECT_EQ(leftMillimetres, 399);
}

TEST(RulersTest, ScrollingMovesOnlyTheRulerOfItsAxis) {
    CRules top(Qt::Horizontal);
    CRules left(Qt::Vertical);
    const std::vector<SurfaceCall> topBefore = Painted(top, kTopPane);
    const std::vector<SurfaceCall> leftBefore = Painted(left, kLeftPane);

    // The view scrolled right by 1 cm: every mark of the top ruler, numbers and page end
    // included, 1000 units to the left.
    top.Update(1, 100);
    left.Update(1, 100);
    const std::vector<SurfaceCall> topAfter = Painted(top, kTopPane);
    ASSERT_EQ(topAfter.size(), topBefore.size());
    int moved = 0;
    for (size_t i = 0; i < topAfter.size(); ++i) {
        const QString& op = topAfter[i].op;
        if (op != QLatin1String("MoveTo") && op != QLatin1String("LineTo") &&
            op != QLatin1String("TextOut"))
            continue;
        EXPECT_EQ(topAfter[i].args[0], topBefore[i].args[0] - 1000) << i;
        EXPECT_EQ(topAfter[i].args[1], topBefore[i].args[1]) << i;
        ++moved;
    }
    EXPECT_EQ(moved, 2 + 41 * 3 + 399 * 2);
    const std::vector<SurfaceCall> leftAfter = Painted(left, kLeftPane);
    ASSERT_EQ(leftAfter.size(), leftBefore.size());
    for (size_t i = 0; i < leftAfter.size(); ++i)
        EXPECT_EQ(leftAfter[i].args, leftBefore[i].args) << i;

    // Scrolled down by 1 cm (the view's y runs upward, so its position is -100): the left
    // ruler's marks rise by 1000.
    left.Update(2, -100);
    const std::vector<SurfaceCall> leftDown = Painted(left, kLeftPane);
    const auto lines = Named(leftDown, "LineTo");
    const auto linesBefore = Named(leftBefore, "LineTo");
    ASSERT_EQ(lines.size(), linesBefore.size());
    for (size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(lines[i].args[1], linesBefore[i].args[1] + 1000) << i;
}

TEST(RulersTest, TheMarkerFollowsThePointerAlongItsOwnAxis) {
    CRules top(Qt::Horizontal);
    EXPECT_TRUE(MarkerLines(top, kTopPane).empty());

    // Two notifications at the same x leave one marker, at the page's offset.
    top.Update(3, 700);
    top.Update(3, 700);
    auto marker = MarkerLines(top, kTopPane);
    ASSERT_EQ(marker.size(), 1u);
    EXPECT_EQ(marker[0].args, (std::vector<int>{7500, -25 * 16}));

    // A place beyond the page's 400 mm leaves the marker where it was; the very end is taken.
    top.Update(3, 4001);
    EXPECT_EQ(top.MarkerPosition(), 7500);
    top.Update(3, 4000);
    EXPECT_EQ(top.MarkerPosition(), 40500);
    // The other ruler's notifications are not the top ruler's.
    top.Update(4, -300);
    EXPECT_EQ(top.MarkerPosition(), 40500);

    // The marker is drawn where the scrolled marks are, and a scroll repaints without it.
    top.Update(3, 700);
    top.Update(1, 100);
    EXPECT_FALSE(top.IsMarkerShown());
    EXPECT_TRUE(MarkerLines(top, kTopPane).empty());
    top.Update(3, 700);
    marker = MarkerLines(top, kTopPane);
    ASSERT_EQ(marker.size(), 1u);
    EXPECT_EQ(marker[0].args[0], 6500);

    // The left ruler: y runs downward below zero; a place below the page is ignored.
    CRules left(Qt::Vertical);
    left.Update(4, -300);
    left.Update(4, -4001);
    left.Update(3, 700);
    marker = MarkerLines(left, kLeftPane);
    ASSERT_EQ(marker.size(), 1u);
    EXPECT_EQ(marker[0].args, (std::vector<int>{25 * 16, -3500}));
    // Any other notification repaints the ruler, which loses its marker.
    left.Update(0, 0);
    EXPECT_TRUE(MarkerLines(left, kLeftPane).empty());
}

// Zoomed, the ruler stays in step with the view: its marks, the page's corner, the scrolled
// distance and the marker all grow by the zoom, and a number keeps its 1 mm from its line.
TEST(RulersTest, AtTwiceTheSizeTheMarksStandTwiceAsFarApart) {
    CRules top(Qt::Horizontal);
    CRules left(Qt::Vertical);
    top.SetScale(2.0);
    left.SetScale(2.0);
    const auto lineXs = [](const std::vector<SurfaceCall>& calls, int fromY) {
        std::vector<int> xs;
        for (const SurfaceCall& move : Named(calls, "MoveTo")) {
            if (move.args[1] == fromY)
                xs.push_back(move.args[0]);
        }
        return xs;
    };
    const std::vector<SurfaceCall> calls = Painted(top, kTopPane);
    EXPECT_EQ(Numbers(calls), ZeroToForty());
    // The page's end first, then the centimetres from the page's corner, 10 mm in.
    const std::vector<int> centimetres = lineXs(calls, 0);
    ASSERT_EQ(centimetres.size(), 42u);
    EXPECT_EQ(centimetres[0], 2 * 40500);
    EXPECT_EQ(centimetres[1], 1000);
    EXPECT_EQ(centimetres[2], 3000);
    EXPECT_EQ(Named(calls, "TextOut")[5].args, (std::vector<int>{2 * 5500 - 100, 50}));
    const std::vector<int> millimetres = lineXs(calls, -300);
    ASSERT_EQ(millimetres.size(), 399u);
    EXPECT_EQ(millimetres[1] - millimetres[0], 200);

    // Scrolled right by 1 cm of the page, the marks move 2 cm of the ruler; the marker at 7 cm
    // lands on the 7 cm line.
    top.Update(1, 100);
    top.Update(3, 700);
    const std::vector<SurfaceCall> scrolled = Painted(top, kTopPane);
    EXPECT_EQ(lineXs(scrolled, 0)[1], 1000 - 2000);
    const auto marker = MarkerLines(top, kTopPane);
    ASSERT_EQ(marker.size(), 1u);
    EXPECT_EQ(marker[0].args[0], lineXs(scrolled, 0)[8]);
    // The end of the page still takes a marker, whatever the zoom.
    top.Update(3, 4000);
    EXPECT_EQ(top.MarkerPosition(), 40500);

    left.Update(4, -300);
    const std::vector<SurfaceCall> leftCalls = Painted(left, kLeftPane);
    const auto leftMarker = MarkerLines(left, kLeftPane);
    ASSERT_EQ(leftMarker.size(), 1u);
    EXPECT_EQ(leftMarker[0].args[1], -2 * 3500);
    EXPECT_EQ(Named(leftCalls, "TextOut")[1].args, (std::vector<int>{0, -2 * 1500 + 100}));
}

// The left ruler's numbers read downward with their tops toward the page; each stands in the
// pane, just above its line and clear of the millimetre marks.
TEST(RulersTest, TheLeftRulersNumbersStandInsideThePane) {
    QImage pane(kLeftPane, QImage::Format_RGB32);
    pane.setDotsPerMeterX(3780); // 96 dots an inch: 1 cm is 37.8 pixels
    pane.setDotsPerMeterY(3780);
    pane.fill(Qt::white);
    const CRules left(Qt::Vertical);
    {
        QPainter painter(&pane);
        PainterSurface dc(painter, PainterSurface::DescribeDevice(pane));
        left.Paint(dc, kLeftPane);
    }
    // Between the lines of 1 cm (5 mm + 10 mm down: 56.7 pixels) and 2 cm (94.5 pixels), left of
    // the millimetre marks (from 3 mm in: 11.3 pixels), only the number 2 has ink.
    int ink = 0;
    for (int y = 60; y < 93; ++y) {
        for (int x = 0; x < 11; ++x)
            ink += qGray(pane.pixel(x, y)) < 128 ? 1 : 0;
    }
    EXPECT_GE(ink, 8);
}

TEST(RulersTest, TheCornerNamesTheUnit) {
    const CRulerCornerView corner;
    RecordingSurface dc;
    corner.Paint(dc);
    const auto text = dc.CallsNamed(QStringLiteral("TextOut"));
    ASSERT_EQ(text.size(), 1u);
    EXPECT_EQ(text[0].text, QStringLiteral("CM"));
    EXPECT_EQ(text[0].args, (std::vector<int>{2, 2}));
    EXPECT_EQ(text[0].font.Face(), QStringLiteral("Times New Roman"));
    EXPECT_EQ(text[0].bkMode, BkMode::Transparent);
}

} // namespace
