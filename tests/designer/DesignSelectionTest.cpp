// A selection of many controls, as a user makes and uses it: the pointer with Shift and Ctrl,
// the rubber band, the keys, and the commands that act on every selected control as one step.
#include "capture_model/CaptureControlTypes.h"
#include "designer/CFmtdesignView.h"
#include "designer/DesignDocument.h"
#include "model/CConsText.h"
#include "model/CLinea.h"
#include "model/CRectangulo.h"

#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace {

class DesignSelectionTest : public ::testing::Test {
protected:
    DesignSelectionTest() : view(document) {
        CaptureControlTypes::RegisterAll();
        // The off-screen screen is 800 x 600: the pointer stays on it.
        view.resize(780, 580);
        view.SetScale(1.0);
        view.show();
    }

    // A constant text 40 mm wide and 4.5 mm high, its lower-left corner at (x, y).
    CControles& AddText(int x, int y) {
        document.Controls().push_back(CConsText::Create(x, y, QStringLiteral("Texto")));
        return *document.Controls().back();
    }
    // Five texts one above another, 1 cm apart, the first at the top.
    void AddColumnOfFive() {
        for (int k = 0; k < 5; ++k)
            AddText(100, -100 - 100 * k);
    }
    // The point 2 mm inside a text's lower-left corner.
    static Point Inside(const CControles& control) {
        return Point{control.pageRect.left + 20, control.pageRect.bottom + 20};
    }

    QWidget* Surface() { return view.viewport(); }
    void Click(Point p, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseMove(Surface(), view.ToPixel(p));
        QTest::mouseClick(Surface(), Qt::LeftButton, modifiers, view.ToPixel(p));
    }
    void DragFromTo(Point from, Point to, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseMove(Surface(), view.ToPixel(from));
        QTest::mousePress(Surface(), Qt::LeftButton, modifiers, view.ToPixel(from));
        for (int k = 1; k <= 4; ++k) {
            const Point p{from.x + (to.x - from.x) * k / 4, from.y + (to.y - from.y) * k / 4};
            QMouseEvent move(QEvent::MouseMove, view.ToPixel(p),
                             Surface()->mapToGlobal(view.ToPixel(p)), Qt::NoButton, Qt::LeftButton,
                             modifiers);
            QCoreApplication::sendEvent(Surface(), &move);
        }
        QTest::mouseRelease(Surface(), Qt::LeftButton, modifiers, view.ToPixel(to));
    }
    std::vector<int> Lefts() const {
        std::vector<int> lefts;
        for (const auto& control : document.Controls())
            lefts.push_back(control->pageRect.left);
        return lefts;
    }
    std::vector<bool> Flags() const {
        std::vector<bool> flags;
        for (const auto& control : document.Controls())
            flags.push_back(control->selected);
        return flags;
    }

    DesignDocument document;
    CFmtdesignView view;
};

TEST_F(DesignSelectionTest, ShiftAndCtrlClicksAddAndRemoveAndAPlainClickPicksOne) {
    AddColumnOfFive();
    Click(Inside(*document.ControlAt(3)));
    Click(Inside(*document.ControlAt(1)), Qt::ShiftModifier);
    Click(Inside(*document.ControlAt(4)), Qt::ControlModifier);
    // Picked order is kept: the first picked leads.
    EXPECT_EQ(document.Selection(), (std::vector<int>{3, 1, 4}));
    EXPECT_EQ(document.SelectedIndex(), 3);
    EXPECT_EQ(Flags(), (std::vector<bool>{false, true, false, true, true}));

    Click(Inside(*document.ControlAt(3)), Qt::ShiftModifier);
    EXPECT_EQ(document.Selection(), (std::vector<int>{1, 4}));
    EXPECT_EQ(document.SelectedIndex(), 1);
    EXPECT_TRUE(document.UndoStack().count() == 0) << "clicks that move nothing add no step";

    Click(Inside(*document.ControlAt(0)));
    EXPECT_EQ(document.Selection(), (std::vector<int>{0}));
    Click(Point{1500, -1500});
    EXPECT_TRUE(document.Selection().empty());
}

