// The drawing surface on a window: the one device of the bottom layer that needs widgets.
#include "platform/PainterSurface.h"

#include <QPainter>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// A window that draws a framed box in pixels and a 1 cm rule in tenths of a millimetre.
class SampleWindow : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        PainterSurface dc(painter);
        dc.SelectBrush(Brush{BrushStyle::Solid, MakeColorRef(255, 255, 0)});
        dc.SelectPen(Pen{PenStyle::Solid, 1, MakeColorRef(0, 0, 255)});
        dc.Rectangle(Rect(10, 10, 50, 30));
        dc.SetMapMode(MapMode::LoMetric);
        dc.SetWindowOrg({0, 0});
        dc.SetViewportOrg({0, 60});
        dc.SelectPen(Pen{PenStyle::Solid, 0, kBlack});
        dc.MoveTo(0, 0);
        dc.LineTo(100, 0);
        ruleEnd = dc.LPtoDP({100, 0}).x;
    }

public:
    int ruleEnd = 0;
};

} // namespace

TEST(PainterSurfaceTest, DrawsOnAWindow) {
    SampleWindow window;
    window.resize(120, 80);
    const QImage shot = window.grab().toImage();
    EXPECT_EQ(shot.pixelColor(30, 20), QColor(255, 255, 0));
    EXPECT_EQ(shot.pixelColor(10, 20), QColor(0, 0, 255));
    // 1 cm at the window's own resolution.
    EXPECT_EQ(window.ruleEnd, qRound(window.logicalDpiX() / 2.54));
    EXPECT_LT(qGray(shot.pixel(window.ruleEnd / 2, 60)), 128);
}
