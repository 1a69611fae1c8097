// The capture-screen design window driven as a user drives it: the pointer and the keys on the
// off-screen platform, then the saved format opened for capture.
#include "capture/CFmtcapturaFrm.h"
#include "capture/CFmtcaptureView.h"
#include "capture_controls/CaptureEntries.h"
#include "capture_model/CCaptureControl.h"
#include "capture_model/CTextlineVar.h"
#include "capture_model/CalculatedFields.h"
#include "capture_model/CaptureControlTypes.h"
#include "commands/CommandId.h"
#include "model/CConsText.h"
#include "model/FormatFile.h"
#include "platform_widgets/DocumentLock.h"
#include "platform_widgets/ZoomBox.h"
#include "platform_widgets/ZoomLevel.h"
#include "screen_designer/CFmtpantallaFrm.h"
#include "screen_designer/CFmtpantallaView.h"
#include "screen_designer/ScreenDocument.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace {

// A constant text lying under everything and four text lines A, B, C and D, one under the other,
// visited D, A, C, B; placed on the capture screen in a column.
class ScreenWindowTest : public ::testing::Test {
protected:
    enum : int { kConstant, kA, kB, kC, kD };

    static void SetUpTestSuite() { CaptureControlTypes::RegisterAll(); }

    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        Format f;
        auto add = [&f](std::unique_ptr<CControles> c, const char* name, ScreenRect r, int order) {
            c->text = QString::fromLatin1(name);
            c->screenRect = r;
            c->screenPlaced = !c->ConstantFlag();
            c->captureOrder = order;
            f.controls.push_back(std::move(c));
        };
        add(CConsText::Create(100, -100, QStringLiteral("K")), "K", {0, 0, 700, 500}, 0);
        add(CTextlineVar::Create(100, -300), "A", {120, 20, 320, 40}, 2);
        add(CTextlineVar::Create(100, -600), "B", {120, 60, 320, 80}, 4);
        add(CTextlineVar::Create(100, -900), "C", {120, 100, 320, 120}, 3);
        add(CTextlineVar::Create(100, -1200), "D", {120, 140, 320, 160}, 1);
        path = dir.filePath(QStringLiteral("f.fmt"));
        FormatFile::Save(path, f, FormatSettings{});

        window.SetMessenger([this](const QString& message) { told << message; });
        // The off-screen screen is 800 x 600: the pointer stays on it.
        window.resize(780, 580);
        window.show();
        // The window's shortcuts answer only in the active window.
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(window.OpenScreenLayout(path));
    }

    ScreenDocument& Doc() { return window.Document(); }
    CControles& At(int index) { return *Doc().ControlAt(index); }
    QWidget* Surface() { return window.View()->viewport(); }
    QPoint Pixel(Point p) {
        return QPoint(p.x - window.View()->horizontalScrollBar()->value(),
                      p.y - window.View()->verticalScrollBar()->value());
    }
    void Click(Point p) {
        QTest::mouseMove(Surface(), Pixel(p));
        QTest::mouseClick(Surface(), Qt::LeftButton, {}, Pixel(p));
    }
    void Drag(Point from, Point to) {
        QTest::mouseMove(Surface(), Pixel(from));
        QTest::mousePress(Surface(), Qt::LeftButton, {}, Pixel(from));
        QTest::mouseMove(Surface(), Pixel(to));
        QTest::mouseRelease(Surface(), Qt::LeftButton, {}, Pixel(to));
    }
    std::vector<int> Orders() {
        std::vector<int> orders;
        for (int i : {kA, kB, kC, kD})
            orders.push_back(At(i).captureOrder);
        return orders;
    }
    QAction* Command(CommandId id) { return window.CommandAction(id); }
    QByteArray FileBytes() const {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }

    QTemporaryDir dir;
    QString path;
    QStringList told;
    CFmtpantallaFrm window;
};