TEST_F(DesignSelectionTest, ARubberBandSelectsWhatItWhollyEncloses) {
    AddColumnOfFive();
    // From between the first and second texts to through the fifth: a text the band only cuts
    // is left out.
    DragFromTo(Point{50, -120}, Point{550, -460});
    EXPECT_FALSE(view.RubberBand().has_value());
    EXPECT_EQ(document.Selection(), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(document.UndoStack().count(), 0);

    // Drawn the other way round with Shift, the band adds to what was selected.
    DragFromTo(Point{550, -590}, Point{50, -440}, Qt::ShiftModifier);
    EXPECT_EQ(document.Selection(), (std::vector<int>{1, 2, 3, 4}));
    DragFromTo(Point{50, -90}, Point{550, -130});
    EXPECT_TRUE(document.Selection().empty());

    document.SelectAll();
    EXPECT_EQ(document.Selection(), (std::vector<int>{0, 1, 2, 3, 4}));
}

TEST_F(DesignSelectionTest, ABandInProgressIsShownUntilTheRelease) {
    AddColumnOfFive();
    const Point from{900, -100};
    QTest::mouseMove(Surface(), view.ToPixel(from));
    QTest::mousePress(Surface(), Qt::LeftButton, {}, view.ToPixel(from));
    QTest::mouseMove(Surface(), view.ToPixel(Point{1000, -300}));
    ASSERT_TRUE(view.RubberBand().has_value());
    EXPECT_EQ(*view.RubberBand(), Rect(900, -300, 1000, -100));
    const QImage shown = view.viewport()->grab().toImage();
    const QPoint inside = view.ToPixel(Point{950, -200});
    EXPECT_NE(shown.pixelColor(inside), QColor(Qt::white)) << "the band's inside is tinted";
    QTest::mouseRelease(Surface(), Qt::LeftButton, {}, view.ToPixel(Point{1000, -300}));
    EXPECT_FALSE(view.RubberBand().has_value());
}

TEST_F(DesignSelectionTest, DraggingOrNudgingASelectionMovesAllOfItInOneStep) {
    AddColumnOfFive();
    const QByteArray before = document.Bytes();
    Click(Inside(*document.ControlAt(0)));
    Click(Inside(*document.ControlAt(2)), Qt::ShiftModifier);
    Click(Inside(*document.ControlAt(4)), Qt::ShiftModifier);
    // A plain press on a selected control keeps the selection and drags all three 1 mm.
    DragFromTo(Inside(*document.ControlAt(2)),
               Point{Inside(*document.ControlAt(2)).x + 10, Inside(*document.ControlAt(2)).y});
    EXPECT_EQ(Lefts(), (std::vector<int>{110, 100, 110, 100, 110}));
    ASSERT_EQ(document.UndoStack().count(), 1);
    document.UndoStack().undo();
    EXPECT_EQ(document.Bytes(), before);
    EXPECT_EQ(document.Selection(), (std::vector<int>{0, 2, 4}));

    QTest::keyClick(&view, Qt::Key_End);
    EXPECT_EQ(Lefts(), (std::vector<int>{110, 100, 110, 100, 110}));
    EXPECT_EQ(document.UndoStack().count(), 1);
    document.UndoStack().undo();
    EXPECT_EQ(document.Bytes(), before);
}

TEST_F(DesignSelectionTest, AltSwitchesSnappingOffForOneDrag) {
    CControles& text = AddText(100, -100);
    document.SetSnapStep(100);
    DragFromTo(Inside(text), Point{Inside(text).x + 37, Inside(text).y}, Qt::AltModifier);
    EXPECT_EQ(text.pageRect.left, 137);
    DragFromTo(Inside(text), Point{Inside(text).x + 137, Inside(text).y});
    EXPECT_EQ(text.pageRect.left, 237);
}

TEST_F(DesignSelectionTest, GridLinesLieUnderTheControlsAtTheSnapStep) {
    document.SetSnapStep(10);
    const auto colourAt = [this](Point p) {
        return view.viewport()->grab().toImage().pixelColor(view.ToPixel(p));
    };
    const Point onLine{310, -155};
    const Point between{315, -155};
    EXPECT_EQ(colourAt(onLine), QColor(Qt::white));
    view.SetGridShown(true);
    const QColor millimetre = colourAt(onLine);
    EXPECT_NE(millimetre, QColor(Qt::white));
    EXPECT_EQ(colourAt(between), QColor(Qt::white));
    // Each centimetre a little darker than the millimetres between.
    EXPECT_LT(colourAt(Point{200, -155}).lightness(), millimetre.lightness());
    // Snapping to the centimetre, the millimetre lines go.
    document.SetSnapStep(100);
    view.viewport()->update();
    EXPECT_EQ(colourAt(onLine), QColor(Qt::white));
    EXPECT_EQ(colourAt(Point{300, -155}), millimetre);
}

// The document's commands on a selection, each one step that undo gives back byte for byte.
class SelectionCommandTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { CaptureControlTypes::RegisterAll(); }

    CControles& AddText(int x, int y) {
        document.Controls().push_back(CConsText::Create(x, y, QStringLiteral("Texto")));
        return *document.Controls().back();
    }
    CControles& At(int i) const { return *document.ControlAt(i); }
    void SelectInOrder(const std::vector<int>& picked) {
        document.Select(picked.front());
        for (std::size_t k = 1; k < picked.size(); ++k)
            document.ToggleSelected(picked[k]);
    }
    // Runs the command, expects it one step, undoes it and expects the bytes back.
    template <typename Command>
    void ExpectOneStep(Command command) {
        const QByteArray before = document.Bytes();
        const int steps = document.UndoStack().index();
        command();
        EXPECT_EQ(document.UndoStack().index(), steps + 1);
        EXPECT_NE(document.Bytes(), before);
        document.UndoStack().undo();
        EXPECT_EQ(document.Bytes(), before);
        document.UndoStack().redo();
    }

    DesignDocument document;
};

