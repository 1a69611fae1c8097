// The design view driven as a user drives it: the pointer and the keys on the off-screen
// platform, the view at one pixel per page unit so that every pixel is one unit of the format.
#include "capture_model/CFmtGrid.h"
#include "capture_model/CaptureControlTypes.h"
#include "designer/CFmtdesignView.h"
#include "designer/DesignDocument.h"
#include "imaging/TestPictures.h"
#include "model/CConsText.h"
#include "model/CEtiqueta.h"
#include "model/CImagen.h"
#include "model/CRectangulo.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <vector>

namespace {

class DesignViewTest : public ::testing::Test {
protected:
    DesignViewTest() : view(document) {
        CaptureControlTypes::RegisterAll();
        // The off-screen screen is 800 x 600: the pointer stays on it.
        view.resize(780, 580);
        view.SetScale(1.0);
        view.show();
    }

    CControles& Add(std::unique_ptr<CControles> control) {
        CControles& added = *control;
        document.Controls().push_back(std::move(control));
        return added;
    }
    CFmtGrid& AddTable() {
        auto table = CFmtGrid::Create(200, -200);
        CFmtGrid& added = *table;
        Add(std::move(table));
        document.Select(document.IndexOf(&added));
        return added;
    }

    // A 60 x 40 picture in dir, which the image tool's dialog then chooses.
    QString ChoosePicture(const QTemporaryDir& dir) {
        const QString picture = dir.filePath(QStringLiteral("logo.bmp"));
        TestPictures::BmpSpec spec;
        spec.width = 60;
        spec.height = 40;
        spec.pixels.assign(60 * 40, 0x336699);
        EXPECT_TRUE(TestPictures::WriteFile(picture, TestPictures::MakeBmp(spec)));
        view.SetImageChooser([picture](QWidget*) { return picture; });
        return picture;
    }

    QWidget* Surface() { return view.viewport(); }
    void Hover(Point p) { QTest::mouseMove(Surface(), view.ToPixel(p)); }
    void Press(Point p) { QTest::mousePress(Surface(), Qt::LeftButton, {}, view.ToPixel(p)); }
    void Release(Point p) { QTest::mouseRelease(Surface(), Qt::LeftButton, {}, view.ToPixel(p)); }
    void Click(Point p) {
        Hover(p);
        QTest::mouseClick(Surface(), Qt::LeftButton, {}, view.ToPixel(p));
    }