TEST_F(ScreenWindowTest, ClicksInOrderModeNumberTheFieldsAndEmptySpaceEndsIt) {
    EXPECT_EQ(window.windowTitle(), "Diseño de pantalla - " + path);
    QAction* order = Command(CommandId::CaptureOrder);
    EXPECT_FALSE(order->isChecked());
    order->trigger();
    EXPECT_TRUE(order->isChecked());

    // C, A, B: the clicked ones get 1, 2, 3 and D, visited first before, comes after them.
    Click(Point{200, 110});
    Click(Point{200, 30});
    Click(Point{200, 70});
    EXPECT_EQ(Orders(), (std::vector<int>{2, 3, 1, 4}));
    EXPECT_EQ(Doc().NextOrderNumber(), 4);
    EXPECT_EQ(Doc().Selected(), nullptr);

    // The constant text under the pointer is empty space here: order mode ends.
    Click(Point{600, 400});
    EXPECT_FALSE(Doc().IsOrderMode());
    EXPECT_FALSE(order->isChecked());

    // Each numbering click is a step of its own.
    QUndoStack& stack = Doc().UndoStack();
    EXPECT_EQ(stack.count(), 3);
    stack.undo();
    EXPECT_EQ(Orders(), (std::vector<int>{2, 4, 1, 3}));
}