TEST_F(SelectionCommandTest, DeleteRemovesTheWholeSelectionAndUndoSelectsItAgain) {
    for (int k = 0; k < 5; ++k)
        AddText(100 + k, -100 - 100 * k);
    SelectInOrder({3, 0, 1});
    ExpectOneStep([this] { document.DeleteSelected(); });
    ASSERT_EQ(document.Controls().size(), 2u);
    EXPECT_EQ(At(0).pageRect.left, 102);
    EXPECT_EQ(At(1).pageRect.left, 104);
    EXPECT_TRUE(document.Selection().empty());
    document.UndoStack().undo();
    EXPECT_EQ(document.Selection(), (std::vector<int>{3, 0, 1}));
}

TEST_F(SelectionCommandTest, LayersMoveTheSelectionTogetherKeepingItsOrder) {
    for (int k = 0; k < 5; ++k)
        AddText(100 + k, -100);
    SelectInOrder({3, 1});
    ExpectOneStep([this] { document.BringSelectedToFront(); });
    std::vector<int> order;
    for (const auto& control : document.Controls())
        order.push_back(control->pageRect.left - 100);
    EXPECT_EQ(order, (std::vector<int>{0, 2, 4, 1, 3}));
    EXPECT_EQ(document.Selection(), (std::vector<int>{4, 3}));
    ExpectOneStep([this] { document.SendSelectedToBack(); });
    order.clear();
    for (const auto& control : document.Controls())
        order.push_back(control->pageRect.left - 100);
    EXPECT_EQ(order, (std::vector<int>{1, 3, 0, 2, 4}));
}

TEST_F(SelectionCommandTest, FontAndColourGoToEverySelectedControlThatTakesThem) {
    AddText(100, -100);
    document.Controls().push_back(CLinea::Create(100, -300));
    AddText(100, -500);
    AddText(100, -700);
    SelectInOrder({1, 0, 2});
    EXPECT_TRUE(document.SelectedHasFont());
    LogFont font = At(0).GetFont();
    font.height = -80;
    ExpectOneStep([&] { document.SetFontOfSelected(font); });
    EXPECT_EQ(At(0).GetFont().height, -80);
    EXPECT_EQ(At(2).GetFont().height, -80);
    EXPECT_NE(At(3).GetFont().height, -80);
    ExpectOneStep([this] { document.SetColorOfSelected(0x0000FF); });
    EXPECT_EQ(At(0).color, 0x0000FFu);
    EXPECT_EQ(At(1).color, 0x0000FFu);
    EXPECT_EQ(At(3).color, kBlack);
}

