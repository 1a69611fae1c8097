// Zooming the design view and the design window, driven by the pointer, the wheel, the keys and
// the zoom box on the off-screen platform.
#include "DesignerTestSupport.h"
#include "capture_model/CaptureControlTypes.h"
#include "designer/CFmtdesignFrm.h"
#include "designer/CFmtdesignView.h"
#include "designer/CRules.h"
#include "designer/DesignDocument.h"
#include "model/CConsText.h"
#include "model/CRectangulo.h"
#include "model/FormatFile.h"
#include "platform_widgets/ZoomBox.h"
#include "platform_widgets/ZoomLevel.h"

#include <QFile>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace {

// A design view over a format holding one constant text at (100, -100), selected, with the view
// at pixelsPerUnit at true size and scrolled to the surface's corner at zoom.
struct Sheet {
    DesignDocument document;
    CFmtdesignView view{document};

    explicit Sheet(int zoom, double pixelsPerUnit = 1.0) {
        CaptureControlTypes::RegisterAll();
        // The off-screen screen is 800 x 600: the pointer stays on it.
        view.resize(780, 580);
        view.SetScale(pixelsPerUnit);
        view.show();
        document.Controls().push_back(CConsText::Create(100, -100, QStringLiteral("Total")));
        document.Select(0);
        view.SetZoom(zoom);
        view.ScrollToOrigin();
    }

    QWidget* Surface() { return view.viewport(); }
    CControles& Text() { return *document.ControlAt(0); }

    // A press on the text, a drag of pixels to the right one pixel at a time, and a release.
    void Drag(int pixels) {
        const QPoint from = view.ToPixel(Point{200, -80});
        QTest::mouseMove(Surface(), from);
        QTest::mousePress(Surface(), Qt::LeftButton, {}, from);
        for (int i = 1; i <= pixels; ++i)
            QTest::mouseMove(Surface(), from + QPoint(i, 0));
        QTest::mouseRelease(Surface(), Qt::LeftButton, {}, from + QPoint(pixels, 0));
    }