    DesignDocument document;
    CFmtdesignView view;
};

TEST_F(DesignViewTest, DragsMoveInWholeSnapStepsOrFollowThePointer) {
    CControles& text = Add(CConsText::Create(13, -200, QStringLiteral("Total")));
    document.Select(0);
    const Point grip{200, -180};
    Hover(grip);
    Press(grip);
    std::vector<int> lefts;
    for (int i = 1; i <= 25; ++i) {
        QTest::mouseMove(Surface(), view.ToPixel(Point{grip.x + i, grip.y}));
        if (lefts.empty() || lefts.back() != text.pageRect.left)
            lefts.push_back(text.pageRect.left);
    }
    Release(Point{grip.x + 25, grip.y});
    EXPECT_EQ(lefts, (std::vector<int>{13, 23, 33}));

    document.SetSnapStep(0);
    const Point from{300, -190};
    Hover(from);
    Press(from);
    for (int i = 1; i <= 3; ++i) {
        QTest::mouseMove(Surface(), view.ToPixel(Point{from.x + i, from.y - i}));
        EXPECT_EQ(text.pageRect.left, 33 + i);
        EXPECT_EQ(text.pageRect.bottom, -200 - i);
    }
    Release(Point{from.x + 3, from.y - 3});
}

TEST_F(DesignViewTest, ADragIsOneUndoStep) {
    CControles& text = Add(CConsText::Create(300, -400, QStringLiteral("Total")));
    document.Select(0);
    const Point grip{400, -380};
    Hover(grip);
    Press(grip);
    for (int i = 1; i <= 5; ++i)
        QTest::mouseMove(Surface(), view.ToPixel(Point{grip.x + 10 * i, grip.y - 10 * i}));
    Release(Point{grip.x + 50, grip.y - 50});
    EXPECT_EQ(text.pageRect.left, 350);
    ASSERT_EQ(document.UndoStack().count(), 1);
    document.UndoStack().undo();
    EXPECT_EQ(document.ControlAt(0)->pageRect, (PageRect{300, -355, 700, -400}));

    // A click that moves nothing leaves no step.
    document.UndoStack().clear();
    Click(grip);
    EXPECT_EQ(document.UndoStack().count(), 0);
}

TEST_F(DesignViewTest, HandlesArmOnHoverAndResizeTheEdgeTheyHold) {
    CControles& box = Add(CRectangulo::Create(100, -100));
    document.Select(0);
    QSignalSpy texts(&view, &CFmtdesignView::positionText);
    const Rect r = box.pageRect.Normalized();
    const Point right{r.right, (r.top + r.bottom) / 2};
    Hover(right);
    EXPECT_EQ(view.ArmedHandle(), Handle::Right);
    EXPECT_EQ(view.CursorId(), CFmtdesignView::kSizeWidthCursor);
    Press(right);
    QTest::mouseMove(Surface(), view.ToPixel(Point{right.x + 20, right.y}));
    Release(Point{right.x + 20, right.y});
    EXPECT_EQ(box.pageRect.right, r.right + 20);
    EXPECT_EQ(texts.last().at(0).toString(),
              QString::asprintf("X=%.2f, Y=%.2f", (r.right + 20) / 100.0, r.bottom / 100.0));

    const Point upper{(r.left + r.right) / 2, r.bottom};
    Hover(upper);
    EXPECT_EQ(view.ArmedHandle(), Handle::Upper);
    EXPECT_EQ(view.CursorId(), CFmtdesignView::kSizeHeightCursor);
    Hover(Point{50, -50});
    EXPECT_EQ(view.ArmedHandle(), Handle::None);
    EXPECT_EQ(view.CursorId(), CFmtdesignView::kArrowCursor);
}

TEST_F(DesignViewTest, EachToolInsertsOneControlBeneathTheOthersInThePreviousFont) {
    QTemporaryDir dir;
    const QString picture = ChoosePicture(dir);

    CControles& first = Add(CConsText::Create(100, -100, QStringLiteral("Encabezado")));
    first.font.height = -60;
    first.font.faceName = {'C', 'o', 'u', 'r', 'i', 'e', 'r', ' ', 'N', 'e', 'w'};
    for (int code = ControlType::kFirstCode; code <= ControlType::kLastCode; ++code) {
        const auto type = static_cast<ControlTypeCode>(code);
        const auto before = document.Controls().size();
        view.ArmInsertion(type);
        EXPECT_EQ(view.CursorId(), CFmtdesignView::kCrossHairCursor);
        Click(Point{503, -507});
        ASSERT_EQ(document.Controls().size(), before + 1) << code;
        CControles* made = document.ControlAt(0);
        EXPECT_EQ(made->Type(), type);
        EXPECT_EQ(document.Selected(), made);
        EXPECT_EQ(made->font.Face(), QStringLiteral("Courier New")) << code;
        EXPECT_EQ(made->pageRect.Normalized().left, 500) << code; // snapped to 10
        EXPECT_EQ(document.CurrentTool(), DesignDocument::Tool::Selection);
        EXPECT_EQ(view.CursorId(), CFmtdesignView::kArrowCursor);
        // The next click selects; it inserts nothing.
        Click(Point{50, -50});
        EXPECT_EQ(document.Controls().size(), before + 1);
    }
}

TEST_F(DesignViewTest, AnImageNotChosenOrNotReadableInsertsNothing) {
    Add(CConsText::Create(100, -100, QStringLiteral("Encabezado")));
    QStringList messages;
    view.SetMessageReporter([&](const QString& m) { messages << m; });
    int asked = 0;
    view.SetImageChooser([&](QWidget*) {
        ++asked;
        return QString();
    });
    view.ArmInsertion(ControlTypeCode::Imagen);
    Click(Point{500, -500});
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(document.Controls().size(), 1u);
    EXPECT_EQ(document.CurrentTool(), DesignDocument::Tool::Selection);
    EXPECT_TRUE(messages.isEmpty());

    QTemporaryDir dir;
    const QString notPicture = dir.filePath(QStringLiteral("nota.bmp"));
    QFile file(notPicture);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("esto no es una imagen");
    file.close();
    view.SetImageChooser([&](QWidget*) { return notPicture; });
    view.ArmInsertion(ControlTypeCode::Imagen);
    Click(Point{500, -500});
    EXPECT_EQ(document.Controls().size(), 1u);
    EXPECT_EQ(messages.size(), 1);
    EXPECT_EQ(document.CurrentTool(), DesignDocument::Tool::Selection);
}

TEST_F(DesignViewTest, AResizedImageFitsItsPictureWhenTheDragEnds) {
    QTemporaryDir dir;
    const QString picture = ChoosePicture(dir);
    view.ArmInsertion(ControlTypeCode::Imagen);
    Click(Point{100, -100});
    const auto* image = dynamic_cast<CImagen*>(document.Selected());
    ASSERT_NE(image, nullptr);
    const Point right{160, -120};
    Hover(right);
    ASSERT_EQ(view.ArmedHandle(), Handle::Right);
    Press(right);
    QTest::mouseMove(Surface(), view.ToPixel(Point{200, -120}));
    EXPECT_EQ(image->Picture().Bitmap().width(), 60);
    Release(Point{200, -120});
    EXPECT_EQ(image->Picture().Bitmap().width(), 100);
    EXPECT_EQ(image->Picture().Bitmap().height(), 40);
}

TEST_F(DesignViewTest, AColumnHeaderClickedTwiceSelectsThenDeselects) {
    CFmtGrid& table = AddTable();
    const TableColumn& second = table.Columns()[1];
    const Point header{second.xPosition + 100, table.pageRect.top + 10};
    Hover(header);
    EXPECT_TRUE(view.HeaderArmed());
    EXPECT_EQ(view.CursorId(), CFmtdesignView::kSelectColumnCursor);
    Click(header);
    EXPECT_EQ(table.SelectedColumn(), 1);
    EXPECT_EQ(document.Selected(), &table);
    Click(header);
    EXPECT_EQ(table.SelectedColumn(), -1);

    // A row picked after a column drops the column; a click on the table body selects the table.
    Click(header);
    const TableRow& third = table.Rows()[2];
    const Point rowHeader{table.pageRect.left - 10, third.yPosition - 10};
    Hover(rowHeader);
    EXPECT_EQ(view.CursorId(), CFmtdesignView::kSelectRowCursor);
    Click(rowHeader);
    EXPECT_EQ(table.SelectedRow(), 2);
    EXPECT_EQ(table.SelectedColumn(), -1);
}

TEST_F(DesignViewTest, DraggingADividerWidensItsColumn) {
    CFmtGrid& table = AddTable();
    QSignalSpy texts(&view, &CFmtdesignView::positionText);
    QSignalSpy hints(&view, &CFmtdesignView::rulerHint);
    const int divider = table.Columns()[0].xPosition + table.Columns()[0].pageWidth;
    const Point grip{divider, table.Rows()[1].yPosition - 22};
    Hover(grip);
    EXPECT_TRUE(view.DividerArmed());
    EXPECT_EQ(view.CursorId(), CFmtdesignView::kSizeWidthCursor);
    Press(grip);
    QTest::mouseMove(Surface(), view.ToPixel(Point{grip.x + 30, grip.y}));
    Release(Point{grip.x + 30, grip.y});
    EXPECT_EQ(table.Columns()[0].pageWidth, 430);
    EXPECT_EQ(table.Columns()[1].xPosition, divider + 30);
    EXPECT_EQ(texts.last().at(0).toString(),
              QString::asprintf("X=%.2f, Ancho=4.30", (divider + 30) / 100.0));
    EXPECT_EQ(hints.last(), (QVariantList{CFmtdesignView::kHintPointerX, divider + 30}));
    EXPECT_EQ(document.Selected(), &table);
}

TEST_F(DesignViewTest, TabWalksTheControlsWhateverIsSelected) {
    QTest::keyClick(&view, Qt::Key_Tab);
    EXPECT_EQ(document.Selected(), nullptr);

    for (int i = 0; i < 3; ++i)
        Add(CConsText::Create(100, -100 - 100 * i, QStringLiteral("T%1").arg(i)));
    QTest::keyClick(&view, Qt::Key_Tab);
    EXPECT_EQ(document.SelectedIndex(), 0);
    QTest::keyClick(&view, Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(document.SelectedIndex(), 2);
    QTest::keyClick(&view, Qt::Key_Tab);
    EXPECT_EQ(document.SelectedIndex(), 0);
    document.Select(-1);
    QTest::keyClick(&view, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(document.SelectedIndex(), 2);
}

TEST_F(DesignViewTest, KeysNudgeAndDeleteTheSelectedControl) {
    CControles& text = Add(CConsText::Create(1000, -2000, QStringLiteral("Total")));
    QSignalSpy texts(&view, &CFmtdesignView::positionText);
    QSignalSpy properties(&view, &CFmtdesignView::propertiesRequested);
    QTest::keyClick(&view, Qt::Key_Right); // nothing selected: nothing moves
    QTest::keyClick(&view, Qt::Key_Return);
    EXPECT_EQ(text.pageRect.left, 1000);
    EXPECT_EQ(properties.count(), 0);

    document.Select(0);
    const std::vector<std::pair<Qt::Key, Point>> nudges{
        {Qt::Key_Right, {1001, -2000}}, {Qt::Key_Up, {1001, -1999}},
        {Qt::Key_Left, {1000, -1999}},  {Qt::Key_Down, {1000, -2000}},
        {Qt::Key_End, {1010, -2000}},   {Qt::Key_PageUp, {1010, -1990}},
        {Qt::Key_Home, {1000, -1990}},  {Qt::Key_PageDown, {1000, -2000}}};
    for (const auto& [key, corner] : nudges) {
        QTest::keyClick(&view, key);
        EXPECT_EQ((Point{text.pageRect.left, text.pageRect.bottom}), corner) << key;
        EXPECT_EQ(texts.last().at(0).toString(),
                  QString::asprintf("X=%.2f, Y=%.2f", corner.x / 100.0, corner.y / 100.0));
    }
    QTest::keyClick(&view, Qt::Key_Return);
    EXPECT_EQ(properties.count(), 1);
    QTest::keyClick(&view, Qt::Key_Delete);
    EXPECT_TRUE(document.IsEmpty());
    EXPECT_EQ(document.Selected(), nullptr);
}

TEST_F(DesignViewTest, TheContextMenuOffersWhatTheControlTakes) {
    Add(CConsText::Create(200, -200, QStringLiteral("Texto")));
    Add(CEtiqueta::Create(200, -300, QStringLiteral("Etiqueta")));
    Add(CRectangulo::Create(200, -400));
    const auto menuAt = [&](Point p) {
        QTest::mousePress(Surface(), Qt::RightButton, {}, view.ToPixel(p));
        QTest::mouseRelease(Surface(), Qt::RightButton, {}, view.ToPixel(p));
        auto* menu = view.findChild<QMenu*>();
        std::vector<int> ids;
        for (QAction* action : menu->actions())
            ids.push_back(action->isSeparator() ? 0 : action->data().toInt());
        return std::pair{menu, ids};
    };
    const auto close = [](QMenu* menu) { delete menu; };
    auto [text, textIds] = menuAt(Point{300, -180});
    EXPECT_EQ(textIds, (std::vector<int>{1167, 0, 1166, 1165, 1164, 32900}));
    EXPECT_EQ(document.SelectedIndex(), 0);
    QSignalSpy fonts(&view, &CFmtdesignView::fontRequested);
    text->actions().at(3)->trigger();
    EXPECT_EQ(fonts.count(), 1);
    close(text);

    auto [label, labelIds] = menuAt(Point{300, -280});
    EXPECT_EQ(labelIds, (std::vector<int>{1167, 0, 1166}));
    close(label);
    auto [box, boxIds] = menuAt(Point{300, -402}); // on the rectangle's upper stroke
    EXPECT_EQ(boxIds, (std::vector<int>{1167, 0, 1166, 1164}));
    box->actions().at(2)->trigger(); // "Eliminar"
    EXPECT_EQ(document.Controls().size(), 2u);
    close(box);

    auto [paper, paperIds] = menuAt(Point{650, -150});
    EXPECT_EQ(paperIds, (std::vector<int>{1167, 0}));
    EXPECT_EQ(document.Selected(), nullptr);
    close(paper);
}

TEST_F(DesignViewTest, PointerWheelAndScrollingReachTheRulers) {
    QSignalSpy hints(&view, &CFmtdesignView::rulerHint);
    QSignalSpy texts(&view, &CFmtdesignView::positionText);
    EXPECT_EQ(view.ToFormat(QPoint(50, 50)), (Point{0, 0}));
    QTest::mouseMove(Surface(), QPoint(173, 250));
    EXPECT_EQ(texts.last().at(0).toString(), QStringLiteral("X=1.23, Y=-2.00"));
    EXPECT_EQ(hints.at(hints.size() - 2), (QVariantList{3, 123}));
    EXPECT_EQ(hints.last(), (QVariantList{4, -200}));

    view.horizontalScrollBar()->setValue(100);
    EXPECT_TRUE(hints.contains(QVariantList{1, 100}));
    view.verticalScrollBar()->setValue(600);
    EXPECT_EQ(hints.last(), (QVariantList{2, -600}));
    EXPECT_EQ(view.ToFormat(QPoint(0, 0)), (Point{50, -550}));

    const QPoint at(100, 100);
    QWheelEvent notch(at, view.viewport()->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(Surface(), &notch);
    EXPECT_EQ(view.verticalScrollBar()->value(), 540);
    EXPECT_EQ(hints.last(), (QVariantList{2, -540}));

    view.ScrollToOrigin();
    EXPECT_EQ(view.verticalScrollBar()->value(), 0);
    EXPECT_EQ(hints.last(), (QVariantList{2, 0}));
}

} // namespace