TEST_F(SelectionCommandTest, AlignLinesUpWithTheFirstPicked) {
    AddText(300, -100);
    AddText(120, -400);
    AddText(500, -800);
    const auto lefts = [this] {
        return std::vector<int>{At(0).pageRect.left, At(1).pageRect.left, At(2).pageRect.left};
    };
    SelectInOrder({1, 0, 2});
    ExpectOneStep([this] { document.AlignSelection(DesignDocument::Edge::Left); });
    EXPECT_EQ(lefts(), (std::vector<int>{120, 120, 120}));
    document.UndoStack().undo();
    ExpectOneStep([this] { document.AlignSelection(DesignDocument::Edge::Right); });
    EXPECT_EQ(At(2).pageRect.right, At(1).pageRect.right);
    document.UndoStack().undo();
    ExpectOneStep([this] { document.AlignSelection(DesignDocument::Edge::HorizontalCentre); });
    EXPECT_EQ(lefts(), (std::vector<int>{120, 120, 120}));
    document.UndoStack().undo();

    // Upper edges, lower edges and middles on the first picked one's.
    ExpectOneStep([this] { document.AlignSelection(DesignDocument::Edge::Top); });
    EXPECT_EQ(At(0).pageRect.top, At(1).pageRect.top);
    EXPECT_EQ(At(2).pageRect.top, -355);
    document.UndoStack().undo();
    ExpectOneStep([this] { document.AlignSelection(DesignDocument::Edge::Bottom); });
    EXPECT_EQ(At(0).pageRect.bottom, -400);
    EXPECT_EQ(At(2).pageRect.bottom, -400);
    document.UndoStack().undo();
    document.Controls().push_back(CRectangulo::Create(700, -600));
    document.ToggleSelected(3);
    const Rect r = At(3).pageRect.Normalized();
    ExpectOneStep([this] { document.AlignSelection(DesignDocument::Edge::VerticalCentre); });
    const Rect moved = At(3).pageRect.Normalized();
    EXPECT_EQ((moved.top + moved.bottom) / 2, (-400 + -355) / 2);
    EXPECT_EQ(moved.Height(), r.Height());

    // One control has nothing to line up with.
    document.Select(0);
    const int steps = document.UndoStack().index();
    document.AlignSelection(DesignDocument::Edge::Left);
    EXPECT_EQ(document.UndoStack().index(), steps);
}

TEST_F(SelectionCommandTest, DistributeLeavesEqualGapsBetweenTheOuterTwo) {
    // 40 mm texts at 0, 45, 170 and 200 mm: 160 mm of room between 0 and 240, 80 mm of gaps.
    AddText(1700, -100);
    AddText(0, -100);
    AddText(2000, -100);
    AddText(450, -100);
    SelectInOrder({0, 1, 2, 3});
    ExpectOneStep([this] { document.DistributeSelection(true); });
    EXPECT_EQ(At(1).pageRect.left, 0);
    EXPECT_EQ(At(3).pageRect.left, 400 + 267);
    EXPECT_EQ(At(0).pageRect.left, 800 + 267 + 267);
    EXPECT_EQ(At(2).pageRect.left, 2000);

    // Vertically from the top of the page down, a gap of 5 mm each.
    document.Controls().clear();
    document.Select(-1);
    AddText(100, -100); // upper edge -55
    AddText(100, -900); // upper edge -855, the lowest
    AddText(100, -200);
    SelectInOrder({0, 1, 2});
    ExpectOneStep([this] { document.DistributeSelection(false); });
    const int gap = (-55 - -900 - 3 * 45) / 2;
    EXPECT_EQ(At(2).pageRect.top, -100 - gap);
    EXPECT_EQ(At(1).pageRect.bottom, -900);
}

TEST_F(SelectionCommandTest, SameSizeAndCentringOnThePaper) {
    document.Controls().push_back(CRectangulo::Create(100, -100));
    document.Controls().push_back(CRectangulo::Create(500, -500));
    At(0).ResizeByHandle(Handle::Right, 300, 0);
    At(0).ResizeByHandle(Handle::Lower, 0, -200);
    const Rect first = At(0).pageRect.Normalized();
    const Rect second = At(1).pageRect.Normalized();
    SelectInOrder({0, 1});
    ExpectOneStep([this] { document.SameSizeOfSelection(true, false); });
    Rect now = At(1).pageRect.Normalized();
    EXPECT_EQ(now.Width(), first.Width());
    EXPECT_EQ(now.Height(), second.Height());
    EXPECT_EQ(now.left, second.left);
    ExpectOneStep([this] { document.SameSizeOfSelection(true, true); });
    now = At(1).pageRect.Normalized();
    EXPECT_EQ(now.Height(), first.Height());
    EXPECT_EQ(now.bottom, second.bottom) << "the upper edge stays";

    // Centred together on the format's paper, as they lie to one another.
    const QSize paper = document.Plenova().paper.Units();
    ExpectOneStep([this] { document.CentreSelectionOnPage(); });
    const Rect a = At(0).pageRect.Normalized();
    const Rect b = At(1).pageRect.Normalized();
    const Rect all = a.United(b);
    EXPECT_LE(std::abs(all.left + all.right - paper.width()), 1);
    EXPECT_LE(std::abs(all.top + all.bottom + paper.height()), 1);
    EXPECT_EQ(b.left - a.left, 400);
}

} // namespace
