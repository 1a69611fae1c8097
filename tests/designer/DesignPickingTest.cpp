// What a click on the page picks where controls lie over one another: a rectangle only on its
// stroke, a control inside another before its container, and Alt+click going down through
// everything under the pointer. Real mouse events on the design view.
#include "capture_model/CParrafoVar.h"
#include "capture_model/CaptureControlTypes.h"
#include "designer/CFmtdesignView.h"
#include "designer/DesignDocument.h"
#include "model/CConsText.h"
#include "model/CLinea.h"
#include "model/CRectangulo.h"

#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace {

class DesignPickingTest : public ::testing::Test {
protected:
    DesignPickingTest() : view(document) {
        CaptureControlTypes::RegisterAll();
        // The off-screen screen is 800 x 600: the pointer stays on it.
        view.resize(780, 580);
        view.SetScale(1.0);
        view.show();
    }

    template <typename Control>
    Control& Add(std::unique_ptr<Control> control) {
        Control& added = *control;
        document.Controls().push_back(std::move(control));
        return added;
    }
    // A 60 mm square outline hanging from (100, -100), and a 40 mm text inside it, from x 250
    // to 650 and y -300 to -255.
    CRectangulo& AddBorder() { return Add(CRectangulo::Create(100, -100)); }
    CConsText& AddTextInside() {
        return Add(CConsText::Create(250, -300, QStringLiteral("Texto")));
    }

    QWidget* Surface() { return view.viewport(); }
    void Click(Point p, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseMove(Surface(), view.ToPixel(p));
        QTest::mouseClick(Surface(), Qt::LeftButton, modifiers, view.ToPixel(p));
    }
    void DragFromTo(Point from, Point to) {
        QTest::mouseMove(Surface(), view.ToPixel(from));
        QTest::mousePress(Surface(), Qt::LeftButton, {}, view.ToPixel(from));
        for (int k = 1; k <= 4; ++k) {
            const Point p{from.x + (to.x - from.x) * k / 4, from.y + (to.y - from.y) * k / 4};
            QMouseEvent move(QEvent::MouseMove, view.ToPixel(p),
                             Surface()->mapToGlobal(view.ToPixel(p)), Qt::NoButton, Qt::LeftButton,
                             Qt::NoModifier);
            QCoreApplication::sendEvent(Surface(), &move);
        }
        QTest::mouseRelease(Surface(), Qt::LeftButton, {}, view.ToPixel(to));
    }
    int Index(const CControles& control) const { return document.IndexOf(&control); }
    std::vector<int> Selection() const { return document.Selection(); }

    DesignDocument document;
    CFmtdesignView view;
};

TEST_F(DesignPickingTest, ARectangleIsPickedOnItsStrokeAndTheRestOfItIsSeenThrough) {
    CConsText& text = AddTextInside();
    CRectangulo& border = AddBorder(); // drawn over the text
    const QByteArray before = document.Bytes();

    // Inside the border, over the paper: nothing, and a drag there draws a band instead of
    // carrying the border away.
    Click(Point{200, -500});
    EXPECT_TRUE(Selection().empty());
    DragFromTo(Point{200, -200}, Point{680, -350});
    EXPECT_EQ(Selection(), std::vector<int>{Index(text)});
    EXPECT_EQ(document.Bytes(), before);

    // On the text inside it: the text; on its stroke, or just off it: the border.
    Click(Point{320, -280});
    EXPECT_EQ(Selection(), std::vector<int>{Index(text)});
    Click(Point{100, -400});
    EXPECT_EQ(Selection(), std::vector<int>{Index(border)});
    Click(Point{400, -703});
    EXPECT_EQ(Selection(), std::vector<int>{Index(border)});

    // The stroke's reach is pixels: half a millimetre inside is on it at true size, and off it
    // zoomed in twofold.
    Click(Point{105, -150});
    EXPECT_EQ(Selection(), std::vector<int>{Index(border)});
    view.SetZoom(200);
    view.ScrollToOrigin();
    Click(Point{105, -150});
    EXPECT_TRUE(Selection().empty());
    Click(Point{101, -150});
    EXPECT_EQ(Selection(), std::vector<int>{Index(border)});
    EXPECT_EQ(document.UndoStack().count(), 0);
}

TEST_F(DesignPickingTest, AControlInsideAnotherIsPickedBeforeItsContainer) {
    // The text lies beneath a paragraph field, whose white box covers it on the page.
    CConsText& text = AddTextInside();
    auto& field = Add(CParrafoVar::Create(200, -200));
    field.pageRect = PageRect(200, -200, 900, -600);
    Click(Point{320, -280});
    EXPECT_EQ(Selection(), std::vector<int>{Index(text)});
    Click(Point{700, -500});
    EXPECT_EQ(Selection(), std::vector<int>{Index(field)});

    // A line across a text's box is picked on its rule only.
    auto& line = Add(CLinea::Create(250, -310));
    Click(Point{400, -310});
    EXPECT_EQ(Selection(), std::vector<int>{Index(line)});
    Click(Point{400, -295});
    EXPECT_EQ(Selection(), std::vector<int>{Index(text)});
}

TEST_F(DesignPickingTest, AltClickGoesDownThroughEverythingUnderThePointer) {
    CRectangulo& border = AddBorder();
    auto& field = Add(CParrafoVar::Create(200, -200));
    field.pageRect = PageRect(200, -200, 650, -600);
    CConsText& text = AddTextInside();
    const QByteArray before = document.Bytes();

    const Point p{320, -280};
    const std::vector<int> expected{Index(text), Index(field), Index(border), Index(text)};
    for (int index : expected) {
        Click(p, Qt::AltModifier);
        EXPECT_EQ(Selection(), std::vector<int>{index});
    }
    // A plain click there still picks the innermost control.
    Click(Point{150, -650});
    EXPECT_TRUE(Selection().empty());
    Click(p);
    EXPECT_EQ(Selection(), std::vector<int>{Index(text)});
    // Inside the border over the paper, Alt+click reaches the border itself.
    Click(Point{150, -650}, Qt::AltModifier);
    EXPECT_EQ(Selection(), std::vector<int>{Index(border)});
    EXPECT_EQ(document.Bytes(), before);
    EXPECT_EQ(document.UndoStack().count(), 0);
}

} // namespace