    void Wheel(QPoint at, int delta) {
        QWheelEvent turn(at, Surface()->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                         Qt::ControlModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(Surface(), &turn);
    }
};

TEST(DesignZoomTest, AZoomedDragMovesByFormatUnitsAndLeavesTheBytesOfTheSameMove) {
    Sheet plain(100);
    Sheet zoomed(200);
    // Zooming alone is no change of the format.
    EXPECT_EQ(zoomed.view.Scale(), 2.0);
    EXPECT_EQ(zoomed.document.Bytes(), plain.document.Bytes());
    EXPECT_EQ(zoomed.document.UndoStack().count(), 0);
    EXPECT_EQ(zoomed.view.horizontalScrollBar()->maximum(),
              2 * CFmtdesignView::kSurfaceSide - zoomed.Surface()->width());

    plain.document.SetSnapStep(0);
    zoomed.document.SetSnapStep(0);
    plain.Drag(10);
    zoomed.Drag(10);
    EXPECT_EQ(plain.Text().pageRect.left, 110);
    EXPECT_EQ(zoomed.Text().pageRect.left, 105);
    Sheet halved(100);
    halved.document.SetSnapStep(0);
    halved.Drag(5);
    EXPECT_EQ(zoomed.document.Bytes(), halved.document.Bytes());
    EXPECT_EQ(zoomed.document.UndoStack().count(), 1);

    // Snapped, the same stretch of the format moves the text by the same whole steps.
    Sheet snappedPlain(100);
    Sheet snappedZoomed(200);
    snappedPlain.Drag(25);
    snappedZoomed.Drag(50);
    EXPECT_EQ(snappedZoomed.Text().pageRect.left, 120);
    EXPECT_EQ(snappedZoomed.document.Bytes(), snappedPlain.document.Bytes());

    // The keys nudge by format units whatever the zoom.
    QTest::keyClick(&snappedZoomed.view, Qt::Key_Right);
    QTest::keyClick(&snappedZoomed.view, Qt::Key_End);
    EXPECT_EQ(snappedZoomed.Text().pageRect.left, 131);
}

TEST(DesignZoomTest, TheWheelZoomsAboutThePointerAndTheKeysAboutTheCentre) {
    Sheet sheet(100);
    sheet.view.horizontalScrollBar()->setValue(1500);
    sheet.view.verticalScrollBar()->setValue(1500);
    QSignalSpy zooms(&sheet.view, &CFmtdesignView::zoomChanged);
    const auto near = [&sheet](QPoint pixel, Point expected) {
        const Point p = sheet.view.ToFormat(pixel);
        EXPECT_LE(std::abs(p.x - expected.x), 1) << p.x << " " << expected.x;
        EXPECT_LE(std::abs(p.y - expected.y), 1) << p.y << " " << expected.y;
    };

    const QPoint pointer(250, 180);
    const Point under = sheet.view.ToFormat(pointer);
    sheet.Wheel(pointer, 120);
    EXPECT_EQ(sheet.view.Zoom(), 150);
    near(pointer, under);
    sheet.Wheel(pointer, 240);
    EXPECT_EQ(sheet.view.Zoom(), 300);
    near(pointer, under);
    // Half a notch waits for the other half.
    sheet.Wheel(pointer, -60);
    EXPECT_EQ(sheet.view.Zoom(), 300);
    sheet.Wheel(pointer, -60);
    EXPECT_EQ(sheet.view.Zoom(), 200);
    near(pointer, under);

    const QPoint centre = sheet.Surface()->rect().center();
    const Point middle = sheet.view.ToFormat(centre);
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(&sheet.view, Qt::Key_Plus, Qt::ControlModifier);
    QTest::keyClick(&sheet.view, Qt::Key_Minus, Qt::ControlModifier);
    QTest::keyClick(&sheet.view, Qt::Key_Equal, Qt::ControlModifier);
    near(centre, middle);
    QTest::keyClick(&sheet.view, Qt::Key_0, Qt::ControlModifier);
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(&sheet.view, Qt::Key_Minus, Qt::ControlModifier);
    near(centre, middle);
    // At either limit a further step changes nothing and tells nobody.
    std::vector<int> seen;
    for (const QList<QVariant>& zoom : zooms)
        seen.push_back(zoom.at(0).toInt());
    EXPECT_EQ(seen, (std::vector<int>{150, 200, 300, 200, 300, 400, 300, 400, 100, 75, 50}));
    EXPECT_EQ(sheet.document.UndoStack().count(), 0);
}

TEST(DesignZoomTest, HandlesDrawnSmallStillCatchThePointer) {
    // At half the true size of a 96-dpi screen a handle is drawn under 4 pixels wide.
    Sheet sheet(50, 96 / 254.0);
    sheet.document.Controls().push_back(CRectangulo::Create(200, -200));
    sheet.document.Select(1);
    const Rect r = sheet.document.ControlAt(1)->pageRect.Normalized();
    const QPoint left = sheet.view.ToPixel(Point{r.left, (r.top + r.bottom) / 2});
    QTest::mouseMove(sheet.Surface(), left + QPoint(3, 0));
    EXPECT_EQ(sheet.view.ArmedHandle(), Handle::Left);
    EXPECT_EQ(sheet.view.CursorId(), CFmtdesignView::kSizeWidthCursor);
    QTest::mouseMove(sheet.Surface(), left + QPoint(6, 0));
    EXPECT_EQ(sheet.view.ArmedHandle(), Handle::None);

    // The handle grabbed resizes by format units: 10 pixels at 50 % are 53 units, five steps.
    QTest::mouseMove(sheet.Surface(), left + QPoint(-3, 0));
    QTest::mousePress(sheet.Surface(), Qt::LeftButton, {}, left + QPoint(-3, 0));
    QTest::mouseMove(sheet.Surface(), left + QPoint(-13, 0));
    QTest::mouseRelease(sheet.Surface(), Qt::LeftButton, {}, left + QPoint(-13, 0));
    EXPECT_EQ(sheet.document.ControlAt(1)->pageRect.left, r.left - 50);
}

TEST(DesignZoomTest, FittingThePageShowsItWholeFromItsCorner) {
    Sheet sheet(100, 0.1);
    sheet.view.horizontalScrollBar()->setValue(200);
    sheet.view.FitPage();
    // The scroll bars the zoom brought take their place.
    QCoreApplication::processEvents();
    const int letterZoom = sheet.view.Zoom();
    const QSize room = sheet.Surface()->size();
    // A letter sheet and its margins at the largest zoom that holds them.
    const double height = (2794 + 100) * 0.1;
    EXPECT_EQ(sheet.view.Zoom(), static_cast<int>(100 * room.height() / height));
    EXPECT_EQ(sheet.view.ToPixel(Point{-50, 50}), QPoint(0, 0));

    // A control beyond the sheet stretches the page that is shown.
    sheet.document.Controls().push_back(CRectangulo::Create(200, -3000));
    sheet.view.FitPage();
    QCoreApplication::processEvents();
    const int lowest = sheet.document.ControlAt(1)->pageRect.Normalized().top;
    const QPoint corner = sheet.view.ToPixel(Point{0, lowest - 50});
    EXPECT_LT(sheet.view.Zoom(), letterZoom);
    EXPECT_TRUE(sheet.Surface()->rect().contains(corner)) << corner.x() << "," << corner.y();
}

TEST(DesignZoomTest, TheZoomBoxClampsWhatIsTypedAndTheRulersFollow) {
    CFmtdesignFrm frame;
    frame.resize(780, 580);
    frame.show();
    ZoomBox& box = *frame.Zoom();
    CFmtdesignView& view = *frame.View();
    const auto type = [&box](const char* text) {
        box.lineEdit()->setText(QString::fromUtf8(text));
        QTest::keyClick(box.lineEdit(), Qt::Key_Return);
    };

    type("1000");
    EXPECT_EQ(view.Zoom(), 400);
    EXPECT_EQ(box.currentText(), ZoomLevel::Text(400));
    type("10 %");
    EXPECT_EQ(view.Zoom(), 50);
    EXPECT_EQ(box.currentText(), ZoomLevel::Text(50));
    type("ciento veinte");
    EXPECT_EQ(view.Zoom(), 50);
    EXPECT_EQ(box.currentText(), ZoomLevel::Text(50));
    type("120%");
    EXPECT_EQ(view.Zoom(), 120);

    box.setCurrentIndex(box.findData(200));
    emit box.activated(box.currentIndex());
    EXPECT_EQ(view.Zoom(), 200);
    for (CRules* ruler : frame.findChildren<CRules*>())
        EXPECT_EQ(ruler->Scale(), 2.0);

    QTest::keyClick(&view, Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(box.currentText(), ZoomLevel::Text(150));

    type("Página completa");
    const QSize room = view.viewport()->size();
    EXPECT_EQ(view.Zoom(), ZoomLevel::Fitting((2159 + 100) * view.Scale() * 100 / view.Zoom(),
                                              (2794 + 100) * view.Scale() * 100 / view.Zoom(),
                                              room.width(), room.height()));
    EXPECT_EQ(box.currentText(), ZoomLevel::Text(view.Zoom()));
    EXPECT_TRUE(frame.Document().UndoStack().isClean());
}

} // namespace

namespace {

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// Drawing changes nothing of the format, whatever the view shows: a format with a control of
// every kind, its fields not yet placed on the capture screen among them, saved while the view
// stands at 200 % and scrolled, has the bytes of the same format saved at 100 % from the corner.
TEST_F(DesignerTest, SavedAtAnyZoomOrScrollAFormatKeepsItsBytes) {
    InsertOneOfEach();
    CFmtdesignView view(doc);
    view.resize(780, 580);
    view.show();
    view.ScrollToOrigin();
    view.grab();
    const QString plain = dir.filePath(QStringLiteral("cien.fmt"));
    doc.Save(plain);

    view.SetZoom(200);
    // The first fields inserted lie in sight, drawn twice as large and shifted.
    view.horizontalScrollBar()->setValue(40);
    view.verticalScrollBar()->setValue(60);
    ASSERT_TRUE(view.viewport()->rect().contains(view.ToPixel(Point{150, -80})));
    view.grab();
    const QString zoomed = dir.filePath(QStringLiteral("doscientos.fmt"));
    doc.Save(zoomed);
    EXPECT_EQ(FileBytes(zoomed), FileBytes(plain));
    EXPECT_EQ(doc.UndoStack().count(), ControlType::kLastCode - ControlType::kFirstCode + 1);

    // The text line, never placed, is in the file where its page lies at true scale.
    Format read;
    FormatSettings settings;
    FormatFile::Load(zoomed, read, settings);
    const CControles& line =
        *read.controls[static_cast<std::size_t>(Find(ControlTypeCode::TextlineVar))];
    EXPECT_FALSE(line.screenPlaced);
    EXPECT_EQ(line.screenRect,
              doc.ControlAt(Find(ControlTypeCode::TextlineVar))->CaptureScreenRect());
    EXPECT_EQ(line.screenRect, (ScreenRect{38, 21, 189, 41}));
}