TEST_F(ScreenWindowTest, DragsMoveOnTheGridAndResizesStopAtTheMinimum) {
    // A constant text under the pointer is never picked.
    Click(Point{600, 400});
    EXPECT_EQ(Doc().Selected(), nullptr);
    EXPECT_FALSE(Command(CommandId::CaptionLeft)->isEnabled());

    // The pointer moves 13 and 3 pixels; A moves in whole steps of 4 from the snapped press.
    Drag(Point{201, 31}, Point{214, 34});
    EXPECT_EQ(Doc().Selected(), &At(kA));
    EXPECT_EQ(At(kA).screenRect, (ScreenRect{132, 24, 332, 44}));
    EXPECT_TRUE(Command(CommandId::CaptionLeft)->isEnabled());
    EXPECT_EQ(Doc().UndoStack().count(), 1);

    // Over A's right handle the pointer arms a resize.
    QTest::mouseMove(Surface(), Pixel(Point{332, 34}));
    EXPECT_EQ(window.View()->ArmedHandle(), Handle::Right);
    EXPECT_EQ(window.View()->CursorId(), CFmtpantallaView::kSizeWidthCursor);
    // 200 pixels wide; dragging the right edge 160 to the left leaves 40: refused.
    Drag(Point{332, 34}, Point{172, 34});
    EXPECT_EQ(At(kA).screenRect, (ScreenRect{132, 24, 332, 44}));
    // 156 to the left leaves 44.
    QTest::mouseMove(Surface(), Pixel(Point{332, 34}));
    Drag(Point{332, 34}, Point{176, 34});
    EXPECT_EQ(At(kA).screenRect, (ScreenRect{132, 24, 176, 44}));
    // Away from the handle the arrow comes back.
    QTest::mouseMove(Surface(), Pixel(Point{600, 400}));
    EXPECT_EQ(window.View()->CursorId(), CFmtpantallaView::kArrowCursor);

    // The arrow keys move the selected field a grid step; Ctrl+Z takes it back.
    QTest::keyClick(window.View(), Qt::Key_Down);
    EXPECT_EQ(At(kA).screenRect, (ScreenRect{132, 28, 176, 48}));
    QTest::keyClick(window.View(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(At(kA).screenRect, (ScreenRect{132, 24, 176, 44}));
}

TEST_F(ScreenWindowTest, ZoomedTheGridStaysFourPixelsOfTheScreenLayout) {
    CFmtpantallaView& view = *window.View();
    // The arrangement has the keys from the start, and again after a zoom is typed.
    EXPECT_EQ(QApplication::focusWidget(), &view);
    window.Zoom()->lineEdit()->setFocus();
    window.Zoom()->lineEdit()->selectAll();
    QTest::keyClicks(window.Zoom()->lineEdit(), QStringLiteral("200"));
    QTest::keyClick(window.Zoom()->lineEdit(), Qt::Key_Return);
    ASSERT_EQ(view.Zoom(), 200);
    EXPECT_EQ(QApplication::focusWidget(), &view);
    view.horizontalScrollBar()->setValue(0);
    view.verticalScrollBar()->setValue(0);

    // At 200 % a grid step is 8 pixels: half a step moves nothing, a whole one one step.
    const QPoint from(400, 60); // (200, 30) of the layout, on A
    QTest::mouseMove(Surface(), from);
    QTest::mousePress(Surface(), Qt::LeftButton, {}, from);
    QTest::mouseMove(Surface(), from + QPoint(4, 0));
    EXPECT_EQ(At(kA).screenRect, (ScreenRect{120, 20, 320, 40}));
    QTest::mouseMove(Surface(), from + QPoint(8, 0));
    EXPECT_EQ(At(kA).screenRect, (ScreenRect{124, 20, 324, 40}));
    QTest::mouseRelease(Surface(), Qt::LeftButton, {}, from + QPoint(8, 0));
    EXPECT_EQ(Doc().UndoStack().count(), 1);

    // Ctrl and the wheel zoom about the pointer, and the box shows where the zoom went.
    const QPoint pointer(300, 200);
    const Point under = view.ToScreen(pointer);
    QWheelEvent notch(pointer, Surface()->mapToGlobal(pointer), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(Surface(), &notch);
    EXPECT_EQ(view.Zoom(), 300);
    EXPECT_EQ(window.Zoom()->currentText(), ZoomLevel::Text(300));
    EXPECT_EQ(view.ToScreen(pointer), under);

    // "Página completa" shows the whole arrangement as large as it fits.
    window.Zoom()->setCurrentIndex(window.Zoom()->findData(ZoomBox::kFitEntry));
    emit window.Zoom()->activated(window.Zoom()->currentIndex());
    // Fitted, the arrangement needs no scroll bars any more: the room is the viewport's without
    // them.
    const QSize arrangement = view.ArrangementSize();
    const QSize room = ZoomLevel::Room(view);
    EXPECT_FALSE(view.horizontalScrollBar()->isVisible() || view.verticalScrollBar()->isVisible());
    EXPECT_EQ(view.Zoom(), ZoomLevel::Fitting(arrangement.width(), arrangement.height(),
                                              room.width(), room.height()));
    const Point corner = view.ToScreen(QPoint(room.width() - 1, room.height() - 1));
    EXPECT_GE(corner.x + 1, arrangement.width());
    EXPECT_GE(corner.y + 1, arrangement.height());
    EXPECT_EQ(Doc().UndoStack().count(), 1);
}

TEST_F(ScreenWindowTest, ACtrlZDuringADragUndoesTheWholeDrag) {
    const ScreenRect before = At(kB).screenRect;
    QTest::mouseMove(Surface(), Pixel(Point{200, 70}));
    QTest::mousePress(Surface(), Qt::LeftButton, {}, Pixel(Point{200, 70}));
    QTest::mouseMove(Surface(), Pixel(Point{240, 90}));
    QTest::keyClick(window.View(), Qt::Key_Z, Qt::ControlModifier);
    QTest::mouseRelease(Surface(), Qt::LeftButton, {}, Pixel(Point{240, 90}));
    EXPECT_EQ(At(kB).screenRect, before);
    EXPECT_FALSE(Doc().IsModified());
}

TEST_F(ScreenWindowTest, TheSavedFormatPlacesEveryEntryWhereItWasArranged) {
    Drag(Point{200, 70}, Point{400, 270});
    Click(Point{400, 270});
    Command(CommandId::CaptionLeft)->trigger();
    EXPECT_TRUE(At(kB).captionLeft);
    Command(CommandId::CaptureOrder)->trigger();
    Click(Point{200, 110});
    ASSERT_TRUE(window.Save());
    EXPECT_FALSE(Doc().IsModified());
    const QByteArray saved = FileBytes();

    // Reopened and saved again, the file is the same byte for byte.
    ASSERT_TRUE(window.OpenScreenLayout(path));
    ASSERT_TRUE(window.Save());
    EXPECT_EQ(FileBytes(), saved);

    CFmtcapturaFrm capture;
    capture.OpenFormat(path);
    for (int i : {kA, kB, kC, kD}) {
        const CControles& arranged = At(i);
        EXPECT_TRUE(arranged.screenPlaced) << i;
        QWidget* entry =
            capture.View()->EntryWidget(CalculatedFields::kIdentifierBase + arranged.captureOrder);
        ASSERT_NE(entry, nullptr) << i;
        EXPECT_EQ(entry->geometry(), CaptureEntries::ScreenGeometry(arranged.screenRect)) << i;
    }
    EXPECT_EQ(At(kB).screenRect, (ScreenRect{320, 260, 520, 280}));
    EXPECT_TRUE(told.isEmpty()) << told.join('\n').toStdString();
}

TEST_F(ScreenWindowTest, ClosingWithChangesAsksAndCanBeCancelled) {
    QStringList asked;
    CFmtpantallaFrm::SaveAnswer answer = CFmtpantallaFrm::SaveAnswer::Cancel;
    window.SetSaveAsker([&](const QString& name) {
        asked << name;
        return answer;
    });
    EXPECT_TRUE(window.MayClose());
    Drag(Point{200, 30}, Point{220, 30});
    const QByteArray before = FileBytes();
    EXPECT_FALSE(window.MayClose());
    EXPECT_EQ(asked, QStringList{"f.fmt"});
    answer = CFmtpantallaFrm::SaveAnswer::Save;
    EXPECT_TRUE(window.MayClose());
    EXPECT_NE(FileBytes(), before);
    EXPECT_FALSE(Doc().IsModified());
}

TEST_F(ScreenWindowTest, ASecondWindowArrangesOnlyACopyWhileTheFirstHasTheFormat) {
    // The fixture's window has the format: a second one is asked and opens it to read.
    CFmtpantallaFrm second;
    QStringList asked;
    second.SetLockAsker([&asked](const QString& message, bool) {
        asked << message;
        return DocumentLock::Answer::ReadOnly;
    });
    QStringList secondTold;
    second.SetMessenger([&secondTold](const QString& message) { secondTold << message; });
    ASSERT_TRUE(second.OpenScreenLayout(path));
    ASSERT_EQ(asked.size(), 1);
    EXPECT_TRUE(asked.first().startsWith(QStringLiteral("f.fmt está abierto por ")));
    EXPECT_TRUE(second.IsReadOnly());
    EXPECT_TRUE(second.windowTitle().endsWith(QStringLiteral(" (solo lectura)")));

    // "Guardar" asks for a copy's name; the format's own name is refused and it stays as it was.
    const QByteArray before = FileBytes();
    second.Document().Select(kA);
    second.Document().MoveSelected(20, 0);
    QString chosen = path;
    second.SetFileChooser([&chosen] { return chosen; });
    EXPECT_FALSE(second.Save());
    EXPECT_EQ(secondTold, asked);
    EXPECT_EQ(FileBytes(), before);

    chosen = dir.filePath(QStringLiteral("copia.fmt"));
    ASSERT_TRUE(second.Save());
    EXPECT_FALSE(second.IsReadOnly());
    EXPECT_EQ(second.Document().Path(), chosen);
    EXPECT_EQ(FileBytes(), before);
    ScreenDocument copy;
    copy.Open(chosen);
    EXPECT_EQ(copy.ControlAt(kA)->screenRect.left, At(kA).screenRect.left + 20);
}

TEST(ScreenWindowOpenTest, AFormatThatCannotBeReadIsToldAndLeavesTheWindowEmpty) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("roto.fmt"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\x05"
               "abc");
    file.close();
    CFmtpantallaFrm window;
    QStringList told;
    window.SetMessenger([&told](const QString& message) { told << message; });
    EXPECT_FALSE(window.OpenScreenLayout(path));
    EXPECT_EQ(told.size(), 1);
    EXPECT_TRUE(window.Document().Controls().empty());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Diseño de pantalla - (nuevo)"));
}

} // namespace
